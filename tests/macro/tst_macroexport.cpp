#include "MacroTestKit.h"

#include "core/LanguageLoader.h"
#include "core/LanguageSections.h"
#include "core/LanguageTables.h"
#include "core/Timing.h"
#include "device/DeviceRecords.h"
#include "pages/macro/MacroNotice.h"
#include "platform/UserDataFolder.h"

#include <QDataStream>
#include <QLabel>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

QByteArray Field(const QByteArray& text, int size)
{
    QByteArray length(4, '\0');
    length[3] = char(size);
    return length + text + QByteArray(size - text.size(), '\0');
}

// Parts of a crafted export, written the way QDataStream writes them.
template <typename... Parts>
QByteArray Streamed(const Parts&... parts)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_5_9);
    (stream << ... << parts);
    return bytes;
}

QByteArray Header(const QByteArray& tag, const QByteArray& name, const QByteArray& loop, qint32 rows)
{
    return Field(tag, 12) + Field(name, 48) + Field(loop, 12) + Streamed(rows);
}

const QByteArray kNoIcon = Streamed(QString());

// A pixmap icon entry without pixmap: Qt's reader would open the file it names.
QByteArray IconNamingFile(const QString& path, quint32 mode)
{
    return Streamed(QString("QPixmapIconEngine"), qint32(1), qint32(0), path, QSize(16, 16), mode, quint32(1));
}

QByteArray KeyRow(const QString& text, const QByteArray& icon, const char* flag)
{
    return Streamed(text) + icon + Streamed(flag);
}

QByteArray DelayRow(const QString& text, const QByteArray& icon)
{
    return Streamed(text) + icon;
}

// An export of that many key presses with a delay between two of them.
QByteArray ExportOfEvents(int events)
{
    QByteArray rows;
    for (int event = 0; event < events; ++event)
        rows += (event == 0 ? QByteArray() : DelayRow("5ms", kNoIcon)) + KeyRow("A", kNoIcon, "0");
    return Header("Trelv", "Long", "1", 2 * events - 1) + rows;
}

bool ShowsPicture(const QListWidgetItem* item, RowKind kind)
{
    return item->icon().pixmap(16).toImage() == RowIcon(kind).pixmap(16).toImage();
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
    void importShowsAndStoresWhatTheFileHolds_data();
    void importShowsAndStoresWhatTheFileHolds();
    void importRefusals_data();
    void importRefusals();
    void importTakesOnlyRowsThePageShowsAgain_data();
    void importTakesOnlyRowsThePageShowsAgain();
    void longUnknownKeyIsElidedInsideTheNotice();
    void everyNoticeHasItsTextInEveryLanguage();
    void importTakesNoMoreEventsThanTheDeviceKeeps_data();
    void importTakesNoMoreEventsThanTheDeviceKeeps();
    void iconsNeverComeFromTheFile();
    void everyCutOfAnExportReadsSafely();
    void longNamesAreCutBetweenCharacters_data();
    void longNamesAreCutBetweenCharacters();
    void emptyAndCutFiles();
    void failedExportIsReported();
    void exportKeepsTheSuffixTheImportLooksFor_data();
    void exportKeepsTheSuffixTheImportLooksFor();

private:
    // Exports macro name with the given rows and loop value.
    QString Export(const QString& name, const QStringList& rows, int loopValue = 255)
    {
        m_Page->listWidgetHong->addItem(name);
        m_Page->Select(name);
        m_Page->context.ShowLoopValue(loopValue);
        SetShortRows(m_Page->listWidgetKey, rows);
        const QString path = m_Exports.path() + "/" + QString::number(++m_ExportCount) + ".ini";
        m_Page->exchange.ExportTo(path);
        return path;
    }

    QString Crafted(const QByteArray& bytes)
    {
        const QString path = m_Exports.path() + "/crafted" + QString::number(++m_ExportCount) + ".ini";
        WriteBytes(path, bytes);
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

void TestMacroExport::importShowsAndStoresWhatTheFileHolds_data()
{
    QTest::addColumn<int>("loopValue");
    QTest::addColumn<QString>("checked");
    QTest::newRow("until clicked again") << 255 << "ReUntilClick";
    QTest::newRow("three times") << 3 << "ReNumber";
}

void TestMacroExport::importShowsAndStoresWhatTheFileHolds()
{
    QFETCH(int, loopValue);
    QFETCH(QString, checked);
    const QString path = Export("Fire", {"A+", "30ms", "A-"}, loopValue);
    m_Page.reset();
    QFile::remove(m_Folder + "/Fire.ini");

    MacroPageFixture page;
    page.listWidgetHong->addItem("Other");
    page.context.SetSaveActive(true);
    Import(page, path);

    QCOMPARE(page.context.MacroNames(), QStringList({"Other", "Fire"}));
    QCOMPARE(page.context.SelectedMacroName(), QString("Fire"));
    QCOMPARE(page.context.ShownMacro, QString("Fire"));
    QCOMPARE(ShortTexts(page.listWidgetKey), QStringList({"A+", "30ms", "A-"}));
    QVERIFY(ShowsPicture(page.listWidgetKey->item(1), RowKind::Delay));
    QVERIFY(page.page.findChild<QAbstractButton*>(checked)->isChecked());
    QCOMPARE(page.context.LoopValue(), loopValue);
    QVERIFY2(!page.Save->isEnabled(), "the imported macro is stored as shown");
    QCOMPARE(FileBytes(m_Folder + "/Fire.ini"), QByteArray::number(loopValue) + "\n0x04 1 0\n30ms\n0x04 1 1\n");
}

void TestMacroExport::importRefusals_data()
{
    QTest::addColumn<QString>("listed"); // a macro the page lists
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("notice");
    const QByteArray keyRow = KeyRow("A", kNoIcon, "0");
    const auto file = [&](const QByteArray& tag, const QByteArray& name, const QByteArray& loop) {
        return Header(tag, name, loop, 1) + keyRow;
    };
    QTest::newRow("same name") << "Fire" << file("Trelv", "Fire", "3") << "SameMacro";
    QTest::newRow("same name, other case") << "Fire" << file("Trelv", "FIRE", "3") << "SameMacro";
    QTest::newRow("another kind of file") << "x" << file("Other", "Fire", "3") << "MacroNotice";
    QTest::newRow("another kind, listed name") << "Fire" << file("Other", "Fire", "3") << "MacroNotice";
    QTest::newRow("too short for a tag") << "x" << QByteArray("\0\0\0\x0cTrel", 8) << "MacroNotice";
    QTest::newRow("a name that climbs out") << "x" << file("Trelv", "../../Macro", "3") << "MacroNotice";
    QTest::newRow("no name") << "x" << file("Trelv", "", "3") << "MacroNotice";
    QTest::newRow("a line break in the loop") << "x" << file("Trelv", "Fire", "3\n0x04 1 0") << "MacroNotice";
    QTest::newRow("words for the loop") << "x" << file("Trelv", "Fire", "three") << "MacroNotice";
    QTest::newRow("no loop") << "x" << file("Trelv", "Fire", "") << "MacroNotice";
    QTest::newRow("a line break in a delay")
        << "x" << Header("Trelv", "Fire", "3", 1) + DelayRow("30ms\n0x04 1 0", kNoIcon) << "MacroNotice";
    QTest::newRow("words for a delay") << "x" << Header("Trelv", "Fire", "3", 1) + DelayRow("soon ms", kNoIcon)
                                       << "MacroNotice";
    QTest::newRow("a control character in a key")
        << "x" << Header("Trelv", "Fire", "3", 1) + KeyRow("A\r\n30ms", kNoIcon, "0") << "MacroNotice";
    QTest::newRow("an icon engine that only Qt can read")
        << "x" << Header("Trelv", "Fire", "3", 1) + Streamed(QString("A"), QString("QSvgIconEngine"), qint32(0))
        << "MacroNotice";
    QTest::newRow("an image that is no PNG")
        << "x" << Header("Trelv", "Fire", "3", 1) + Streamed(QString("A"), QString("QPixmapIconEngine"), qint32(1),
                                                             qint32(1), QByteArray("GIF89a"))
        << "MacroNotice";
    QTest::newRow("a flag that is neither") << "x" << Header("Trelv", "Fire", "3", 1) + KeyRow("A", kNoIcon, "2")
                                            << "MacroNotice";
    QTest::newRow("a text of odd length") << "x" << Header("Trelv", "Fire", "3", 1) + QByteArray("\0\0\0\3\0A\0", 7)
                                          << "MacroNotice";
}

// A refused import leaves the list, the folder and the files as they were.
void TestMacroExport::importRefusals()
{
    QFETCH(QString, listed);
    QFETCH(QByteArray, file);
    QFETCH(QString, notice);
    const QString path = Crafted(file);
    WriteBytes(m_Folder + "/" + listed + ".ini", "1\n");
    MacroPageFixture page;
    DialogScript script{{"NewHong", QString()}};
    Import(page, path);

    QCOMPARE(script.shown, QStringList({notice}));
    QCOMPARE(page.context.MacroNames(), QStringList({listed}));
    QCOMPARE(QDir(m_Folder).entryList(QDir::Files), QStringList({listed + ".ini"}));
    QCOMPARE(FileBytes(m_Folder + "/" + listed + ".ini"), QByteArray("1\n"));
    QVERIFY(!QFile::exists(UserDataFolder() + "/Macro.ini"));
}

void TestMacroExport::importTakesOnlyRowsThePageShowsAgain_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message");
    const QByteArray press = KeyRow("A", kNoIcon, "0");
    const QByteArray release = KeyRow("A", kNoIcon, "1");
    const QByteArray delay = DelayRow("30ms", kNoIcon);
    const QString damaged = MacroMessageText(MacroMessage::ImportFailed);
    QTest::newRow("a delay ending in a line feed")
        << Header("Trelv", "Fire", "3", 3) + press + DelayRow("30ms\n", kNoIcon) + release << damaged;
    QTest::newRow("a loop ending in a line feed") << Header("Trelv", "Fire", "254\n", 1) + press << damaged;
    const QByteArray sixRows = press + delay + KeyRow("B", kNoIcon, "0") + delay + release + delay;
    const QByteArray header = Header("Trelv", "Fire", "3", 3);
    QTest::newRow("cut before the row count") << header.left(header.size() - 4) << damaged;
    QTest::newRow("cut inside the row count") << header.left(header.size() - 2) << damaged;
    QTest::newRow("cut inside row 6 of 7")
        << Header("Trelv", "Fire", "3", 7) + sixRows.left(sixRows.size() - 3)
        << MacroMessageText(MacroMessage::ImportCut, {"5", "7"});
    QTest::newRow("a key the program does not know")
        << Header("Trelv", "Fire", "3", 3) + press + delay + KeyRow("Hyper", kNoIcon, "1")
        << MacroMessageText(MacroMessage::UnknownKey, {"Hyper"});
    QTest::newRow("a delay first") << Header("Trelv", "Fire", "3", 4) + delay + press + delay + release << damaged;
    QTest::newRow("two delays together")
        << Header("Trelv", "Fire", "3", 4) + press + delay + delay + release << damaged;
    QTest::newRow("a delay last") << Header("Trelv", "Fire", "3", 4) + press + delay + release + delay << damaged;
    QTest::newRow("two events together") << Header("Trelv", "Fire", "3", 2) + press + release << damaged;
    QTest::newRow("a count short of the rows")
        << Header("Trelv", "Fire", "3", 1) + press + delay + release << damaged;
    QTest::newRow("a negative count") << Header("Trelv", "Fire", "3", -3) + press + delay + release << damaged;
    QTest::newRow("bytes after the rows")
        << Header("Trelv", "Fire", "3", 3) + press + delay + release + QByteArray("\0", 1) << damaged;
}

// A row the page could not show again as it was (a delay or loop text with
// more than its digits, a key the tables do not know, the release missing
// from a cut file), rows the page could never have made and a count that
// disagrees with the rows are never stored: the import is refused and the
// notice names what is wrong.
void TestMacroExport::importTakesOnlyRowsThePageShowsAgain()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    DialogScript script{{"NewHong", QString()}};
    Import(*m_Page, Crafted(file));
    QCOMPARE(script.labels, QStringList({message}));
    QVERIFY(m_Page->context.MacroNames().isEmpty());
    QVERIFY(QDir(m_Folder).entryList(QDir::Files).isEmpty());
}

// A key name from the file that no line break can split is cut with an
// ellipsis inside the notice, not clipped at its edges.
void TestMacroExport::longUnknownKeyIsElidedInsideTheNotice()
{
    MacroNotice notice(MacroMessage::UnknownKey, {QString(300, 'W')});
    const QLabel* label = notice.findChild<QLabel*>("label");
    QVERIFY(label->text().contains(QChar(0x2026)));
    for (const QString& word : label->text().split(' '))
        QVERIFY2(label->fontMetrics().horizontalAdvance(word) <= label->width(), qPrintable(word));
}

// Each of the macro page's messages has its own element in the shipped
// language files: none reads another's text or the OK button's.
void TestMacroExport::everyNoticeHasItsTextInEveryLanguage()
{
    QVERIFY(CopyShippedFiles("Language"));
    LoadLanguageFiles();
    const int messages = int(MacroMessage::FileDamaged) + 1;
    QCOMPARE(g_LangTextsMacroNotice.size(), 2);
    for (const QStringList& language : g_LangTextsMacroNotice) {
        QCOMPARE(language.size(), messages + 1);
        const QStringList texts = language.mid(0, messages);
        QCOMPARE(QSet<QString>(texts.begin(), texts.end()).size(), messages);
        QVERIFY(!texts.contains(language.last()));
    }
    for (const LanguageSection& section : LanguageSections())
        section.table->clear();
}

void TestMacroExport::importTakesNoMoreEventsThanTheDeviceKeeps_data()
{
    QTest::addColumn<int>("events");
    QTest::newRow("a full device block") << MacroEventsPerBlock;
    QTest::newRow("one event more") << MacroEventsPerBlock + 1;
}

// A longer macro would reach the device cut, and the device's copy read back
// later would cut its file: it is refused whole, with a notice.
void TestMacroExport::importTakesNoMoreEventsThanTheDeviceKeeps()
{
    QFETCH(int, events);
    const bool fits = events <= MacroEventsPerBlock;
    MacroPageFixture page;
    DialogScript script{{"NewHong", QString()}};
    Import(page, Crafted(ExportOfEvents(events)));

    QCOMPARE(script.labels, fits ? QStringList() : QStringList({MacroMessageText(MacroMessage::TooManyEvents)}));
    QCOMPARE(page.context.MacroNames(), fits ? QStringList({"Long"}) : QStringList());
    QCOMPARE(page.listWidgetKey->count(), fits ? 2 * events - 1 : 0);
    QCOMPARE(QFile::exists(m_Folder + "/Long.ini"), fits);
}

// Icons in the file are stepped over, never read: an entry naming a FIFO
// would block the reader, one with a mode Qt does not know would crash it.
void TestMacroExport::iconsNeverComeFromTheFile()
{
    const QString fifo = m_Exports.path() + "/fifo";
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QByteArray bytes = Header("Trelv", "Odd", "2", 3) + KeyRow("B", IconNamingFile(fifo, 0), "0")
                             + DelayRow("25ms", IconNamingFile("/dev/zero", 7)) + KeyRow("B", kNoIcon, "1");
    const MacroExportReading reading = ReadMacroExport(bytes);
    QCOMPARE(reading.status, MacroExportStatus::Read);

    Import(*m_Page, Crafted(bytes));
    QCOMPARE(ShortTexts(m_Page->listWidgetKey), QStringList({"B+", "25ms", "B-"}));
    const RowKind kinds[] = {RowKind::Press, RowKind::Delay, RowKind::Release};
    for (int row = 0; row < 3; ++row)
        QVERIFY(ShowsPicture(m_Page->listWidgetKey->item(row), kinds[row]));
    QCOMPARE(FileBytes(m_Folder + "/Odd.ini"), QByteArray("2\n0x05 1 0\n25ms\n0x05 1 1\n"));
}

// The reader as the fuzzer calls it: any cut of a real export reads without
// harm, as a whole header and the rows before the cut, or as no export.
void TestMacroExport::everyCutOfAnExportReadsSafely()
{
    const QByteArray bytes = FileBytes(Export("Cut", {"A+", "30ms", "A-", "12ms", "LCtrl+"}, 7));
    const QList<MacroRow> rows = RowsOf(m_Page->listWidgetKey);
    const int header = 12 + 48 + 12 + 3 * 4;
    for (int size = 0; size <= bytes.size(); ++size) {
        const MacroExportReading reading = ReadMacroExport(bytes.left(size));
        if (size < 4 + 12) {
            QCOMPARE(reading.status, MacroExportStatus::NotAnExport);
        } else if (size < header + 4) { // the count follows the header
            QCOMPARE(reading.status, MacroExportStatus::Damaged);
        } else {
            QCOMPARE(reading.status, MacroExportStatus::Read);
            QCOMPARE(reading.macro.name, QString("Cut"));
            QCOMPARE(reading.macro.loopText, QString("7"));
            QCOMPARE(reading.macro.rows, rows.mid(0, reading.macro.rows.size()));
            QCOMPARE(reading.macro.promisedRows, rows.size());
        }
    }
    QCOMPARE(ReadMacroExport(bytes).macro.rows, rows);
}

void TestMacroExport::longNamesAreCutBetweenCharacters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("imported");
    const QChar z(0x017C); // two bytes in UTF-8
    QTest::newRow("50 letters") << QString(50, 'n') << QString(30, 'n');
    QTest::newRow("17 two-byte characters") << QString(17, z) << QString(15, z);
    QTest::newRow("25 two-byte characters, cut in the file too") << QString(25, z) << QString(15, z);
    QTest::newRow("a letter and 16 two-byte characters") << "a" + QString(16, z) << "a" + QString(14, z);
}

// The device keeps 30 bytes of a name, so an imported name keeps no more:
// longer, it would come back from the device as another macro's name.
void TestMacroExport::longNamesAreCutBetweenCharacters()
{
    QFETCH(QString, name);
    QFETCH(QString, imported);
    const QString path = Export(name, {"B+"});
    m_Page.reset();
    QDir(m_Folder).removeRecursively();
    QDir().mkpath(m_Folder);

    MacroPageFixture page;
    Import(page, path);
    QCOMPARE(page.context.MacroNames(), QStringList({imported}));
    QVERIFY(QFile::exists(m_Folder + "/" + imported + ".ini"));
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
    DialogScript script{{"NewHong", QString()}};
    Import(page, full);
    QCOMPARE(script.labels, QStringList({MacroMessageText(MacroMessage::ImportCut, {"2", "3"})}));
    QCOMPARE(page.context.MacroNames(), QStringList({"Quiet"}));
    QVERIFY(!QFile::exists(m_Folder + "/Cut.ini"));
}

void TestMacroExport::failedExportIsReported()
{
    DialogScript script{{"NewHong", QString()}};
    const QString path = m_Exports.path() + "/no such folder/Fire.ini";
    m_Page->listWidgetHong->addItem("Fire");
    m_Page->Select("Fire");
    m_Page->exchange.ExportTo(path);
    QCOMPARE(script.shown, QStringList({"MacroNotice"}));
    QCOMPARE(script.labels, QStringList({MacroMessageText(MacroMessage::ExportFailed)}));
    QVERIFY(!QFile::exists(path));
}

void TestMacroExport::exportKeepsTheSuffixTheImportLooksFor_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("no suffix") << "Fire" << "Fire.ini";
    QTest::newRow("suffix in capitals") << "Fire.INI" << "Fire.INI";
    QTest::newRow("another suffix") << "Fire.bin" << "Fire.bin.ini";
}

// A name typed without ".ini" must not land where the import's filter hides it.
void TestMacroExport::exportKeepsTheSuffixTheImportLooksFor()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    m_Page->listWidgetHong->addItem("Fire");
    m_Page->Select("Fire");
    QTemporaryDir exports;
    m_Page->exchange.ExportTo(exports.filePath(typed));
    QCOMPARE(QDir(exports.path()).entryList(QDir::Files), QStringList({written}));
    QCOMPARE(ReadMacroExportFile(exports.filePath(written)).macro.name, QString("Fire"));
}

QTEST_MAIN(TestMacroExport)
#include "tst_macroexport.moc"
