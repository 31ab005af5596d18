/* SimCtl.h - control of the simulated devices, for tests and tools only;
 * program code never includes it. No function blocks: a test on the GUI
 * thread waits by running the event loop (QTRY_VERIFY on SimCtl_Pending() == 0,
 * a journal line or a page's state). Devices are named by their scenario id. */
#pragma once

#include "platform/simdevice/HIDUsb.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Built-in scenario name or JSON file; resets the model, the queues and the
 * journal. 0 when the scenario could not be read (the default one is loaded). */
HIDUSB_API int  SimCtl_LoadScenario(const char* nameOrPath);
/* One line of the command language (as in the command file); 0 = bad command. */
HIDUSB_API int  SimCtl_Command(const char* line);
/* Runs now the lines appended to the command file since it was last read,
 * as the library does every half second. */
HIDUSB_API void SimCtl_PollCommands(void);

/* Receiver: plugged in; mouse: switched on (off: no endpoint, no link). */
HIDUSB_API int  SimCtl_Plug(const char* id, int on);
HIDUSB_API int  SimCtl_SetCable(const char* mouseId, int on);
/* Asleep or out of range behind its receiver (0), back (1, reconnect report). */
HIDUSB_API int  SimCtl_SetAwake(const char* mouseId, int on);
/* charging < 0 keeps the charging state; notify sends the battery status change. */
HIDUSB_API int  SimCtl_SetBattery(const char* mouseId, int level, int charging, int notify);
/* dpi-up dpi-down dpi-cycle rate profile led; "dpi-up direct" reports the level itself. */
HIDUSB_API int  SimCtl_Press(const char* mouseId, const char* action);
HIDUSB_API int  SimCtl_Inject(int cls, int sub, int status, const unsigned char* payload, int length);
HIDUSB_API int  SimCtl_InjectRaw(const unsigned char* header, int headerLength,
                                 const unsigned char* payload, int length);
/* success fail never unplug; delayMs <= 0 keeps the default delay. */
HIDUSB_API int  SimCtl_SetPairOutcome(const char* rxId, const char* outcome, int delayMs);
/* target 210, 211 or 0 for any; success fail interrupt fail-rollback reject hang. */
HIDUSB_API int  SimCtl_SetUpgradeOutcome(int target, const char* outcome, int atPercent, int sticky);
HIDUSB_API int  SimCtl_SetBootMode(const char* id, int on);
HIDUSB_API int  SimCtl_SetIdentityDelay(const char* id, int calls);

/* The parsed flash of one profile (10,428 bytes); 1 on success. */
HIDUSB_API int  SimCtl_GetRecord(const char* mouseId, int profile, unsigned char* record10428);
HIDUSB_API int  SimCtl_SetRecord(const char* mouseId, int profile, const unsigned char* record10428);
/* Keys: fw boot busy active_profile driver_status battery_optimize led long_range
 * paired pair_state battery charging awake cable plugged. The text written
 * (NUL-terminated); returns its length, or -1 for an unknown id or key. */
HIDUSB_API int  SimCtl_GetValue(const char* id, const char* key, char* buffer, int size);
/* The device's endpoint path (interned), or NULL for an unknown id. */
HIDUSB_API const char* SimCtl_PathOf(const char* id);
/* Writes a valid firmware image file (header with the integrity block, then
 * payloadLength bytes). Returns the file's length; writes only when out holds it. */
HIDUSB_API int  SimCtl_BuildImage(int target, int cid, int mid, const char* name, int versionWord,
                                  int payloadLength, unsigned char* out, int outSize);

HIDUSB_API void SimCtl_SetTimeScale(double scale);
/* Library unit tests: device time stands still until advanced. */
HIDUSB_API void SimCtl_SetManualClock(int on);
HIDUSB_API void SimCtl_Advance(int ms);
/* Queued reports + running callbacks + timed device events + hot-plug pending. */
HIDUSB_API int  SimCtl_Pending(void);

HIDUSB_API int  SimCtl_JournalCount(void);
HIDUSB_API int  SimCtl_JournalLine(int i, char* buffer, int size);
HIDUSB_API void SimCtl_JournalClear(void);

/* Folder of the state files; NULL turns persistence off. */
HIDUSB_API void SimCtl_SetPersistence(const char* folderOrNull);
/* Writes the state file now; 1 when written. */
HIDUSB_API int  SimCtl_Flush(void);

#ifdef __cplusplus
}
#endif
