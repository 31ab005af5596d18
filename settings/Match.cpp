#include "settings/Match.h"

#include "core/ConfigIni.h"
#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "core/Timing.h"
#include "device/DeviceIdentification.h"
#include "device/DeviceLibrary.h"
#include "device/DeviceListDiscovery.h"
#include "device/DeviceReports.h"
#include "device/DeviceState.h"
#include "device/DeviceThreadDiscovery.h"
#include "settings/Ui_Match.h"
#include "widgets/DialogFamily.h"
#include "widgets/FormStyles.h"

#include <QEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

std::atomic<int> g_PairState{0};
bool g_PairChosenDevice = false;

namespace {

enum PairState { PairIdle = 0, PairRunning = 1, PairSucceeded = 2, PairFailed = 3 };

// The class of the receiver's answer to a pairing-status request and the
// statuses of its first payload byte.
constexpr int PairingReportClass = 6;
constexpr std::uint8_t PairingFailedStatus = 2;
constexpr std::uint8_t PairedStatus = 3;

// How many paths the receiver search returns at most.
constexpr int ReceiverSearchCount = 5;

// A pairing that held off the device thread by clearing g_DevicePageShown.
// GUI thread.
bool g_PairSuspendedPage = false;

// The dialog whose pairing runs; none: a set g_Pairing is stale. GUI thread.
Match* g_PairingDialog = nullptr;

void RestoreSuspendedPage()
{
    if (g_PairSuspendedPage)
        g_DevicePageShown = true;
    g_PairSuspendedPage = false;
}

// The hot-plug handler of the page on screen: the device thread's while the
// page shell shows a device, else the device list's.
void WatchUsbForShownPage()
{
    StartUsbChanged(g_DevicePageShown ? OnUsbChanged : OnDeviceListUsbChanged, Timing().hotPlugWatchMs);
}

} // namespace

void PairingReceiveCallback(unsigned char* header, int headerLength, unsigned char* payload, int payloadLength)
{
    const int reportClass = header && headerLength >= 2 ? header[1] : 0;
    if (reportClass != PairingReportClass || !payload || payloadLength < 1)
        return;
    const std::uint8_t status = payload[0];
    if (status != PairingFailedStatus && status != PairedStatus)
        return;
    // The end is recorded before the dialog hears of it: its slots run later,
    // and a pairing started again meanwhile has set g_Pairing anew.
    g_Pairing = false;
    const bool paired = status == PairedStatus;
    g_PairState = paired ? PairSucceeded : PairFailed;
    PostMsg* hub = PostMsg::GetInstance();
    hub->EmitTimerStop();
    hub->EmitButtonEnable(paired ? 1 : 0);
}

void RunPairingDialog(QWidget* opener, int dx, int dy)
{
    {
        Match pairing;
        pairing.Prepare();
        PlaceDialog(&pairing, opener, dx, dy);
        pairing.exec();
    }
    const bool paired = g_PairState == PairSucceeded;
    // Runs the hot-plug handler at once: a receiver now paired with another
    // model takes the window back to the device list.
    WatchUsbForShownPage();
    // Without an open device the path names none (or the placeholder).
    if (!g_DevicePageShown)
        return;
    const QByteArray path = g_DevicePathC.Snapshot();
    UsbServerC_Start(path.constData(), path.constData(), OnDeviceReport);
    // The pages showed the mouse paired before: they read the new one.
    if (paired)
        UsbServer_ReadAllFlashData();
}

void ForgetSuspendedDevicePage()
{
    g_PairSuspendedPage = false;
}

Match::Match(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui_Match)
    , m_UsbTimer(new QTimer(this))
    , m_PairTimer(new QTimer(this))
    , m_TextTimer(new QTimer(this))
    , m_TimeoutTimer(new QTimer(this))
{
    ui->setupUi(this);
    m_PictureFolder = PictureFolder("Setting");
    setWindowFlags(kDialogFamilyWindowFlags);
    setFixedSize(width(), height());

    const QString labelColor = OptionColorText("LabelColor");
    setAttribute(Qt::WA_TranslucentBackground);
    ui->textEdit->setStyleSheet("#textEdit{border: transparent;background-color: transparent;color: rgb(" + labelColor
                                + ");}");
    ui->label->setStyleSheet("#label{color: rgb(" + labelColor + ");}");
    ui->label->hide();

    m_ButtonColor = OptionColorText("ButtonColor");
    StyleMatchButton("Pair.png", m_ButtonColor);
    ui->toolButton_2->setStyleSheet(ColoredButtonStyle("QToolButton", PictureProperty::Background, m_PictureFolder,
                                                       "255,255,255", {"Picture.png", {}, {}, {}}));
    ui->CloseButton->setStyleSheet(PictureButtonStyle(m_PictureFolder, "CloseSecondPage.png",
                                                      "CloseSecondPageHover.png", "CloseSecondPageClick.png"));
    ui->MatchA->setStyleSheet(FrameBackgroundStyle("MatchA", m_PictureFolder, "BackSecondPage.png", RuleEnd::Spaced));

    m_CurrentPath = g_CurrentDevice.Snapshot().Path;

    const Timings timing = Timing();
    connect(m_UsbTimer, SIGNAL(timeout()), this, SLOT(onUSBTimeupDestroy()));
    connect(m_PairTimer, SIGNAL(timeout()), this, SLOT(onPairTimeupDestroy()));
    connect(m_TextTimer, SIGNAL(timeout()), this, SLOT(onTextTimeupDestroy()));
    m_UsbTimer->setInterval(timing.pairingDeviceCheckMs);
    m_PairTimer->setInterval(timing.pairingStepMs);
    m_TextTimer->setInterval(timing.pairingTextStepMs);
    m_TimeoutTimer->setSingleShot(true);
    m_TimeoutTimer->setInterval(timing.pairingTimeoutMs);
    connect(m_TimeoutTimer, &QTimer::timeout, this, [this] {
        if (g_Pairing)
            FailPairing();
    });

    QObject* hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigTimerStop()), this, SLOT(SlotStopTimer()));
    connect(hub, SIGNAL(SigButtonEnable(int)), this, SLOT(SlotButtonenable(int)));
    connect(ui->CloseButton, SIGNAL(clicked()), this, SLOT(WindowClosedSet()));
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(g_LanguageIndex);
}

Match::~Match()
{
    if (g_PairingDialog == this) {
        g_PairingDialog = nullptr;
        g_Pairing = false;
    }
    RestoreSuspendedPage();
    delete ui;
}

void Match::Prepare()
{
    ui->MatchButton->setShortcut(QKeySequence(Qt::Key_Space));
    // A focused button would also take the Space that fired its shortcut, on
    // the key's release: one press would start pairing twice.
    ui->MatchButton->setFocusPolicy(Qt::NoFocus);
    m_DotCount = 0;
    g_PairState = PairIdle;
    if (!g_PairingDialog)
        g_Pairing = false;
    ui->MatchButton->setEnabled(true);
    StyleMatchButton("Pair.png", m_ButtonColor);
    SetButtonText(m_TextStart);

    DeviceAllInfo receiver;
    if (g_DevicePageShown) {
        receiver = g_CurrentDevice.Snapshot();
        receiver.Path = m_CurrentPath;
    } else if (g_PairChosenDevice) {
        receiver = g_ChosenDevice;
    } else if (!g_ListedDevices.isEmpty()) {
        receiver = g_ListedDevices.first();
    }
    m_PairPath = receiver.Path;
    m_Vid = receiver.Vid;
    m_Pid = receiver.Pid;
    m_Wired = receiver.KindFlag;
    m_Cid = static_cast<std::uint8_t>(ConfigIni::GetInstance()->Value("Option", "CID").toInt());
    m_UsbTimer->start();
}

void Match::SetButtonText(const QString& text)
{
    // A button's new text replaces its shortcut with the text's mnemonic:
    // Space stays the button's key whatever it shows.
    const QKeySequence shortcut = ui->MatchButton->shortcut();
    ui->MatchButton->setText(text);
    ui->MatchButton->setShortcut(shortcut);
}

void Match::StyleMatchButton(const QString& picture, const QString& colorText)
{
    ui->MatchButton->setStyleSheet(ColoredButtonStyle("QPushButton", PictureProperty::Background, m_PictureFolder,
                                                      colorText, {picture, {}, {}, {}}));
}

void Match::onUSBTimeupDestroy()
{
    if (!g_Pairing) {
        m_CanPair = !m_Wired;
        ui->label->setVisible(m_Wired);
        ui->textEdit->setVisible(!m_Wired);
    }
    ui->MatchButton->setEnabled(m_CanPair);
    if (!m_CanPair)
        StyleMatchButton("Pair.png", "0,0,0");
}

void Match::on_MatchButton_clicked()
{
    if (g_PairState == PairSucceeded || !m_CanPair)
        return;
    g_PairState = PairRunning;
    m_TextTimer->start();
    SetButtonText(m_TextMatching);
    StyleMatchButton("Pair.png", m_ButtonColor);
    // The device thread leaves the receiver to the pairing until it ends.
    if (g_DevicePageShown.exchange(false))
        g_PairSuspendedPage = true;
    StartPairing();
}

void Match::StartPairing()
{
    g_Pairing = true;
    g_PairingDialog = this;
    m_PairTimer->start();
    m_TimeoutTimer->start();
    const QByteArray path = LibraryPath(m_PairPath);
    UsbServerC_Start(path.constData(), path.constData(), PairingReceiveCallback);
    UsbServer_EnterDonglePairOnlyCid(m_Cid);
}

void Match::onTextTimeupDestroy()
{
    if (m_DotCount >= 4)
        m_DotCount = 0;
    SetButtonText(m_TextMatching + QString(m_DotCount, '.'));
    ++m_DotCount;
}

void Match::onPairTimeupDestroy()
{
    UsbServer_ReadDonglePairStatus();
    int count = ReceiverSearchCount;
    const QByteArray vid = m_Vid.toLatin1();
    const QByteArray pid = m_Pid.toLatin1();
    char** paths = UsbFinderC_FindHidDevicesByDefaultDeviceId(vid.constData(), pid.constData(), &count);
    const QByteArray pairPath = LibraryPath(m_PairPath);
    bool present = false;
    for (int i = 0; paths && i < count && !present; ++i)
        present = paths[i] && pairPath == paths[i];
    if (!present && g_Pairing)
        FailPairing();
}

void Match::FailPairing()
{
    StopPairingTimers();
    g_Pairing = false;
    g_PairState = PairFailed;
    g_PairingDialog = nullptr;
    SetButtonText(m_TextFail);
    StyleMatchButton("PairFail.png", m_ButtonColor);
    RestoreSuspendedPage();
}

void Match::StopPairingTimers()
{
    m_PairTimer->stop();
    m_TextTimer->stop();
    m_TimeoutTimer->stop();
}

void Match::SlotStopTimer()
{
    // Queued from the library thread: a pairing started after the report
    // keeps its timers, or it would show "pairing" for ever.
    if (g_Pairing)
        return;
    StopPairingTimers();
    if (g_PairingDialog == this)
        g_PairingDialog = nullptr;
}

void Match::SlotButtonenable(int index)
{
    // The answer ended an earlier pairing than the one now running.
    if (g_Pairing)
        return;
    // The receiver answered: the device pages get their device thread back.
    RestoreSuspendedPage();
    if (index == 1) {
        SetButtonText(m_TextSuccess);
        StyleMatchButton("PairSuccess.png", m_ButtonColor);
        ui->MatchButton->setEnabled(false);
    } else if (index == 0) {
        SetButtonText(m_TextFail);
        StyleMatchButton("PairFail.png", m_ButtonColor);
    }
}

void Match::WindowClosedSet()
{
    reject();
}

void Match::reject()
{
    // The close button and Escape alike: no leaving while the receiver pairs.
    if (g_Pairing)
        return;
    StopPairingTimers();
    m_UsbTimer->stop();
    RestoreSuspendedPage();
    QDialog::reject();
}

void Match::SlotAllLanguage(int /*index: always the current language*/)
{
    ui->label->setText(LanguageText(g_LangTextsMatch, 0, ui->label->text()));
    ui->textEdit->setText(LanguageText(g_LangTextsMatch, 1, ui->textEdit->toHtml()));
    m_TextStart = LanguageText(g_LangTextsMatch, 2, ui->MatchButton->text());
    SetButtonText(m_TextStart);
    m_TextMatching = LanguageText(g_LangTextsMatch, 3, QString());
    m_TextFail = LanguageText(g_LangTextsMatch, 4, QString());
    m_TextSuccess = LanguageText(g_LangTextsMatch, 5, QString());
}

void Match::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
