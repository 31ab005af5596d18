#include "mainwindow/DialogChange.h"

#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "core/RegistryKeys.h"
#include "core/Timing.h"
#include "core/UserIni.h"
#include "device/DeviceIdentification.h"
#include "device/DeviceLibrary.h"
#include "device/DeviceState.h"
#include "mainwindow/DeviceChoice.h"
#include "mainwindow/DeviceGrid.h"
#include "mainwindow/Ui_DialogChange.h"
#include "platform/RegistryValues.h"
#include "settings/FirmwareUpdateState.h"
#include "widgets/DialogFamily.h"
#include "widgets/FormStyles.h"
#include "widgets/MyConmboBox.h"
#include "widgets/NoticeDialogs.h"
#include "widgets/mytoolButtonEnter.h"

#include <QCheckBox>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QToolButton>

DialogChange* g_DialogChangeInstance = nullptr;
QString g_DialogChangePictureDir;
int g_DeviceTotal = 0;
QString g_DeviceListText0;
QString g_DeviceListText2;
QString g_DeviceListText5;
QString g_DeviceListText6;
QString g_DeviceListText8;

namespace {
// A tool button drawn by two border pictures: normal and hover.
QString ArrowButtonStyle(const QString& folder, const QString& picture, const QString& hoverPicture)
{
    return "QToolButton{border-image: " + StyleUrl(folder + picture) + ";}QToolButton:hover{border-image: "
           + StyleUrl(folder
           + hoverPicture) + ";}";
}

QString UpdateFailInfo()
{
    return RegistryValue(MouseDriveTestKey(), "UpdateFailInfo").toString();
}

// Pointing at a device button refreshes its entry.
bool RefreshPointedDevice(int index)
{
    RefreshDeviceEntry(index);
    return true;
}
}

int DeviceButtonIndex(const QObject* button)
{
    if (!button)
        return -1;
    QString number = button->objectName();
    number.remove(QStringLiteral("btn"));
    bool isNumber = false;
    const int index = number.toInt(&isNumber);
    return isNumber ? index : -1;
}

DialogChange::DialogChange(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui_DialogChange)
{
    ui->setupUi(this);
    g_DialogChangeInstance = this;
    g_DialogChangePictureDir = PictureFolder("DialogChange");

    ApplyStyles();
    ui->comboBox->setMaxVisibleItems(5);

    ui->label_2->show();
    ui->label_3->show();
    ui->RightButton->hide();
    ui->LeftButton->hide();

    QObject* hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigLanguageSameA(int)), this, SLOT(SlotSameLanguageA(int)));
    connect(hub, SIGNAL(SigUpDateButton(bool)), this, SLOT(SlotUpDateButton(bool)));
    connect(hub, SIGNAL(SigEnterKey()), this, SLOT(SlotEnterKey()));

    ui->Repair->setVisible(!UpdateFailInfo().isEmpty());

    g_DeviceTotal = DeviceTotal();

    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(g_LanguageIndex);

    ui->FindVer->hide();

    SetDeviceEntryRefresh(RefreshPointedDevice);
    SetDeviceListView(this);
    StartUsbChanged(OnDeviceListUsbChanged, Timing().hotPlugWatchMs);
}

DialogChange::~DialogChange()
{
    if (g_DialogChangeInstance == this) {
        g_DialogChangeInstance = nullptr;
        SetDeviceListView(nullptr);
        SetDeviceEntryRefresh(nullptr);
    }
    // The grid's widgets go with the page.
    g_DeviceButtons.clear();
    g_OfflineMarkers.clear();
    g_ConnectionIcons.clear();
    g_RateBadges.clear();
    delete ui;
}

void DialogChange::ApplyStyles()
{
    const QString& pictures = g_DialogChangePictureDir;
    ui->frameChange->setStyleSheet("#frameChange{border-image: " + StyleUrl(pictures + "MainBack.png") + ";}");
    ui->CloseButton->setStyleSheet(CloseButtonStyle(pictures));
    ui->MinButton->setStyleSheet(PictureButtonStyle(pictures, "Min.png", "MinHover.png", "MinClick.png"));
    ui->Repair->setStyleSheet("#Repair{border:0px;background-image: " + StyleUrl(pictures + "Repair.png")
        + ";background-position:center;background-repeat:no-repeat;}");
    ui->RightButton->setStyleSheet(ArrowButtonStyle(pictures, "Right.png", "RightClick.png"));
    ui->LeftButton->setStyleSheet(ArrowButtonStyle(pictures, "Left.png", "LeftClick.png"));
    StyleComboBox(ui->comboBox, pictures, OptionComboBoxColors());
    ui->FindVer->installEventFilter(this);
}

void DialogChange::StyleFirmwareNotice()
{
    m_FirmwareNoticeStyled = true;
    const QString warning = PictureFolder("WarningDialog");
    const QString labelColor = OptionColorText("LabelColor");
    ui->FindVerlaebl->setStyleSheet(LabelStyle(labelColor));
    ui->NewHong->setStyleSheet(ConfirmButtonStyle(warning, OptionColorText("ButtonColor")));
    ui->CloseButton_2->setStyleSheet(CloseButtonStyle(warning));
    ui->FindVer->setStyleSheet(FrameBackgroundStyle("FindVer", warning));
    ui->NoApear->setStyleSheet(CheckBoxStyle(warning, labelColor));
}

void DialogChange::ShowRepairOffer(bool repairable)
{
    ui->Repair->setVisible(repairable);
    ui->label_2->setText(repairable ? g_DeviceListText2 : g_DeviceListText0);
}

void DialogChange::on_MinButton_clicked()
{
    PostMsg::GetInstance()->EmitChangeSize(2);
}

void DialogChange::on_CloseButton_clicked()
{
    PostMsg::GetInstance()->EmitChangeSize(3);
}

void DialogChange::ShowPrompt()
{
    ui->label_2->hide();
    ui->label_3->show();
}

void DialogChange::on_RightButton_clicked()
{
    ShowPrompt();
    const int pages = ui->stackedWidget->count();
    const int current = ui->stackedWidget->currentIndex();
    if (current + 1 >= pages)
        return;
    ui->LeftButton->show();
    if (current == pages - 2)
        ui->RightButton->hide();
    ui->stackedWidget->setCurrentIndex(current + 1);
}

void DialogChange::on_LeftButton_clicked()
{
    ShowPrompt();
    const int current = ui->stackedWidget->currentIndex();
    if (current < 1)
        return;
    ui->RightButton->show();
    if (current == 1)
        ui->LeftButton->hide();
    ui->stackedWidget->setCurrentIndex(current - 1);
}

void DialogChange::on_Repair_clicked()
{
    emit PageShellNeeded();
    // The settings page makes the dialog; there is none before it.
    QDialog* repair = g_UpDateRepairDialog;
    if (!repair)
        return;
    PlaceDialog(repair, this);
    QMetaObject::invokeMethod(repair, "ResetView");
    repair->setModal(true);
    PostMsg::GetInstance()->EmitRepairCheckUpdate();
    repair->show();
}

void DialogChange::on_comboBox_activated(int index)
{
    const bool saved = UserIni::GetInstance()->SetValue("Language", "Language", QString::number(index));
    g_LanguageIndex = index;
    PostMsg::GetInstance()->EmitAllLanguage(index);
    PostMsg::GetInstance()->EmitLanguageSameB(index);
    // The language changes for this session all the same; the notice, in the
    // new language, says it will not be kept.
    if (!saved)
        TellSettingNotSaved(this);
}

void DialogChange::SlotSameLanguageA(int index)
{
    const QSignalBlocker blocker(ui->comboBox);
    ui->comboBox->setCurrentIndex(index);
}

void DialogChange::SlotUpDateButton(bool IsHide)
{
    ShowRepairOffer(!IsHide);
}

void DialogChange::SlotEnterKey()
{
    if (ui->FindVer->isVisible())
        ui->FindVer->hide();
    else if (ui->Repair->isVisible())
        on_Repair_clicked();
}

void DialogChange::slotButtonClicked()
{
    emit PageShellNeeded();
    ChooseListedDevice(this, DeviceButtonIndex(sender()));
}

void DialogChange::SlotAllLanguage(int)
{
    const auto text = [](int k, const QString& formText) {
        return LanguageText(g_LangTextsDialogChange, k, formText);
    };
    g_DeviceListText0 = text(0, g_DeviceListText0.isEmpty() ? ui->label_2->text() : g_DeviceListText0);
    if (!ui->Repair->isVisible())
        ui->label_2->setText(g_DeviceListText0);
    ui->label_3->setText(text(1, ui->label_3->text()));
    g_DeviceListText5 = text(5, QString());
    g_DeviceListText6 = text(6, QString());
    g_DeviceListText2 = text(2, g_DeviceListText0);
    if (ui->Repair->isVisible())
        ui->label_2->setText(g_DeviceListText2);
    ui->FindVerlaebl->setText(text(3, ui->FindVerlaebl->text()));
    ui->NewHong->setText(text(4, ui->NewHong->text()));
    ui->NoApear->setText(text(7, ui->NoApear->text()));
    g_DeviceListText8 = text(8, QString());

    const QString toolTip = OfflineMarkerToolTip();
    for (QLabel* marker : g_OfflineMarkers)
        marker->setToolTip(toolTip);
}

void DialogChange::on_CloseButton_2_clicked()
{
    ui->FindVer->hide();
}

void DialogChange::on_NewHong_clicked()
{
    ui->FindVer->hide();
}

void DialogChange::on_NoApear_clicked(bool checked)
{
    if (!UserIni::GetInstance()->SetValue("FindNew", "IsShow", checked ? "1" : "0"))
        TellSettingNotSaved(this);
}

bool DialogChange::eventFilter(QObject* watched, QEvent* event)
{
    // Styled before its first paint, so it never shows unstyled.
    if (watched == ui->FindVer && event->type() == QEvent::Show && !m_FirmwareNoticeStyled)
        StyleFirmwareNotice();
    return QWidget::eventFilter(watched, event);
}

void DialogChange::changeEvent(QEvent* event)
{
    if (event->type() != QEvent::LanguageChange)
        return;
    const QSignalBlocker blocker(ui->comboBox);
    ui->retranslateUi(this);
    ui->comboBox->setCurrentIndex(0);
}
