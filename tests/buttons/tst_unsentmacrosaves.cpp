// The list of saved macros a mouse has not received lies in the user's
// folder: it is read as data, line by line, and only ever as a regular file.

#include "common/TestFolders.h"
#include "pages/buttons/UnsentMacroSaves.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>

class TestUnsentMacroSaves : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        UseTemporaryFolders();
        QVERIFY(QDir().mkpath(QFileInfo(UnsentMacroSavesPath()).absolutePath()));
    }

    void init()
    {
        QFile::remove(UnsentMacroSavesPath());
        QDir().rmdir(UnsentMacroSavesPath());
    }

    void linesAreCheckedOneByOne_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("kept");
        QTest::newRow("as written") << QByteArray("0312\t0,2\tbeta") << true;
        QTest::newRow("no profile holds it yet") << QByteArray("0312\t\tbeta") << true;
        QTest::newRow("ended by CR LF") << QByteArray("0312\t1\tbeta\r") << true;
        QTest::newRow("a name leaving the folder") << QByteArray("0312\t\t../beta") << false;
        QTest::newRow("a path") << QByteArray("0312\t\t/tmp/beta") << false;
        QTest::newRow("a name longer than the device keeps") << QByteArray("0312\t\t") + QByteArray(31, 'b') << false;
        QTest::newRow("a name that is not UTF-8") << QByteArray("0312\t\tbe\xff" "ta") << false;
        QTest::newRow("no name") << QByteArray("0312\t\t") << false;
        QTest::newRow("a model of three digits") << QByteArray("312\t\tbeta") << false;
        QTest::newRow("a model that is no number") << QByteArray("03x2\t\tbeta") << false;
        QTest::newRow("a profile beyond a byte") << QByteArray("0312\t256\tbeta") << false;
        QTest::newRow("a negative profile") << QByteArray("0312\t-1\tbeta") << false;
        QTest::newRow("an empty profile") << QByteArray("0312\t1,,2\tbeta") << false;
        QTest::newRow("a field short") << QByteArray("0312\tbeta") << false;
        QTest::newRow("a field more") << QByteArray("0312\t\tbeta\t") << false;
    }

    // A line that is not one the program writes is skipped, the others are
    // kept; the first line of a name counts.
    void linesAreCheckedOneByOne()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, kept);
        const UnsentMacroSaves saves =
            ParseUnsentMacroSaves("# comment\n0413\t3\talpha\n" + line + "\n0312\t1\talpha\n");
        QCOMPARE(saves.value("alpha"), (UnsentMacroSave{0x0413, {3}}));
        QCOMPARE(saves.contains("beta"), kept);
        QCOMPARE(saves.size(), kept ? 2 : 1);
        if (kept)
            QCOMPARE(saves.value("beta").model, std::uint16_t(0x0312));
    }

    void writtenSavesReadBack()
    {
        const UnsentMacroSaves saves = {{"beta", {0x0312, {0, 2}}},
                                        {QString::fromUtf8("Nowe makro ż"), {0xA0FF, {}}}};
        QVERIFY(WriteUnsentMacroSaves(saves));
        QCOMPARE(ReadUnsentMacroSaves(), saves);
    }

    void onlyARegularFileIsUsed_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a FIFO") << "fifo";
        QTest::newRow("a folder") << "folder";
    }

    // Something else in the file's place is neither opened (a FIFO would
    // block the start) nor replaced: no save is known, and none is kept.
    void onlyARegularFileIsUsed()
    {
        QFETCH(QString, kind);
        const QString path = UnsentMacroSavesPath();
        if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else
            QVERIFY(QDir().mkdir(path));
        QVERIFY(ReadUnsentMacroSaves().isEmpty());
        QVERIFY(!WriteUnsentMacroSaves({{"beta", {0x0312, {}}}}));
        const QFileInfo info(path);
        QCOMPARE(info.isDir(), kind == "folder");
        QCOMPARE(info.isFile(), false);
    }
};

QTEST_GUILESS_MAIN(TestUnsentMacroSaves)
#include "tst_unsentmacrosaves.moc"
