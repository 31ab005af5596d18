#pragma once

#include "core/CrashDumpHandler.h"

#include <QDialog>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QSystemTrayIcon>
#include <QTimer>

#include <memory>

class Dialog;
class DialogChange;
class OfflineCopyKeeper;
class QAction;
class QMenu;
class QWindow;
class Ui_DialogMain;

// The program's one top-level window: frameless, 1020 x 700, holding the
// device list (stack index 0) and the page shell (index 1). It loads the
// language files, switches its pages and the hot-plug callback on
// SigChangeMainDialog, hides to the tray or closes on SigChangeSize, shows the
// offline notice on SigMouseOffLineo and the notice of a change refused while
// the device is read again on SigDeviceBeingRead, is dragged by any point no
// child takes, and handles the global keys.
//
// Every way of leaving (closing the window by its buttons or by the window
// manager, the tray's exit, the end of the session, SIGTERM or SIGINT) ends
// the application's event loop; ShutDown then runs once, from aboutToQuit.
class DialogMain : public QDialog
{
    Q_OBJECT

public:
    explicit DialogMain(QWidget* parent = nullptr);
    ~DialogMain() override;

    DialogChange* DeviceList() const { return m_DialogChange; }
    QSystemTrayIcon* TrayIcon() const { return m_TrayIcon; }
    QMenu* TrayMenu() const { return m_TrayMenu; }
    // The page shell, built whole first if the window had no time to build
    // it yet.
    Dialog* PageShell();

    // The program leaves: tells an open device so and caches its
    // configuration (the device's own: a re-read it asked for is waited for
    // first), stops the hot-plug watch, the device thread and the device
    // server. Runs once; later calls do nothing.
    void ShutDown();

public slots:
    void SlotChangeMainDialog(int index);
    void SlotChangeSize(int index);
    void SlotMouseOffLine(int index);
    void SlotDeviceBeingRead();
    void on_activatedSysTrayIcon(QSystemTrayIcon::ActivationReason reason);
    void slotActionMain();
    void slotActionExitApp();
    void SlotAllLanguage(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Whether a tray icon can bring a hidden window back.
    virtual bool SystemTrayAvailable() const;

private:
    // The page shell is built after the device list is first drawn, a part
    // per turn of the event loop, so that the list shows at once and no part
    // holds the window up for long; whatever needs the pages sooner builds
    // the rest at once through PageShell.
    void BuildPageShellLater();
    void BuildPageShellPart();
    Dialog* PageShellFrame();
    void CreateTrayActions();
    void CreateTrayMenu();
    void HideToTray();
    void ShowFromTray();
    void HideTrayIconLater();
    // Tells the device on the page shell whether the window is really out of
    // sight after a minimise without a tray.
    void FollowMinimisedWindow();
    bool PageShellShown() const;
    void CheckTheListedReceiver();
    // Runs the pairing dialog over the window, for the chosen device or for
    // the one listed receiver, then gives the current device its report
    // callback back.
    void RunPairing(bool chosenDevice);

    Ui_DialogMain* ui;
    CrashDumpHandler m_CrashDumpHandler;
    // Until the shutdown.
    std::unique_ptr<OfflineCopyKeeper> m_OfflineCopyKeeper;
    Dialog* m_PageShell = nullptr;
    QTimer m_PageShellBuilder;
    DialogChange* m_DialogChange = nullptr;
    QSystemTrayIcon* m_TrayIcon = nullptr;
    QMenu* m_TrayMenu = nullptr;
    QAction* m_ActionMain = nullptr;
    QAction* m_ActionExit = nullptr;
    QString m_PictureFolder;
    QString m_TrayTextMain;
    QString m_TrayTextExit;

    // Cursor minus window position at the last press; (0, 0): no drag.
    QPoint m_DragOffset;

    bool m_OfflineNoticeOpen = false;
    bool m_BeingReadNoticeOpen = false;
    bool m_ShutDownDone = false;
    // The platform window whose exposure tells whether a minimised window is
    // really out of sight (without a window manager it stays on screen).
    QPointer<QWindow> m_FollowedWindow;
    // The device was told the program left because the window, minimised
    // without a tray, went out of sight; showing it again tells it back.
    bool m_DeviceToldAway = false;
};
