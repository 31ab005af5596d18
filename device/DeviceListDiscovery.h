#pragma once

// The device list's discovery: the hot-plug callback registered while the
// device list is shown finds the supported devices, identifies them and has
// the grid rebuilt from g_ListedDevices and g_ListedDevicesCopy (always
// replaced together and kept equal). GUI thread only.

#include "device/DeviceRecords.h"

#include <QString>
#include <QStringList>

#include <optional>

// How a device button of the grid looks for its entry.
struct DeviceButtonLook {
    QString image;                     // picture of the device list's folder; empty: the style stays
    bool connectionIconShown = false;
    std::optional<bool> offlineMarkerShown;  // unset: the marker stays as it is
};

// What the pipeline asks of the device list page, which registers itself.
class DeviceListView
{
public:
    virtual ~DeviceListView() = default;
    // A failed firmware update is recorded, or a device waits in boot mode:
    // offer the repair (show the Repair button and the matching text), else
    // hide it.
    virtual void ShowRepairOffer(bool repairable) = 0;
    // Rebuild the grid from the listed devices.
    virtual void BuildDeviceGrid() = 0;
    // Restyle the button of listed entry index.
    virtual void RestyleDeviceButton(int index, const DeviceButtonLook& look) = 0;
};

// The page that shows the device list; null: the lists are still built.
void SetDeviceListView(DeviceListView* view);

// The vendor id and the joined product ids of the last device-list search,
// for the screen dialog.
extern QString g_ScreenVid;
extern QStringList g_ScreenPidList;

// The hot-plug callback of the device list (StartUsbChanged).
void OnDeviceListUsbChanged();

// Appends every identified device of the product ids to both listed lists.
void EnumerateListedDevices(const QString& vid, const QStringList& pids);

// Identifies an entry for the device list; false when the device description
// has no models (the entry is not listed).
bool IdentifyListedDevice(DeviceAllInfo& entry);

// Asks listed entry index for its online state and receiver identity by its
// USB address; true when it has a receiver identity.
bool RefreshOnlineByAddress(int index);

// Refreshes listed entry index (online state, receiver identity,
// identification) and restyles its button.
void RefreshDeviceEntry(int index);

// The look of a device button for an entry, by model (MID 3 to 9 have
// pictures), online state and identification.
DeviceButtonLook DeviceButtonLookOf(const DeviceAllInfo& entry);
