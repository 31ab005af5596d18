#include "common/ChildProcess.h"

#include "core/CrashDumpHandler.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <QThread>

#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <sys/prctl.h>
#include <thread>

namespace {
// A real fault: the sanitizer build must not catch the null before the
// processor does.
__attribute__((noinline, no_sanitize("null"))) void WriteThroughNull()
{
    // Volatile on both levels: the compiler may neither see the null nor drop the store.
    volatile int* volatile target = nullptr;
    *target = 1;
}

volatile int g_RecursionLimit = -1;

// Recurses until the stack runs out (the limit is never reached).
__attribute__((noinline)) int OverflowTheStack(int depth)
{
    volatile char frame[1024];
    frame[0] = static_cast<char>(depth);
    if (depth == g_RecursionLimit)
        return frame[0];
    return OverflowTheStack(depth + 1) + frame[0];
}

void OverflowOnAThreadStartedBeforeTheInstall()
{
    // As the device library's threads and Qt's own start before the
    // program installs its handler.
    std::mutex mutex;
    std::condition_variable installed;
    bool ready = false;
    std::thread thread([&] {
        std::unique_lock<std::mutex> lock(mutex);
        installed.wait(lock, [&ready] { return ready; });
        OverflowTheStack(0);
    });
    CrashDumpHandler().Install();
    {
        std::lock_guard<std::mutex> lock(mutex);
        ready = true;
    }
    installed.notify_one();
    thread.join();
}

// Installs the handler and crashes in the way its argument names.
int CrashChild(int argc, char* argv[])
{
    const QByteArray kind = argc >= 1 ? argv[0] : "";
    prctl(PR_SET_DUMPABLE, 0); // no core file from the crashes made on purpose
    if (kind == "overflow-thread-before-install") {
        OverflowOnAThreadStartedBeforeTheInstall();
        return 0;
    }
    CrashDumpHandler().Install();
    if (kind == "null")
        WriteThroughNull();
    else if (kind == "abort")
        std::abort();
    else if (kind == "thread")
        std::thread(WriteThroughNull).join();
    else if (kind == "overflow")
        OverflowTheStack(0);
    else if (kind == "overflow-thread")
        std::thread(OverflowTheStack, 0).join();
    else if (kind == "overflow-qthread") {
        std::unique_ptr<QThread> thread(QThread::create(OverflowTheStack, 0));
        thread->start();
        thread->wait();
    } else
        std::raise(kind.toInt());
    return 0;
}
}

class TestCrashDump : public QObject
{
    Q_OBJECT

private slots:
    void crashWritesOneDumpAndDiesBySignal_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("signalNumber");
        QTest::addColumn<bool>("onMainThread");
        QTest::newRow("null write") << "null" << SIGSEGV << true;
        QTest::newRow("null write on another thread") << "thread" << SIGSEGV << false;
        QTest::newRow("abort") << "abort" << SIGABRT << true;
        QTest::newRow("bus error") << QString::number(SIGBUS) << SIGBUS << true;
        QTest::newRow("arithmetic") << QString::number(SIGFPE) << SIGFPE << true;
        QTest::newRow("illegal instruction") << QString::number(SIGILL) << SIGILL << true;
        QTest::newRow("stack overflow") << "overflow" << SIGSEGV << true;
        QTest::newRow("stack overflow on another thread") << "overflow-thread" << SIGSEGV << false;
        QTest::newRow("stack overflow on a QThread") << "overflow-qthread" << SIGSEGV << false;
        QTest::newRow("stack overflow on a thread started before the install")
            << "overflow-thread-before-install" << SIGSEGV << false;
    }

    void crashWritesOneDumpAndDiesBySignal()
    {
        QFETCH(QString, kind);
        QFETCH(int, signalNumber);
        QFETCH(bool, onMainThread);
        QTemporaryDir dataHome;
        const QDateTime before = QDateTime::currentDateTime().addMSecs(-999);

        std::unique_ptr<QProcess> child(StartChild({kind}, dataHome.path()));
        QVERIFY(child->waitForFinished());
        const QDateTime after = QDateTime::currentDateTime();
        QCOMPARE(child->exitStatus(), QProcess::CrashExit);
        QCOMPARE(child->exitCode(), signalNumber);

        const QDir exceptionFolder(dataHome.path() + "/Quorvane/Exception");
        const QStringList dumps = exceptionFolder.entryList(QDir::Files);
        QCOMPARE(dumps.size(), 1);
        QVERIFY2(QRegularExpression("^\\d{4}(_\\d\\d){5}\\.dmp$").match(dumps[0]).hasMatch(),
                 qPrintable(dumps[0]));
        const QDateTime named = QDateTime::fromString(dumps[0].chopped(4), "yyyy_MM_dd_hh_mm_ss");
        QVERIFY2(named >= before && named <= after, qPrintable(dumps[0]));

        QFile dump(exceptionFolder.filePath(dumps[0]));
        QVERIFY(dump.open(QIODevice::ReadOnly));
        const QString text = QString::fromLatin1(dump.readAll());
        QVERIFY(text.contains(QString("signal: %1 (").arg(signalNumber)));
        QVERIFY(text.contains("backtrace:\n"));
        const QString thread = QRegularExpression("thread: (\\d+)").match(text).captured(1);
        const QString process = QRegularExpression("process: (\\d+)").match(text).captured(1);
        QVERIFY(!thread.isEmpty());
        QCOMPARE(thread == process, onMainThread);
    }
};

QUORVANE_TEST_MAIN_WITH_CHILD(TestCrashDump, CrashChild)
#include "tst_crashdump.moc"
