#include "mainwindow/DeviceChoice.h"

#include "core/ConfigIni.h"
#include "core/PostMsg.h"
#include "core/RegistryKeys.h"
#include "device/DeviceIdentification.h"
#include "device/DeviceLibrary.h"
#include "device/DeviceState.h"
#include "device/Worker.h"
#include "pages/buttons/Buttoninterface.h"
#include "platform/ProgramFolder.h"
#include "platform/RegistryValues.h"
#include "device/FirmwareImages.h"
#include "settings/FirmwareUpdateState.h"
#include "settings/FormSetting.h"
#include "settings/Match.h"
#include "widgets/ConfirmDialogs.h"
#include "widgets/DialogFamily.h"
#include "widgets/FirmwareNotices.h"

#include <QDir>

namespace {

// The models with pictures of their own: MID 3 to 9.
constexpr int FirstPictureMid = 3;
constexpr int LastPictureMid = 9;

void RunPairing(QWidget* listPage, const DeviceAllInfo& entry)
{
    g_PairChosenDevice = true;
    g_ChosenDevice = entry;
    RunPairingDialog(listPage);
}

// Acts on the check of entry index as a click does. True: no dialog was
// needed and the click goes on.
bool ActOnFirmwareCheck(QWidget* listPage, int index)
{
    const ListedFirmwareCheck check = CheckListedDeviceFirmware(g_ListedDevices.at(index));
    if (check.recordedVersion.isEmpty()) {
        RunPairing(listPage, g_ListedDevices.at(index));
        return false;
    }
    if (check.mouseImageWaits == check.receiverImageWaits) {
        RePair question;
        PlaceDialog(&question, listPage);
        question.exec();
        // A USB change during the question may have taken the entry away.
        if (question.Confirmed && index < g_ListedDevices.size())
            RunPairing(listPage, g_ListedDevices.at(index));
        return false;
    }
    if (check.mouseImageWaits) {
        UpDateWarning warning;
        warning.SetText(g_UpdateWarningText);
        PlaceDialog(&warning, listPage, -20, 0);
        warning.exec();
        return false;
    }
    return true;
}

// Two listed entries of one model, the clicked one offline while the other answers.
bool ClickedTheOfflineTwin(int index)
{
    if (g_ListedDevices.size() != 2)
        return false;
    const DeviceAllInfo& first = g_ListedDevices.at(0);
    const DeviceAllInfo& second = g_ListedDevices.at(1);
    if (first.Cid() != second.Cid() || first.Mid() != second.Mid())
        return false;
    bool online[2];
    for (int i = 0; i < 2; ++i) {
        const QByteArray path = LibraryPath(g_ListedDevices.at(i).Path);
        online[i] = UsbFinderC_GetDeviceOnLine(path.constData());
    }
    return !online[index] && online[1 - index];
}

void OpenDevice(const DeviceAllInfo& entry)
{
    PostMsg* hub = PostMsg::GetInstance();
    hub->EmitSelectMouseInfo(entry);
    QString imageMark;
    // Without the folder no image can wait, whatever a device opened before left.
    bool receiverImageWaits = false;
    if (QDir(ProgramFolder() + "/bin").exists()) {
        const int rateClass = RateClassOfKind(entry.Kind);
        receiverImageWaits = rateClass != 0
                             && HasFirmwareUpdate(FirmwareTargetReceiver, entry.Version, rateClass);
        if (receiverImageWaits)
            imageMark = "true";
    }
    g_ReceiverImageWaiting = receiverImageWaits;
    hub->EmitLabelTextB(entry.Version, imageMark);
    // Showing the pages registers the device thread's hot-plug handler, and
    // the library calls it before the registration returns: the chosen
    // device's path is set, so the pass starts at once; a wait here would
    // only freeze the window.
    hub->EmitChangeMainDialog(1);
    g_DevicePageShown = true;
    StartWorkerPass();
}

} // namespace

QString ReceiverImageKey(const DeviceAllInfo& entry)
{
    return ReceiverImageKey(RateClassOfKind(entry.Kind));
}

ListedFirmwareCheck CheckListedDeviceFirmware(const DeviceAllInfo& entry)
{
    ListedFirmwareCheck check;
    ConfigIni* config = ConfigIni::GetInstance();
    const QString group = ModelGroup(entry.ModelIndex);
    const QString cid = config->Value("Option", "CID");
    const QString mid = config->Value(group, "MID");
    check.recordedVersion = RegistryValue(MouseDriveTestKey(), MouseVersionValueName(cid, mid)).toString();
    if (check.recordedVersion.isEmpty())
        return check;

    const auto cidByte = static_cast<std::uint8_t>(cid.toInt());
    const auto midByte = static_cast<std::uint8_t>(mid.toInt());
    check.mouseImageWaits = FindFirmwareImage(FirmwareTargetMouse, check.recordedVersion, config->Value(group, "MM"),
                                              cidByte, midByte);
    const QString receiverKey = ReceiverImageKey(entry);
    if (receiverKey.isEmpty())
        return check;
    const QString receiverImage = config->Value(group, receiverKey);
    // The 1 kHz receiver's image is looked for even without a name.
    if (receiverImage.isEmpty() && receiverKey != "DM")
        return check;
    check.receiverImageWaits = FindRepairFirmwareImage(FirmwareTargetReceiver, entry.Version, receiverImage,
                                                       cidByte, midByte);
    return check;
}

void ChooseListedDevice(QWidget* listPage, int index)
{
    PostMsg::GetInstance()->EmitSetver(6);
    if (index < 0 || index >= g_ListedDevices.size())
        return;
    const DeviceAllInfo entry = g_ListedDevices.at(index);

    const int mid = ConfigIni::GetInstance()->Value(ModelGroup(entry.ModelIndex), "MID").toInt();
    if (mid >= FirstPictureMid && mid <= LastPictureMid) {
        g_OpenedModelMid = mid;
        PostMsg::GetInstance()->EmitMouseIndex(mid - FirstPictureMid);
    }

    if (ClickedTheOfflineTwin(index) && !ActOnFirmwareCheck(listPage, index))
        return;
    const bool unknown = entry.ModelIndex == DeviceTotal();
    if (unknown && !entry.KindFlag) {
        ActOnFirmwareCheck(listPage, index);
        return;
    }
    // Unknown devices are never opened.
    if (unknown)
        return;
    OpenDevice(entry);
}
