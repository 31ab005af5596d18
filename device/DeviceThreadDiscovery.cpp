#include "device/DeviceThreadDiscovery.h"

#include "core/PostMsg.h"
#include "device/DeviceLibrary.h"
#include "device/DeviceState.h"
#include "device/FirmwareUpdateFlags.h"
#include "device/Worker.h"
#include "platform/ProgramFolder.h"
#include "device/FirmwareImages.h"

#include <QDir>


namespace {

// The firmware query looks at the receiver only when the list holds the
// cable mouse and its receiver.
constexpr int MouseAndReceiverEntries = 2;

void SetCurrentDevicePath(const QByteArray& path)
{
    auto devicePath = g_DevicePath.Lock();
    auto devicePathC = g_DevicePathC.Lock();
    *devicePath = path;
    *devicePathC = path;
}

// The paired mouse came on its cable while its receiver is the current
// device: same model and receiver identity, answering.
bool IsCableOfCurrentMouse(const DeviceAllInfo& entry, const DeviceAllInfo& current)
{
    return entry.ModelIndex == current.ModelIndex && entry.KindFlag && entry.Online && !current.KindFlag
           && entry.ReceiverId == current.ReceiverId && (!current.Path.isEmpty() || current.Online);
}

const DeviceAllInfo* FirstReceiverEntry(bool withRateClass)
{
    for (const DeviceAllInfo& entry : g_DeviceList) {
        if (HasReceiverIdentity(entry) && !entry.KindFlag && (!withRateClass || RateClassOfKind(entry.Kind)))
            return &entry;
    }
    return nullptr;
}

void QueryFirmwareImages()
{
    const ListedReceiver receiver = ReceiverBesideCableMouse();
    QString mark;
    if (QDir(ProgramFolder() + "/bin").exists()) {
        g_ReceiverImageWaiting = HasFirmwareUpdate(FirmwareTargetReceiver, receiver.version, receiver.rateClass);
        PublishMouseImageWaiting([&receiver](const QString& mouseVersion) {
            return HasFirmwareUpdate(FirmwareTargetMouse, mouseVersion, receiver.rateClass);
        });
        if (g_ReceiverImageWaiting || g_MouseImageWaiting)
            mark = "true";
    }
    PostMsg::GetInstance()->EmitLabelTextB(receiver.version, mark);
}

}  // namespace

ListedReceiver ReceiverBesideCableMouse()
{
    ListedReceiver receiver;
    if (g_DeviceList.size() != MouseAndReceiverEntries)
        return receiver;
    if (const DeviceAllInfo* entry = FirstReceiverEntry(false))
        receiver.version = entry->Version;
    if (const DeviceAllInfo* entry = FirstReceiverEntry(true))
        receiver.rateClass = RateClassOfKind(entry->Kind);
    return receiver;
}

void OnUsbChanged()
{
    PostMsg* hub = PostMsg::GetInstance();
    hub->EmitSetver(4);
    // A pairing changes the receiver's mouse, or ends by itself when the
    // receiver goes: its changes wait for its end, which registers this
    // handler again (it then runs at once). Until then the pages keep the
    // device server that delivers the pairing's answer.
    if (g_Pairing)
        return;
    const ProductIds ids = ReadProductIds();
    g_DeviceList.clear();
    EnumerateDevices(ids.vid, ids.Joined());

    if (g_DeviceList.isEmpty()) {
        if (g_UpgradeIdle) {
            g_CurrentDevice.Set(DeviceAllInfo());
            hub->EmitChangeMainDialog(0);
        }
    } else {
        bool currentListed = false;
        const QList<DeviceAllInfo> found = g_DeviceList;
        for (const DeviceAllInfo& entry : found) {
            if (IsCableOfCurrentMouse(entry, g_CurrentDevice.Snapshot()))
                StartWorkerForDevice(entry);
            if (entry.Path == g_CurrentDevice.Snapshot().Path)
                currentListed = true;
        }
        if (!g_CurrentDevice.Snapshot().Path.isEmpty() && !currentListed && g_UpgradeIdle)
            hub->EmitChangeMainDialog(0);
    }

    const DeviceAllInfo current = g_CurrentDevice.Snapshot();
    if (current.KindFlag)
        QueryFirmwareImages();
    if (UpdateDialogShown() && !g_UpdateBusy)
        hub->EmitCheckUpdate();
}

void EnumerateDevices(const QString& vid, const QStringList& pids)
{
    const DeviceSearch search = [](const char* vidText, const char* pid, int* count) {
        return UsbFinderC_FindHidDevicesByDeviceId(vidText, pid, 1, *count, count);
    };
    ForEachFoundDevice(vid, pids, search, [](DeviceAllInfo& entry, const QByteArray& path) {
        const DeviceAllInfo current = g_CurrentDevice.Snapshot();
        if (current.Path.isEmpty()) {
            g_DeviceList.append(entry);
            return;
        }
        const IdentifyResult result = IdentifyDevice(entry, path);
        if (result != ModelFound || entry.ModelIndex == current.ModelIndex)
            g_DeviceList.append(entry);
        if (result == ModelFound && entry.Path == current.Path)
            SetCurrentDevicePath(path);
    });
}

IdentifyResult IdentifyDevice(DeviceAllInfo& entry, const QByteArray& path)
{
    const IdentifyResult result = IdentifyAgainstDescription(entry, path);
    if (result != ModelFound)
        return result;
    if (g_CurrentDevice.Snapshot().Path.isEmpty()) {
        entry.Online = UsbFinderC_GetDeviceOnLine(path.constData());
        return result;
    }
    RefreshByUsbAddress(entry, path, g_OnlineStatusBuffer, sizeof(g_OnlineStatusBuffer));

    auto current = g_CurrentDevice.Lock();
    if (entry.Path == current->Path) {
        DeviceAllInfo updated = entry;
        if (!current->Version.isEmpty())
            updated.Version = current->Version;
        if (!current->SecondVersion.isEmpty())
            updated.SecondVersion = current->SecondVersion;
        *current = updated;
    }
    return result;
}

void StartWorkerForDevice(DeviceAllInfo entry)
{
    const QByteArray path = LibraryPath(entry.Path);
    if (UsbFinderC_GetDeviceOnLine(path.constData())) {
        g_CurrentDevice.Set(entry);
        SetCurrentDevicePath(path);
    }
    StartWorkerPass();
}
