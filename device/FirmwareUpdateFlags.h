#pragma once

// What the hot-plug handlers need to know of the firmware update and repair
// that the settings side runs: plain flags, and whether the update and repair
// dialog is on screen. Safe from any thread.

#include <atomic>

// A newer receiver or mouse image waits in the bin folder; set by the device
// choice and the device thread's hot-plug handler, read by the settings page.
extern std::atomic<bool> g_ReceiverImageWaiting;
extern std::atomic<bool> g_MouseImageWaiting;
// An update runs / a repair runs; set and cleared by the update flows.
extern std::atomic<bool> g_UpdateBusy;
extern std::atomic<bool> g_RepairRunning;

// Whether the update and repair dialog is on screen. The side that owns the
// dialog answers through the query it registers; while none is registered
// there is no dialog to be shown.
using UpdateDialogShownQuery = bool (*)();
void SetUpdateDialogShownQuery(UpdateDialogShownQuery query);
bool UpdateDialogShown();
