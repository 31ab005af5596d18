#include "common/ChildProcess.h"
#include "mainwindow/MainWindowTestKit.h"

#include "core/PostMsg.h"
#include "device/DeviceCache.h"
#include "device/DeviceState.h"
#include "device/Senders.h"
#include "pages/macro/Macro.h"
#include "widgets/UpDataParam.h"
#include "mainwindow/Dialog.h"
#include "platform/SessionManagerLoss.h"
#include "platform/TerminationSignals.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QMenu>
#include <QMetaMethod>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <X11/ICE/ICElib.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

const char* const kReady = "ready";

QString ReceiverCachePath()
{
    return DeviceCacheFolder() + "/" + DeviceCacheFileName(0x0312);
}

// The receiver's offline copy holds the configuration of the mouse's active
// profile.
bool CopyIsTheActiveProfile()
{
    FlashDataMap copy{};
    const int profile = SimDeviceFixture::Value("mouseA", "active_profile").toInt();
    return LoadDeviceCache(DeviceCacheFileName(0x0312), copy) && copy == SimDeviceFixture::FlashRecord("mouseA", profile);
}

// The receiver's offline copy, where the exit handler below reads it.
std::string g_ExitCopyPath;

// Prints the report rate the offline copy holds (the first record byte after
// the length field), or that there is none. Runs from exit(), after the
// program's own exit handlers and before the test's folders go: plain C I/O.
void PrintCopyRateAtExit()
{
    int rate = -1;
    if (FILE* copy = std::fopen(g_ExitCopyPath.c_str(), "rb")) {
        unsigned char bytes[5];
        if (std::fread(bytes, 1, sizeof bytes, copy) == sizeof bytes)
            rate = bytes[4];
        std::fclose(copy);
    }
    std::printf("copy %d\n", rate);
    std::fflush(stdout);
}

// Every other profile of mouseA runs at another report rate than the first.
void GiveTheProfilesOtherRates()
{
    const FlashDataMap first = SimDeviceFixture::FlashRecord("mouseA", 0);
    for (int profile = 1; profile < 4; ++profile) {
        FlashDataMap other = SimDeviceFixture::FlashRecord("mouseA", profile);
        other.ReportRate = first.ReportRate == 8 ? 1 : 8;
        SimDeviceFixture::SetFlashRecord("mouseA", other, profile);
    }
}

void Print(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// A click that comes the way the user's does, through the window, so that a
// modal dialog would swallow it.
void ClickThroughTheWindow(DialogMain& window, QWidget* button)
{
    const QPoint centre = button->mapTo(&window, button->rect().center());
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, centre);
}

// What a session manager's checkpoint delivers ("save session", or a logout
// that another program may still cancel). The program does not use the
// session manager the signal carries.
void EmitCommitDataRequest()
{
    const QMetaObject& application = QGuiApplication::staticMetaObject;
    const int signalIndex = QMetaMethod::fromSignal(&QGuiApplication::commitDataRequest).methodIndex()
                            - application.methodOffset();
    void* arguments[] = {nullptr, nullptr};
    QMetaObject::activate(qApp, &application, signalIndex, arguments);
}

void Leave(DialogMain& window, Dialog& shell, const QString& way)
{
    auto* closeButton = shell.findChild<QToolButton*>("CloseButton");
    if (way == "checkpoint") {
        EmitCommitDataRequest();
        Print(QFile::exists(ReceiverCachePath()) ? "checkpoint: cache written" : "checkpoint: no cache");
        Print(QGuiApplication::isFallbackSessionManagementEnabled() ? "checkpoint: windows closed"
                                                                    : "checkpoint: windows kept");
        QFile::remove(ReceiverCachePath());
        // Later the user closes the window.
        QTimer::singleShot(10, &window, [&window, closeButton] {
            Print("running");
            ClickThroughTheWindow(window, closeButton);
        });
    } else if (way == "close-during-reread") {
        // The mouse's own button chooses another profile; its re-read waits
        // for the spacing, and the program leaves meanwhile. The shutdown is
        // called itself: the simulated devices, started here before the
        // window, would stop first on the quit, as they never do in the
        // program.
        SimCtl_Press("mouseA", "profile");
        auto* user = new QTimer(&window);
        QObject::connect(user, &QTimer::timeout, [&window, user] {
            if (!g_ReadBackOutstanding)
                return;
            user->stop();
            window.ShutDown();
            QCoreApplication::quit();
        });
        user->start(2);
    } else if (way == "session-manager-lost") {
        // What libICE does when the session manager's connection breaks.
        const IceIOErrorHandler handler = IceSetIOErrorHandler(nullptr);
        IceSetIOErrorHandler(handler);
        handler(nullptr);
    } else if (way == "exit") {
        // A change, then the platform ends the process with exit() (Qt's X11
        // platform does on a broken connection) before the offline copy's
        // spacing is over.
        const int rate = g_FlashData.Snapshot().ReportRate == 8 ? 1 : 8;
        if (!SendReportRate(rate)) {
            Print("not sent");
            QCoreApplication::quit();
            return;
        }
        Print("sent " + QString::number(rate));
        std::exit(1);
    } else if (way == "session-end") {
        // What the session manager's Die delivers.
        QEvent quit(QEvent::Quit);
        QCoreApplication::sendEvent(qApp, &quit);
    } else if (way == "close-button") {
        ClickThroughTheWindow(window, closeButton);
    } else if (way == "window-manager") {
        // What the platform delivers when the window manager closes the window.
        QCloseEvent close;
        QCoreApplication::sendEvent(window.windowHandle(), &close);
    } else if (way == "tray-exit") {
        window.TrayMenu()->actions().last()->trigger();
    } else if (way == "close-while-waiting") {
        // A device that keeps asking for read-backs keeps the wait dialog up.
        auto* storm = new QTimer(&window);
        QObject::connect(storm, &QTimer::timeout, [&shell] {
            if (shell.WaitDialog()->isVisible())
                PostMsg::GetInstance()->EmitUpDataParam(1);
        });
        storm->start(2);
        auto* user = new QTimer(&window);
        QObject::connect(user, &QTimer::timeout, [&window, &shell, closeButton] {
            if (shell.WaitDialog()->isVisible())
                ClickThroughTheWindow(window, closeButton);
        });
        user->start(20);
        PostMsg::GetInstance()->EmitUpDataParam(1);
    } else if (way == "close-while-recording") {
        g_MacroRecording = true;
        PostMsg::GetInstance()->EmitStartRecord(0);
        ClickThroughTheWindow(window, closeButton);
    } else if (way == "list-close") {
        ClickThroughTheWindow(window, window.DeviceList()->findChild<QToolButton*>("CloseButton"));
    }
    // sigterm, sigint: the test sends the signal.
}

// The child: the main window over the default devices, the receiver open
// (except for "list-close"). It prints "ready", leaves the named way, and once
// the event loop has ended prints the device library's calls since "ready"
// that start or stop the device link, then whether the receiver's offline
// cache was written on the way out.
int LeavingChild(int argc, char* argv[])
{
    char name[] = "leaving";
    char* applicationArguments[] = {name, nullptr};
    int applicationArgumentCount = 1;
    QApplication application(applicationArgumentCount, applicationArguments);
    QApplication::setQuitOnLastWindowClosed(false);
    QuitOnTerminationSignals();
    QuitOnSessionManagerLoss();
    const QString way = argc > 0 ? QString::fromUtf8(argv[0]) : QString();

    PrepareMainWindowFolders();
    Timings timings = Timing();
    if (way == "checkpoint" || way == "exit") {
        // Only the way out writes the offline copy.
        timings.offlineCopySpacingMs = 600000;
    }
    SetTimings(timings);
    ResetSimulatedDevices();
    if (way == "exit") {
        g_ExitCopyPath = ReceiverCachePath().toStdString();
        std::atexit(PrintCopyRateAtExit);
    }
    auto window = NewMainWindow();
    auto* shell = window->PageShell();
    if (way != "list-close") {
        if (!OpenListedDevice(*window, "rx4k") || !FlashDataIsTheMouseRecord("mouseA"))
            return 2;
    }
    if (way == "close-during-reread") {
        // The opening's own re-reads are over; the next one waits, and the
        // way out waits for its answer as long as it takes.
        if (!QTest::qWaitFor([] { return !g_ReadBackOutstanding && SimCtl_Pending() == 0; }, 20000))
            return 2;
        timings.rereadSpacingMs = 600000;
        timings.closeReadBackWaitMs = 60000;
        SetTimings(timings);
        GiveTheProfilesOtherRates();
    }
    QFile::remove(ReceiverCachePath());
    ClearDeviceJournal();
    Print(kReady);
    QTimer::singleShot(0, window.get(), [&] { Leave(*window, *shell, way); });
    const int result = application.exec();

    for (const QString& line : DeviceJournal())
        Print(line);
    Print(QFile::exists(ReceiverCachePath()) ? "cache written" : "no cache");
    Print(g_MacroRecording ? "still recording" : "not recording");
    if (way == "close-during-reread")
        Print(CopyIsTheActiveProfile() ? "copy of the active profile" : "copy of another profile");
    return result;
}

} // namespace

// Every way of leaving the program runs the one shutdown, once, in a child
// process that really ends its event loop.
class LeavingTest : public QObject
{
    Q_OBJECT

private slots:
    void everyWayOfLeavingShutsDownOnce_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("signalNumber");
        QTest::addColumn<QStringList>("leaving");
        const QStringList openDevice = {"StopUsbChanged", "UsbServer_SetPCDriverStatus(0)", "UsbServer_Exit",
                                        "cache written", "not recording"};
        QTest::newRow("close button") << "close-button" << 0 << openDevice;
        QTest::newRow("window manager's close") << "window-manager" << 0 << openDevice;
        QTest::newRow("tray exit") << "tray-exit" << 0 << openDevice;
        QTest::newRow("SIGTERM") << "sigterm" << int(SIGTERM) << openDevice;
        QTest::newRow("SIGINT") << "sigint" << int(SIGINT) << openDevice;
        QTest::newRow("close while the wait dialog is up") << "close-while-waiting" << 0 << openDevice;
        QTest::newRow("close while a macro records") << "close-while-recording" << 0 << openDevice;
        QTest::newRow("session end") << "session-end" << 0 << openDevice;
        QTest::newRow("session manager lost") << "session-manager-lost" << 0 << openDevice;
        QTest::newRow("close while the device's re-read waits")
            << "close-during-reread" << 0 << openDevice + QStringList{"copy of the active profile"};
        QTest::newRow("session checkpoint, then the close button")
            << "checkpoint" << 0
            << QStringList{"checkpoint: cache written", "checkpoint: windows kept", "running"} + openDevice;
        QTest::newRow("close on the device list")
            << "list-close" << 0 << QStringList{"StopUsbChanged", "UsbServer_Exit", "no cache", "not recording"};
    }

    void everyWayOfLeavingShutsDownOnce()
    {
        QFETCH(QString, way);
        QFETCH(int, signalNumber);
        QFETCH(QStringList, leaving);
        QTemporaryDir dataHome;
        std::unique_ptr<QProcess> child(StartChild({way}, dataHome.path()));
        while (!child->canReadLine())
            QVERIFY2(child->waitForReadyRead(60000), qPrintable(child->readAllStandardError()));
        QCOMPARE(QString::fromUtf8(child->readLine()).trimmed(), QString(kReady));
        if (signalNumber)
            QCOMPARE(::kill(static_cast<pid_t>(child->processId()), signalNumber), 0);

        QVERIFY2(child->waitForFinished(60000), qPrintable(way + " did not end the program"));
        QCOMPARE(child->exitStatus(), QProcess::NormalExit);
        QCOMPARE(child->exitCode(), 0);
        const QString output = QString::fromUtf8(child->readAllStandardOutput());
        QCOMPARE(output.split('\n', Qt::SkipEmptyParts), leaving);
    }

    // The platform may end the process with exit() at any moment: a change
    // the offline copy's spacing still holds back is written on the way out.
    void aChangeWaitingIsWrittenWhenTheProcessExits()
    {
        QTemporaryDir dataHome;
        std::unique_ptr<QProcess> child(StartChild({"exit"}, dataHome.path()));
        QVERIFY2(child->waitForFinished(60000), qPrintable(child->readAllStandardError()));
        QCOMPARE(child->exitCode(), 1);
        const QStringList output = QString::fromUtf8(child->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(output.size(), 3);
        QCOMPARE(output.at(0), QString(kReady));
        QVERIFY(output.at(1).startsWith("sent "));
        QCOMPARE(output.at(2), "copy " + output.at(1).mid(5));
    }
};

QUORVANE_TEST_MAIN_WITH_CHILD_APP(LeavingTest, LeavingChild, QApplication)
#include "tst_leaving.moc"
