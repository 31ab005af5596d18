#pragma once

#include "device/DeviceState.h"

#include <QDialog>
#include <QString>

#include <atomic>
#include <cstdint>

class QTimer;
class Ui_Match;

// Pairing state, shared with the library thread that delivers the receiver's
// answers: 0 idle, 1 pairing, 2 paired, 3 failed.
extern std::atomic<int> g_PairState;
// The next pairing dialog pairs g_ChosenDevice (set by the device list and the
// main window before they open it). GUI thread only.
extern bool g_PairChosenDevice;

// The pairing dialog: tells the user to put the mouse into pairing mode,
// starts the receiver's pairing for the configured customer id on its button
// (or Space), animates the pairing text and shows success or failure.
//
// The opener constructs it, calls Prepare, places it and runs exec. While it
// pairs, the device library's server runs for the receiver with the dialog's
// own report callback; RunPairingDialog hands the device back afterwards.
//
// A pairing ends in success, in failure (the receiver's answer, the receiver
// unplugged, or no result within pairingTimeoutMs); until then the dialog
// cannot be closed, neither by its close button nor by Escape. Every end of a
// pairing, and closing the dialog, gives the device pages back the device
// thread that the pairing held off.
class Match : public QDialog
{
    Q_OBJECT

public:
    explicit Match(QWidget* parent = nullptr);
    ~Match() override;

    // Chooses the receiver to pair and starts following it.
    void Prepare();

public slots:
    void WindowClosedSet();
    void on_MatchButton_clicked();
    void onPairTimeupDestroy();
    void onUSBTimeupDestroy();
    void onTextTimeupDestroy();
    void SlotStopTimer();
    void SlotButtonenable(int index);
    void SlotAllLanguage(int index);
    void reject() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void StartPairing();
    // The pairing ended without the receiver's answer: failure view.
    void FailPairing();
    void StopPairingTimers();
    void SetButtonText(const QString& text);
    void StyleMatchButton(const QString& picture, const QString& colorText);

    Ui_Match* ui;
    bool m_CanPair = false;
    QString m_CurrentPath;
    std::uint8_t m_Cid = 0;
    QString m_PairPath;
    QString m_Vid;
    QString m_Pid;
    bool m_Wired = false;
    QString m_TextStart;
    QString m_TextMatching;
    QString m_TextFail;
    QString m_TextSuccess;
    int m_DotCount = 0;
    QString m_PictureFolder;
    QString m_ButtonColor;
    QTimer* m_UsbTimer;
    QTimer* m_PairTimer;
    QTimer* m_TextTimer;
    QTimer* m_TimeoutTimer;
};

// Runs a pairing dialog placed over opener (centred, then shifted by dx, dy).
// Afterwards the page on screen gets its hot-plug watch back, and an open
// device (the page shell still shows it) its device server with the report
// callback, whatever happened in the dialog. GUI thread.
void RunPairingDialog(QWidget* opener, int dx = 0, int dy = 0);

// The window went back to the device list while a pairing held the device
// pages off: the pairing's end gives nothing back. GUI thread.
void ForgetSuspendedDevicePage();

// The report callback while a dialog pairs (library thread).
void PairingReceiveCallback(unsigned char* header, int headerLength, unsigned char* payload, int payloadLength);
