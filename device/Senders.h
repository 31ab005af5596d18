#pragma once

#include "device/DeviceRecords.h"

// One free function per setting. Each asks the device library whether the
// current device answers. Online, it writes the low byte of each value into
// its field of g_FlashData and hands the whole record to ProtocolDataUpdate,
// both under the record's lock, and returns true. Offline, it leaves the
// record alone, raises the hub's offline notice (SigMouseOffLineo with 0)
// unless a page is loading a record into its widgets, and returns false.
//
// While a re-read the device asked for is outstanding (g_ReadBackOutstanding)
// the record held may be another profile's: a sender then writes nothing,
// tells why as RefuseWhileDeviceIsReadAgain does, and returns false; the
// re-read refills the pages.
//
// A key index outside 0..15 or a level outside 0..7 names no field of the
// record: such a call returns false at once, writes nothing and asks nothing.
// The senders run on the GUI thread.

// Refuses whatever would send the record held while a re-read the device
// asked for is outstanding, and tells why unless a page is loading: while the
// device answers, that its configuration is being read again
// (SigDeviceBeingRead); while it does not (it fell asleep before the re-read
// came), that it is offline (SigMouseOffLineo with 0), since nothing will
// change until it wakes. True when it refused: the caller writes nothing.
bool RefuseWhileDeviceIsReadAgain();
// The record an export may write, into record. While the device answers:
// the record held, unless RefuseWhileDeviceIsReadAgain refuses. While it does
// not: the offline record the pages show, as TakeOfflineRecord gives it (the
// record held when it is the device's, else the model's offline copy, which
// a re-read the device never answered leaves in its place); without one the
// offline notice is raised. False when nothing may be written.
bool TakeRecordToExport(FlashDataMap& record);
// The online test with its offline notice, without writing anything.
bool CheckDeviceOnline();
// Whether a sender would reach the device now (it answers and no re-read is
// outstanding), asked quietly: no notice, nothing written.
bool DeviceTakesChanges();

// Hands g_FlashData to ProtocolDataUpdate as it is, without the online test
// (nothing while a re-read is outstanding).
void SendFlashData();

bool SendReportRate(int code);            // byte 0: 8, 4, 2, 1, 16, 32, 64 for 125 ... 8000 Hz
bool SendDPILevelCount(int count);        // byte 1
bool SendCurrentDPILevel(int level);      // byte 2
bool SendFlashByte3(int value);           // byte 3
bool SendFlashByte4(int value);           // byte 4
bool SendLOD(int code);                   // byte 5: 1 = 1 mm, 2 = 2 mm, 3 = 0.7 mm
bool SendDebounceTime(int index);         // byte 6
bool SendMotionSync(int on);              // byte 7
bool SendStopCloseTime(int units);        // byte 8, units of 10 s
bool SendStraightLine(int on);            // byte 9, angle snapping
bool SendRippeControl(int on);            // byte 10
bool SendLampRippeControl(int on);        // byte 11
bool SendPerformance(int on);             // byte 12
bool SendPerformanceOpen(int units);      // byte 13, units of 10 s
bool SendSensorMode(int mode);            // byte 14: 0 LP, 1 HP

// X code, Y code and the range-and-high-bits byte of DPI level `level`.
bool SendDPILevelValue(int level, int xCode, int yCode, int flags);
// The indicator colour of DPI level `level`.
bool SendDPILevelColor(int level, int red, int green, int blue);
// Entry slotA <- *entryA, then entry slotB <- *entryB (so B wins when the
// slots are equal), then the current level <- current and the level count
// <- current + 1.
bool SendDPILevelPair(const DpiLevelEntry* entryA, const DpiLevelEntry* entryB,
                      int slotB, int slotA, int current);

// Effect 1 steady, 2 breathing: byte 63 <- effect and the LED on. Effect 0:
// the LED off only; byte 63 keeps the last effect.
bool SendDPILedMode(int effect);
bool SendDPILedBrightness(int value);     // byte 64
bool SendDPILedSpeed(int value);          // byte 65

// Effect other than 0: byte 67 <- effect and the light bar on; 0: off only.
bool SendLightBarMode(int effect);
bool SendLightBarColor(int red, int green, int blue);  // bytes 68-70
bool SendLightBarSpeed(int value);        // byte 71
bool SendLightBarBrightness(int value);   // byte 72

// The ButtonFunction of key `key`.
bool SendButtonFunction(int key, int type, int first, int second);
// The 3 function bytes and the 52-byte key sequence of key `key`.
bool SendButtonKeyEvents(int key, const ButtonFunction* function, const KeyEventRecord* events);
// The 3 function bytes and the 592-byte macro block of key `key`.
bool SendButtonMacro(int key, const ButtonFunction* function, const MacroBlock* block);
