#pragma once

// Stand-in for the device link's setting senders until they land on main;
// removed then, and the frames include the device link's header instead.

#include "device/DeviceRecords.h"

bool SendReportRate(int code);
bool SendCurrentDPILevel(int level);
bool SendLOD(int code);
bool SendDebounceTime(int value);
bool SendMotionSync(int on);
bool SendStopCloseTime(int units);
bool SendStraightLine(int on);
bool SendRippeControl(int on);
bool SendPerformance(int on);
bool SendPerformanceOpen(int units);
bool SendSensorMode(int mode);
bool SendDPILevelValue(int level, int x, int y, int flags);
bool SendDPILevelColor(int level, int red, int green, int blue);
bool SendDPILevelPair(const DpiLevelEntry* a, const DpiLevelEntry* b, int slotB, int slotA, int current);
bool SendDPILedMode(int mode);
bool SendDPILedBrightness(int value);
bool SendDPILedSpeed(int value);
