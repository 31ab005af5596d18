#include "device/FirmwareUpdateFlags.h"

#include "device/DeviceState.h"

std::atomic<bool> g_ReceiverImageWaiting{false};
std::atomic<bool> g_MouseImageWaiting{false};
std::atomic<bool> g_UpdateBusy{false};
std::atomic<bool> g_RepairRunning{false};

namespace {
std::atomic<UpdateDialogShownQuery> g_UpdateDialogShownQuery{nullptr};
}

void SetUpdateDialogShownQuery(UpdateDialogShownQuery query)
{
    g_UpdateDialogShownQuery = query;
}

bool UpdateDialogShown()
{
    const UpdateDialogShownQuery query = g_UpdateDialogShownQuery;
    return query && query();
}

void PublishMouseImageWaiting(const std::function<bool(const QString& mouseVersion)>& waits)
{
    QString version = g_CurrentDevice.Snapshot().SecondVersion;
    for (;;) {
        const bool waiting = waits(version);
        const auto device = g_CurrentDevice.Lock();
        if (device->SecondVersion == version) {
            g_MouseImageWaiting = waiting;
            return;
        }
        version = device->SecondVersion;
    }
}

void StoreUpdatedMouseVersion(const QString& version)
{
    const auto device = g_CurrentDevice.Lock();
    device->SecondVersion = version;
    g_MouseImageWaiting = false;
}
