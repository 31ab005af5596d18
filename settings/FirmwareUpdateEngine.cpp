#include "settings/FirmwareUpdateEngine.h"

#include "core/ConfigIni.h"
#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "core/Timing.h"
#include "device/BootModeDevices.h"
#include "device/DeviceIdentification.h"
#include "device/DeviceLibrary.h"
#include "device/DeviceState.h"
#include "device/DeviceThreadDiscovery.h"
#include "platform/ProgramFolder.h"
#include "device/FirmwareImages.h"
#include "settings/FirmwareLibrary.h"
#include "settings/FirmwareUpdateState.h"
#include "settings/UpDateRepair.h"
#include "settings/UpdateUpgrade.h"
#include "settings/UpgradeReport.h"
#include "settings/UpgradeSilenceGuard.h"
#include "widgets/DialogFamily.h"
#include "widgets/FirmwareNotices.h"
#include "widgets/FormStyles.h"

#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <utility>

namespace {

// Positions of the texts in the settings page's language section.
enum PageText {
    ReceiveText = 7,
    WiredModeText = 14,
    NoDeviceText = 15,
    SameDeviceText = 17,
    VerNewText = 18,
    NoRecieveText = 23,
    NoUSBText = 24,
    ErrorText = 25,
    MultiMouseText = 26,
    MultiDongleText = 27,
    ImageDamagedText = 44,
};

QString Text(PageText position)
{
    return LanguageText(g_LangTextsFormSetting, position, QString());
}

// The steps of a part.
enum UpdateStep { StepPrepare = 0, StepStart = 1, StepMarkRunning = 2, StepWait = 3, StepFinish = 4 };

// Where the engine's dialogs sit over the page, from its centre.
constexpr int kDialogOffsetX = -75;
constexpr int kDialogOffsetY = -65;

std::atomic<int>& PartState(int target)
{
    return target == FirmwareTargetMouse ? g_MouseUpdateState : g_ReceiverUpdateState;
}

bool SucceededOrNotRun(int state)
{
    return state == UpdateStateSucceeded || state == UpdateStateNotRun;
}

// A value of the current device's model in the device description.
QString CurrentModelValue(const QString& key)
{
    return ConfigIni::GetInstance()->Value(ModelGroup(g_CurrentDevice.Snapshot().ModelIndex), key);
}

std::uint8_t UpdateCid()
{
    return std::uint8_t(g_UpdateCid.load());
}

// The firmware version word a receiver reports for itself, as a version
// text; empty when it does not answer.
QString ReceiverOwnVersion(const DeviceAllInfo& receiver)
{
    int word = 0;
    if (!UsbFinderC_GetSlaveVersion(LibraryPath(receiver.Path).constData(), &word))
        return QString();
    return VersionText(std::uint16_t(word));
}

} // namespace

FirmwareUpdateEngine::FirmwareUpdateEngine(const FirmwareUpdateWidgets& widgets, QObject* parent)
    : QObject(parent)
    , m_Widgets(widgets)
    , m_Dialog(std::make_unique<UpDateRepair>())
    , m_Warning(std::make_unique<UpDateWarning>())
    , m_ReceiverUpdateTimer(new QTimer(this))
    , m_MouseUpdateTimer(new QTimer(this))
    , m_PicturePath(PictureFolder("FormSetting"))
    , m_ButtonColor(OptionColorText("ButtonColor"))
{
    m_Dialog->hide();
    g_UpDateRepairDialog = m_Dialog.get();

    PostMsg* hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigSetNewVer()), this, SLOT(SetVerText()));
    connect(hub, SIGNAL(SigSetver(int)), this, SLOT(SetVer(int)));
    connect(hub, SIGNAL(SigCheckUpdate()), this, SLOT(SlotCheckUpdate()));
    connect(hub, SIGNAL(SigUpdateStart()), this, SLOT(on_Start()));
    connect(hub, SIGNAL(SigContinue(int)), this, SLOT(SlotContinue(int)));
    connect(hub, SIGNAL(SigLabelText(int,QString)), this, SLOT(SlotLabelText(int,QString)));
    connect(hub, SIGNAL(SigLabelTextB(QString,QString)), this, SLOT(SlotLabelTextB(QString,QString)));

    connect(m_Widgets.updateButton, SIGNAL(clicked()), this, SLOT(on_Receive_2_clicked()));

    for (QTimer* timer : {m_ReceiverUpdateTimer, m_MouseUpdateTimer})
        timer->setInterval(Timing().firmwareUpdateStepMs);
    connect(m_ReceiverUpdateTimer, SIGNAL(timeout()), this, SLOT(onDongleCheckTimer()));
    connect(m_MouseUpdateTimer, SIGNAL(timeout()), this, SLOT(onMouseCheckTimer()));
    // A silent upgrade ends as failed; the part's next step sees it.
    m_SilenceGuard = new UpgradeSilenceGuard(EndSilentUpdate, this);
}

FirmwareUpdateEngine::~FirmwareUpdateEngine()
{
    if (g_UpDateRepairDialog == m_Dialog.get())
        g_UpDateRepairDialog = nullptr;
}

void FirmwareUpdateEngine::NoteDamagedPart(int target, const QString& imageName, int modelMid)
{
    if (DamagedFirmwareImageFound(std::uint8_t(target), imageName, UpdateCid(), std::uint8_t(modelMid)))
        NameDamagedPart(target);
}

void FirmwareUpdateEngine::NameDamagedPart(int target)
{
    m_DamagedPartLeft = true;
    m_Dialog->NoteDamagedImage(target);
}

void FirmwareUpdateEngine::SetUpdateButtonLook(bool waiting)
{
    QToolButton* button = m_Widgets.updateButton;
    if (waiting) {
        button->setStyleSheet(ColoredButtonStyle("QToolButton", PictureProperty::Background, m_PicturePath,
                                                 m_ButtonColor, {"WaitUpdate.png", "WaitUpdateHover.png", {}, {}}));
    } else {
        button->setStyleSheet(
            ColoredButtonStyle("QToolButton", PictureProperty::Border, m_PicturePath, m_ButtonColor,
                               {"Confirm.png", {}, {}, {}}));
    }
    button->show();
}

void FirmwareUpdateEngine::PlaceOverPage(QDialog* dialog) const
{
    PlaceDialog(dialog, m_Widgets.page, kDialogOffsetX, kDialogOffsetY);
    dialog->setModal(true);
}

bool FirmwareUpdateEngine::ShowMessage(const QString& text)
{
    m_Dialog->SetMessageText(text);
    m_Dialog->ShowMessageView();
    return false;
}

int FirmwareUpdateEngine::ModelMid() const
{
    return CurrentModelValue("MID").toInt();
}

QString FirmwareUpdateEngine::ReceiverImageName(int receiverClass) const
{
    const QString key = ReceiverImageKey(receiverClass);
    return key.isEmpty() ? QString() : CurrentModelValue(key);
}

int& FirmwareUpdateEngine::BootCount(int receiverClass)
{
    switch (receiverClass) {
    case 2: return m_BootCountD2M;
    case 4: return m_BootCountD4M;
    case 8: return m_BootCountD8M;
    default: return m_BootCountDM;
    }
}

int FirmwareUpdateEngine::BootCountTotal() const
{
    return m_BootCountDM + m_BootCountD2M + m_BootCountD4M + m_BootCountD8M;
}

// ---- The update button and the decision ----

void FirmwareUpdateEngine::on_Receive_2_clicked()
{
    if (m_Widgets.updateButton->text() == Text(VerNewText))
        return;
    m_ReceiverNoImage = false;
    PlaceOverPage(m_Dialog.get());
    m_Dialog->ResetView();
    if (ChechIsUpDate()) {
        m_Dialog->ShowUpdateReadyView();
        m_Dialog->show();
    } else if (m_ReceiverNoImage) {
        m_Widgets.updateButton->setText(Text(VerNewText));
    } else {
        m_Dialog->show();
    }
}

// Asked for by plugging devices in or out while the dialog is shown; the
// view of an update under way or finished stays until it is closed.
void FirmwareUpdateEngine::SlotCheckUpdate()
{
    if (m_Dialog->ShowsUpdate())
        return;
    if (ChechIsUpDate())
        m_Dialog->ShowUpdateReadyView();
}

bool FirmwareUpdateEngine::ChechIsUpDate()
{
    g_UpdateDongleKind = 0;
    m_MouseAfterReceiver = 0;
    m_DamagedPartLeft = false;
    m_Dialog->ClearSkippedPartNote();
    const QStringList record = FailedOrBootModeRecord(g_DeviceList);
    const QString mouseName = CurrentModelValue("MM");
    const int modelMid = ModelMid();
    // The customer id is the device description's; a search before any
    // device was looked at would otherwise match no image.
    g_UpdateCid = ConfigIni::GetInstance()->Value("Option", "CID").toInt();

    switch (g_DeviceList.size()) {
    case 0:
        return ShowMessage(Text(ErrorText));
    case 1:
        return CheckResume(record, mouseName, modelMid);
    case 2:
        return CheckMouseAndReceiver(mouseName, modelMid);
    default:
        return CheckSeveralDevices();
    }
}

bool FirmwareUpdateEngine::CheckMouseAndReceiver(const QString& mouseName, int modelMid)
{
    const DeviceAllInfo& first = g_DeviceList.at(0);
    const DeviceAllInfo& second = g_DeviceList.at(1);
    if (!first.KindFlag && !second.KindFlag)
        return ShowMessage(Text(NoUSBText));
    if (first.Mid() != second.Mid())
        return ShowMessage(Text(NoRecieveText));
    const int receiverClass = ReceiverBesideCableMouse().rateClass;
    if (receiverClass == 0)
        return ShowMessage(Text(NoRecieveText));
    g_UpdateDongleKind = receiverClass;

    const bool receiverImage = FindFirmwareImage(FirmwareTargetReceiver, m_Widgets.receiverVersion->text(),
                                                 ReceiverImageName(receiverClass), UpdateCid(), std::uint8_t(modelMid));
    const bool mouseImage = FindFirmwareImage(FirmwareTargetMouse, m_Widgets.mouseVersion->text(), mouseName,
                                              UpdateCid(), std::uint8_t(modelMid));
    g_MouseImageWaiting = mouseImage;
    if (receiverImage || mouseImage) {
        g_UpdatePartCount = receiverImage && mouseImage ? 2 : 1;
        if (!receiverImage)
            NoteDamagedPart(FirmwareTargetReceiver, ReceiverImageName(receiverClass), modelMid);
        if (!mouseImage)
            NoteDamagedPart(FirmwareTargetMouse, mouseName, modelMid);
        return true;
    }
    if (DamagedFirmwareImageFound(FirmwareTargetReceiver, ReceiverImageName(receiverClass), UpdateCid(),
                                  std::uint8_t(modelMid))
        || DamagedFirmwareImageFound(FirmwareTargetMouse, mouseName, UpdateCid(), std::uint8_t(modelMid)))
        return ShowMessage(Text(ImageDamagedText));
    m_ReceiverNoImage = true;
    return ShowMessage(Text(VerNewText));
}

bool FirmwareUpdateEngine::CheckSeveralDevices()
{
    int receivers = 0;
    int mice = 0;
    for (const DeviceAllInfo& entry : g_DeviceList)
        ++(entry.KindFlag ? mice : receivers);
    if (receivers >= 2)
        m_Dialog->SetMessageText(Text(MultiDongleText));
    if (mice >= 2)
        m_Dialog->SetMessageText(Text(MultiMouseText));
    m_Dialog->ShowMessageView();
    return false;
}

// One device present: the other one failed its update and waits in boot mode.
bool FirmwareUpdateEngine::CheckResume(const QStringList& record, const QString& mouseName, int modelMid)
{
    const DeviceAllInfo entry = g_DeviceList.at(0);
    if (record.size() != 4)
        return ShowMessage(Text(entry.KindFlag ? NoRecieveText : NoUSBText));
    const int failedTarget = record.at(0).toInt();
    const QString recordedClass = record.at(1);
    const int recordedCid = record.at(2).toInt();
    const int recordedMid = record.at(3).toInt();

    if (failedTarget == FirmwareTargetReceiver) {
        if (!entry.KindFlag || entry.Mid() != recordedMid)
            return ShowMessage(Text(NoUSBText));
    } else if (failedTarget == FirmwareTargetMouse) {
        m_MouseAfterReceiver = 1;
        if (entry.KindFlag || entry.Mid() != recordedMid)
            return ShowMessage(Text(NoRecieveText));
    } else {
        return ShowMessage(Text(ErrorText));
    }
    for (int receiverClass : {1, 2, 4, 8}) {
        if (recordedClass == QString::number(receiverClass)) {
            g_UpdateDongleKind = receiverClass;
            m_ResumeReceiverImageName = ReceiverImageName(receiverClass);
        }
    }
    if (entry.Cid() != recordedCid)
        return ShowMessage(Text(ErrorText));

    const auto mid = std::uint8_t(modelMid);
    const QString failedName = failedTarget == FirmwareTargetReceiver ? m_ResumeReceiverImageName : mouseName;
    if (!FindFirmwareImage(std::uint8_t(failedTarget), QString(), failedName, std::uint8_t(recordedCid), mid)
        && DamagedFirmwareImageFound(std::uint8_t(failedTarget), failedName, std::uint8_t(recordedCid), mid))
        return ShowMessage(Text(ImageDamagedText));
    const int bootDevices = BootDevicesFitting(g_PendingFirmwareImages);
    if (bootDevices == 0)
        return ShowMessage(Text(NoDeviceText));
    if (bootDevices != 1)
        return ShowMessage(Text(SameDeviceText));
    const bool otherPart =
        failedTarget == FirmwareTargetReceiver
            ? FindFirmwareImage(FirmwareTargetMouse, m_Widgets.mouseVersion->text(), mouseName, UpdateCid(), mid)
            : FindFirmwareImage(FirmwareTargetReceiver, m_Widgets.receiverVersion->text(), m_ResumeReceiverImageName,
                                UpdateCid(), mid);
    g_UpdatePartCount = otherPart ? 2 : 1;
    // The mouse follows the resumed receiver when its image waits. The flag
    // is not left to the hot-plug query: the failure that sent the receiver
    // into boot mode cleared it on the library's thread, and whether that
    // came before or after the query that followed the receiver off the bus
    // is a matter of thread timing.
    if (failedTarget == FirmwareTargetReceiver)
        g_MouseImageWaiting = otherPart;
    if (!otherPart) {
        if (failedTarget == FirmwareTargetReceiver)
            NoteDamagedPart(FirmwareTargetMouse, mouseName, modelMid);
        else
            NoteDamagedPart(FirmwareTargetReceiver, m_ResumeReceiverImageName, modelMid);
    }
    return true;
}

// ---- Starting the parts ----

void FirmwareUpdateEngine::on_Start()
{
    m_BootCountDM = m_BootCountD2M = m_BootCountD4M = m_BootCountD8M = 0;
    m_PartWritten = false;
    m_Dialog->ShowUpdatingView();
    const bool receiverImage = FindFirmwareImage(FirmwareTargetReceiver, m_Widgets.receiverVersion->text(),
                                                 m_ResumeReceiverImageName, UpdateCid(), std::uint8_t(ModelMid()));
    if (!receiverImage && m_MouseAfterReceiver) {
        m_WarnWithDialog = true;
        on_Mouse_clicked();
    } else if (!UpdatePartRunning() && !m_MouseRunning && !m_ReceiverNoImage) {
        StartPart(FirmwareTargetReceiver);
    } else if (m_ReceiverNoImage) {
        SetUpdateButtonLook(false);
        SlotContinue(0);
    }
}

void FirmwareUpdateEngine::on_Receive_clicked()
{
    g_UpdateDongleKind = 0;
    const DeviceAllInfo current = g_CurrentDevice.Snapshot();
    if (current.KindFlag && g_DeviceList.size() == 2)
        g_UpdateDongleKind = ReceiverBesideCableMouse().rateClass;
    else if (!current.KindFlag)
        g_UpdateDongleKind = RateClassOfKind(current.Kind);
    if (!m_ReceiverNoImage && !m_MouseRunning)
        StartPart(FirmwareTargetReceiver);
}

void FirmwareUpdateEngine::on_Mouse_clicked()
{
    const DeviceAllInfo current = g_CurrentDevice.Snapshot();
    if (current.KindFlag
        && (g_DeviceList.isEmpty() || !g_DeviceList.first().KindFlag || g_DeviceList.first().Mid() != current.Mid())) {
        PostMsg::GetInstance()->EmitProgress(0, UpgradeKindNoMouse);
        return;
    }
    if (!m_MouseNoImage && !m_ReceiverRunning)
        StartPart(FirmwareTargetMouse);
    else if (m_MouseNoImage)
        m_Widgets.updateButton->setText(Text(VerNewText));
}

void FirmwareUpdateEngine::SlotContinue(int /*index: not used*/)
{
    m_BootCountDM = m_BootCountD2M = m_BootCountD4M = m_BootCountD8M = 0;
    if (g_MouseImageWaiting && SucceededOrNotRun(g_ReceiverUpdateState)) {
        m_WarnWithDialog = true;
        on_Mouse_clicked();
    }
    if (g_ReceiverImageWaiting && SucceededOrNotRun(g_MouseUpdateState)) {
        m_WarnWithDialog = true;
        on_Receive_clicked();
    }
}

void FirmwareUpdateEngine::StartPart(int target)
{
    const bool mouse = target == FirmwareTargetMouse;
    g_UpdateBusy = true;
    m_UpdateStep = StepPrepare;
    (mouse ? m_Widgets.mouseMark : m_Widgets.receiverMark)->hide();
    SetVer(mouse ? 1 : 2);
    g_UpgradeIdle = false;
    (mouse ? m_MouseUpdateTimer : m_ReceiverUpdateTimer)->start();
    (mouse ? m_MouseRunning : m_ReceiverRunning) = true;
}

// ---- The steps ----

void FirmwareUpdateEngine::onDongleCheckTimer()
{
    RunUpdateStep(m_UpdateStep, FirmwareTargetReceiver, m_Widgets.receiverVersion->text());
}

void FirmwareUpdateEngine::onMouseCheckTimer()
{
    RunUpdateStep(m_UpdateStep, FirmwareTargetMouse, m_Widgets.mouseVersion->text());
}

void FirmwareUpdateEngine::RunUpdateStep(int step, int target, const QString& versionText)
{
    std::atomic<int>& state = PartState(target);
    switch (step) {
    case StepPrepare:
        PrepareStep(target, versionText);
        break;
    case StepStart:
        StartStep(target, versionText);
        break;
    case StepMarkRunning:
        // The part has run since its upgrade was started (StartPartUpgrade),
        // so that a quick result is not lost.
        m_UpdateStep = StepWait;
        break;
    case StepWait:
        // One look a second: the callback ends the running state, and the
        // refused start's result the refused one.
        if (state != UpdateStateRunning && state != UpdateStateRefused)
            m_UpdateStep = StepFinish;
        break;
    case StepFinish:
        FinishStep(target);
        break;
    default:
        break;
    }
}

// CID and MID of the update, the image, and for the receiver the devices it
// may go to: the receivers beside the current device and those in boot mode.
void FirmwareUpdateEngine::PrepareStep(int target, const QString& versionText)
{
    g_UpdateCid = ConfigIni::GetInstance()->Value("Option", "CID").toInt();
    g_UpdateMid = ModelMid();
    const auto mid = std::uint8_t(g_UpdateMid.load());
    bool found = false;
    if (target == FirmwareTargetMouse) {
        found = FindFirmwareImage(FirmwareTargetMouse, versionText, CurrentModelValue("MM"), UpdateCid(), mid);
    } else {
        m_ReceiverCandidates.clear();
        const int receiverClass = g_UpdateDongleKind;
        const QString name = ReceiverImageName(receiverClass);
        if (receiverClass == 1 || (!ReceiverImageKey(receiverClass).isEmpty() && !name.isEmpty())) {
            found = FindFirmwareImage(FirmwareTargetReceiver, QString(), name, UpdateCid(), mid);
            if (found)
                BootCount(receiverClass) = BootDevicesFitting(g_PendingFirmwareImages, BootCount(receiverClass));
        }
        const DeviceAllInfo current = g_CurrentDevice.Snapshot();
        for (const DeviceAllInfo& entry : g_DeviceList) {
            if (entry.KindFlag)
                continue;
            if (current.KindFlag)
                m_ReceiverCandidates.append(entry);
            else if (entry.Path == current.Path)
                m_ReceiverCandidates.append(current);
        }
    }
    if (!found && g_UpdateDongleKind != 0)
        EndWithoutImage(target);
    else
        m_UpdateStep = StepStart;
}

// Exactly one device to write: search the image against its version and start.
void FirmwareUpdateEngine::StartStep(int target, const QString& versionText)
{
    const int devices = target == FirmwareTargetMouse
                            ? m_MouseAfterReceiver + int(std::count_if(g_DeviceList.begin(), g_DeviceList.end(),
                                                                       [](const DeviceAllInfo& e) { return e.KindFlag; }))
                            : m_ReceiverCandidates.size() + BootCountTotal();
    std::atomic<int>& state = PartState(target);
    if (devices != 1) {
        state = UpdateStateReset;
        target == FirmwareTargetMouse ? FinishMouseUpdateView() : FinishReceiverUpdateView();
        if (!m_WarnWithDialog) {
            (target == FirmwareTargetMouse ? m_Widgets.mouseMark : m_Widgets.receiverMark)->show();
        } else if (devices == 0) {
            ShowWarning(target == FirmwareTargetMouse ? Text(WiredModeText) : Text(NoDeviceText));
        } else {
            ShowWarning(Text(SameDeviceText));
        }
        m_UpdateStep = StepFinish;
        return;
    }

    const auto mid = std::uint8_t(ModelMid());
    bool found = false;
    if (target == FirmwareTargetMouse) {
        found = FindFirmwareImage(FirmwareTargetMouse, versionText, CurrentModelValue("MM"), UpdateCid(), mid);
    } else {
        int bootClass = 0;
        for (int receiverClass : {1, 2, 4, 8}) {
            if (bootClass == 0 && BootCount(receiverClass) == 1)
                bootClass = receiverClass;
        }
        const int receiverClass = g_UpdateDongleKind;
        if (bootClass != 0) {
            // A receiver in boot mode takes whatever matching image there is.
            found = FindFirmwareImage(FirmwareTargetReceiver, QString(), ReceiverImageName(bootClass), UpdateCid(), mid);
        } else if (receiverClass == 2 || receiverClass == 4 || receiverClass == 8) {
            found = FindFirmwareImage(FirmwareTargetReceiver, ReceiverOwnVersion(m_ReceiverCandidates.value(0)),
                                      ReceiverImageName(receiverClass), UpdateCid(), mid);
        } else {
            found = FindFirmwareImage(FirmwareTargetReceiver, versionText, ReceiverImageName(1), UpdateCid(), mid);
        }
    }
    if (!found) {
        EndWithoutImage(target);
        return;
    }
    if (!StartPartUpgrade(target))
        RefusePart(target);
    m_UpdateStep = StepMarkRunning;
}

void FirmwareUpdateEngine::EndWithoutImage(int target)
{
    if (target == FirmwareTargetMouse) {
        g_MouseUpdateState = UpdateStateNotRun;
        FinishMouseUpdateView();
        m_MouseNoImage = true;
    } else {
        g_ReceiverUpdateState = UpdateStateNotRun;
        FinishReceiverUpdateView();
        m_ReceiverNoImage = true;
    }
    m_UpdateStep = StepFinish;
}

bool FirmwareUpdateEngine::StartPartUpgrade(int target)
{
    g_UpdateTarget = target;
    const QByteArray image = g_PendingFirmwareImages.first();
    SetUpdateImageVersion(FirmwareImageVersionText(image));
    // Running before the library is asked: its reports may come at once.
    PartState(target) = UpdateStateRunning;
    m_SilenceGuard->Arm();
    return StartImageUpgrade(image, target == FirmwareTargetMouse ? MouseUpgradeCallback : ReceiverUpgradeCallback);
}

// The library refused the part's image at the start: its header passed, so
// its body is damaged. The device was not touched: no failure is recorded,
// the dialog names the image, and once the refused start's own result has
// come the other part goes on (its bar the whole one, as the only part).
// The image no longer counts as waiting, so that the part is not started
// again after the other. The silence guard stays armed in case that result
// never comes.
void FirmwareUpdateEngine::RefusePart(int target)
{
    int running = UpdateStateRunning;
    if (!PartState(target).compare_exchange_strong(running, UpdateStateRefused))
        return;
    m_StartRefused = true;
    NameDamagedPart(target);
    if (target == FirmwareTargetReceiver) {
        g_ReceiverImageWaiting = false;
        g_UpdatePartCount = 1;
    } else {
        g_MouseImageWaiting = false;
    }
}

void FirmwareUpdateEngine::ShowWarning(const QString& text)
{
    PlaceOverPage(m_Warning.get());
    m_Warning->SetText(text);
    m_Warning->show();
    m_WarnWithDialog = false;
}

void FirmwareUpdateEngine::FinishStep(int target)
{
    if (target == FirmwareTargetMouse) {
        m_MouseRunning = false;
        FinishMouseUpdateView();
    } else {
        m_ReceiverRunning = false;
        FinishReceiverUpdateView();
    }
    m_WarnWithDialog = false;
    m_ReceiverUpdateTimer->stop();
    m_MouseUpdateTimer->stop();
    m_SilenceGuard->Disarm();
    g_UpdateBusy = false;
    m_PartWritten = m_PartWritten || PartState(target) == UpdateStateSucceeded;
    const bool refused = std::exchange(m_StartRefused, false);
    if (target == FirmwareTargetReceiver) {
        if (m_MouseAfterReceiver) {
            m_WarnWithDialog = true;
            on_Mouse_clicked();
        } else {
            SlotContinue(0);
        }
    }
    if (m_ReceiverRunning || m_MouseRunning || !m_Dialog->AwaitsResult())
        return;
    if (refused) {
        EndAfterRefusedPart();
    } else {
        const int state = PartState(target);
        if (state == UpdateStateReset || state == UpdateStateNotRun)
            EndAfterPartNotStarted(state);
    }
}

// The last part ended without starting an upgrade, so no result of the
// library's will come: its device went (or another one came) or its image
// no longer waits. The dialog is told what became of the update, and no
// failure is recorded for a device that was not touched.
void FirmwareUpdateEngine::EndAfterPartNotStarted(int state)
{
    int kind = UpgradeKindFailure;
    if (m_PartWritten)
        kind = state == UpdateStateNotRun ? UpgradeKindSuccess : UpgradeKindNoMouse;
    PostMsg::GetInstance()->EmitProgress(0, kind);
}

// A refused part was the last one: the update ends with what it wrote, the
// damaged images named under it.
void FirmwareUpdateEngine::EndAfterRefusedPart()
{
    PostMsg::GetInstance()->EmitProgress(0, m_PartWritten ? UpgradeKindSuccess : UpgradeKindNothingWritten);
}

void FirmwareUpdateEngine::FinishReceiverUpdateView()
{
    g_UpgradeIdle = true;
    switch (g_ReceiverUpdateState) {
    case UpdateStateNotRun:
        m_Widgets.receiverMark->hide();
        SetUpdateButtonLook(false);
        break;
    case UpdateStateSucceeded:
        m_Widgets.receiverMark->hide();
        RemoveFailedUpdateRecord();
        SetUpdateButtonLook(false);
        g_ReceiverImageWaiting = false;
        break;
    case UpdateStateRunning:
        m_Widgets.receiverMark->hide();
        RemoveFailedUpdateRecord();
        break;
    default:
        break;
    }
    m_UpdateStep = StepFinish;
}

void FirmwareUpdateEngine::FinishMouseUpdateView()
{
    g_UpgradeIdle = true;
    switch (g_MouseUpdateState) {
    case UpdateStateNotRun:
        m_Widgets.mouseMark->hide();
        if (!m_DamagedPartLeft)
            m_Widgets.updateButton->setText(Text(VerNewText));
        SetUpdateButtonLook(false);
        break;
    case UpdateStateSucceeded:
        m_Widgets.mouseMark->hide();
        RemoveFailedUpdateRecord();
        SetUpdateButtonLook(false);
        g_MouseImageWaiting = false;
        break;
    case UpdateStateRunning:
        m_Widgets.mouseMark->hide();
        RemoveFailedUpdateRecord();
        break;
    default:
        break;
    }
    m_UpdateStep = StepFinish;
}

// ---- Versions and the update button ----

// A part left unwritten for its damaged image is not up to date: the button
// stays, so that it says why again.
void FirmwareUpdateEngine::SetVerText()
{
    if (!m_DamagedPartLeft)
        m_Widgets.updateButton->setText(Text(VerNewText));
}

// A finished part's new version: 0 the receiver's, 1 the mouse's.
void FirmwareUpdateEngine::SlotLabelText(int index, QString Text)
{
    if (index == 0) {
        m_Widgets.receiverVersion->setText(Text);
        g_CurrentDevice.Lock()->Version = Text;
    } else if (index == 1) {
        m_Widgets.mouseVersion->setText(Text);
    }
}

// The receiver's version; Text "true" when an image waited as the hot-plug
// query looked. An update that ended since it looked has cleared the flags,
// and its mark stands no more.
void FirmwareUpdateEngine::SlotLabelTextB(QString TextA, QString Text)
{
    m_Widgets.receiverVersion->setText(TextA);
    SetUpdateButtonLook(Text == "true" && (g_ReceiverImageWaiting || g_MouseImageWaiting));
}

void FirmwareUpdateEngine::SetVer(int index)
{
    switch (index) {
    case 0:
        FillVersionLabels();
        break;
    case 1:
        m_Widgets.receiverMark->hide();
        break;
    case 2:
        m_Widgets.mouseMark->hide();
        break;
    case 3:
        m_Widgets.updateButton->setText(Text(ReceiveText));
        break;
    case 4:
    case 5:
        m_Widgets.updateButton->setText(Text(ReceiveText));
        m_Widgets.receiverMark->hide();
        m_Widgets.mouseMark->hide();
        m_ReceiverNoImage = false;
        m_MouseNoImage = false;
        m_MouseRunning = false;
        m_ReceiverRunning = false;
        if (index == 5)
            FillVersionLabels(false);
        break;
    case 6:
        m_Widgets.receiverVersion->clear();
        m_Widgets.mouseVersion->clear();
        break;
    default:
        break;
    }
}

// The two version labels from the current device (and the receiver beside a
// cable mouse); with the image check, also the waiting flags and the update
// button's look when the bin folder exists.
void FirmwareUpdateEngine::FillVersionLabels(bool withImageCheck)
{
    const DeviceAllInfo current = g_CurrentDevice.Snapshot();
    QString receiverVersion;
    QString mouseVersion;
    int receiverClass = 0;
    if (current.KindFlag) {
        const ListedReceiver receiver = ReceiverBesideCableMouse();
        receiverClass = receiver.rateClass;
        if (current.Online) {
            receiverVersion = receiver.version;
            mouseVersion = current.SecondVersion;
        } else {
            receiverVersion = current.Version;
        }
    } else {
        receiverClass = RateClassOfKind(current.Kind);
        receiverVersion = current.Version;
        if (current.Online)
            mouseVersion = current.SecondVersion;
    }
    if (withImageCheck && QDir(ProgramFolder() + "/bin").exists()) {
        g_MouseImageWaiting = HasFirmwareUpdate(FirmwareTargetMouse, mouseVersion, receiverClass);
        g_ReceiverImageWaiting = HasFirmwareUpdate(FirmwareTargetReceiver, receiverVersion, receiverClass);
        SetUpdateButtonLook(g_MouseImageWaiting || g_ReceiverImageWaiting);
    }
    m_Widgets.receiverVersion->setText(receiverVersion);
    m_Widgets.mouseVersion->setText(mouseVersion);
}
