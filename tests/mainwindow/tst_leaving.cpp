#include "common/ChildProcess.h"
#include "mainwindow/MainWindowTestKit.h"

#include "core/PostMsg.h"
#include "device/DeviceCache.h"
#include "device/DeviceState.h"
#include "pages/macro/Macro.h"
#include "widgets/UpDataParam.h"
#include "mainwindow/Dialog.h"
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

#include <csignal>
#include <cstdio>
#include <memory>

namespace {

const char* const kReady = "ready";

QString ReceiverCachePath()
{
    return DeviceCacheFolder() + "/" + DeviceCacheFileName(0x0312);
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
    const QString way = argc > 0 ? QString::fromUtf8(argv[0]) : QString();

    PrepareMainWindowFolders();
    if (way == "checkpoint") {
        // Only the checkpoint and the shutdown write the offline copy.
        Timings timings = Timing();
        timings.offlineCopySpacingMs = 600000;
        SetTimings(timings);
    }
    ResetSimulatedDevices();
    auto window = NewMainWindow();
    auto* shell = window->PageShell();
    if (way != "list-close") {
        if (!OpenListedDevice(*window, "rx4k") || !FlashDataIsTheMouseRecord("mouseA"))
            return 2;
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
};

QUORVANE_TEST_MAIN_WITH_CHILD_APP(LeavingTest, LeavingChild, QApplication)
#include "tst_leaving.moc"
