#pragma once

// Devices waiting in boot mode. A device whose firmware update was cut short
// leaves the bus and waits in boot mode for an image to be written to it: the
// device lists do not show it; the device library's upgrade side sees it, as
// a device that a given image can be written to.

#include <QByteArray>
#include <QList>

#include <cstdint>

// The count the library is asked with when nothing else is known; it writes
// the number it finds over it.
constexpr int BootDeviceQueryPreset = 5;

// The number of devices in boot mode that the first kept image fits, the
// library asked with count preset to preset; 0 when no image is kept.
int BootDevicesFitting(const QList<QByteArray>& keptImages, int preset = BootDeviceQueryPreset);

// What the image that fits a device in boot mode tells of that device.
struct BootModeDevice {
    std::uint8_t target = 0;  // 210 mouse, 211 receiver
    int receiverClass = 0;    // a receiver's rate class (1, 2, 4, 8) by the image's name; 0 for a mouse
    int cid = 0;
    int mid = 0;
};

// Whether a device waits in boot mode for one of the program's images: an
// intact image of the bin folder, of the device description's customer and
// named as the mouse or a receiver image of the model of its MID, that the
// library can write to a device in boot mode. The first such image in name
// order describes the device in found. GUI thread.
bool FindBootModeDevice(BootModeDevice& found);
