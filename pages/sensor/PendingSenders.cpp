#include "pages/sensor/PendingSenders.h"

#include "core/PostMsg.h"
#include "device/DeviceLibrary.h"
#include "device/DeviceState.h"

#include <functional>

namespace {

bool Send(const std::function<void(FlashDataMap&)>& write)
{
    const QByteArray path = g_DevicePathC.Snapshot();
    if (!UsbFinderC_GetDeviceOnLine(path.constData())) {
        if (!g_ButtonPageLoading && !g_SensorPageLoading)
            PostMsg::GetInstance()->EmitMouseOffLineo(0);
        return false;
    }
    FlashDataMap record;
    {
        auto flash = g_FlashData.Lock();
        write(*flash);
        record = *flash;
    }
    ProtocolDataUpdate(&record);
    return true;
}

std::uint8_t Low(int value) { return static_cast<std::uint8_t>(value & 0xFF); }

} // namespace

bool SendReportRate(int code) { return Send([&](FlashDataMap& f) { f.ReportRate = Low(code); }); }
bool SendCurrentDPILevel(int level) { return Send([&](FlashDataMap& f) { f.CurrentDpiLevel = Low(level); }); }
bool SendLOD(int code) { return Send([&](FlashDataMap& f) { f.LiftOffDistance = Low(code); }); }
bool SendDebounceTime(int value) { return Send([&](FlashDataMap& f) { f.ButtonDebounce = Low(value); }); }
bool SendMotionSync(int on) { return Send([&](FlashDataMap& f) { f.MotionSync = Low(on); }); }
bool SendStopCloseTime(int units) { return Send([&](FlashDataMap& f) { f.SleepTime = Low(units); }); }
bool SendStraightLine(int on) { return Send([&](FlashDataMap& f) { f.AngleSnapping = Low(on); }); }
bool SendRippeControl(int on) { return Send([&](FlashDataMap& f) { f.RippleControl = Low(on); }); }
bool SendPerformance(int on) { return Send([&](FlashDataMap& f) { f.PerformanceMode = Low(on); }); }
bool SendPerformanceOpen(int units) { return Send([&](FlashDataMap& f) { f.PerformanceSleepTime = Low(units); }); }
bool SendSensorMode(int mode) { return Send([&](FlashDataMap& f) { f.SensorMode = Low(mode); }); }

bool SendDPILevelValue(int level, int x, int y, int flags)
{
    if (level < 0 || level >= DpiLevelEntryCount)
        return false;
    return Send([&](FlashDataMap& f) {
        f.DpiLevels[level].XCode = Low(x);
        f.DpiLevels[level].YCode = Low(y);
        f.DpiLevels[level].RangeBits = Low(flags);
    });
}

bool SendDPILevelColor(int level, int red, int green, int blue)
{
    if (level < 0 || level >= DpiLevelEntryCount)
        return false;
    return Send([&](FlashDataMap& f) {
        f.DpiLevels[level].Red = Low(red);
        f.DpiLevels[level].Green = Low(green);
        f.DpiLevels[level].Blue = Low(blue);
    });
}

bool SendDPILevelPair(const DpiLevelEntry* a, const DpiLevelEntry* b, int slotB, int slotA, int current)
{
    if (slotA < 0 || slotA >= DpiLevelEntryCount || slotB < 0 || slotB >= DpiLevelEntryCount)
        return false;
    return Send([&](FlashDataMap& f) {
        f.DpiLevels[slotA] = *a;
        f.DpiLevels[slotB] = *b;
        f.CurrentDpiLevel = Low(current);
        f.DpiLevelCount = Low(current + 1);
    });
}

bool SendDPILedMode(int mode)
{
    return Send([&](FlashDataMap& f) {
        if (mode != 0) {
            f.DpiLedEffect = Low(mode);
            f.DpiLedOn = 1;
        } else {
            f.DpiLedOn = 0;
        }
    });
}

bool SendDPILedBrightness(int value) { return Send([&](FlashDataMap& f) { f.DpiLedBrightness = Low(value); }); }
bool SendDPILedSpeed(int value) { return Send([&](FlashDataMap& f) { f.DpiLedSpeed = Low(value); }); }
