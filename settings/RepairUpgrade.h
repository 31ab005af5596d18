#pragma once

// The repair of a failed firmware update (the record in "UpdateFailInfo"):
// its state, shared by the update and repair dialog on the GUI thread and the
// upgrade callback on the device library's thread. The image being written
// is g_RepairFirmwareImages (device/FirmwareImages.h).

#include <QString>

#include <atomic>

// Parts of a repair.
constexpr int RepairPartReceiver = 0;
constexpr int RepairPartMouse = 1;

// A progress report of the running part arrived; until its result the
// dialog's close and cancel buttons do nothing.
extern std::atomic<bool> g_RepairProgressSeen;
extern std::atomic<int> g_RepairPart;           // the part being written
extern std::atomic<int> g_RepairFailedPart;     // the part the record names
extern std::atomic<int> g_RepairReceiverClass;  // receiver class of the record (1, 2, 4, 8; 0 unknown)
extern std::atomic<int> g_RepairCid;            // CID of the record
extern std::atomic<int> g_RepairMid;            // MID of the repaired model
extern std::atomic<int> g_RepairPartCount;      // 2 when both parts have an image, else 1

// GUI thread only: the mouse image name of the repaired model.
extern QString g_RepairModelName;

// Starts writing the repair's first part, the kept image
// (g_RepairFirmwareImages). False when the library refuses the image at the
// start (its body is damaged): nothing is written and no failure recorded,
// the dialog names the part (SigProgress kind UpgradeKindImageRefused), and
// once the refused start's own result has come the mouse follows a refused
// receiver as it would follow a written one, or the repair ends with what it
// wrote. The mouse's start after the receiver is handled alike. GUI thread.
bool StartRepair();

// The upgrade callback of the repair. Progress goes to the dialog through
// SigAutoRepairProgress (0-50 and 50-100 when both parts are written). A
// failure records the part that failed and ends the repair; the mouse's
// success ends it; the receiver's success hands over to the GUI thread, which
// writes the mouse next when it can. Reports that come once the repair has
// ended are ignored; every other one counts for the silence guard.
void RepairUpgradeCallback(unsigned char* report);

// The repair's upgrade has gone silent: the repair ends as a failure of the
// part being written, and the dialog is told that the device stopped
// answering; a refused start whose result never comes just moves on.
// Nothing happens once the repair has ended.
void EndSilentRepair();
