#include "common/ChildProcess.h"
#include "common/FileSizeLimit.h"
#include "common/SavedEnvironment.h"
#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>
#include <optional>
#include <signal.h>
#include <sys/stat.h>

namespace {

// A key of its own for each case, so that no block of an earlier case or of
// a parallel test run answers for it.
QString UniqueKey(const char* caseName)
{
    return QString("QuorvaneInstanceTest-%1-%2").arg(QCoreApplication::applicationPid()).arg(caseName);
}

// A start with the given key and lock folder, on a full disk when asked,
// that holds what it got until its input closes or it is killed.
int HoldingChild(int argc, char* argv[])
{
    if (argc < 3)
        return 2;
    QCoreApplication application(argc, argv);
    std::optional<FileSizeLimit> limit;
    if (qstrcmp(argv[2], "full") == 0)
        limit.emplace(0);
    SingleInstance instance(QString::fromLocal8Bit(argv[0]), QString::fromLocal8Bit(argv[1]));
    std::puts(instance.OtherInstanceRunning() ? "second" : "first");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}

// Leaves at path what an earlier start, a power cut or a user left there.
void LeaveAtLock(const QString& what, const QString& path)
{
    if (what == "folder") {
        QVERIFY(QDir().mkpath(path));
    } else if (what == "FIFO") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (what == "empty, FIFO at its guard") {
        LeaveAtLock("empty", path);
        LeaveAtLock("FIFO", path + ".rmlock");
    } else if (!what.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (what.endsWith("garbage"))
            file.write("x");
        file.flush();
        if (what.startsWith("old"))
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-2), QFileDevice::FileModificationTime));
    }
}

// A data folder holding a file "file", the lock folder at lockPlace below it
// (made where it can be) and what was left at the lock of a key of the case.
struct LockScene
{
    LockScene(const QString& lockPlace, const QString& leftAtLock)
        : key(UniqueKey(QTest::currentDataTag()))
        , lockFolder(data.filePath(lockPlace))
        , lockPath(lockFolder + "/" + key + ".lock")
    {
        QFile file(data.filePath("file"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QDir().mkpath(lockFolder);
        LeaveAtLock(leftAtLock, lockPath);
    }

    QTemporaryDir data;
    QString key;
    QString lockFolder;
    QString lockPath;
};

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

    // The session's runtime folder, as a desktop session has one.
    QTemporaryDir m_RuntimeFolder;

private slots:
    void initTestCase()
    {
        QVERIFY(m_RuntimeFolder.isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_RuntimeFolder.path()));
    }

    void onlyALiveHolderIsAnotherInstance_data()
    {
        QTest::addColumn<QString>("lockPlace");
        QTest::addColumn<bool>("fullDisk");
        QTest::addColumn<QString>("leftAtLock");
        QTest::addColumn<bool>("killedHolder"); // an instance killed before the two starts
        QTest::addColumn<QString>("logged");
        QTest::addColumn<bool>("runtimeFolder"); // the session has one
        QTest::addColumn<bool>("otherTemporaryFolder"); // the second start's TMPDIR is not the first's
        const QString unwritable = "cannot be written";
        const QString removed = "had no live owner; it was removed";
        const QString leftAlone = "is not a regular file; it is left alone";
        QTest::newRow("writable folder") << "folder" << false << "" << false << "" << true << false;
        QTest::newRow("folder whose parent is a file") << "file/folder" << false << "" << false << unwritable << true
                                                       << false;
        QTest::newRow("full disk") << "folder" << true << "" << false << unwritable << true << false;
        QTest::newRow("empty lock") << "folder" << false << "empty" << false << removed << true << false;
        QTest::newRow("garbage lock") << "folder" << false << "garbage" << false << removed << true << false;
        QTest::newRow("garbage lock two days old") << "folder" << false << "old garbage" << false << removed << true
                                                   << false;
        QTest::newRow("folder at the lock") << "folder" << false << "folder" << false << leftAlone << true << false;
        QTest::newRow("FIFO at the lock") << "folder" << false << "FIFO" << false << leftAlone << true << false;
        QTest::newRow("empty lock, FIFO at its guard") << "folder" << false << "empty, FIFO at its guard" << false
                                                       << leftAlone << true << false;
        QTest::newRow("full disk after a killed instance") << "folder" << true << "" << true << unwritable << true
                                                           << false;
        QTest::newRow("FIFO at the lock, another TMPDIR") << "folder" << false << "FIFO" << false << leftAlone << true
                                                          << true;
        QTest::newRow("FIFO at the lock, another TMPDIR, no runtime folder")
            << "folder" << false << "FIFO" << false << leftAlone << false << true;
    }

    // Two starts in one process stand for two processes: the lock and the
    // block see the first as a live holder all the same. Whatever was left
    // before, the first start runs and the second is refused.
    void onlyALiveHolderIsAnotherInstance()
    {
        QFETCH(QString, lockPlace);
        QFETCH(bool, fullDisk);
        QFETCH(QString, leftAtLock);
        QFETCH(bool, killedHolder);
        QFETCH(QString, logged);
        QFETCH(bool, runtimeFolder);
        QFETCH(bool, otherTemporaryFolder);
        const LockScene scene(lockPlace, leftAtLock);
        const SavedEnvironment saved({"XDG_RUNTIME_DIR", "TMPDIR"});
        if (!runtimeFolder)
            qunsetenv("XDG_RUNTIME_DIR");
        QTemporaryDir secondTemporaryFolder;

        if (killedHolder) {
            std::unique_ptr<QProcess> holder(
                StartChild({scene.key, scene.lockFolder, fullDisk ? "full" : "room"}, scene.data.path()));
            QVERIFY(holder->waitForReadyRead());
            QCOMPARE(QString::fromLatin1(holder->readLine()).trimmed(), QString("first"));
            ::kill(static_cast<pid_t>(holder->processId()), SIGKILL);
            QVERIFY(holder->waitForFinished());
        }

        std::unique_ptr<FileSizeLimit> limit;
        if (fullDisk)
            limit = std::make_unique<FileSizeLimit>(0);
        if (!logged.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(logged)));
        SingleInstance first(scene.key, scene.lockFolder);
        QVERIFY(!first.OtherInstanceRunning());
        if (otherTemporaryFolder)
            qputenv("TMPDIR", QFile::encodeName(secondTemporaryFolder.path()));
        SingleInstance second(scene.key, scene.lockFolder);
        QVERIFY(second.OtherInstanceRunning());

        if (leftAtLock == "folder" || leftAtLock == "FIFO") {
            QVERIFY(QFileInfo::exists(scene.lockPath));
            QVERIFY(!QFileInfo(scene.lockPath).isFile());
        }
    }

    void aFirstStartWithoutTheLockStillCounts_data()
    {
        QTest::addColumn<QString>("lockPlace");
        QTest::addColumn<bool>("fullDisk");
        QTest::addColumn<QString>("leftAtLock");
        QTest::addColumn<QString>("logged");
        const QString unwritable = "cannot be written";
        const QString leftAlone = "is not a regular file; it is left alone";
        QTest::newRow("full disk, then room") << "folder" << true << "" << unwritable;
        QTest::newRow("folder at the lock, then removed") << "folder" << false << "folder" << leftAlone;
        QTest::newRow("FIFO at the lock, then removed") << "folder" << false << "FIFO" << leftAlone;
        // As a read-only folder made writable: the first start cannot write there.
        QTest::newRow("folder that cannot be made, then made") << "file/folder" << false << "" << unwritable;
    }

    // The first start runs on the block alone; once the folder is mended, a
    // second start takes the lock, yet the block the first holds still makes
    // it a second instance, and it leaves the lock as it found it. After the
    // first ends, a start is the first again.
    void aFirstStartWithoutTheLockStillCounts()
    {
        QFETCH(QString, lockPlace);
        QFETCH(bool, fullDisk);
        QFETCH(QString, leftAtLock);
        QFETCH(QString, logged);
        const LockScene scene(lockPlace, leftAtLock);

        auto first = std::make_unique<SingleInstance>(scene.key, scene.lockFolder);
        {
            std::unique_ptr<FileSizeLimit> limit;
            if (fullDisk)
                limit = std::make_unique<FileSizeLimit>(0);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(logged)));
            QVERIFY(!first->OtherInstanceRunning());
        }
        QVERIFY(!QFileInfo(scene.lockPath).isFile());

        // Space freed, the odd entry removed, the folder made.
        QVERIFY(QFile::remove(scene.data.filePath("file")));
        if (QFileInfo(scene.lockPath).isDir())
            QVERIFY(QDir(scene.lockPath).removeRecursively());
        else
            QFile::remove(scene.lockPath);
        SingleInstance second(scene.key, scene.lockFolder);
        QVERIFY(second.OtherInstanceRunning());
        QVERIFY(!QFileInfo::exists(scene.lockPath));

        first.reset();
        SingleInstance third(scene.key, scene.lockFolder);
        QVERIFY(!third.OtherInstanceRunning());
        QVERIFY(QFileInfo(scene.lockPath).isFile());
    }
};

QUORVANE_TEST_MAIN_WITH_CHILD(TestSingleInstance, HoldingChild)
#include "tst_singleinstance.moc"
