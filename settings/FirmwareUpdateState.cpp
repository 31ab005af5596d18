#include "settings/FirmwareUpdateState.h"

#include "core/ConfigIni.h"
#include "core/RegistryKeys.h"
#include "platform/RegistryValues.h"

QDialog* g_UpDateRepairDialog = nullptr;

namespace {
const char* const kFailedUpdateValue = "UpdateFailInfo";
}

bool RepairDialogShown()
{
    return g_UpDateRepairDialog && g_UpDateRepairDialog->isVisible();
}

QStringList FailedUpdateRecord()
{
    return RegistryValue(MouseDriveTestKey(), kFailedUpdateValue).toString().split(',', Qt::KeepEmptyParts);
}

void RecordFailedUpdate(int target, int receiverClass, int cid, int mid)
{
    SetRegistryValue(MouseDriveTestKey(), kFailedUpdateValue,
                     QStringLiteral("%1,%2,%3,%4").arg(target).arg(receiverClass).arg(cid).arg(mid));
}

void RemoveFailedUpdateRecord()
{
    RemoveRegistryValue(MouseDriveTestKey(), kFailedUpdateValue);
}

void StoreInstalledMouseVersion(const QString& modelGroup, const QString& version)
{
    ConfigIni* config = ConfigIni::GetInstance();
    SetRegistryValue(MouseDriveTestKey(),
                     MouseVersionValueName(config->Value("Option", "CID"), config->Value(modelGroup, "MID")), version);
}
