// The list of saved macros a mouse has not received lies in the user's
// folder: it is read as data, line by line, and only ever as a regular file.

#include "common/TestFolders.h"
#include "pages/buttons/KeptMacroSaves.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>

class TestKeptMacroSaves : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        UseTemporaryFolders();
        QVERIFY(QDir().mkpath(QFileInfo(KeptMacroSavesPath()).absolutePath()));
    }

    void init()
    {
        QFile::remove(KeptMacroSavesPath());
        QDir().rmdir(KeptMacroSavesPath());
    }

    void linesAreCheckedOneByOne_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("kept");
        QTest::newRow("as written") << QByteArray("0312\ta40004\t1\t0,2\tbeta\tbeta") << true;
        QTest::newRow("renamed since") << QByteArray("0312\ta40004\t1\t\tgamma\tbeta") << true;
        QTest::newRow("a mouse never paired") << QByteArray("0312\t000000\t1\t\tbeta\tbeta") << true;
        QTest::newRow("a mouse not known") << QByteArray("0312\t-\t1\t\tbeta\tbeta") << true;
        QTest::newRow("every profile lacks it") << QByteArray("0312\ta40004\t*\t2\tbeta\tbeta") << true;
        QTest::newRow("ended by CR LF") << QByteArray("0312\ta40004\t1\t\tbeta\tbeta\r") << true;
        QTest::newRow("the first version") << QByteArray("0312\t0,2\tbeta") << true;
        QTest::newRow("a name leaving the folder") << QByteArray("0312\ta40004\t1\t\tbeta\t../beta") << false;
        QTest::newRow("a name on the mouse leaving the folder")
            << QByteArray("0312\ta40004\t1\t\t/tmp/beta\tbeta") << false;
        QTest::newRow("a name longer than the device keeps")
            << QByteArray("0312\ta40004\t1\t\tbeta\t") + QByteArray(31, 'b') << false;
        QTest::newRow("a name that is not UTF-8") << QByteArray("0312\ta40004\t1\t\tbeta\tbe\xff" "ta") << false;
        QTest::newRow("no name") << QByteArray("0312\ta40004\t1\t\tbeta\t") << false;
        QTest::newRow("a model of three digits") << QByteArray("312\ta40004\t1\t\tbeta\tbeta") << false;
        QTest::newRow("a model that is no number") << QByteArray("03x2\ta40004\t1\t\tbeta\tbeta") << false;
        QTest::newRow("a receiver of five digits") << QByteArray("0312\ta4000\t1\t\tbeta\tbeta") << false;
        QTest::newRow("a profile beyond a byte") << QByteArray("0312\ta40004\t256\t\tbeta\tbeta") << false;
        QTest::newRow("a negative profile") << QByteArray("0312\ta40004\t\t-1\tbeta\tbeta") << false;
        QTest::newRow("an empty profile") << QByteArray("0312\ta40004\t1,,2\t\tbeta\tbeta") << false;
        QTest::newRow("every profile and more") << QByteArray("0312\ta40004\t*,1\t\tbeta\tbeta") << false;
        QTest::newRow("a field short") << QByteArray("0312\ta40004\t1\t\tbeta") << false;
        QTest::newRow("a field more") << QByteArray("0312\ta40004\t1\t\tbeta\tbeta\t") << false;
    }

    // A line that is not one the program writes is skipped, the others are
    // kept; the first line of a mouse and name counts.
    void linesAreCheckedOneByOne()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, kept);
        const KeptMacroSaves saves = ParseKeptMacroSaves("# comment\n0413\tb10001\t3\t\talpha\talpha\n" + line
                                                         + "\n0413\tb10001\t1\t\talpha\talpha\n");
        QCOMPARE(saves.size(), kept ? 2 : 1);
        QCOMPARE(saves.first(), Save({0x0413, QByteArray::fromHex("b10001")}, "alpha", "alpha", {3}, {}));
        if (!kept)
            return;
        const KeptMacroSave& save = saves.last();
        QCOMPARE(save.mouse.model, std::uint16_t(0x0312));
        QCOMPARE(save.name, QString("beta"));
        if (line.startsWith("0312\t0,2"))
            QCOMPARE(save, Save({0x0312, {}}, "beta", "beta", {}, {0, 2}, true));
    }

    void writtenSavesReadBack()
    {
        const KeptMacroSaves saves = {
            Save({0x0312, QByteArray::fromHex("a40004")}, "delta", "beta", {1, 3}, {0}),
            Save({0x0312, QByteArray(3, '\0')}, "beta", "beta", {}, {2}, true),
            Save({0xA0FF, {}}, QString::fromUtf8("Nowe makro ż"), QString::fromUtf8("Nowe makro ż"), {0}, {}),
        };
        QVERIFY(WriteKeptMacroSaves(saves));
        QCOMPARE(ReadKeptMacroSaves(), saves);
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
        const QString path = KeptMacroSavesPath();
        if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else
            QVERIFY(QDir().mkdir(path));
        QVERIFY(ReadKeptMacroSaves().isEmpty());
        QVERIFY(!WriteKeptMacroSaves({Save({0x0312, QByteArray(3, '\0')}, "beta", "beta", {0}, {})}));
        const QFileInfo info(path);
        QCOMPARE(info.isDir(), kind == "folder");
        QCOMPARE(info.isFile(), false);
    }

private:
    static KeptMacroSave Save(const MouseIdentity& mouse, const QString& name, const QString& nameOnMouse,
                              const QSet<int>& lacking, const QSet<int>& holding, bool everyProfileLacks = false)
    {
        KeptMacroSave save;
        save.mouse = mouse;
        save.name = name;
        save.nameOnMouse = nameOnMouse;
        save.lacking = lacking;
        save.holding = holding;
        save.everyProfileLacks = everyProfileLacks;
        return save;
    }
};

QTEST_GUILESS_MAIN(TestKeptMacroSaves)
#include "tst_keptmacrosaves.moc"
