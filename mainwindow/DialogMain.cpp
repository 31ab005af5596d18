#include "mainwindow/DialogMain.h"

#include "core/EventWait.h"
#include "core/LanguageLoader.h"
#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "core/ProductName.h"
#include "core/Timing.h"
#include "core/UserIni.h"
#include "device/DeviceListDiscovery.h"
#include "device/DeviceLibrary.h"
#include "device/DeviceReports.h"
#include "device/DeviceState.h"
#include "device/DeviceThreadDiscovery.h"
#include "device/OfflineCopy.h"
#include "device/Worker.h"
#include "mainwindow/Dialog.h"
#include "mainwindow/DeviceChoice.h"
#include "mainwindow/DialogChange.h"
#include "mainwindow/Ui_DialogMain.h"
#include "pages/macro/Macro.h"
#include "platform/RegistryValues.h"
#include "settings/FormSetting.h"
#include "settings/Match.h"
#include "settings/UpDateRepair.h"
#include "widgets/ConfirmDialogs.h"
#include "widgets/DialogFamily.h"
#include "widgets/FirmwareNotices.h"
#include "widgets/FormStyles.h"
#include "widgets/NoticeDialogs.h"
#include "widgets/PageDialogs.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QThread>
#include <QWindow>


namespace {
constexpr int kDeviceListPage = 0;
constexpr int kPageShellPage = 1;
// The notices of the Space key sit this far left of the window's centre.
constexpr int kListedReceiverNoticeShift = -20;

// Frameless, system menu, minimise button, and no window-type bits: a plain
// top-level window without frame or title bar.
constexpr Qt::WindowFlags kMainWindowFlags =
    Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint;

QString LegacyLanguageKey()
{
    return "HKEY_CURRENT_USER\\Software\\" + g_ProductName + "\\" + g_ProductName + "\\" + g_ProductName;
}

// The language row of a stored language index when the language files gave
// it a row, else 0 (English): the file is the user's to edit.
int LanguageRow(const QString& storedIndex)
{
    bool isNumber = false;
    const int index = storedIndex.toInt(&isNumber);
    const int rows = g_LangTextsDialogMain.size();
    return isNumber && index >= 0 && index < rows ? index : 0;
}

// The language the user chose, as stored. An older version kept it in the
// registry: a non-zero legacy index is moved into the per-user settings and
// only then removed, so that a per-user file that cannot take it (a folder in
// its place, a read-only file) costs no language. Until it is moved, it stays
// and is the language of the run. Once the per-user settings hold a language,
// a legacy index still there is one whose removal failed: the language
// chosen since wins, and the removal is tried again.
QString ChosenLanguage()
{
    const QVariant legacy = RegistryValue(LegacyLanguageKey(), "LanguageIndex");
    if (!legacy.isValid())
        return UserIni::GetInstance()->Value("Language", "Language");
    const int legacyIndex = legacy.toInt();
    if (legacyIndex != 0 && UserIni::GetInstance()->Value("Language", "Language").isEmpty()
        && !UserIni::GetInstance()->SetValue("Language", "Language", QString::number(legacyIndex))) {
        qWarning() << "The legacy language index" << legacyIndex
                   << "could not be moved into the per-user settings; it stays in the registry.";
        return QString::number(legacyIndex);
    }
    RemoveRegistryValue(LegacyLanguageKey(), "LanguageIndex");
    return UserIni::GetInstance()->Value("Language", "Language");
}
}

DialogMain::DialogMain(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui_DialogMain)
{
    // Connected before the pages start the device library, whose own clean-up
    // also follows aboutToQuit: the device hears of the leaving first.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &DialogMain::ShutDown);
    // A session manager asks for the program's data at every checkpoint (a
    // "save session", or a logout that another program may still cancel),
    // not only when the session ends: the program keeps running, and only
    // makes sure that the offline copy is on disk. Qt's fallback would close
    // every window there, ending the program. The session's real end comes
    // as the session manager's Die, which quits the application.
    QGuiApplication::setFallbackSessionManagementEnabled(false);
    connect(qApp, &QGuiApplication::commitDataRequest, this, [] { WriteOfflineCopy(); });
    m_OfflineCopyKeeper = std::make_unique<OfflineCopyKeeper>();

    ui->setupUi(this);

    LoadLanguageFiles();
    g_LanguageIndex = LanguageRow(ChosenLanguage());

    m_PictureFolder = PictureFolder("Dialog");
    m_CrashDumpHandler.Install();

    m_DialogChange = new DialogChange(this);
    ui->stackedWidgetMain->addWidget(m_DialogChange);
    ui->stackedWidgetMain->setCurrentWidget(m_DialogChange);
    connect(m_DialogChange, &DialogChange::PageShellNeeded, this, &DialogMain::PageShell);

    setWindowFlags(kMainWindowFlags);
    setFixedSize(width(), height());

    QObject* hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    connect(hub, SIGNAL(SigChangeMainDialog(int)), this, SLOT(SlotChangeMainDialog(int)));
    connect(hub, SIGNAL(SigChangeSize(int)), this, SLOT(SlotChangeSize(int)));
    // Queued: the pages put their controls back first, then the user is told;
    // and a sender never waits for the user to close the notice.
    connect(hub, SIGNAL(SigMouseOffLineo(int)), this, SLOT(SlotMouseOffLine(int)), Qt::QueuedConnection);
    connect(hub, SIGNAL(SigDeviceBeingRead()), this, SLOT(SlotDeviceBeingRead()), Qt::QueuedConnection);

    m_TrayIcon = new QSystemTrayIcon();
    m_TrayIcon->setIcon(PictureIcon(m_PictureFolder + "Logo.png"));
    m_TrayIcon->setToolTip(g_ProductNameMain);
    CreateTrayActions();
    CreateTrayMenu();
    // The tray shows the menu itself, without a nested event loop inside the
    // icon's own mouse event.
    m_TrayIcon->setContextMenu(m_TrayMenu);
    connect(m_TrayIcon, &QSystemTrayIcon::activated, this, &DialogMain::on_activatedSysTrayIcon);

    PostMsg::GetInstance()->EmitLanguageSameA(g_LanguageIndex);
    PostMsg::GetInstance()->EmitLanguageSameB(g_LanguageIndex);
    PostMsg::GetInstance()->EmitAllLanguage(g_LanguageIndex);
}

// The program never destroys its window; where a window does go (the tests
// make many), it takes the device link with it, so that no device callback
// outlives it.
DialogMain::~DialogMain()
{
    ShutDown();
    delete m_TrayIcon;
    delete ui;
}

Dialog* DialogMain::PageShellFrame()
{
    if (!m_PageShell) {
        m_PageShell = new Dialog(ui->stackedWidgetMain);
        ui->stackedWidgetMain->insertWidget(kPageShellPage, m_PageShell);
    }
    return m_PageShell;
}

Dialog* DialogMain::PageShell()
{
    PageShellFrame()->FinishBuilding();
    return m_PageShell;
}

void DialogMain::BuildPageShellLater()
{
    if (m_PageShell || m_PageShellBuilder.isActive())
        return;
    // A zero timer rather than queued calls: timers and window events are
    // served between two parts, queued calls would run back to back.
    m_PageShellBuilder.setInterval(0);
    connect(&m_PageShellBuilder, &QTimer::timeout, this, &DialogMain::BuildPageShellPart);
    m_PageShellBuilder.start();
}

void DialogMain::BuildPageShellPart()
{
    if (m_ShutDownDone) {
        m_PageShellBuilder.stop();
        return;
    }
    const bool frameOnly = !m_PageShell;
    Dialog* shell = PageShellFrame();
    if (!frameOnly && !shell->BuildNextPart())
        m_PageShellBuilder.stop();
}

void DialogMain::SlotChangeMainDialog(int index)
{
    g_SendEnabled = true;
    if (index == kDeviceListPage) {
        // Every way out of the pages keeps the last configuration for offline
        // display: the back arrow, and the device's leaving or the end of a
        // firmware update, which return here from other threads.
        if (PageShellShown())
            WriteOfflineCopy();
        // Whatever the pages run ends before the device hears of the leaving.
        if (m_PageShell)
            m_PageShell->LeavePages();
        PostMsg::GetInstance()->EmitSecondPageChange();
        ForgetSuspendedDevicePage();
        g_DevicePageShown = false;
        PostMsg::GetInstance()->EmitMainPageChange();
        UsbServer_Exit();
        QThread::msleep(Timing().backToListPauseMs);
        ui->stackedWidgetMain->setCurrentIndex(kDeviceListPage);
        StartUsbChanged(OnDeviceListUsbChanged, Timing().hotPlugWatchMs);
    } else if (index == kPageShellPage) {
        ui->stackedWidgetMain->setCurrentWidget(PageShell());
        StartUsbChanged(OnUsbChanged, Timing().hotPlugWatchMs);
    }
}

// 0 minimise from the page shell, 1 close from the page shell, 2 minimise
// from the device list, 3 close from the device list.
void DialogMain::SlotChangeSize(int index)
{
    if (index < 0 || index > 3)
        return;
    if (index == 1 || index == 3) {
        close();
        return;
    }
    if (!SystemTrayAvailable()) {
        // Nothing could bring a hidden window back; the device hears of it
        // only once the window is really out of sight.
        showMinimized();
        FollowMinimisedWindow();
        return;
    }
    if (index == 0)
        UsbServer_SetPCDriverStatus(0);
    HideToTray();
}

void DialogMain::closeEvent(QCloseEvent* event)
{
    event->accept();
    // Ends every event loop, the modal ones included; ShutDown follows from
    // aboutToQuit once they have all returned.
    QCoreApplication::quit();
}

void DialogMain::ShutDown()
{
    if (m_ShutDownDone)
        return;
    m_ShutDownDone = true;
    qDebug() << "close";
    if (m_PageShell)
        m_PageShell->LeavePages();
    hide();
    m_TrayIcon->hide();
    // Nothing the device still reports opens a page's dialog on the way out,
    // and no device-side emission waits for the GUI thread any more.
    QObject::disconnect(PostMsg::GetInstance(), nullptr, nullptr, nullptr);
    StopUsbChanged();
    // No pass of the device thread tells the device the program is back.
    if (g_WorkerThread)
        g_WorkerThread->Stop();
    if (PageShellShown()) {
        // The record held may be another profile's until the device's re-read
        // has come: the offline copy takes the device's configuration or
        // stays as it is.
        if (ReadBackBeforeLeaving())
            WaitProcessingEventsUntil([] { return !g_ReadBackOutstanding; }, Timing().closeReadBackWaitMs);
        WriteOfflineCopy();
        UsbServer_SetPCDriverStatus(0);
    }
    WaitProcessingEvents(Timing().closeDeviceServerDelayMs);
    UsbServer_Exit();
    // Writes what the device reported until its server stopped.
    m_OfflineCopyKeeper.reset();
}

bool DialogMain::PageShellShown() const
{
    return ui->stackedWidgetMain->currentIndex() == kPageShellPage;
}

bool DialogMain::SystemTrayAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void DialogMain::HideToTray()
{
    hide();
    m_TrayIcon->show();
}

void DialogMain::ShowFromTray()
{
    show();
    if (PageShellShown())
        UsbServer_SetPCDriverStatus(1);
    HideTrayIconLater();
}

// The icon's activation may come from inside the icon's own mouse event;
// hiding it there would destroy the tray's widget while Qt still delivers that
// event.
void DialogMain::HideTrayIconLater()
{
    QMetaObject::invokeMethod(m_TrayIcon, &QSystemTrayIcon::hide, Qt::QueuedConnection);
}

void DialogMain::FollowMinimisedWindow()
{
    const bool outOfSight = isMinimized() && !(windowHandle() && windowHandle()->isExposed());
    if (outOfSight == m_DeviceToldAway || (outOfSight && !PageShellShown()))
        return;
    m_DeviceToldAway = outOfSight;
    UsbServer_SetPCDriverStatus(outOfSight ? 0 : 1);
}

void DialogMain::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (windowHandle() && windowHandle() != m_FollowedWindow) {
        m_FollowedWindow = windowHandle();
        m_FollowedWindow->installEventFilter(this);
    }
}

bool DialogMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_FollowedWindow && event->type() == QEvent::Expose) {
        FollowMinimisedWindow();
        // Seen before the window draws what the expose asks for.
        if (m_FollowedWindow->isExposed())
            BuildPageShellLater();
    }
    return QDialog::eventFilter(watched, event);
}

void DialogMain::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange)
        FollowMinimisedWindow();
    QDialog::changeEvent(event);
}

void DialogMain::CreateTrayActions()
{
    m_ActionMain = new QAction(m_TrayTextMain, this);
    connect(m_ActionMain, &QAction::triggered, this, &DialogMain::slotActionMain);
    m_ActionExit = new QAction(m_TrayTextExit, this);
    connect(m_ActionExit, &QAction::triggered, this, &DialogMain::slotActionExitApp);
}

void DialogMain::CreateTrayMenu()
{
    m_TrayMenu = new QMenu(this);
    m_TrayMenu->addAction(m_ActionMain);
    m_TrayMenu->addSeparator();
    m_TrayMenu->addAction(m_ActionExit);
}

void DialogMain::on_activatedSysTrayIcon(QSystemTrayIcon::ActivationReason reason)
{
    // Context: the icon opens its context menu itself.
    switch (reason) {
    case QSystemTrayIcon::DoubleClick:
        show();
        HideTrayIconLater();
        break;
    case QSystemTrayIcon::Trigger:
        ShowFromTray();
        break;
    default:
        break;
    }
}

void DialogMain::slotActionMain()
{
    ShowFromTray();
}

void DialogMain::slotActionExitApp()
{
    close();
}

void DialogMain::SlotMouseOffLine(int index)
{
    // Reports of one absence come in bursts; one notice says it. A report
    // queued before the program began to leave is not told.
    if (m_OfflineNoticeOpen || m_ShutDownDone)
        return;
    m_OfflineNoticeOpen = true;
    g_OfflineNoticeKind = index;
    MouseOffLine notice;
    PlaceDialog(&notice, this, 0, -20);
    // Only the online watch reads these, on its own beat. Set once the
    // notice listens, so that the watch's "back online" always closes it.
    g_DeviceOffline = true;
    g_RestartRequested = true;
    // Over the pages only: a device that has gone takes its notice along.
    RunPageDialog(notice);
    m_OfflineNoticeOpen = false;
}

void DialogMain::SlotDeviceBeingRead()
{
    // A drag or quick clicks are refused in a row; one notice says it. A
    // refusal queued before the program began to leave is not told.
    if (m_BeingReadNoticeOpen || m_ShutDownDone)
        return;
    m_BeingReadNoticeOpen = true;
    DeviceBeingRead notice;
    PlaceDialog(&notice, this, 0, -20);
    RunPageDialog(notice);
    m_BeingReadNoticeOpen = false;
}

void DialogMain::SlotAllLanguage(int index)
{
    Q_UNUSED(index) // LanguageText reads the row of g_LanguageIndex, which every emitter passes
    m_TrayTextMain = LanguageText(g_LangTextsDialogMain, 0, g_ProductNameMain);
    m_TrayTextExit = LanguageText(g_LangTextsDialogMain, 1, QStringLiteral("Exit"));
    m_ActionMain->setText(m_TrayTextMain);
    m_ActionExit->setText(m_TrayTextExit);
}

void DialogMain::mousePressEvent(QMouseEvent* event)
{
    m_DragOffset = event->globalPos() - pos();
}

void DialogMain::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() == Qt::LeftButton && !isMaximized() && !m_DragOffset.isNull())
        move(event->globalPos() - m_DragOffset);
}

void DialogMain::mouseReleaseEvent(QMouseEvent*)
{
    m_DragOffset = QPoint();
}

void DialogMain::RunPairing(bool chosenDevice)
{
    g_PairChosenDevice = chosenDevice;
    RunPairingDialog(this);
}

// Space on the device list with one receiver listed: pairing it, a warning
// that the mouse firmware needs its cable, or, confirmed, writing the
// receiver's firmware again.
void DialogMain::CheckTheListedReceiver()
{
    if (g_ListedDevices.size() != 1 || g_ListedDevices.first().KindFlag)
        return;
    // The pairing and update dialogs work with the pages.
    PageShell();
    const ListedFirmwareCheck check = CheckListedDeviceFirmware(g_ListedDevices.first());
    if (check.recordedVersion.isEmpty() || check.mouseImageWaits == check.receiverImageWaits) {
        RunPairing(false);
        return;
    }
    if (check.mouseImageWaits) {
        UpDateWarning warning;
        warning.SetText(g_UpdateWarningText);
        PlaceDialog(&warning, this, kListedReceiverNoticeShift, 0);
        warning.exec();
        return;
    }
    ContainReset question;
    question.SetText(g_DeviceListText8);
    PlaceDialog(&question, this, kListedReceiverNoticeShift, 0);
    question.exec();
    if (!question.Confirmed)
        return;
    UpDateRepair repair;
    PlaceDialog(&repair, this);
    repair.StartRepairWithMode(0);
    repair.exec();
}

void DialogMain::keyPressEvent(QKeyEvent* event)
{
    if (g_MacroRecording)
        return;
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_F12:
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        PostMsg::GetInstance()->EmitEnterKey();
        return;
    case Qt::Key_Space:
        if (PageShellShown() && m_PageShell->WaitingForDevice())
            return;
        if (PageShellShown())
            RunPairing(true);
        else
            CheckTheListedReceiver();
        return;
    default:
        // Not the dialog's handling: no key closes the window.
        QWidget::keyPressEvent(event);
    }
}
