#pragma once

#include "device/DeviceRecords.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class QLabel;
class QTimer;
class QToolButton;
class QDialog;
class QWidget;
class UpDateRepair;
class UpDateWarning;
class UpgradeSilenceGuard;

// The settings page's widgets that the firmware update drives.
struct FirmwareUpdateWidgets {
    QWidget* page = nullptr;              // the page: the dialogs are placed over it
    QLabel* receiverVersion = nullptr;    // label_5
    QLabel* mouseVersion = nullptr;       // label_7
    QToolButton* receiverMark = nullptr;  // toolButton_2: the receiver part found no device or several
    QToolButton* mouseMark = nullptr;     // toolButton_3: the same for the mouse part
    QToolButton* updateButton = nullptr;  // Receive_2
};

// The firmware update of the settings page: the receiver part, then the mouse
// part. The update button runs the decision (ChechIsUpDate) and opens the
// update dialog; its start button makes the hub emit SigUpdateStart, and each
// part then steps once a second (RunUpdateStep) while the device library
// writes the image and reports through ReceiverUpgradeCallback or
// MouseUpgradeCallback (settings/UpdateUpgrade.h). With one device present it
// resumes a failed update recorded in "UpdateFailInfo".
//
// The engine also keeps the version labels and the update button's look:
// SetVer, and the versions that opening a device, hot-plug changes and a
// finished update report (SlotLabelTextB, SlotLabelText).
//
// The settings page creates one engine, with the page as parent, where it
// creates the update dialog: the engine creates the dialog (hidden, kept in
// g_UpDateRepairDialog) and the warning dialog, and connects itself to
// SigSetver, SigSetNewVer, SigCheckUpdate, SigUpdateStart, SigContinue,
// SigLabelText and SigLabelTextB, and the update button's clicked to
// on_Receive_2_clicked.
// Its texts are the page's language texts ("FormSetting"), taken when used.
// GUI thread only.
class FirmwareUpdateEngine : public QObject
{
    Q_OBJECT

public:
    FirmwareUpdateEngine(const FirmwareUpdateWidgets& widgets, QObject* parent = nullptr);
    ~FirmwareUpdateEngine() override;

    UpDateRepair* Dialog() const { return m_Dialog.get(); }
    UpDateWarning* Warning() const { return m_Warning.get(); }

    // Decides what can be updated and prepares the dialog: true when the
    // update can start; otherwise the dialog's message says why.
    bool ChechIsUpDate();
    // One step of the part of target (211 receiver, 210 mouse); versionText
    // is the text of that part's version label.
    void RunUpdateStep(int step, int target, const QString& versionText);
    void FinishReceiverUpdateView();
    void FinishMouseUpdateView();

    // The update button's look: waiting (an image waits) or the plain
    // confirm look. Either shows the button.
    void SetUpdateButtonLook(bool waiting);

public slots:
    void on_Receive_2_clicked();
    void on_Receive_clicked();
    void on_Mouse_clicked();
    void SetVerText();
    void onDongleCheckTimer();
    void onMouseCheckTimer();
    void SetVer(int index);
    void SlotContinue(int index);
    void on_Start();
    void SlotCheckUpdate();
    void SlotLabelText(int index, QString Text);
    void SlotLabelTextB(QString TextA, QString Text);

private:
    bool ShowMessage(const QString& text);
    // When the part of target has a damaged image, the dialog names it as
    // the part not written.
    void NoteDamagedPart(int target, const QString& imageName, int modelMid);
    // The dialog names the part of target as not written for its damaged
    // image, and the page does not call the devices up to date.
    void NameDamagedPart(int target);
    bool CheckMouseAndReceiver(const QString& mouseName, int modelMid);
    bool CheckSeveralDevices();
    bool CheckResume(const QStringList& record, const QString& mouseName, int modelMid);
    void PlaceOverPage(QDialog* dialog) const;
    void StartPart(int target);
    void PrepareStep(int target, const QString& versionText);
    void StartStep(int target, const QString& versionText);
    void FinishStep(int target);
    void EndWithoutImage(int target);
    // False when the library refused the image.
    bool StartPartUpgrade(int target);
    void RefusePart(int target);
    void EndAfterRefusedPart();
    void EndAfterPartNotStarted(int state);
    void ShowWarning(const QString& text);
    int& BootCount(int receiverClass);
    int BootCountTotal() const;
    QString ReceiverImageName(int receiverClass) const;
    int ModelMid() const;
    void FillVersionLabels(bool withImageCheck = true);

    FirmwareUpdateWidgets m_Widgets;
    std::unique_ptr<UpDateRepair> m_Dialog;
    std::unique_ptr<UpDateWarning> m_Warning;
    QTimer* m_ReceiverUpdateTimer = nullptr;
    QTimer* m_MouseUpdateTimer = nullptr;
    // Ends an upgrade that stops reporting (settings/UpgradeSilenceGuard.h).
    UpgradeSilenceGuard* m_SilenceGuard = nullptr;
    QString m_PicturePath;
    QString m_ButtonColor;

    bool m_ReceiverNoImage = false;
    bool m_MouseNoImage = false;
    bool m_MouseRunning = false;
    bool m_ReceiverRunning = false;
    int m_UpdateStep = 0;
    // Copies: the hot-plug handler rebuilds g_DeviceList while a part runs.
    QList<DeviceAllInfo> m_ReceiverCandidates;
    bool m_WarnWithDialog = false;
    // The update decided on leaves a part unwritten for its damaged image.
    bool m_DamagedPartLeft = false;
    // The library refused the running part's image at its start.
    bool m_StartRefused = false;
    // A part of the update under way has been written.
    bool m_PartWritten = false;
    QString m_ResumeReceiverImageName;
    int m_BootCountDM = 0;
    int m_BootCountD2M = 0;
    int m_BootCountD4M = 0;
    int m_BootCountD8M = 0;
    int m_MouseAfterReceiver = 0;
};
