#include "device/RecordLimits.h"

#include "core/ConfigIni.h"
#include "device/DeviceIdentification.h"
#include "device/DeviceState.h"
#include "device/DpiCodes.h"

#include <QtGlobal>

#include <algorithm>
#include <initializer_list>

namespace {

// What the sensor, settings and button pages offer, as the record codes it.
constexpr std::initializer_list<int> kReportRateCodes = {8, 4, 2, 1, 16, 32, 64};
constexpr int kLongestLiftOff = 3;        // 1 mm, 2 mm, 0.7 mm
constexpr int kLongestDebounce = 20;      // index of the debounce time
constexpr int kLastSensorMode = 2;        // LP, HP, Corded
// Sleep times in units of 10 s: the sleep-time choices, and the shorter
// ones the performance mode offers.
constexpr std::initializer_list<int> kSleepUnits = {1, 3, 6, 30, 60, 90, 120, 150, 180, 210, 240};
constexpr std::initializer_list<int> kPerformanceSleepUnits = {3, 6, 12, 30, 60, 90};
constexpr std::initializer_list<int> kDpiLedEffects = {1, 2};
constexpr std::initializer_list<int> kDpiLedBrightness = {16, 30, 60, 90, 128, 150, 180, 210, 230, 255};
constexpr int kFastestDpiLed = 5;
constexpr int kLastButtonType = 11;

bool OneOf(int value, std::initializer_list<int> allowed)
{
    return std::find(allowed.begin(), allowed.end(), value) != allowed.end();
}

bool Between(int value, int lowest, int highest)
{
    return value >= lowest && value <= highest;
}

bool IsSwitch(int value)
{
    return value == 0 || value == 1;
}

bool SingleSettingsSettable(const FlashDataMap& record)
{
    return IsSettableReportRate(record.ReportRate) && Between(record.DpiLevelCount, 1, DpiLevelEntryCount)
           && IsSettableCurrentDpiLevel(record.CurrentDpiLevel, record.DpiLevelCount)
           && Between(record.LiftOffDistance, 1, kLongestLiftOff)
           && record.ButtonDebounce <= kLongestDebounce && IsSwitch(record.MotionSync)
           && OneOf(record.SleepTime, kSleepUnits) && IsSwitch(record.AngleSnapping)
           && IsSwitch(record.RippleControl) && IsSwitch(record.PerformanceMode)
           && (OneOf(record.PerformanceSleepTime, kPerformanceSleepUnits)
               || OneOf(record.PerformanceSleepTime, kSleepUnits))
           && record.SensorMode <= kLastSensorMode;
}

bool DpiLedSettable(const FlashDataMap& record)
{
    return OneOf(record.DpiLedEffect, kDpiLedEffects) && OneOf(record.DpiLedBrightness, kDpiLedBrightness)
           && Between(record.DpiLedSpeed, 1, kFastestDpiLed) && IsSwitch(record.DpiLedOn);
}

bool ButtonsSettable(const FlashDataMap& record)
{
    for (int k = 0; k < ButtonCount; ++k) {
        if (record.Buttons[k].Type > kLastButtonType || record.KeyEvents[k].EventCount > KeyEventsPerButton
            || record.Macros[k].NameLength > MacroNameBytes || record.Macros[k].EventCount > MacroEventsPerBlock)
            return false;
    }
    return true;
}

bool DpiWithinModel(const FlashDataMap& record, const ModelLimits& limits)
{
    if (limits.maxDpi <= 0)
        return true;
    for (int level = 0; level < record.DpiLevelCount && level < DpiLevelEntryCount; ++level) {
        const DpiLevelEntry& entry = record.DpiLevels[level];
        if (LevelCodeToDpi(limits.sensor, limits.sensorDefines, entry.XCode, entry.RangeBits) > limits.maxDpi)
            return false;
    }
    return true;
}

// The top of a "DPIRange" list of one to four (minimum, maximum, step)
// triplets and a class: the maximum of its last triplet; 0 for any other list.
int RangeTop(const QStringList& range)
{
    const int triplets = range.isEmpty() ? 0 : (range.size() - 1) / 3;
    if (triplets < 1 || triplets > 4)
        return 0;
    return std::max(0, range.at(3 * triplets - 2).trimmed().toInt());
}

} // namespace

bool IsSettableReportRate(int code)
{
    return OneOf(code, kReportRateCodes);
}

bool IsSettableCurrentDpiLevel(int level, int levelCount)
{
    return level >= 0 && level < levelCount;
}

ModelLimits CurrentModelLimits()
{
    ConfigIni* config = ConfigIni::GetInstance();
    const QString group = ModelGroup(g_CurrentDevice.Snapshot().ModelIndex);
    ModelLimits limits;
    limits.maxDpiLevels = qBound(0, config->Value(group, "DPIMaxGrade").toInt(), int(DpiLevelEntryCount));
    limits.maxDpi = RangeTop(config->ValueList(group, "DPIRange"));
    limits.sensor = config->Value(group, "Sensor");
    limits.sensorDefines = ReadSensorHeader(SensorHeaderPath()).defines;
    return limits;
}

RecordValues CheckRecordValues(const FlashDataMap& record, const ModelLimits& limits)
{
    if (!SingleSettingsSettable(record) || !DpiLedSettable(record) || !ButtonsSettable(record))
        return RecordValues::NeverSettable;
    if (record.DpiLevelCount > limits.maxDpiLevels || !DpiWithinModel(record, limits))
        return RecordValues::OtherModel;
    return RecordValues::Settable;
}
