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

// The library refused the start of the part being written; the result it
// reports for that start too is still to come.
std::atomic<bool> g_RepairStartRefused{false};
// GUI thread: the repair under way has written the receiver.
bool g_RepairReceiverWritten = false;

void EndRepairStep()
{
    g_UpgradeIdle = true;
    g_RepairProgressSeen = false;
}

// The Repair button stays while a failure is still recorded: a part whose
// damaged image was refused is left as it was.
bool RepairButtonHidden()
{
    return FailedUpdateRecord().size() != 4;
}

// The whole repair succeeded: success text, bar full, Repair button hidden.
void EndRepairWithSuccess()
{
    g_RepairRunning = false;
    PostMsg* hub = PostMsg::GetInstance();
    hub->EmitAutoRepair(0);
    hub->EmitUpDateButton(RepairButtonHidden());
    hub->EmitProgress(0, UpgradeKindSuccess);
}

// Every image the repair tried was refused: the dialog names them.
void EndRepairWithNothingWritten()
{
    g_RepairRunning = false;
    PostMsg* hub = PostMsg::GetInstance();
    hub->EmitUpDateButton(RepairButtonHidden());
    hub->EmitProgress(0, UpgradeKindNothingWritten);
}

bool StartKeptRepairImage()
{
    if (StartImageUpgrade(g_RepairFirmwareImages.first(), RepairUpgradeCallback))
        return true;
    g_RepairStartRefused = true;
    const int target = g_RepairPart == RepairPartReceiver ? FirmwareTargetReceiver : FirmwareTargetMouse;
    PostMsg::GetInstance()->EmitProgress(target, UpgradeKindImageRefused);
    return false;
}

bool WiredMouseOfModelListed()
{
    for (const DeviceAllInfo& entry : g_ListedDevices) {
        if (entry.KindFlag && entry.Mid() == g_RepairMid)
            return true;
    }
    return false;
}

// GUI thread, after the receiver was written or its image refused: the
// mouse follows when its image exists and it is the failed part or is listed
// on its cable.
void ContinueRepairWithMouse()
{
    g_RepairPart = RepairPartMouse;
    const bool mouseImage = FindRepairFirmwareImage(FirmwareTargetMouse, QString(), g_RepairModelName,
                                                    std::uint8_t(g_RepairCid), std::uint8_t(g_RepairMid));
    const bool mouseFollows = mouseImage && (g_RepairFailedPart == RepairPartMouse || WiredMouseOfModelListed());
    EndRepairStep();
    if (mouseFollows) {
        StartKeptRepairImage();
    } else if (!g_RepairReceiverWritten) {
        EndRepairWithNothingWritten();
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

void ContinueAfterReceiverWritten()
{
    g_RepairReceiverWritten = true;
    ContinueRepairWithMouse();
}

// GUI thread, once the refused start's result has come: a refused receiver
// is passed over (the mouse then fills the whole bar); a refused mouse ends
// the repair with what it wrote.
void ContinueAfterRefusedStart()
{
    if (g_RepairPart == RepairPartReceiver) {
        g_RepairPartCount = 1;
        ContinueRepairWithMouse();
        return;
    }
    EndRepairStep();
    if (g_RepairReceiverWritten)
        EndRepairWithSuccess();
    else
        EndRepairWithNothingWritten();
}

// The result of a refused start says nothing about the device: the repair
// moves on, on the GUI thread. True when a start was refused.
bool MoveOnAfterRefusedStart()
{
    if (!g_RepairStartRefused.exchange(false))
        return false;
    QMetaObject::invokeMethod(QCoreApplication::instance(), ContinueAfterRefusedStart, Qt::QueuedConnection);
    return true;
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
        QMetaObject::invokeMethod(QCoreApplication::instance(), ContinueAfterReceiverWritten, Qt::QueuedConnection);
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
        if (!MoveOnAfterRefusedStart())
            RepairSucceeded();
        break;
    case UpgradeReport::Failure:
        if (!MoveOnAfterRefusedStart())
            RepairFailed(UpgradeKindFailureMessage);
        break;
    case UpgradeReport::Other:
        break;
    }
}

bool StartRepair()
{
    g_RepairReceiverWritten = false;
    g_RepairStartRefused = false;
    return StartKeptRepairImage();
}

void EndSilentRepair()
{
    if (g_RepairRunning && !MoveOnAfterRefusedStart())
        RepairFailed(UpgradeKindNoAnswer);
}
