#pragma once

// Exported-settings files: the current device's whole configuration, saved by
// the user and loaded later into a device of the same model. Three blocks,
// each a 32-bit big-endian length followed by that many bytes:
//
//   12 bytes      the tag "Trelv", zero-padded
//   12 bytes      the sensor name of the device's model (its "Sensor" key),
//                 8-bit text, zero-padded or cut
//   10,428 bytes  the FlashDataMap
//
// 10,464 bytes in all; no version and no checksum.

#include "device/DeviceRecords.h"

#include <QString>

constexpr int SettingsFileTagBytes = 12;
constexpr int SettingsFileSensorBytes = 12;
constexpr int SettingsFileSize = 3 * 4 + SettingsFileTagBytes + SettingsFileSensorBytes
                                 + static_cast<int>(sizeof(FlashDataMap));

// What an import found.
enum SettingsImportResult {
    SettingsImported = 0,       // the file fits this device; the record was read whole
    SettingsNotAFile = 1,       // cannot be read, foreign tag, a block of the wrong length, bytes
                                // after the last block, or a value no page can set
    SettingsForOtherDevice = 2, // another sensor, or more DPI levels or a higher DPI than the model takes
};

// The suffix the settings files carry, and a path that ends in it: the path
// itself when it does (in any case), else the path with "." and the suffix.
extern const char* const SettingsFileSuffix;
QString WithSettingsFileSuffix(const QString& path);

// Writes the file for the current device's model. The file is replaced only
// once it has been written whole; false when it could not be.
bool ExportSettingsFile(const QString& path, const FlashDataMap& record);

// Reads the file into record (left as it was unless the answer is 0).
// Every block must have exactly its length and be present whole, nothing may
// follow the last one, and a length prefix is checked before anything is
// read, so a damaged file can neither hand over a part-stale record nor make
// the reader allocate what it claims. The record's values must be ones the
// pages can set for this model (device/RecordLimits.h).
int ImportSettingsFile(const QString& path, FlashDataMap& record);
