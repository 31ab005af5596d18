#pragma once

// The state of the settings page's firmware update that its upgrade callbacks
// share with the update engine (settings/FirmwareUpdateEngine.h). The engine
// runs on the GUI thread; the callbacks on the device library's thread, so
// everything here is atomic or locked.

#include <QString>

#include <atomic>

// States of one part (receiver or mouse).
constexpr int UpdateStateReset = 0;       // no device or several
constexpr int UpdateStateRunning = 1;
constexpr int UpdateStateSucceeded = 2;
constexpr int UpdateStateFailed = 3;
constexpr int UpdateStateNotRun = 4;      // ended without running: no image
// The device library refused to start the upgrade (a damaged image): nothing
// was written, and the part waits for the result report the library sends for
// the refused start too, so that it cannot be taken for the next part's.
constexpr int UpdateStateRefused = 5;

extern std::atomic<int> g_ReceiverUpdateState;
extern std::atomic<int> g_MouseUpdateState;
extern std::atomic<int> g_UpdateTarget;      // target of the upgrade started last (210, 211)
extern std::atomic<int> g_UpdateDongleKind;  // receiver class of the update; 0 undetermined
extern std::atomic<int> g_UpdateMid;         // model id of the update
extern std::atomic<int> g_UpdatePartCount;   // parts of the update, 1 or 2
// g_UpdateCid is kept with the image searches (device/FirmwareImages.h).

// The receiver's or the mouse's state is running.
bool UpdatePartRunning();

// The version text of the image being written, for the success report.
void SetUpdateImageVersion(const QString& version);

// Where a failed update writes the library's log: the per-user
// "Exception/UpDateLog.txt".
QString UpdateLogPath();

// The upgrade callbacks of the receiver part and of the mouse part; one
// behaviour, told apart by which part's state is running. Progress goes out
// as SigProgress (0-50 for the receiver and 50-100 for the mouse when both
// parts run); success stores the new version before it is told (SigLabelText;
// the mouse's also in the current device and the registry) and removes the
// failed-update record; failure of the
// running part writes the log, records the failed update and clears the
// waiting flags. The result of a refused start only ends the refused part's
// wait (its state becomes UpdateStateNotRun): the device was not touched.
// Every report counts for the upgrade's silence guard.
void ReceiverUpgradeCallback(unsigned char* report);
void MouseUpgradeCallback(unsigned char* report);

// The running part's upgrade has gone silent: it ends as a failure, as a
// failure report would end it, and the dialog is told that the device stopped
// answering. A refused start whose result never comes just ends its wait.
// Nothing happens when no part runs.
void EndSilentUpdate();
