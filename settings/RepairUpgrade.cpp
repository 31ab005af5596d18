#include "settings/RepairUpgrade.h"

#include "core/PostMsg.h"
#include "device/DeviceIdentification.h"
#include "device/DeviceState.h"
#include "device/FirmwareImages.h"
#include "settings/FirmwareLibrary.h"
#include "settings/FirmwareUpdateState.h"
#include "settings/UpgradeReport.h"
#include "settings/UpgradeSilenceGuard.h"

#include <QCoreApplication>
#include <QMetaObject>

std::atomic<bool> g_RepairProgressSeen{false};
std::atomic<int> g_RepairPart{RepairPartReceiver};
std::atomic<int> g_RepairFailedPart{RepairPartReceiver};
std::atomic<int> g_RepairReceiverClass{0};
std::atomic<int> g_RepairCid{0};
std::atomic<int> g_RepairMid{0};
std::atomic<int> g_RepairPartCount{1};
QString g_RepairModelName;

namespace {

void EndRepairStep()
{
    g_UpgradeIdle = true;
    g_RepairProgressSeen = false;
}

// The whole repair succeeded: success text, bar full, Repair button hidden.
void EndRepairWithSuccess()
{
    g_RepairRunning = false;
    PostMsg* hub = PostMsg::GetInstance();
    hub->EmitAutoRepair(0);
    hub->EmitUpDateButton(true);
    hub->EmitProgress(0, UpgradeKindSuccess);
}

bool WiredMouseOfModelListed()
{
    for (const DeviceAllInfo& entry : g_ListedDevices) {
        if (entry.KindFlag && entry.Mid() == g_RepairMid)
            return true;
    }
    return false;
}

// GUI thread, after the receiver was written: the mouse follows when its
// image exists and it is the failed part or is listed on its cable.
void ContinueRepairWithMouse()
{
    g_RepairPart = RepairPartMouse;
    const bool mouseImage = FindRepairFirmwareImage(FirmwareTargetMouse, QString(), g_RepairModelName,
                                                    std::uint8_t(g_RepairCid), std::uint8_t(g_RepairMid));
    const bool mouseFollows = mouseImage && (g_RepairFailedPart == RepairPartMouse || WiredMouseOfModelListed());
    EndRepairStep();
    if (mouseFollows) {
        StartImageUpgrade(g_RepairFirmwareImages.first(), RepairUpgradeCallback);
    } else if (g_RepairPartCount == 2) {
        // The mouse was to follow and cannot: half done. The repair stays
        // marked as running, so plugging devices asks for no new check.
        PostMsg* hub = PostMsg::GetInstance();
        hub->EmitAutoRepair(1);
        hub->EmitUpDateButton(true);
        hub->EmitProgress(0, UpgradeKindNoMouse);
    } else {
        EndRepairWithSuccess();
    }
}

// GUI thread, after the mouse was written: its new version is kept for the
// model as an update's would be, so that the firmware checks of the device
// list do not find the image it now runs still waiting.
void StoreRepairedMouseVersion()
{
    const int model = ModelIndexOfMid(g_RepairMid);
    if (model >= 0 && !g_RepairFirmwareImages.isEmpty())
        StoreInstalledMouseVersion(ModelGroup(model), FirmwareImageVersionText(g_RepairFirmwareImages.first()));
}

// The state changes before the dialog hears of them.
void RepairSucceeded()
{
    if (g_RepairPart == g_RepairFailedPart)
        RemoveFailedUpdateRecord();
    // The device lists and the kept image belong to the GUI thread.
    if (g_RepairPart == RepairPartReceiver) {
        QMetaObject::invokeMethod(QCoreApplication::instance(), ContinueRepairWithMouse, Qt::QueuedConnection);
        return;
    }
    QMetaObject::invokeMethod(QCoreApplication::instance(), StoreRepairedMouseVersion, Qt::QueuedConnection);
    EndRepairStep();
    EndRepairWithSuccess();
}

void RepairFailed(int progressKind)
{
    const int target = g_RepairPart == RepairPartReceiver ? FirmwareTargetReceiver : FirmwareTargetMouse;
    RecordFailedUpdate(target, g_RepairReceiverClass, g_RepairCid, g_RepairMid);
    g_RepairRunning = false;
    EndRepairStep();
    PostMsg* hub = PostMsg::GetInstance();
    hub->EmitAutoRepair(1);
    hub->EmitUpDateButton(false);
    hub->EmitProgress(0, progressKind);
}

} // namespace

void RepairUpgradeCallback(unsigned char* report)
{
    // A report of a repair that has already ended (it went silent and was
    // given up) changes nothing any more.
    if (!g_RepairRunning)
        return;
    const UpgradeReport parsed = ParseUpgradeReport(report);
    if (parsed.kind != UpgradeReport::Other)
        NoteUpgradeReport();
    switch (parsed.kind) {
    case UpgradeReport::Progress: {
        g_RepairProgressSeen = true;
        int value = parsed.percent;
        if (g_RepairPartCount == 2)
            value = value / 2 + (g_RepairPart == RepairPartMouse ? 50 : 0);
        PostMsg::GetInstance()->EmitAutoRepairProgress(value);
        break;
    }
    case UpgradeReport::Success:
        RepairSucceeded();
        break;
    case UpgradeReport::Failure:
        RepairFailed(UpgradeKindFailureMessage);
        break;
    case UpgradeReport::Other:
        break;
    }
}

void EndSilentRepair()
{
    if (g_RepairRunning)
        RepairFailed(UpgradeKindNoAnswer);
}
