#include "settings/UpDateRepair.h"

#include "core/ConfigIni.h"
#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "device/BootModeDevices.h"
#include "device/DeviceIdentification.h"
#include "device/DeviceState.h"
#include "device/FirmwareImages.h"
#include "settings/FirmwareLibrary.h"
#include "settings/FirmwareUpdateState.h"
#include "settings/RepairUpgrade.h"
#include "settings/Ui_UpDateRepair.h"
#include "settings/UpgradeReport.h"
#include "settings/UpgradeSilenceGuard.h"
#include "widgets/DialogFamily.h"
#include "widgets/FormStyles.h"

#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QToolButton>

#include <algorithm>

namespace {

// Positions of the texts in the language section "AutoRepair".
enum AutoRepairText {
    InstructionText = 0,
    CancelText = 1,
    ConfirmText = 2,
    UpdatingText = 3,
    NoDeviceFoundText = 4,
    SeveralDevicesText = 5,
    UpdateFailText = 6,
    UpdateSuccessText = 7,
    UpgradeText = 8,
    NoReceiverFoundText = 9,
    NoWiredMouseFoundText = 10,
    NoImageText = 12,
    SeveralMiceText = 14,
    SeveralReceiversText = 15,
    ReadyText = 16,
    NoAnswerText = 17,
    ImageDamagedText = 18,
};

// Positions in the settings page's language section.
enum FormSettingText {
    ReceiverImageDamagedText = 45,
    MouseImageDamagedText = 46,
};

// Frameless, system menu, minimise button; no window type.
constexpr Qt::WindowFlags kRepairWindowFlags =
    Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint;

constexpr int kFullBar = 100;

int MidOfGroup(const QString& group)
{
    return ConfigIni::GetInstance()->Value(group, "MID").toInt();
}

} // namespace

UpDateRepair::UpDateRepair(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui_UpDateRepair)
{
    ui->setupUi(this);
    ui->NewHong->hide();
    ui->progressBar_2->hide();
    ui->NewHong_2->hide();
    ui->ToolText_2->hide();
    m_PictureFolder = WarningDialogFolder();
    setWindowFlags(kRepairWindowFlags);
    ApplyStyles();

    PostMsg* hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigAutoRepair(int)), this, SLOT(SlotAutoRepair(int)));
    connect(hub, SIGNAL(SigAutoRepairProgress(int)), this, SLOT(SlotAutoRepairProgress(int)));
    connect(hub, SIGNAL(SigProgress(int,int)), this, SLOT(SlotProgress(int,int)));
    connect(hub, SIGNAL(SigRepairCheckUpdate()), this, SLOT(SlotRepairCheckUpdate()));
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(g_LanguageIndex);
    // A repair whose upgrade stops reporting ends as failed; the receiver's
    // success hands over to the mouse without ending the watch.
    m_SilenceGuard = new UpgradeSilenceGuard(EndSilentRepair, this);
    // The hot-plug handlers ask whether the dialog kept in
    // g_UpDateRepairDialog is on screen.
    SetUpdateDialogShownQuery(RepairDialogShown);
}

UpDateRepair::~UpDateRepair()
{
    delete ui;
}

void UpDateRepair::ApplyStyles()
{
    const QString labelColor = OptionColorText("LabelColor");
    const QString buttonColor = OptionColorText("ButtonColor");
    ui->ToolText->setStyleSheet("#ToolText{color: rgb(" + labelColor + ";);background-color:rgba(0,0,0,0);}");
    ui->ToolText_2->setStyleSheet("#ToolText_2{color: rgb(255,0,0);background-color:rgba(0,0,0,0);}");
    const QString answerStyle = ColoredButtonStyle("QToolButton", PictureProperty::Border, m_PictureFolder,
                                                   buttonColor, {"ok_nr.png", "ok_enter.png", {}, {}});
    ui->NewHong->setStyleSheet(answerStyle);
    ui->NewHong_2->setStyleSheet(answerStyle);
    ui->CloseButton->setStyleSheet(CloseButtonStyle(m_PictureFolder));
    ui->AutoRepair->setStyleSheet(FrameBackgroundStyle("AutoRepair", m_PictureFolder, "BackGround.png",
                                                       RuleEnd::Tight, PictureProperty::Border));
}

// Return starts or confirms, Escape cancels.
void UpDateRepair::ApplyKeys()
{
    ui->NewHong_2->setShortcut(QKeySequence(Qt::Key_Return));
    ui->NewHong->setShortcut(QKeySequence(Qt::Key_Escape));
}

void UpDateRepair::ResetView()
{
    m_SkippedPartNote.clear();
    ui->NewHong_2->setText(m_TextUpgrade);
    ui->NewHong_2->show();
    ui->NewHong->setText(m_TextCancel);
    ui->NewHong->show();
    ui->CloseButton->show();
    ui->ToolText_2->setText(QString());
    ui->ToolText_2->show();
    ui->progressBar_2->setValue(0);
    ui->progressBar_2->hide();
    ApplyKeys();
}

void UpDateRepair::ShowUpdateReadyView()
{
    ui->NewHong_2->setText(m_TextUpgrade);
    ui->NewHong_2->show();
    ui->NewHong->setText(m_TextCancel);
    ui->NewHong->show();
    ui->NewHong->setEnabled(true);
    ui->CloseButton->show();
    ui->CloseButton->setEnabled(true);
    ui->ToolText_2->setText(WithSkippedPartNote(m_TextReady));
    ui->ToolText_2->show();
    ui->progressBar_2->hide();
    ApplyKeys();
}

void UpDateRepair::ShowMessageView()
{
    ShowResult(ui->ToolText_2->text(), true);
    ui->CloseButton->show();
    ui->progressBar_2->hide();
    ApplyKeys();
}

void UpDateRepair::ShowUpdatingView()
{
    ui->NewHong_2->hide();
    // The result shows the cancel button again, also on a dialog that was
    // never reset (the forced repair).
    ui->NewHong->setText(m_TextCancel);
    ui->NewHong->hide();
    ui->NewHong->setEnabled(false);
    ui->CloseButton->show();
    ui->CloseButton->setEnabled(false);
    ui->ToolText_2->setText(m_TextUpdating);
    ui->ToolText_2->show();
    ui->progressBar_2->show();
    ApplyKeys();
}

void UpDateRepair::SetMessageText(const QString& text)
{
    ui->ToolText_2->setText(text);
}

void UpDateRepair::NoteDamagedImage(int target)
{
    // The texts are the settings page's: the update names the parts first.
    const QString note = LanguageText(g_LangTextsFormSetting, target == FirmwareTargetMouse ? MouseImageDamagedText
                                                                                            : ReceiverImageDamagedText,
                                      QString());
    if (m_SkippedPartNote.split('\n').contains(note))
        return;
    m_SkippedPartNote = m_SkippedPartNote.isEmpty() ? note : m_SkippedPartNote + "\n" + note;
}

void UpDateRepair::ClearSkippedPartNote()
{
    m_SkippedPartNote.clear();
}

QString UpDateRepair::WithSkippedPartNote(const QString& text) const
{
    return m_SkippedPartNote.isEmpty() ? text : text + "\n" + m_SkippedPartNote;
}

// The bar is part of the view; the dialog itself may be hidden.
bool UpDateRepair::ShowsUpdate() const
{
    return !ui->progressBar_2->isHidden();
}

// The updating view disables the close button; every result enables it.
bool UpDateRepair::AwaitsResult() const
{
    return ShowsUpdate() && !ui->CloseButton->isEnabled();
}

bool UpDateRepair::ShowMessage(const QString& text)
{
    SetMessageText(text);
    ShowMessageView();
    return false;
}

// The end of an update: its text, and the buttons that close the dialog.
void UpDateRepair::ShowResult(const QString& text, bool withConfirm)
{
    if (withConfirm) {
        ui->NewHong_2->setText(m_TextConfirm);
        ui->NewHong_2->show();
    }
    ui->ToolText_2->setText(text);
    ui->ToolText_2->show();
    ui->NewHong->show();
    ui->NewHong->setEnabled(true);
    ui->CloseButton->setEnabled(true);
}

void UpDateRepair::ShowUpdateResult(const QString& text, bool withConfirm)
{
    ShowResult(WithSkippedPartNote(text), withConfirm);
}

void UpDateRepair::SlotProgress(int schedue, int Discrib)
{
    switch (Discrib) {
    case UpgradeKindProgress:
        ui->progressBar_2->setValue(schedue);
        break;
    case UpgradeKindFailure:
        ShowUpdateResult(m_TextUpdateFail, true);
        break;
    case UpgradeKindSuccess:
        ShowUpdateResult(m_TextUpdateSuccess, true);
        ui->progressBar_2->setValue(kFullBar);
        break;
    case UpgradeKindHideCancel:
        ui->NewHong->hide();
        break;
    case UpgradeKindResetBar:
        ui->NewHong->hide();
        ui->progressBar_2->setValue(0);
        break;
    case UpgradeKindNoMouse:
        ShowUpdateResult(m_TextUpdateFail, true);
        ui->progressBar_2->setValue(kFullBar / 2);
        break;
    case UpgradeKindFailureMessage:
        ShowUpdateResult(m_TextUpdateFail, false);
        break;
    case UpgradeKindNoAnswer:
        ShowUpdateResult(m_TextNoAnswer, true);
        break;
    case UpgradeKindImageRefused:
        NoteDamagedImage(schedue);
        break;
    case UpgradeKindNothingWritten:
        // The repair has ended too, if it was one.
        m_SilenceGuard->Disarm();
        ShowMessage(m_SkippedPartNote);
        break;
    default:
        break;
    }
    ApplyKeys();
}

void UpDateRepair::SlotAutoRepair(int index)
{
    // The repair has ended, whichever way.
    m_SilenceGuard->Disarm();
    ui->ToolText_2->setText(index == 0 ? m_TextUpdateSuccess : m_TextUpdateFail);
    ui->NewHong_2->setText(m_TextConfirm);
    ui->NewHong->show();
    ApplyKeys();
}

void UpDateRepair::SlotAutoRepairProgress(int index)
{
    ui->progressBar_2->setValue(index);
}

void UpDateRepair::SlotAllLanguage(int /*index: always the current language*/)
{
    const auto text = [](int position) { return LanguageText(g_LangTextsAutoRepair, position, QString()); };
    ui->ToolText->setText(LanguageText(g_LangTextsAutoRepair, InstructionText, ui->ToolText->text()));
    m_TextCancel = text(CancelText);
    m_TextConfirm = text(ConfirmText);
    m_TextUpdating = text(UpdatingText);
    m_TextNoDeviceFound = text(NoDeviceFoundText);
    m_TextSeveralDevices = text(SeveralDevicesText);
    m_TextUpdateFail = text(UpdateFailText);
    m_TextUpdateSuccess = text(UpdateSuccessText);
    m_TextUpgrade = text(UpgradeText);
    m_TextNoReceiverFound = text(NoReceiverFoundText);
    m_TextNoWiredMouseFound = text(NoWiredMouseFoundText);
    m_TextNoImage = text(NoImageText);
    m_TextSeveralMice = text(SeveralMiceText);
    m_TextSeveralReceivers = text(SeveralReceiversText);
    m_TextReady = text(ReadyText);
    m_TextNoAnswer = text(NoAnswerText);
    m_TextImageDamaged = text(ImageDamagedText);
}

void UpDateRepair::CloseAfterUpdate()
{
    if (ui->progressBar_2->value() == kFullBar)
        PostMsg::GetInstance()->EmitSetNewVer();
    else if (g_DevicePageShown)
        PostMsg::GetInstance()->EmitChangeMainDialog(0);
    close();
}

void UpDateRepair::on_CloseButton_clicked()
{
    if (g_RepairProgressSeen)
        return;
    if (ShowsUpdate())
        CloseAfterUpdate();
    else
        close();
}

void UpDateRepair::on_NewHong_clicked()
{
    on_CloseButton_clicked();
}

void UpDateRepair::on_NewHong_2_clicked()
{
    if (!g_RepairProgressSeen && ShowsUpdate())
        CloseAfterUpdate();
    else if (ui->NewHong_2->text() == m_TextConfirm)
        close();
    else if (!g_DevicePageShown)
        StartRepairUpdate();
    else
        PostMsg::GetInstance()->EmitUpdateStart();
}

// Escape reaches here only when the cancel button cannot take it: hidden or
// disabled while an update runs. It must not close the dialog then.
void UpDateRepair::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape)
        QDialog::keyPressEvent(event);
}

void UpDateRepair::SlotRepairCheckUpdate()
{
    if (ShowsUpdate())
        return;
    if (CheckFailedUpdate())
        ShowUpdateReadyView();
}

// Receivers on the device list that may be the repaired one: with one
// receiver present, only one of the recorded class counts.
int UpDateRepair::PresentReceivers(const QString& recordedClass) const
{
    const QList<const QStringList*> classLists = {&g_PidListWireless, &g_PidListWireless2, &g_PidListWireless4,
                                                  &g_PidListWireless8};
    const auto isReceiver = [&](const DeviceAllInfo& entry) {
        for (const QStringList* list : classLists) {
            if (list->contains(entry.Pid))
                return true;
        }
        return false;
    };
    const int receivers = int(std::count_if(g_ListedDevicesCopy.begin(), g_ListedDevicesCopy.end(), isReceiver));
    if (receivers != 1)
        return receivers;
    const QString keys[] = {"1", "2", "4", "8"};
    const QStringList* recordedList = nullptr;
    for (int i = 0; i < 4; ++i) {
        if (recordedClass == keys[i])
            recordedList = classLists[i];
    }
    if (!recordedList)
        return 0;
    return int(std::count_if(g_ListedDevicesCopy.begin(), g_ListedDevicesCopy.end(),
                             [&](const DeviceAllInfo& entry) { return recordedList->contains(entry.Pid); }));
}

void UpDateRepair::TakeRecordedClass(const QString& recordedClass)
{
    bool isNumber = false;
    const int receiverClass = recordedClass.toInt(&isNumber);
    const QString key = isNumber && QString::number(receiverClass) == recordedClass ? ReceiverImageKey(receiverClass)
                                                                                     : QString();
    if (key.isEmpty())
        return;
    g_RepairReceiverClass = receiverClass;
    m_RepairReceiverImageName = ConfigIni::GetInstance()->Value(m_RepairGroup, key);
}

bool UpDateRepair::CheckFailedUpdate()
{
    m_SkippedPartNote.clear();
    const QStringList record = FailedOrBootModeRecord(g_ListedDevices);
    if (record.size() != 4)
        return false;
    g_RepairReceiverClass = 0;
    const int failedTarget = record.at(0).toInt();
    const int recordedMid = record.at(3).toInt();

    if (g_ListedDevices.isEmpty())
        return ShowMessage(m_TextNoDeviceFound);
    if (g_ListedDevices.size() > 1) {
        QList<DeviceAllInfo> mice;
        QList<DeviceAllInfo> receivers;
        for (const DeviceAllInfo& entry : g_ListedDevices)
            (entry.KindFlag ? mice : receivers).append(entry);
        if (mice.size() >= 2)
            return ShowMessage(m_TextSeveralMice);
        if (receivers.size() >= 2)
            return ShowMessage(m_TextSeveralReceivers);
        if (failedTarget == FirmwareTargetMouse && mice.size() == 1 && mice.first().Mid() != recordedMid)
            return ShowMessage(m_TextSeveralMice);
        if (failedTarget == FirmwareTargetReceiver && receivers.size() == 1
            && receivers.first().Mid() != recordedMid)
            return ShowMessage(m_TextSeveralReceivers);
    }
    const int presentReceivers = failedTarget == FirmwareTargetReceiver ? PresentReceivers(record.at(1)) : 0;
    g_RepairPart = RepairPartReceiver;

    if (m_Forced) {
        m_ImageFound = true;
    } else {
        const DeviceAllInfo& first = g_ListedDevices.first();
        if (failedTarget == FirmwareTargetReceiver && (!first.KindFlag || first.Mid() != recordedMid))
            return ShowMessage(m_TextNoWiredMouseFound);
        if (failedTarget == FirmwareTargetMouse && (first.KindFlag || first.Mid() != recordedMid))
            return ShowMessage(m_TextNoReceiverFound);

        const int model = ModelIndexOfMid(recordedMid);
        if (model >= 0)
            m_RepairGroup = ModelGroup(model);
        ConfigIni* config = ConfigIni::GetInstance();
        g_RepairModelName = config->Value(m_RepairGroup, "MM");
        // The receiver image name goes with the class: a record without a
        // class writes no receiver image, whatever an earlier check named.
        m_RepairReceiverImageName.clear();
        TakeRecordedClass(record.at(1));
        g_RepairCid = record.at(2).toInt();
        g_RepairMid = MidOfGroup(m_RepairGroup);

        const auto cid = std::uint8_t(g_RepairCid);
        const auto mid = std::uint8_t(g_RepairMid);
        const bool mouseImage = FindRepairFirmwareImage(FirmwareTargetMouse, QString(), g_RepairModelName, cid, mid);
        const bool receiverImage =
            FindRepairFirmwareImage(FirmwareTargetReceiver, QString(), m_RepairReceiverImageName, cid, mid);
        g_RepairPartCount = mouseImage && receiverImage ? 2 : 1;
        // The failed part's image stays kept for the boot-mode query below.
        if (failedTarget == FirmwareTargetReceiver) {
            g_RepairFailedPart = RepairPartReceiver;
            m_ImageFound =
                FindRepairFirmwareImage(FirmwareTargetReceiver, QString(), m_RepairReceiverImageName, cid, mid);
        } else {
            g_RepairFailedPart = RepairPartMouse;
            m_ImageFound = FindRepairFirmwareImage(FirmwareTargetMouse, QString(), g_RepairModelName, cid, mid);
        }
    }

    // Without an image there is nothing to write, whatever is plugged in.
    if (!m_ImageFound)
        return ShowMessage(NoImageMessage(g_RepairFailedPart == RepairPartReceiver ? FirmwareTargetReceiver
                                                                                   : FirmwareTargetMouse));
    const int devices = BootDevicesFitting(g_RepairFirmwareImages) + presentReceivers;
    if (devices == 1)
        return true;
    ShowMessage(devices == 0 ? m_TextNoDeviceFound : m_TextSeveralDevices);
    g_RepairRunning = false;
    return false;
}

void UpDateRepair::StartRepairUpdate()
{
    if (!m_ImageFound)
        return;
    g_RepairRunning = true;
    ShowUpdatingView();
    g_UpgradeIdle = false;
    const auto cid = std::uint8_t(g_RepairCid);
    const auto mid = std::uint8_t(MidOfGroup(m_RepairGroup));
    if (FindRepairFirmwareImage(FirmwareTargetReceiver, QString(), m_RepairReceiverImageName, cid, mid)) {
        g_RepairPart = RepairPartReceiver;
    } else {
        g_RepairPart = RepairPartMouse;
        if (!FindRepairFirmwareImage(FirmwareTargetMouse, QString(), g_RepairModelName, cid, mid)) {
            // The images went away since the check: nothing was written and
            // the record stays.
            g_RepairRunning = false;
            g_UpgradeIdle = true;
            ShowMessage(NoImageMessage(FirmwareTargetMouse));
            return;
        }
    }
    m_SilenceGuard->Arm();
    m_ImageFound = StartRepair();
}

// Why no image of the target can be written: a damaged one, or none at all.
QString UpDateRepair::NoImageMessage(int target) const
{
    const QString name = target == FirmwareTargetReceiver ? m_RepairReceiverImageName : g_RepairModelName;
    const bool damaged = DamagedFirmwareImageFound(std::uint8_t(target), name, std::uint8_t(g_RepairCid),
                                                   std::uint8_t(g_RepairMid));
    return damaged ? m_TextImageDamaged : m_TextNoImage;
}

// The repair's model, names and record fields from the kept image's header:
// the image alone is written.
bool UpDateRepair::TakeRepairFromKeptImage()
{
    FirmwareImageInfo image;
    if (g_RepairFirmwareImages.isEmpty() || !ReadFirmwareImageInfo(g_RepairFirmwareImages.first(), image))
        return false;
    const int model = ModelIndexOfMid(image.mid);
    if (model >= 0)
        m_RepairGroup = ModelGroup(model);
    ConfigIni* config = ConfigIni::GetInstance();
    g_RepairModelName = config->Value(m_RepairGroup, "MM");
    g_RepairCid = image.cid;
    g_RepairMid = image.mid;
    g_RepairPartCount = 1;
    g_RepairReceiverClass = 0;
    m_RepairReceiverImageName.clear();
    if (image.target == FirmwareTargetReceiver) {
        g_RepairFailedPart = RepairPartReceiver;
        m_RepairReceiverImageName = image.name;
        for (int receiverClass : {1, 2, 4, 8}) {
            if (config->Value(m_RepairGroup, ReceiverImageKey(receiverClass)) == image.name)
                g_RepairReceiverClass = receiverClass;
        }
    } else {
        g_RepairFailedPart = RepairPartMouse;
        g_RepairModelName = image.name;
    }
    return true;
}

void UpDateRepair::StartRepairWithMode(int /*mode: the one mode there is*/)
{
    m_Forced = true;
    m_ImageFound = TakeRepairFromKeptImage();
    if (!m_ImageFound) {
        ShowMessage(m_TextNoImage);
        return;
    }
    StartRepairUpdate();
}
