#pragma once

#include "device/DeviceRecords.h"

#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QTimer;

// 1 while the button page's import runs its wait dialog, else 0: the dialog
// then says that a file is being imported. GUI thread only.
extern int g_UpDataParamImportMode;

// Waits ms milliseconds on the GUI thread while handling events, so that the
// device side's blocking hub signals reach the pages meanwhile.
void UpDataParamWaitMs(int ms);

struct Ui_UpDataParam
{
    QFrame* UpDataParamA = nullptr;
    QLabel* label = nullptr;

    void setupUi(QDialog* dialog);
    void retranslateUi(QDialog* dialog);
};

// The small modal "please wait" dialog that covers a wait for the device:
// after a device was opened or asked for a re-read (the page shell), after a
// factory reset and while an imported settings file is applied (the button
// page). The opener calls StartTimer, sets the mode, places the dialog and
// runs exec (RunOverPages over the button page); some time later the dialog
// does its work and closes itself:
//
// - wait-only: waits for both pages to take a full read; reports an absent
//   device when they do not;
// - import: applies the settings file to the device and the pages, or shows
//   why it cannot;
// - normal: with an answering device, waits for the pages as above (and
//   creates the model's offline cache at its first read); without one, shows
//   the cached configuration and reports the device absent.
//
// A run takes its mode when it starts. StartTimer while the dialog is open
// re-arms it: a pending run is put off, and a run under way is followed by
// another (after the same delay) instead of closing the dialog.
class UpDataParam : public QDialog
{
    Q_OBJECT

public:
    explicit UpDataParam(QWidget* parent = nullptr);
    ~UpDataParam() override;

    void StartTimer();
    void SetWaitOnly();
    void SetImportFile(const QString& path);

    // Runs the dialog modally as one of the pages' dialogs: leaving the pages
    // closes it, and a run under way then ends without another word about
    // the device that went. False when leaving the pages closed it.
    bool RunOverPages();
    void done(int result) override;

public slots:
    void onTimeupDestroy();
    void SlotAllLanguage(int index);

private:
    bool WaitForPages();
    void WaitWhileOpen(int ms);
    bool EndAbandonedRun();
    void RunWaitOnly();
    void RunImport();
    void RunNormal();
    // Ends the run's waiting: closes the dialog, or arms the next run when
    // one was asked for meanwhile.
    void FinishRun();

    QString m_ImportPath;
    bool m_ImportMark = false;
    bool m_WaitOnlyMark = false;
    bool m_Running = false;
    bool m_RunAgain = false;
    bool m_EndsWithPages = false;
    // The pages were left while a run was under way.
    bool m_Abandoned = false;
    Ui_UpDataParam* ui;
    QTimer* m_Timer;
};
