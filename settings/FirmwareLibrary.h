#pragma once

// The device library's upgrade calls as the update and repair flows make
// them, with the whole image file as the library takes it.

#include "device/DeviceLibrary.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

// The number of devices in boot mode that the first kept image fits, the
// library asked with count preset to preset; 0 when no image is kept.
int BootDevicesFitting(const QList<QByteArray>& keptImages, int preset);

// Starts the upgrade with a whole image file; the library reports progress
// and exactly one result through callback, on its own thread.
bool StartImageUpgrade(const QByteArray& image, UsbUpgradeCallback callback);

// The library's eight log lines of the last upgrade.
QStringList UpgradeLogLines();
