#pragma once

// The values the pages can give a record, for judging a record that comes
// from a file: one the user could have made is taken, one that would set the
// device to something no control can show or set is not.

#include "device/DeviceRecords.h"
#include "device/SensorHeader.h"

#include <QString>

// What the current model allows, from the device description and the sensor
// capability header.
struct ModelLimits {
    int maxDpiLevels = DpiLevelEntryCount;  // "DPIMaxGrade", at most the record's eight
    int maxDpi = 0;                         // the top of the model's "DPIRange"; 0 when it has none
    QString sensor;                         // "Sensor"
    SensorDefines sensorDefines;            // the header's definitions (the DPI code tables)
};
ModelLimits CurrentModelLimits();

// Single values as the record check judges them, for a device report that
// brings one value alone: a report-rate code the pages offer, and a current
// DPI level among the levels in use.
bool IsSettableReportRate(int code);
bool IsSettableCurrentDpiLevel(int level, int levelCount);

enum class RecordValues {
    Settable,        // every value is one the pages can set
    NeverSettable,   // a value no page can set for any model
    OtherModel,      // more DPI levels or a higher DPI than this model takes
};

// Checks what the pages set: the single settings, the DPI levels in use, the
// DPI-LED settings, the button functions and the lengths of the key sequences
// and macros. Bytes no page writes (the reserved ones, the light bar, the
// contents of sequences and macros) are not judged.
RecordValues CheckRecordValues(const FlashDataMap& record, const ModelLimits& limits);
