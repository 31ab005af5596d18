#include "common/FileSizeLimit.h"
#include "common/TestFolders.h"
#include "platform/WholeFileWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestWholeFileWrite : public QObject
{
    Q_OBJECT

private slots:
    void replacesTheFileWhole()
    {
        QTemporaryDir folder;
        const QString path = folder.path() + "/macro.ini";
        QVERIFY(WriteWholeFile(path, "old\n"));
        QVERIFY(WriteWholeFile(path, "new\nrows\n"));
        QCOMPARE(FileBytes(path), QByteArray("new\nrows\n"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"macro.ini"});
    }

    // The bytes fit Qt's buffer, so the failing write happens only while the
    // buffer is emptied: the old file must stay and the failure be returned.
    void aFullDiskKeepsTheOldFile()
    {
        QTemporaryDir folder;
        const QString path = folder.path() + "/Device_CID01_MID02.bin";
        const QByteArray old(200, 'o');
        QVERIFY(WriteWholeFile(path, old));
        QString error;
        {
            const FileSizeLimit limit(64);
            QVERIFY(!WriteWholeFile(path, QByteArray(1000, 'n'), &error));
        }
        QVERIFY(!error.isEmpty());
        QCOMPARE(FileBytes(path), old);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"Device_CID01_MID02.bin"});
    }

    void aFolderThatCannotHoldTheFileFails()
    {
        QTemporaryDir folder;
        QFile plain(folder.path() + "/file");
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        QVERIFY(!WriteWholeFile(folder.path() + "/file/macro.ini", "rows"));
        QVERIFY(!WriteWholeFile(folder.path() + "/missing/macro.ini", "rows"));
    }

    // Nothing is written through a link or over a FIFO.
    void onlyARegularFileIsReplaced()
    {
        QTemporaryDir folder;
        const QString target = folder.path() + "/target";
        QVERIFY(WriteWholeFile(target, "keep"));
        const QString link = folder.path() + "/macro.ini";
        QVERIFY(QFile::link(target, link));
        QVERIFY(!WriteWholeFile(link, "rows"));
        QCOMPARE(FileBytes(target), QByteArray("keep"));
        QVERIFY(QFileInfo(link).isSymLink());
        const QString fifo = folder.path() + "/fifo";
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(!WriteWholeFile(fifo, "rows"));
        QVERIFY(!QFileInfo(fifo).isFile());
    }
};

QTEST_GUILESS_MAIN(TestWholeFileWrite)
#include "tst_wholefilewrite.moc"
