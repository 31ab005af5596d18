#include "MacroTestKit.h"

#include "core/Timing.h"
#include "platform/UserDataFolder.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray Field(const QByteArray& text, int size)
{
    QByteArray length(4, '\0');
    length[3] = char(size);
    return length + text + QByteArray(size - text.size(), '\0');
}

} // namespace

class TestMacroExport : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_Folder = FreshMacroFolder();
        m_Page.reset(new MacroPageFixture);
    }
    void cleanup() { m_Page.reset(); }

    void exportHoldsTagNameLoopAndRows();
    void importAddsTheMacroWithItsFile();
    void importRefusals_data();
    void importRefusals();
    void longNamesAreCutToTheField();
    void emptyAndCutFiles();

private:
    // Exports macro name with the given rows and ReUntilClick checked.
    QString Export(const QString& name, const QStringList& rows)
    {
        m_Page->listWidgetHong->addItem(name);
        m_Page->Select(name);
        m_Page->ReUntilClick->setChecked(true);
        SetShortRows(m_Page->listWidgetKey, rows);
        const QString path = m_Exports.path() + "/" + QString::number(++m_ExportCount) + ".ini";
        m_Page->exchange.ExportTo(path);
        return path;
    }

    // A page of its own, with the macros of the folder, imports path.
    void Import(MacroPageFixture& page, const QString& path)
    {
        Timings timings;
        timings.macroImportWriteMs = 1;
        ScopedTimings fast(timings);
        page.exchange.ImportFrom(path);
    }

    QString m_Folder;
    QTemporaryDir m_Exports;
    int m_ExportCount = 0;
    QScopedPointer<MacroPageFixture> m_Page;
};

void TestMacroExport::exportHoldsTagNameLoopAndRows()
{
    const QByteArray bytes = FileBytes(Export("Fire", {"A+", "30ms", "A-"}));
    const QByteArray header = Field("Trelv", 12) + Field("Fire", 48) + Field("255", 12) + QByteArray("\0\0\0\3", 4);
    QCOMPARE(bytes.left(header.size()), header);
    QVERIFY(bytes.endsWith(QByteArray("\0\0\0\2\x31\0", 6)));
    // The first row: the text "A" in UTF-16, its icon, then the press flag.
    QCOMPARE(bytes.mid(header.size(), 6), QByteArray("\0\0\0\2\0A", 6));
    QVERIFY(bytes.contains(QByteArray("\0\0\0\2\x30\0", 6)));
    // Two flags in all: the delay row has none.
    QCOMPARE(bytes.count(QByteArray("\0\0\0\2\x30\0", 6)) + bytes.count(QByteArray("\0\0\0\2\x31\0", 6)), 2);
}

void TestMacroExport::importAddsTheMacroWithItsFile()
{
    const QString path = Export("Fire", {"A+", "30ms", "A-"});
    m_Page.reset();
    QFile::remove(m_Folder + "/Fire.ini");

    MacroPageFixture page;
    page.listWidgetHong->addItem("Other");
    Import(page, path);

    QCOMPARE(page.context.MacroNames(), QStringList({"Other", "Fire"}));
    QCOMPARE(page.context.SelectedMacroName(), QString("Fire"));
    QCOMPARE(ShortTexts(page.listWidgetKey), QStringList({"A+", "30ms", "A-"}));
    QVERIFY(!page.listWidgetKey->item(1)->icon().isNull());
    QCOMPARE(FileBytes(m_Folder + "/Fire.ini"), QByteArray("255\n0x04 1 0\n30ms\n0x04 1 1\n"));
    QVERIFY2(page.ReNumber->isChecked(), "the loop controls are not changed by an import");
}

void TestMacroExport::importRefusals_data()
{
    QTest::addColumn<QString>("listed");     // a macro the page lists
    QTest::addColumn<QByteArray>("tag");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("notice");     // empty: none
    QTest::newRow("same name") << "Fire" << QByteArray("Trelv") << "Fire" << "SameMacro";
    QTest::newRow("same name, other case") << "Fire" << QByteArray("Trelv") << "FIRE" << "SameMacro";
    QTest::newRow("another kind of file") << "x" << QByteArray("Other") << "Fire" << "";
    QTest::newRow("another kind, listed name") << "Fire" << QByteArray("Other") << "Fire" << "SameMacro";
    QTest::newRow("a name that climbs out") << "x" << QByteArray("Trelv") << "../../Macro" << "MacroNameRefused";
    QTest::newRow("no name") << "x" << QByteArray("Trelv") << "" << "MacroNameRefused";
}

void TestMacroExport::importRefusals()
{
    QFETCH(QString, listed);
    QFETCH(QByteArray, tag);
    QFETCH(QString, name);
    QFETCH(QString, notice);
    const QString path = m_Exports.path() + "/crafted.ini";
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QDataStream stream(&file);
        stream.writeBytes(tag.leftJustified(12, '\0').constData(), 12);
        stream.writeBytes(name.toUtf8().leftJustified(48, '\0').constData(), 48);
        stream.writeBytes(QByteArray("3").leftJustified(12, '\0').constData(), 12);
        stream << qint32(1) << QString("A") << QIcon() << "0";
    }
    WriteBytes(m_Folder + "/" + listed + ".ini", "1\n");
    MacroPageFixture page;
    DialogScript script{{"NewHong", QString()}};
    Import(page, path);

    QCOMPARE(script.shown, notice.isEmpty() ? QStringList() : QStringList({notice}));
    QCOMPARE(page.context.MacroNames(), QStringList({listed}));
    QCOMPARE(QDir(m_Folder).entryList(QDir::Files), QStringList({listed + ".ini"}));
    QVERIFY(!QFile::exists(UserDataFolder() + "/Macro.ini"));
}

void TestMacroExport::longNamesAreCutToTheField()
{
    const QString name(50, 'n');
    const QString path = Export(name, {"B+"});
    m_Page.reset();
    QDir(m_Folder).removeRecursively();
    QDir().mkpath(m_Folder);

    MacroPageFixture page;
    Import(page, path);
    QCOMPARE(page.context.MacroNames(), QStringList({QString(48, 'n')}));
}

void TestMacroExport::emptyAndCutFiles()
{
    const QString empty = Export("Quiet", {});
    QCOMPARE(FileBytes(empty).right(4), QByteArray(4, '\0'));
    const QString full = Export("Cut", {"A+", "30ms", "A-"});
    m_Page.reset();
    QDir(m_Folder).removeRecursively();
    QDir().mkpath(m_Folder);

    // The count promises three rows; the file ends inside the third.
    const QByteArray bytes = FileBytes(full);
    WriteBytes(full, bytes.left(bytes.size() - 3));

    MacroPageFixture page;
    Import(page, empty);
    QCOMPARE(FileBytes(m_Folder + "/Quiet.ini"), QByteArray("255\n"));
    Import(page, full);
    QCOMPARE(ShortTexts(page.listWidgetKey), QStringList({"A+", "30ms"}));
    QCOMPARE(FileBytes(m_Folder + "/Cut.ini"), QByteArray("255\n0x04 1 0\n30ms\n"));
}

QTEST_MAIN(TestMacroExport)
#include "tst_macroexport.moc"
