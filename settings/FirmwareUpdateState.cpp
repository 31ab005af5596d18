#include "settings/FirmwareUpdateState.h"

#include "core/ConfigIni.h"
#include "core/RegistryKeys.h"
#include "device/BootModeDevices.h"
#include "device/DeviceIdentification.h"
#include "device/FirmwareImages.h"
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

QStringList FailedOrBootModeRecord(const QList<DeviceAllInfo>& present)
{
    const QStringList record = FailedUpdateRecord();
    BootModeDevice device;
    if (record.size() == 4 || !FindBootModeDevice(device))
        return record;
    int receiverClass = device.receiverClass;
    if (device.target == FirmwareTargetMouse && !present.isEmpty() && !present.first().KindFlag)
        receiverClass = RateClassOfKind(present.first().Kind);
    return {QString::number(device.target), QString::number(receiverClass), QString::number(device.cid),
            QString::number(device.mid)};
}

void StoreInstalledMouseVersion(const QString& modelGroup, const QString& version)
{
    ConfigIni* config = ConfigIni::GetInstance();
    SetRegistryValue(MouseDriveTestKey(),
                     MouseVersionValueName(config->Value("Option", "CID"), config->Value(modelGroup, "MID")), version);
}
