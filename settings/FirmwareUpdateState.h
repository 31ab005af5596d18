#pragma once

// What the firmware update and repair flows share with the device list and
// the main window. The flags the hot-plug handlers read as well live in
// device/FirmwareUpdateFlags.h.

#include "device/DeviceRecords.h"
#include "device/FirmwareUpdateFlags.h"

#include <QDialog>
#include <QList>
#include <QStringList>

// The one update and repair dialog (an UpDateRepair), created hidden by the
// settings page; null until then. GUI thread.
extern QDialog* g_UpDateRepairDialog;

// The update and repair dialog exists and is on screen; the settings page
// registers it as the device side's UpdateDialogShown query.
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

// The record of the failed update; without one, the record that a device
// waiting in boot mode would have left (an update cut short before its
// result leaves none): the image that fits the device names the part, the
// receiver class, CID and MID, and a mouse takes the class of the receiver
// present first, the one it is updated behind. GUI thread.
QStringList FailedOrBootModeRecord(const QList<DeviceAllInfo>& present);

// The mouse firmware just written, as the registry keeps it for the model:
// "MouseVer" + CID + MID as the device description writes them. Safe from
// any thread.
void StoreInstalledMouseVersion(const QString& modelGroup, const QString& version);
