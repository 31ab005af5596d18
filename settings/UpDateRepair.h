#pragma once

#include <QDialog>
#include <QString>

class Ui_UpDateRepair;
class UpgradeSilenceGuard;

// The dialog of both firmware flows. The settings page's update places it,
// puts its decision into it and starts the update from its start button
// (SigUpdateStart while the device pages are shown); its progress and result
// arrive through SigProgress. The repair, from the device list, is the
// dialog's own: it reads the failed-update record, checks the devices
// present, and writes the images to the devices in boot mode.
//
// The settings page keeps one hidden instance in g_UpDateRepairDialog; the
// main window builds a short-lived one for a forced repair.
class UpDateRepair : public QDialog
{
    Q_OBJECT

public:
    explicit UpDateRepair(QWidget* parent = nullptr);
    ~UpDateRepair() override;

    Ui_UpDateRepair* Form() const { return ui; }

    // The views: which buttons, texts and bar the dialog shows.
    Q_INVOKABLE void ResetView();
    void ShowUpdateReadyView();
    void ShowMessageView();
    void ShowUpdatingView();
    void SetMessageText(const QString& text);
    // Lines under the ready text and under the update's result, each naming
    // the part of a target (210 mouse, 211 receiver) whose damaged image is
    // not written; a part already named is not named again. ResetView clears
    // them.
    void NoteDamagedImage(int target);
    void ClearSkippedPartNote();
    // The dialog shows an update or repair under way or its result (the bar
    // is shown) until it is reset.
    bool ShowsUpdate() const;
    // The updating view still stands: no result has been shown since.
    bool AwaitsResult() const;

    // Whether the recorded failed update, or a device waiting in boot mode
    // without a record, can be repaired now; otherwise the reason is the
    // dialog's message.
    bool CheckFailedUpdate();
    // Starts the repair the check found possible: the receiver first when it
    // has an image, else the mouse.
    void StartRepairUpdate();
    // A repair without the check, of the image the last repair image search
    // kept (FindRepairFirmwareImage); nothing is written when none is kept.
    void StartRepairWithMode(int mode);

public slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();
    void SlotAutoRepair(int index);
    void SlotAutoRepairProgress(int index);
    void SlotAllLanguage(int index);
    void SlotProgress(int schedue, int Discrib);
    void on_NewHong_2_clicked();
    // A check asked for by plugging devices in or out leaves the view of an
    // update under way or finished alone.
    void SlotRepairCheckUpdate();

protected:
    // Escape is the cancel button's shortcut only: while an update hides or
    // disables that button, Escape does not dismiss the dialog either.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ApplyStyles();
    void ApplyKeys();
    bool ShowMessage(const QString& text);
    void ShowResult(const QString& text, bool withConfirm);
    // The result of an update, with the skipped part's note under it.
    void ShowUpdateResult(const QString& text, bool withConfirm);
    QString WithSkippedPartNote(const QString& text) const;
    // Closing once the bar is shown: after a full bar the settings page shows
    // the version as new; on the device pages an unfinished update returns to
    // the device list.
    void CloseAfterUpdate();
    bool TakeRepairFromKeptImage();
    QString NoImageMessage(int target) const;
    int PresentReceivers(const QString& recordedClass) const;
    void TakeRecordedClass(const QString& recordedClass);

    Ui_UpDateRepair* ui;
    // Ends a repair whose upgrade stops reporting (settings/UpgradeSilenceGuard.h).
    UpgradeSilenceGuard* m_SilenceGuard = nullptr;
    QString m_PictureFolder;
    bool m_Forced = false;
    bool m_ImageFound = false;
    QString m_RepairReceiverImageName;
    QString m_RepairGroup;
    QString m_SkippedPartNote;

    QString m_TextCancel;
    QString m_TextConfirm;
    QString m_TextUpdating;
    QString m_TextNoDeviceFound;
    QString m_TextSeveralDevices;
    QString m_TextUpdateFail;
    QString m_TextUpdateSuccess;
    QString m_TextUpgrade;
    QString m_TextNoReceiverFound;
    QString m_TextNoWiredMouseFound;
    QString m_TextNoImage;
    QString m_TextSeveralMice;
    QString m_TextSeveralReceivers;
    QString m_TextReady;
    QString m_TextNoAnswer;
    QString m_TextImageDamaged;
};
