#include "common/FileSizeLimit.h"
#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// A key of its own for each case, so that no block of an earlier case or of
// a parallel test run answers for it.
QString UniqueKey(const char* caseName)
{
    return QString("QuorvaneInstanceTest-%1-%2").arg(QCoreApplication::applicationPid()).arg(caseName);
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    // Two starts in one process stand for two processes: the lock and the
    // block see the first as a live holder all the same.
    void onlyALiveHolderIsAnotherInstance_data()
    {
        QTest::addColumn<QString>("lockPlace");
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("writable folder") << "folder" << false;
        QTest::newRow("folder whose parent is a file") << "file/folder" << false;
        QTest::newRow("full disk") << "folder" << true;
    }

    void onlyALiveHolderIsAnotherInstance()
    {
        QFETCH(QString, lockPlace);
        QFETCH(bool, fullDisk);
        QTemporaryDir data;
        QFile file(data.filePath("file"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QString key = UniqueKey(QTest::currentDataTag());
        const QString lockFolder = data.filePath(lockPlace);

        std::unique_ptr<FileSizeLimit> limit;
        if (fullDisk)
            limit = std::make_unique<FileSizeLimit>(0);
        SingleInstance first(key, lockFolder);
        QVERIFY(!first.OtherInstanceRunning());
        SingleInstance second(key, lockFolder);
        QVERIFY(second.OtherInstanceRunning());
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
