#include "device/DeviceListDiscovery.h"

#include "core/PostMsg.h"
#include "core/RegistryKeys.h"
#include "device/BootModeDevices.h"
#include "device/DeviceIdentification.h"
#include "device/DeviceLibrary.h"
#include "device/DeviceState.h"
#include "device/FirmwareUpdateFlags.h"
#include "platform/RegistryValues.h"


QString g_ScreenVid;
QStringList g_ScreenPidList;

namespace {

DeviceListView* g_DeviceListView = nullptr;

// Lowest and highest model id that has device pictures.
constexpr int FirstPictureMid = 3;
constexpr int LastPictureMid = 9;

void RefreshListedByUsbAddress(DeviceAllInfo& entry)
{
    RefreshByUsbAddress(entry, LibraryPath(entry.Path), g_ListOnlineStatusBuffer, sizeof(g_ListOnlineStatusBuffer));
}

void ReplaceListed(int index, const DeviceAllInfo& entry)
{
    g_ListedDevices[index] = entry;
    g_ListedDevicesCopy[index] = entry;
}

bool IsListedIndex(int index)
{
    return index >= 0 && index < g_ListedDevices.size() && index < g_ListedDevicesCopy.size();
}

// A failed update on record, or a device waiting in boot mode without one:
// an update cut short before its result (the program closed, the library
// silent) leaves no record, and the device can leave boot mode only through
// the repair.
bool RepairWanted()
{
    if (!RegistryValue(MouseDriveTestKey(), "UpdateFailInfo").toString().isEmpty())
        return true;
    BootModeDevice device;
    return FindBootModeDevice(device);
}

}  // namespace

void SetDeviceListView(DeviceListView* view)
{
    g_DeviceListView = view;
}

void OnDeviceListUsbChanged()
{
    if (g_DeviceListView)
        g_DeviceListView->ShowRepairOffer(RepairWanted());

    const ProductIds ids = ReadProductIds();
    g_ListedDevices.clear();
    g_ListedDevicesCopy.clear();
    g_PidListUsb = ids.usb;
    g_PidListWireless = ids.wireless;
    g_PidListWireless2 = ids.wireless2;
    g_PidListWireless4 = ids.wireless4;
    g_PidListWireless8 = ids.wireless8;
    g_ScreenVid = ids.vid;
    g_ScreenPidList = ids.Joined();

    EnumerateListedDevices(ids.vid, g_ScreenPidList);
    if (g_DeviceListView)
        g_DeviceListView->BuildDeviceGrid();

    if (UpdateDialogShown() && !g_RepairRunning)
        PostMsg::GetInstance()->EmitRepairCheckUpdate();
}

void EnumerateListedDevices(const QString& vid, const QStringList& pids)
{
    ForEachFoundDevice(vid, pids, UsbFinderC_FindHidDevicesByDefaultDeviceId,
                       [](DeviceAllInfo& entry, const QByteArray&) {
                           if (IdentifyListedDevice(entry)) {
                               g_ListedDevices.append(entry);
                               g_ListedDevicesCopy.append(entry);
                           }
                       });
}

bool IdentifyListedDevice(DeviceAllInfo& entry)
{
    if (DeviceTotal() <= 0)
        return false;
    const QByteArray path = LibraryPath(entry.Path);
    if (IdentifyAgainstDescription(entry, path) == ModelFound)
        entry.Online = UsbFinderC_GetDeviceOnLine(path.constData());
    return true;
}

bool RefreshOnlineByAddress(int index)
{
    if (!IsListedIndex(index))
        return false;
    DeviceAllInfo entry = g_ListedDevices.at(index);
    RefreshListedByUsbAddress(entry);
    ReplaceListed(index, entry);
    return HasReceiverIdentity(entry);
}

void RefreshDeviceEntry(int index)
{
    if (!IsListedIndex(index))
        return;
    DeviceAllInfo entry = g_ListedDevices.at(index);
    IdentifyListedDevice(entry);
    RefreshListedByUsbAddress(entry);
    ReplaceListed(index, entry);
    if (g_DeviceListView)
        g_DeviceListView->RestyleDeviceButton(index, DeviceButtonLookOf(entry));
}

DeviceButtonLook DeviceButtonLookOf(const DeviceAllInfo& entry)
{
    DeviceButtonLook look;
    if (entry.ModelIndex == DeviceTotal()) {
        look.image = "Unknow.png";
        look.connectionIconShown = true;
        return look;
    }
    const int mid = entry.Mid();
    const bool hasPicture = mid >= FirstPictureMid && mid <= LastPictureMid;
    const QString picture = QString::number(mid - FirstPictureMid) + ".png";
    look.connectionIconShown = entry.Online;
    look.offlineMarkerShown = !entry.Online;
    if (hasPicture)
        look.image = (entry.Online ? "OnLine" : "DisOnlin") + picture;
    return look;
}
