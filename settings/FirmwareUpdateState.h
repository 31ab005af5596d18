#pragma once

// What the firmware update and repair flows share with the device link's
// hot-plug handlers, the device list and the main window.

#include <QDialog>
#include <QStringList>

#include <atomic>

// A newer receiver or mouse image waits in the bin folder; set by the device
// choice and the device thread's hot-plug handler, read by the settings page.
extern std::atomic<bool> g_ReceiverImageWaiting;
extern std::atomic<bool> g_MouseImageWaiting;
// An update runs / a repair runs; set and cleared by the update flows.
extern std::atomic<bool> g_UpdateBusy;
extern std::atomic<bool> g_RepairRunning;

// The one update and repair dialog (an UpDateRepair), created hidden by the
// settings page; null until then. GUI thread.
extern QDialog* g_UpDateRepairDialog;

// The update and repair dialog exists and is on screen.
bool RepairDialogShown();

// The record of a failed update in the registry value "UpdateFailInfo":
// target, receiver class, CID and MID in decimal, joined by ",". It survives
// restarts until an update or repair of the failed part succeeds. Safe from
// any thread.

// The record split at "," with empty parts kept: four items when a failed
// update is recorded.
QStringList FailedUpdateRecord();
void RecordFailedUpdate(int target, int receiverClass, int cid, int mid);
void RemoveFailedUpdateRecord();
