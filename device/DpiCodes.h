#pragma once

#include "device/SensorHeader.h"

#include <QString>

// The sensor register code of a DPI-lock value and back, for the button page.
// A sensor with a code table in the capability header (any definition whose
// name holds "SENSOR_" + sensor + "_DPI") takes its codes from there; the
// others follow a formula of their model.

// The code for a DPI value (the button page passes 100..1200). Codes above 255
// keep only their low byte once they land in the record.
int DpiToSensorCode(const QString& sensor, const SensorDefines& defines, int dpi);

// The DPI value of a code, for a button's label; 0 when the sensor has a table
// and no entry of it holds the code.
int SensorCodeToDpi(const QString& sensor, const SensorDefines& defines, int code);

// The DPI of a DPI level as the record keeps it: its X code and its flags
// byte (range class bits 0x11 and 0x22, and for some sensors code bits 8 and
// 9 in bits 6 and 7). 0 when the sensor has a table and no entry holds the
// code; a table value too large to double stops at the largest int.
int LevelCodeToDpi(const QString& sensor, const SensorDefines& defines, int code, int flags);

// Whether the record keeps a DPI-lock value whole: its code's low byte reads
// back as the same value. Values it does not keep are not offered.
bool DpiLockFitsRecord(const QString& sensor, const SensorDefines& defines, int dpi);
