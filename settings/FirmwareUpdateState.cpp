#include "settings/FirmwareUpdateState.h"

std::atomic<bool> g_ReceiverImageWaiting{false};
std::atomic<bool> g_MouseImageWaiting{false};
std::atomic<bool> g_UpdateBusy{false};
std::atomic<bool> g_RepairRunning{false};
QDialog* g_UpDateRepairDialog = nullptr;

bool RepairDialogShown()
{
    return g_UpDateRepairDialog && g_UpDateRepairDialog->isVisible();
}
