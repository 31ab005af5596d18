#include "device/FirmwareUpdateFlags.h"

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
