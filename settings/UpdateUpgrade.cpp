#include "settings/UpdateUpgrade.h"

#include "core/PostMsg.h"
#include "device/DeviceIdentification.h"
#include "device/DeviceState.h"
#include "platform/UserDataFolder.h"
#include "platform/WholeFileWrite.h"
#include "device/FirmwareImages.h"
#include "settings/FirmwareLibrary.h"
#include "settings/FirmwareUpdateState.h"
#include "settings/UpgradeReport.h"
#include "settings/UpgradeSilenceGuard.h"

#include <QFile>
#include <QMutex>
#include <QMutexLocker>

std::atomic<int> g_ReceiverUpdateState{UpdateStateReset};
std::atomic<int> g_MouseUpdateState{UpdateStateReset};
std::atomic<int> g_UpdateTarget{0};
std::atomic<int> g_UpdateDongleKind{0};
std::atomic<int> g_UpdateMid{0};
std::atomic<int> g_UpdatePartCount{1};

namespace {

QMutex g_ImageVersionMutex;
QString g_ImageVersion;

QString ImageVersion()
{
    QMutexLocker lock(&g_ImageVersionMutex);
    return g_ImageVersion;
}

void WriteUpdateLog()
{
    QByteArray bytes;
    for (const QString& line : UpgradeLogLines())
        bytes += line.toUtf8() + '\n';
    QString error;
    if (!WriteWholeFile(UpdateLogPath(), bytes, &error))
        qWarning("Quorvane: the update log %s was not written: %s", qPrintable(UpdateLogPath()), qPrintable(error));
}

// Progress of a part: the whole bar for one part, its half for two.
int BarValue(int percent, bool mousePart)
{
    if (g_UpdatePartCount == 1)
        return percent;
    return percent / 2 + (mousePart ? 50 : 0);
}

// The waiting flags are cleared before the running state ends: the engine
// looks at both once the state has changed.
void FailRunningPart(int progressKind)
{
    // A result of an update that has already ended (it went silent and was
    // given up) changes nothing any more.
    if (!UpdatePartRunning())
        return;
    WriteUpdateLog();
    g_MouseImageWaiting = false;
    g_ReceiverImageWaiting = false;
    for (std::atomic<int>* state : {&g_ReceiverUpdateState, &g_MouseUpdateState}) {
        int running = UpdateStateRunning;
        state->compare_exchange_strong(running, UpdateStateFailed);
    }
    PostMsg::GetInstance()->EmitProgress(0, progressKind);
    RecordFailedUpdate(g_UpdateTarget, g_UpdateDongleKind, g_UpdateCid, g_UpdateMid);
}

// The result that the library reports for a start it refused: the refused
// part stops waiting for it. True when a part was waiting.
bool EndRefusedStart()
{
    bool ended = false;
    for (std::atomic<int>* state : {&g_ReceiverUpdateState, &g_MouseUpdateState}) {
        int refused = UpdateStateRefused;
        ended = state->compare_exchange_strong(refused, UpdateStateNotRun) || ended;
    }
    return ended;
}

void HandleUpdateReport(unsigned char* report)
{
    PostMsg* hub = PostMsg::GetInstance();
    const UpgradeReport parsed = ParseUpgradeReport(report);
    if (parsed.kind != UpgradeReport::Other)
        NoteUpgradeReport();
    switch (parsed.kind) {
    case UpgradeReport::Progress:
        if (g_ReceiverUpdateState == UpdateStateRunning)
            hub->EmitProgress(BarValue(parsed.percent, false), UpgradeKindProgress);
        if (g_MouseUpdateState == UpdateStateRunning)
            hub->EmitProgress(BarValue(parsed.percent, true), UpgradeKindProgress);
        break;
    case UpgradeReport::Success: {
        if (EndRefusedStart())
            break;
        // Only the part still running succeeds: a success reported after the
        // update was given up leaves its failure and its record as they are.
        const QString version = ImageVersion();
        int running = UpdateStateRunning;
        // The new version is in place before the success is told: whatever
        // the success sets off (a hot-plug query among it) never works from
        // the version that was replaced.
        if (g_ReceiverUpdateState.compare_exchange_strong(running, UpdateStateSucceeded)) {
            RemoveFailedUpdateRecord();
            hub->EmitLabelText(0, version);
            // With the mouse still to come the dialog keeps its progress view.
            if (g_UpdatePartCount == 1)
                hub->EmitProgress(0, UpgradeKindSuccess);
        }
        running = UpdateStateRunning;
        if (g_MouseUpdateState.compare_exchange_strong(running, UpdateStateSucceeded)) {
            RemoveFailedUpdateRecord();
            StoreInstalledMouseVersion(ModelGroup(g_CurrentDevice.Snapshot().ModelIndex), version);
            StoreUpdatedMouseVersion(version);
            hub->EmitLabelText(1, version);
            hub->EmitProgress(0, UpgradeKindSuccess);
        }
        break;
    }
    case UpgradeReport::Failure:
        if (!EndRefusedStart())
            FailRunningPart(UpgradeKindFailure);
        break;
    case UpgradeReport::Other:
        break;
    }
}

} // namespace

bool UpdatePartRunning()
{
    return g_ReceiverUpdateState == UpdateStateRunning || g_MouseUpdateState == UpdateStateRunning;
}

void SetUpdateImageVersion(const QString& version)
{
    QMutexLocker lock(&g_ImageVersionMutex);
    g_ImageVersion = version;
}

QString UpdateLogPath()
{
    return UserDataFolder() + "/Exception/UpDateLog.txt";
}

void EndSilentUpdate()
{
    if (!EndRefusedStart())
        FailRunningPart(UpgradeKindNoAnswer);
}

void ReceiverUpgradeCallback(unsigned char* report)
{
    HandleUpdateReport(report);
}

void MouseUpgradeCallback(unsigned char* report)
{
    HandleUpdateReport(report);
}
