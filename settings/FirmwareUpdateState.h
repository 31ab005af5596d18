#pragma once

// What the firmware update and repair flows share with the device link's
// hot-plug handlers and the device choice.

#include <QDialog>

#include <atomic>

// A newer receiver or mouse image waits in the bin folder; set by the device
// choice and the device thread's hot-plug handler, read by the settings page.
extern std::atomic<bool> g_ReceiverImageWaiting;
extern std::atomic<bool> g_MouseImageWaiting;
// An update runs / a repair runs; set and cleared by the update flows.
extern std::atomic<bool> g_UpdateBusy;
extern std::atomic<bool> g_RepairRunning;

// The one update and repair dialog, created hidden by the settings page; null
// until then. GUI thread.
extern QDialog* g_UpDateRepairDialog;

// The update and repair dialog exists and is on screen.
bool RepairDialogShown();
