#include "mainwindow/Dialog.h"

#include "core/ConfigIni.h"
#include "core/PostMsg.h"
#include "core/Timing.h"
#include "device/DeviceLibrary.h"
#include "widgets/UpDataParam.h"
#include "mainwindow/Ui_Dialog.h"
#include "pages/buttons/Buttoninterface.h"
#include "pages/macro/Macro.h"
#include "pages/sensor/Sensor.h"
#include "settings/FormSetting.h"
#include "widgets/DialogFamily.h"
#include "widgets/FormStyles.h"
#include "widgets/PageDialogs.h"

#include <QButtonGroup>
#include <QEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QStackedWidget>
#include <QToolButton>
#include <QWindow>

namespace {

// Levels at or below this show the battery in red.
constexpr int LowBatteryLevel = 15;

// A page button: its pictures at rest, under the pointer, while its page is
// current, and dimmed while a recording macro locks the buttons.
QString PageButtonStyle(const QString& folder, const QString& picture, const QString& hoverPicture,
                        const QString& checkedPicture, const QString& lockedPicture)
{
    return CheckablePictureButtonStyle(folder, picture, hoverPicture, checkedPicture)
           + "QToolButton:disabled{background-image: " + StyleUrl(folder + lockedPicture) + ";}";
}

// The bar before the first battery report of a device: full and grey.
constexpr int NoReportLevel = 100;
const char* const NoReportColour = "191, 191, 191";

QString BatteryBarStyle(const char* colour)
{
    return QString("#progressBar{border: none;background-color: transparent;}"
                   "#progressBar::chunk {background-color: rgb(%1);}")
        .arg(colour);
}

QString BatteryBarStyle(bool low)
{
    return BatteryBarStyle(low ? "152, 43, 34" : "0, 255, 153");
}

} // namespace

Dialog::Dialog(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui_Dialog)
{
    ui->setupUi(this);
    ui->LightsButton->hide();
    ui->line_6->hide();
    m_PictureFolder = PictureFolder("Dialog");
    // The shell's style sheets come first and the pages are born inside the
    // stack: a style sheet set on an ancestor of widgets that exist already
    // makes Qt restyle every one of them, and the pages hold most of the
    // program's widgets.
    ApplyStyleSheets();

    ui->label->hide();
    ui->SetButton->hide();

    m_PageButtons = new QButtonGroup(this);
    m_PageButtons->setExclusive(true);
    for (QToolButton* button : {ui->ButtonMain, ui->MacroButton, ui->LightsButton, ui->SensorButton, ui->FormSetting})
        m_PageButtons->addButton(button);
    connect(ui->MinButton, SIGNAL(clicked()), this, SLOT(WindowMin()));
    ui->ButtonMain->setChecked(true);

    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint);
    setFixedSize(width(), height());

    ui->label_3->hide();
    ui->label_2->hide();
}

Dialog::~Dialog()
{
    delete m_WaitDialog;
    delete m_ButtonPage;
    delete m_MacroPage;
    delete m_SensorPage;
    delete m_SettingsPage;
    delete ui;
}

bool Dialog::BuildNextPart()
{
    QStackedWidget* stack = ui->stackedWidgetDialog;
    QWidget* page = nullptr;
    switch (m_NextPart) {
    case ButtonPart:
        page = m_ButtonPage = new Buttoninterface(stack);
        break;
    case MacroPart:
        page = m_MacroPage = new Macro(stack);
        break;
    case SensorPart:
        page = m_SensorPage = new Sensor(stack);
        break;
    case SettingsPart:
        page = m_SettingsPage = new FormSetting(stack);
        break;
    case StackPart:
        StackPagesAndConnect();
        break;
    default:
        return false;
    }
    // Polished now rather than on the first device's opening, which would
    // otherwise style every widget of the page at once.
    if (page)
        page->ensurePolished();
    ++m_NextPart;
    return !Built();
}

void Dialog::FinishBuilding()
{
    while (BuildNextPart()) {
    }
}

void Dialog::StackPagesAndConnect()
{
    QStackedWidget* stack = ui->stackedWidgetDialog;
    stack->addWidget(m_ButtonPage);
    stack->addWidget(m_SensorPage);
    stack->addWidget(m_MacroPage);
    stack->addWidget(m_SettingsPage);
    stack->setCurrentWidget(m_ButtonPage);

    m_WaitDialog = new UpDataParam();
    // The wait dialog has no parent: it goes and comes back with the window.
    window()->installEventFilter(this);

    QObject* hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigSecondPageChange()), this, SLOT(SlotSecondDialog()));
    connect(hub, SIGNAL(SigUpDataParam(int)), this, SLOT(SlotUpDataParam(int)));
    connect(hub, SIGNAL(SigStartRecord(int)), this, SLOT(SlotStartRecord(int)));
    connect(hub, SIGNAL(SigBattery(bool,int,bool)), this, SLOT(SlotBattery(bool,int,bool)),
            Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigSelectMouseInfo(DeviceAllInfo)), this, SLOT(ShowNoBatteryReport()));
    // The frame's own widgets; the pages were polished as they were built.
    ensurePolished();
}

void Dialog::ApplyStyleSheets()
{
    const QString& folder = m_PictureFolder;
    const QStringList labelColor = ConfigIni::GetInstance()->ValueList("Option", "LabelColor");
    // Without a whole colour the label keeps the form's.
    if (labelColor.size() >= 3)
        ui->label_2->setStyleSheet("#label_2{color: rgb(" + labelColor.mid(0, 3).join(",") + ");}");
    ui->frame_2->setStyleSheet("#frame_2{border-image: " + StyleUrl(folder + "BackGround.png") + ";}");
    ui->BatteryButtonC->setStyleSheet("#BatteryButtonC{border:0px;background-image: "
        + StyleUrl(folder + "Battery.png") + ";background-position:center;background-repeat:no-repeat;}");
    ui->label->setStyleSheet("#label{border-image: " + StyleUrl(folder + "Charg.png") + ";}");

    ui->ButtonMain->setStyleSheet(
        PageButtonStyle(folder, "Home.png", "HomeHover.png", "HomeChecked.png", "HomeLocked.png"));
    ui->LightsButton->setStyleSheet(
        PageButtonStyle(folder, "Light.png", "LightHover.png", "LightChecked.png", "LightLocked.png"));
    ui->FormSetting->setStyleSheet(
        PageButtonStyle(folder, "Setting.png", "SettingHover.png", "SettingClick.png", "SettingLocked.png"));
    ui->MacroButton->setStyleSheet(
        PageButtonStyle(folder, "Macro.png", "MacroHover.png", "MacroChecked.png", "MacroLocked.png"));
    ui->SensorButton->setStyleSheet(
        PageButtonStyle(folder, "Sensor.png", "SensorHover.png", "SensorChecked.png", "SensorLocked.png"));

    ui->CloseButton->setStyleSheet(CloseButtonStyle(folder));
    ui->MinButton->setStyleSheet(PictureButtonStyle(folder, "Min.png", "MinHover.png", "MinClick.png"));
    ui->SetButton->setStyleSheet(PictureButtonStyle(folder, "Setting.png", "SettingHover.png", "SettingClick.png"));
    ui->UpArrow->setStyleSheet(
        PictureButtonStyle(folder, "PageChange.png", "PageChangeHover.png", "PageChangeClick.png"));
}

void Dialog::WindowMin()
{
    PostMsg::GetInstance()->EmitChangeSize(0);
}

void Dialog::on_ButtonMain_clicked()
{
    ui->stackedWidgetDialog->setCurrentWidget(m_ButtonPage);
    PostMsg::GetInstance()->EmitAddMacroButton();
}

void Dialog::on_SensorButton_clicked()
{
    ui->stackedWidgetDialog->setCurrentWidget(m_SensorPage);
}

void Dialog::on_MacroButton_clicked()
{
    ui->stackedWidgetDialog->setCurrentWidget(m_MacroPage);
}

void Dialog::on_FormSetting_clicked()
{
    ui->stackedWidgetDialog->setCurrentWidget(m_SettingsPage);
}

void Dialog::SlotSecondDialog()
{
    ui->ButtonMain->setChecked(true);
    ui->stackedWidgetDialog->setCurrentWidget(m_ButtonPage);
}

void Dialog::on_UpArrow_clicked()
{
    LeavePages();
    UsbServer_SetPCDriverStatus(0);
    ui->ButtonMain->setChecked(true);
    UpDataParamWaitMs(Timing().leavePageWaitMs);
    UsbServer_Exit();
    PostMsg::GetInstance()->EmitChangeMainDialog(0);
}

void Dialog::LeavePages()
{
    ClosePageDialogs();
    if (m_ButtonPage)
        m_ButtonPage->SendMacrosBeforeLeaving();
    PostMsg::GetInstance()->EmitSetMacroPage();
}

void Dialog::on_CloseButton_clicked()
{
    PostMsg::GetInstance()->EmitChangeSize(1);
}

void Dialog::SlotUpDataParam(int index)
{
    m_WaitDialog->StartTimer();
    if (index == 1)
        m_WaitDialog->SetWaitOnly();
    // Already waiting: the re-armed dialog goes on with this request.
    if (m_Waiting)
        return;
    m_Waiting = true;
    PlaceDialog(m_WaitDialog, this, 0, -20);
    // Not modal: a device that keeps asking for read-backs keeps the dialog
    // up, and the window's minimise and close must go on working meanwhile.
    // The pages and the way back wait behind it.
    ui->stackedWidgetDialog->setEnabled(false);
    ui->UpArrow->setEnabled(false);
    // Kept above the main window when the user clicks it.
    m_WaitDialog->winId();
    m_WaitDialog->windowHandle()->setTransientParent(window()->windowHandle());
    QEventLoop waiting;
    connect(m_WaitDialog, &QDialog::finished, &waiting, &QEventLoop::quit);
    // A window hidden in the tray shows the dialog when it comes back.
    if (window()->isVisible())
        m_WaitDialog->show();
    waiting.exec();
    m_Waiting = false;
    ui->stackedWidgetDialog->setEnabled(true);
    ui->UpArrow->setEnabled(true);
}

bool Dialog::WaitingForDevice() const
{
    return m_Waiting;
}

bool Dialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window() && m_Waiting) {
        if (event->type() == QEvent::Hide)
            m_WaitDialog->hide();
        else if (event->type() == QEvent::Show)
            m_WaitDialog->show();
    }
    return QWidget::eventFilter(watched, event);
}

void Dialog::SlotStartRecord(int index)
{
    if (index != 0 && index != 1)
        return;
    const bool enabled = index == 1;
    for (QToolButton* button : {ui->ButtonMain, ui->SensorButton, ui->LightsButton, ui->MacroButton, ui->FormSetting})
        button->setEnabled(enabled);
}

void Dialog::SlotBattery(bool IsCharg, int Number, bool IsText)
{
    ui->label->setVisible(IsCharg);
    ui->progressBar->setValue(Number);
    ui->label_2->setText(IsText ? QString::number(Number) + "%" : QString::number(Number));
    ui->progressBar->setStyleSheet(BatteryBarStyle(Number <= LowBatteryLevel));
}

void Dialog::ShowNoBatteryReport()
{
    ui->label->hide();
    ui->progressBar->setValue(NoReportLevel);
    ui->label_2->setText(QString::number(NoReportLevel) + "%");
    ui->progressBar->setStyleSheet(BatteryBarStyle(NoReportColour));
}

void Dialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F12)
        return;
    QWidget::keyPressEvent(event);
}

void Dialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
