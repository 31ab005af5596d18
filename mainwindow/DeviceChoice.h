#pragma once

#include "device/DeviceRecords.h"

#include <QString>

class QWidget;

// What the pairing and firmware check found for one listed receiver.
struct ListedFirmwareCheck
{
    // The mouse firmware version last reported by a mouse of the model; empty:
    // no mouse of it was ever read, so the receiver needs pairing first.
    QString recordedVersion;
    bool mouseImageWaits = false;     // a mouse image of another version is in "bin"
    bool receiverImageWaits = false;  // a receiver image of another version is in "bin"
};

// The pairing and firmware check of one listed receiver, for a device-button
// click and the main window's Space key.
ListedFirmwareCheck CheckListedDeviceFirmware(const DeviceAllInfo& entry);

// The receiver key of the device description naming the image of an entry's
// rate class ("DM", "D2M", "D4M", "D8M"); empty for a kind without one.
QString ReceiverImageKey(const DeviceAllInfo& entry);

// A click on the device button of listed entry index (the device list page,
// which places the dialogs): opens the device, or first offers pairing or
// warns about the mouse firmware when the receiver's mouse cannot be used as
// it is. An index that the list no longer holds does nothing.
void ChooseListedDevice(QWidget* listPage, int index);
