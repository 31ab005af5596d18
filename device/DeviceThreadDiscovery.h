#pragma once

// The device thread's discovery: the hot-plug callback registered while the
// page shell is shown finds the devices (g_DeviceList), keeps the current
// device up to date, moves to the cable connection of the same mouse when it
// is plugged in, returns to the device list when the current device is gone,
// and asks whether firmware images wait. GUI thread only.

#include "device/DeviceIdentification.h"

// The receiver beside a cable mouse in g_DeviceList, looked for only when the
// list holds two entries: the version of the first receiver entry with a
// receiver identity, and the rate class of the first such entry that has one
// (0: none).
struct ListedReceiver {
    QString version;
    int rateClass = 0;
};
ListedReceiver ReceiverBesideCableMouse();

// The hot-plug callback of the page shell (StartUsbChanged).
void OnUsbChanged();

// Appends the devices of the product ids to g_DeviceList: without a current
// device every device, unidentified; else every device that is not a known
// model other than the current one. Sets the current device's path.
void EnumerateDevices(const QString& vid, const QStringList& pids);

// Identifies an entry against the device description; a known model is asked
// for its online state (by USB address while a device is current, which also
// gives its receiver identity) and, when it is the current device, replaces
// it (keeping its version texts when they are known).
IdentifyResult IdentifyDevice(DeviceAllInfo& entry, const QByteArray& path);

// Makes the entry the current device when it answers, then starts a pass of
// the device thread in every case.
void StartWorkerForDevice(DeviceAllInfo entry);
