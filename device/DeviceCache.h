#pragma once

// The offline configuration cache: the last configuration read from each
// device model, one file per model (CID and MID), so that the pages can show
// it while that model is offline. Two mice of one model share the file.
//
// File content: a 32-bit big-endian length, then that many record bytes (the
// byte-array form of QDataStream); the program writes the whole record, so a
// file is 10,432 bytes starting 00 00 28 BC.

#include "device/DeviceRecords.h"

#include <QString>

#include <cstdint>

// "Device_CID" + CID + "_MID" + MID + ".bin", each two upper-case hexadecimal
// digits; CID is the low, MID the high byte of the identity word.
QString DeviceCacheFileName(std::uint16_t identity);

// The per-user Device_Info folder (created at start, never here).
QString DeviceCacheFolder();

// Writes the whole record under the file name, replacing the old file only
// once the new one is complete. False when it cannot be written (an empty
// name before any full read among them); the old content then stays, and
// error (when given) says why.
bool SaveDeviceCache(const QString& fileName, const FlashDataMap& record, QString* error = nullptr);

// Whether the file under the name holds exactly what SaveDeviceCache would
// write for the record.
bool DeviceCacheHolds(const QString& fileName, const FlashDataMap& record);

// Reads the file into the record. False when the file cannot be opened or
// holds fewer than the record's 10,428 bytes: the record is then left as it
// was. A longer stored length gives its first 10,428 bytes.
bool LoadDeviceCache(const QString& fileName, FlashDataMap& record);

// Whether the record held (g_FlashData) is of the current device's model:
// read from it, or taken from its file while it is offline.
bool HoldsCurrentModelRecord();

// The record to show while the current device is offline. The record held,
// when it is this model's and not awaiting a re-read, is its newest (the file
// follows it a moment later); else the model's file, which then becomes the
// record held, so that an export, or the save on leaving, writes what the
// pages show.
// A file whose values no page could have set (device/RecordLimits.h) counts
// as none. False when there is neither; the record held then stays as it was.
bool TakeOfflineRecord(FlashDataMap& record);
