#pragma once

// What the hot-plug handlers need to know of the firmware update and repair
// that the settings side runs: plain flags, and whether the update and repair
// dialog is on screen. Safe from any thread.

#include <QString>

#include <atomic>
#include <functional>

// A newer receiver or mouse image waits in the bin folder; set by the device
// choice and the device thread's hot-plug handler, read by the settings page.
extern std::atomic<bool> g_ReceiverImageWaiting;
extern std::atomic<bool> g_MouseImageWaiting;
// Sets g_MouseImageWaiting to what waits answers for the current mouse's
// version. Should a new version be stored meanwhile (an update that just
// ended), it is asked again for that one: no flag computed from a replaced
// version stands. Any thread; waits runs without the device-state lock.
void PublishMouseImageWaiting(const std::function<bool(const QString& mouseVersion)>& waits);

// The version that an update has just installed on the current mouse, stored
// before the update's success is announced; the image it came from waits no
// more. Any thread.
void StoreUpdatedMouseVersion(const QString& version);

// An update runs / a repair runs; set and cleared by the update flows.
extern std::atomic<bool> g_UpdateBusy;
extern std::atomic<bool> g_RepairRunning;

// Whether the update and repair dialog is on screen. The side that owns the
// dialog answers through the query it registers; while none is registered
// there is no dialog to be shown.
using UpdateDialogShownQuery = bool (*)();
void SetUpdateDialogShownQuery(UpdateDialogShownQuery query);
bool UpdateDialogShown();
