#pragma once

#include <QDialog>
#include <QPoint>
#include <QString>
#include <QSystemTrayIcon>

class Dialog;
class DialogChange;
class QAction;
class QMenu;
class Ui_DialogMain;

// The program's one top-level window: frameless, 1020 x 700, holding the
// device list (stack index 0) and the page shell (index 1). It loads the
// language files, switches its pages and the hot-plug callback on
// SigChangeMainDialog, hides to the tray or closes on SigChangeSize, shows the
// offline notice on SigMouseOffLineo, is dragged by any point no child takes,
// and handles the global keys.
class DialogMain : public QDialog
{
    Q_OBJECT

public:
    explicit DialogMain(QWidget* parent = nullptr);
    ~DialogMain() override;

    DialogChange* DeviceList() const { return m_DialogChange; }
    QSystemTrayIcon* TrayIcon() const { return m_TrayIcon; }
    QMenu* TrayMenu() const { return m_TrayMenu; }

    // Processes events, at most one time slice at a time, until ms have passed.
    static void WaitMs(int ms);

public slots:
    void SlotChangeMainDialog(int index);
    void SlotChangeSize(int index);
    void SlotMouseOffLine(int index);
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

    // Whether a tray icon can bring a hidden window back.
    virtual bool SystemTrayAvailable() const;

private:
    void MigrateLegacyLanguageIndex();
    void CreateTrayActions();
    void CreateTrayMenu();
    void HideToTray();
    void ShowFromTray();
    void ShutDownDeviceLink();
    void PairTheOpenReceiver();
    void CheckTheListedReceiver();
    // Runs the pairing dialog over the window, for the chosen device or for
    // the one listed receiver, then gives the current device its report
    // callback back.
    void RunPairing(bool chosenDevice);

    Ui_DialogMain* ui;
    Dialog* m_PageShell = nullptr;
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
    // Minimised the ordinary way because there is no tray: the page shell told
    // the device the program leaves, so a restore tells it the program is back.
    bool m_MinimisedWithoutTray = false;
};
