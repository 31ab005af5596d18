#include "device/Senders.h"

#include "core/PostMsg.h"
#include "device/DeviceCache.h"
#include "device/DeviceLibrary.h"
#include "device/DeviceState.h"

#include <QDebug>

#include <cstdint>

namespace {

std::uint8_t LowByte(int value)
{
    return static_cast<std::uint8_t>(value & 0xFF);
}

bool IsKeyIndex(int key)
{
    if (key >= 0 && key < ButtonCount)
        return true;
    qWarning() << "sender: no button with key index" << key;
    return false;
}

bool IsLevelIndex(int level)
{
    if (level >= 0 && level < DpiLevelEntryCount)
        return true;
    qWarning() << "sender: no DPI level" << level;
    return false;
}

bool DeviceAnswers()
{
    const QByteArray path = g_DevicePathC.Snapshot();
    return UsbFinderC_GetDeviceOnLine(path.constData());
}

// The common pattern: the online test, then the change and the send under the
// record's lock, so that a device report writing the record on the library's
// thread never interleaves with it and the device always receives the latest
// record last (two copies sent outside the lock could reach the device in the
// wrong order). ProtocolDataUpdate only copies the record and never waits for
// another thread, so holding the lock across it cannot deadlock. The offline
// notice is emitted with no lock held.
template <typename Change>
bool SendChange(Change change)
{
    if (!CheckDeviceOnline() || RefuseWhileDeviceIsReadAgain())
        return false;
    auto flash = g_FlashData.Lock();
    change(*flash);
    ProtocolDataUpdate(&*flash);
    return true;
}

bool SendByte(std::uint8_t FlashDataMap::*field, int value)
{
    return SendChange([&](FlashDataMap& record) { record.*field = LowByte(value); });
}

// Effect other than 0: the effect and "on"; 0: "off" only, the effect stays.
bool SendLightMode(std::uint8_t FlashDataMap::*effectField, std::uint8_t FlashDataMap::*onField,
                   int effect)
{
    return SendChange([&](FlashDataMap& record) {
        if (effect != 0) {
            record.*effectField = LowByte(effect);
            record.*onField = 1;
        } else {
            record.*onField = 0;
        }
    });
}

} // namespace

// The record held is sent whole: while a re-read the device asked for is
// outstanding it may be another profile's, and sending it would overwrite
// the active profile. The re-read that follows fills the pages again with
// what the device holds; until then the pages hear of the refusal, so that
// no control goes on showing a change the device never got. A device that
// does not answer takes its re-read only once it wakes: "try again in a
// moment" would not be true then.
bool RefuseWhileDeviceIsReadAgain()
{
    if (!g_ReadBackOutstanding)
        return false;
    qDebug() << "the device's configuration is being read again; the record held is written nowhere";
    if (g_ButtonPageLoading || g_SensorPageLoading)
        return true;
    if (DeviceAnswers())
        PostMsg::GetInstance()->EmitDeviceBeingRead();
    else
        PostMsg::GetInstance()->EmitMouseOffLineo(0);
    return true;
}

bool TakeRecordToExport(FlashDataMap& record)
{
    if (DeviceAnswers()) {
        if (RefuseWhileDeviceIsReadAgain())
            return false;
        record = g_FlashData.Snapshot();
        return true;
    }
    if (TakeOfflineRecord(record))
        return true;
    PostMsg::GetInstance()->EmitMouseOffLineo(0);
    return false;
}

bool CheckDeviceOnline()
{
    if (DeviceAnswers())
        return true;
    if (!g_ButtonPageLoading && !g_SensorPageLoading)
        PostMsg::GetInstance()->EmitMouseOffLineo(0);
    return false;
}

bool DeviceTakesChanges()
{
    return DeviceAnswers() && !g_ReadBackOutstanding;
}

void SendFlashData()
{
    if (RefuseWhileDeviceIsReadAgain())
        return;
    auto flash = g_FlashData.Lock();
    ProtocolDataUpdate(&*flash);
}

bool SendReportRate(int code) { return SendByte(&FlashDataMap::ReportRate, code); }
bool SendDPILevelCount(int count) { return SendByte(&FlashDataMap::DpiLevelCount, count); }
bool SendCurrentDPILevel(int level) { return SendByte(&FlashDataMap::CurrentDpiLevel, level); }
bool SendFlashByte3(int value) { return SendByte(&FlashDataMap::Reserved3, value); }
bool SendFlashByte4(int value) { return SendByte(&FlashDataMap::Reserved4, value); }
bool SendLOD(int code) { return SendByte(&FlashDataMap::LiftOffDistance, code); }
bool SendDebounceTime(int index) { return SendByte(&FlashDataMap::ButtonDebounce, index); }
bool SendMotionSync(int on) { return SendByte(&FlashDataMap::MotionSync, on); }
bool SendStopCloseTime(int units) { return SendByte(&FlashDataMap::SleepTime, units); }
bool SendStraightLine(int on) { return SendByte(&FlashDataMap::AngleSnapping, on); }
bool SendRippeControl(int on) { return SendByte(&FlashDataMap::RippleControl, on); }
bool SendLampRippeControl(int on) { return SendByte(&FlashDataMap::LightBarRipple, on); }
bool SendPerformance(int on) { return SendByte(&FlashDataMap::PerformanceMode, on); }
bool SendPerformanceOpen(int units) { return SendByte(&FlashDataMap::PerformanceSleepTime, units); }
bool SendSensorMode(int mode) { return SendByte(&FlashDataMap::SensorMode, mode); }
bool SendDPILedBrightness(int value) { return SendByte(&FlashDataMap::DpiLedBrightness, value); }
bool SendDPILedSpeed(int value) { return SendByte(&FlashDataMap::DpiLedSpeed, value); }
bool SendLightBarSpeed(int value) { return SendByte(&FlashDataMap::LightBarSpeed, value); }
bool SendLightBarBrightness(int value) { return SendByte(&FlashDataMap::LightBarBrightness, value); }

bool SendDPILevelValue(int level, int xCode, int yCode, int flags)
{
    if (!IsLevelIndex(level))
        return false;
    return SendChange([&](FlashDataMap& record) {
        DpiLevelEntry& entry = record.DpiLevels[level];
        entry.XCode = LowByte(xCode);
        entry.YCode = LowByte(yCode);
        entry.RangeBits = LowByte(flags);
    });
}

bool SendDPILevelColor(int level, int red, int green, int blue)
{
    if (!IsLevelIndex(level))
        return false;
    return SendChange([&](FlashDataMap& record) {
        DpiLevelEntry& entry = record.DpiLevels[level];
        entry.Red = LowByte(red);
        entry.Green = LowByte(green);
        entry.Blue = LowByte(blue);
    });
}

bool SendDPILevelPair(const DpiLevelEntry* entryA, const DpiLevelEntry* entryB,
                      int slotB, int slotA, int current)
{
    if (!entryA || !entryB || !IsLevelIndex(slotA) || !IsLevelIndex(slotB))
        return false;
    return SendChange([&](FlashDataMap& record) {
        // Copies first: the entries may point into the record itself.
        const DpiLevelEntry a = *entryA;
        const DpiLevelEntry b = *entryB;
        record.DpiLevels[slotA] = a;
        record.DpiLevels[slotB] = b;
        record.CurrentDpiLevel = LowByte(current);
        record.DpiLevelCount = LowByte(current + 1);
    });
}

bool SendDPILedMode(int effect)
{
    return SendLightMode(&FlashDataMap::DpiLedEffect, &FlashDataMap::DpiLedOn, effect);
}

bool SendLightBarMode(int effect)
{
    return SendLightMode(&FlashDataMap::LightBarEffect, &FlashDataMap::LightBarOn, effect);
}

bool SendLightBarColor(int red, int green, int blue)
{
    return SendChange([&](FlashDataMap& record) {
        record.LightBarRed = LowByte(red);
        record.LightBarGreen = LowByte(green);
        record.LightBarBlue = LowByte(blue);
    });
}

bool SendButtonFunction(int key, int type, int first, int second)
{
    if (!IsKeyIndex(key))
        return false;
    return SendChange([&](FlashDataMap& record) {
        record.Buttons[key] = {LowByte(type), LowByte(first), LowByte(second)};
    });
}

bool SendButtonKeyEvents(int key, const ButtonFunction* function, const KeyEventRecord* events)
{
    if (!function || !events || !IsKeyIndex(key))
        return false;
    return SendChange([&](FlashDataMap& record) {
        record.Buttons[key] = *function;
        record.KeyEvents[key] = *events;
    });
}

bool SendButtonMacro(int key, const ButtonFunction* function, const MacroBlock* block)
{
    if (!function || !block || !IsKeyIndex(key))
        return false;
    return SendChange([&](FlashDataMap& record) {
        record.Buttons[key] = *function;
        record.Macros[key] = *block;
    });
}
