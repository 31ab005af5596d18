#pragma once

// The device library's upgrade calls as the update and repair flows make
// them, with the whole image file as the library takes it.

#include "device/DeviceLibrary.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

// Starts the upgrade with a whole image file; the library reports progress
// and exactly one result through callback, on its own thread.
bool StartImageUpgrade(const QByteArray& image, UsbUpgradeCallback callback);

// The library's eight log lines of the last upgrade.
QStringList UpgradeLogLines();
