#include "MacroTestKit.h"

#include "core/PostMsg.h"
#include "core/Timing.h"
#include "device/KeyCodes.h"
#include "pages/macro/MacroFile.h"
#include "pages/macro/MacroNames.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class TestMacroFiles : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_Folder = FreshMacroFolder(); }

    void listingSkipsXmlAndDropsIni();
    void namesThatCannotBeFiles_data();
    void namesThatCannotBeFiles();
    void pathsNeverLeaveTheFolder();
    void loopLineChoosesTheLoopMode_data();
    void loopLineChoosesTheLoopMode();
    void rowsLoadLenientlyFromLines();
    void loadingAnyFileLeavesTheLoopSignalsOn();
    void savedFileHoldsTheLoopLineAndOneLinePerRow();
    void appendingNeedsAnExistingFile();
    void saveWritesTheMacroSelectedAtTheClick();
    void saveKeepsTheOldMacroUntilTheNewOneIsWritten();
    void renameMovesRowAndFile();
    void renameRefusals_data();
    void renameRefusals();

private:
    QString PathOf(const QString& name) const { return m_Folder + "/" + name + ".ini"; }

    QString m_Folder;
};

void TestMacroFiles::listingSkipsXmlAndDropsIni()
{
    for (const char* name : {"b.ini", "a.ini", "keys.xml.ini", "readme.txt", "C.ini", "x.ini.ini"})
        WriteBytes(m_Folder + "/" + name, "1\n");
    QDir().mkpath(m_Folder + "/folder.ini");
    QCOMPARE(ListMacroNames(m_Folder), QStringList({"a", "b", "C", "readme.txt", "x"}));
    QCOMPARE(ListMacroNames(m_Folder + "/missing"), QStringList());
}

void TestMacroFiles::namesThatCannotBeFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("problem");
    const auto row = [](const char* tag, const QString& name, MacroNameProblem problem) {
        QTest::newRow(tag) << name << int(problem);
    };
    row("plain", "Fire 2", MacroNameProblem::None);
    row("wide characters", QString::fromUtf8("连发宏"), MacroNameProblem::None);
    row("dot inside", "v1.2", MacroNameProblem::None);
    row("empty", "", MacroNameProblem::Empty);
    row("parent", "..", MacroNameProblem::DotsOnly);
    row("climbing path", "../../Macro", MacroNameProblem::ForbiddenCharacter);
    row("backslash", "a\\b", MacroNameProblem::ForbiddenCharacter);
    row("colon", "C:x", MacroNameProblem::ForbiddenCharacter);
    row("question mark", "why?", MacroNameProblem::ForbiddenCharacter);
    row("tab", "a\tb", MacroNameProblem::ForbiddenCharacter);
    row("trailing dot", "fire.", MacroNameProblem::EndsInDotOrSpace);
    row("trailing space", "fire ", MacroNameProblem::EndsInDotOrSpace);
    row("device name", "con", MacroNameProblem::ReservedDeviceName);
    row("device name with extension", "LPT1.txt", MacroNameProblem::ReservedDeviceName);
    row("device-like", "console", MacroNameProblem::None);
    row("xml inside", "myxml", MacroNameProblem::NotListed);
    row("ini inside", "a.ini", MacroNameProblem::NotListed);
    row("30 bytes", QString(30, 'n'), MacroNameProblem::None);
    row("31 bytes", QString(31, 'n'), MacroNameProblem::TooLong);
    row("32 bytes in 16 characters", QString(16, QChar(0x017C)), MacroNameProblem::TooLong);
}

void TestMacroFiles::namesThatCannotBeFiles()
{
    QFETCH(QString, name);
    QFETCH(int, problem);
    QCOMPARE(int(CheckMacroName(name)), problem);
}

void TestMacroFiles::pathsNeverLeaveTheFolder()
{
    QCOMPARE(MacroFilePath("/f", "Fire"), QString("/f/Fire.ini"));
    for (const QString& name : {QString(), QString("."), QString(".."), QString("../x"), QString("a\\b"),
                                QString("a") + QChar(0) + "b"})
        QVERIFY2(MacroFilePath("/f", name).isEmpty(), qPrintable(name));
}

void TestMacroFiles::loopLineChoosesTheLoopMode_data()
{
    QTest::addColumn<QByteArray>("firstLine");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<int>("count");
    QTest::newRow("while held") << QByteArray("254\n") << "ReUntilLoose" << 7;
    QTest::newRow("until next click") << QByteArray("255\r\n") << "ReUntilClick" << 7;
    QTest::newRow("until stopped") << QByteArray(" 253 \n") << "ReUntil" << 7;
    QTest::newRow("largest count") << QByteArray("250\n") << "ReNumber" << 250;
    QTest::newRow("zero") << QByteArray("0\n") << "ReNumber" << 1;
    QTest::newRow("above the counts") << QByteArray("251\n") << "ReNumber" << 1;
    QTest::newRow("text") << QByteArray("many\n") << "ReNumber" << 1;
    QTest::newRow("blank") << QByteArray("\n") << "ReNumber" << 1;
}

void TestMacroFiles::loopLineChoosesTheLoopMode()
{
    QFETCH(QByteArray, firstLine);
    QFETCH(QString, checked);
    QFETCH(int, count);
    WriteBytes(PathOf("m"), firstLine);
    MacroPageFixture page;
    page.ReUntilClick->setChecked(true);
    page.NumberEdit->setValue(7);
    page.context.LoopChanged = false;
    page.Select("m");
    page.files.LoadMacroFile();
    QCOMPARE(page.LoopModeGroup->checkedButton()->objectName(), checked);
    QCOMPARE(page.NumberEdit->value(), count);
    QVERIFY2(!page.context.LoopChanged, "loading is no change");
}

void TestMacroFiles::rowsLoadLenientlyFromLines()
{
    WriteBytes(PathOf("m"), "3\r\n"
                            "0x04 1 0\r\n"
                            "50ms\n"
                            "0x04 1 1\n"
                            "0x04 1\n"          // two words: skipped
                            "0x05 1 2\n"        // no direction: skipped
                            "0x01 0 0\n"        // LCtrl
                            "pause\n"           // one word but no delay: skipped
                            "\n"                // a blank line: skipped, no empty delay row
                            "30ms\t\n"          // a delay with a control character: skipped
                            "40ms\n"
                            "0x63 0 1\n"        // a pair the tables do not know: an empty name
                            "0x06 1 1");        // no line feed at the end: skipped
    const QList<MacroRow> expected = {{"A", RowKind::Press},       {"50ms", RowKind::Delay},
                                      {"A", RowKind::Release},     {"LCtrl", RowKind::Press},
                                      {"40ms", RowKind::Delay},    {"", RowKind::Release}};
    QCOMPARE(ReadMacroFile(PathOf("m")).rows, expected);

    MacroPageFixture page;
    page.Select("m");
    page.files.LoadMacroFile();
    QCOMPARE(ShortTexts(page.listWidgetKey), QStringList({"A+", "50ms", "A-", "LCtrl+", "40ms", "-"}));
    QCOMPARE(page.listWidgetKey->currentRow(), -1);
    QCOMPARE(page.context.MacroFilePath, PathOf("m"));
}

void TestMacroFiles::loadingAnyFileLeavesTheLoopSignalsOn()
{
    WriteBytes(PathOf("empty"), "");
    MacroPageFixture page;
    for (const QString name : {"empty", "missing"}) {
        page.listWidgetHong->addItem(name);
        page.Select(name);
        page.editor.ShowClickedMacro();
        page.context.LoopChanged = false;
        page.ReUntil->click();
        QVERIFY2(page.context.LoopChanged, qPrintable(name));
        QVERIFY(page.Save->isEnabled());
        page.ReNumber->click();
    }
}

void TestMacroFiles::savedFileHoldsTheLoopLineAndOneLinePerRow()
{
    g_MouseButtonNameLeft = "Left";
    MacroPageFixture page;
    page.listWidgetHong->addItem("m");
    page.Select("m");
    page.files.CreateMacroFile("m");
    SetShortRows(page.listWidgetKey, {"A+", "50ms", "A-", "10ms", "Left+", "10ms", "RAlt-", "10ms", "nameless+"});
    page.files.SaveMacroFile("m", "3", RowsOf(page.listWidgetKey), 0);
    QCOMPARE(FileBytes(PathOf("m")), QByteArray("3\n0x04 1 0\n50ms\n0x04 1 1\n10ms\n0x01 4 0\n10ms\n0x40 0 1\n"
                                                 "10ms\n0\n"));

    page.listWidgetKey->clear();
    page.files.SaveMacroFile("m", "254", RowsOf(page.listWidgetKey), 0);
    QCOMPARE(FileBytes(PathOf("m")), QByteArray("254\n"));
}

void TestMacroFiles::appendingNeedsAnExistingFile()
{
    MacroPageFixture page;
    page.listWidgetHong->addItem("m");
    page.Select("m");
    SetShortRows(page.listWidgetKey, {"B+", "20ms", "B-"});
    page.files.AppendMacroFile("gone");
    QVERIFY(!QFile::exists(PathOf("gone")));

    WriteBytes(PathOf("m"), "255\n");
    page.files.AppendMacroFile("m");
    QCOMPARE(FileBytes(PathOf("m")), QByteArray("255\n0x05 1 0\n20ms\n0x05 1 1\n"));
}

void TestMacroFiles::saveKeepsTheOldMacroUntilTheNewOneIsWritten()
{
    // A program ended during the save's wait must find the old macro, not an
    // empty file; a link in the folder is never written through.
    WriteBytes(PathOf("m"), "1\n0x04 1 0\n");
    WriteBytes(PathOf("target"), "untouched\n");
    QVERIFY(QFile::link(PathOf("target"), PathOf("linked")));
    MacroPageFixture page;
    QByteArray duringTheWait;
    QTimer::singleShot(0, [&] { duringTheWait = FileBytes(PathOf("m")); });
    page.files.SaveMacroFile("m", "2", {MacroRow{"B", RowKind::Press}}, 50);
    QCOMPARE(duringTheWait, QByteArray("1\n0x04 1 0\n"));
    QCOMPARE(FileBytes(PathOf("m")), QByteArray("2\n0x05 1 0\n"));

    QVERIFY(!WriteMacroFile(m_Folder, "linked", "3", {}));
    QCOMPARE(FileBytes(PathOf("target")), QByteArray("untouched\n"));
}

void TestMacroFiles::saveWritesTheMacroSelectedAtTheClick()
{
    WriteBytes(PathOf("first"), "1\n0x04 1 0\n");
    WriteBytes(PathOf("second"), "1\n0x05 1 0\n");
    MacroPageFixture page;
    page.Select("first");
    page.editor.ShowClickedMacro();
    page.keyAnswers = QStringList{"C"};
    page.editor.ChooseEvent(1);

    // The user picks the other macro while the save waits.
    QTimer::singleShot(5, &page.page, [&] {
        page.Select("second");
        page.editor.ShowClickedMacro();
    });
    QSignalSpy updates(PostMsg::GetInstance(), SIGNAL(SigUpDataMacro(QString, int)));
    Timings timings;
    timings.macroFileRewriteMs = 60;
    ScopedTimings wait(timings);
    page.editor.Save();

    QCOMPARE(FileBytes(PathOf("first")), QByteArray("1\n0x04 1 0\n10ms\n0x06 1 0\n"));
    QCOMPARE(FileBytes(PathOf("second")), QByteArray("1\n0x05 1 0\n"));
    QCOMPARE(updates.size(), 1);
    QCOMPARE(updates.at(0).at(0).toString(), QString("first"));
}

void TestMacroFiles::renameMovesRowAndFile()
{
    WriteBytes(PathOf("old"), "2\n");
    MacroPageFixture page;
    page.Select("old");
    QSignalSpy renames(PostMsg::GetInstance(), SIGNAL(SigMacroRename(QString, QString)));
    DialogScript script{{"NewHong", "Fresh"}};
    page.files.RenameMacro();

    QCOMPARE(script.shown, QStringList({"QuestionDialog"}));
    QCOMPARE(page.listWidgetHong->currentItem()->text(), QString("Fresh"));
    QCOMPARE(FileBytes(PathOf("Fresh")), QByteArray("2\n"));
    QVERIFY(!QFile::exists(PathOf("old")));
    QCOMPARE(renames.size(), 1);
    QCOMPARE(renames.at(0), QList<QVariant>({"old", "Fresh"}));
}

void TestMacroFiles::renameRefusals_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("notice"); // empty: none
    QTest::newRow("cancelled") << QString() << QString();
    QTest::newRow("its own name") << "old" << "SameMacro";
    QTest::newRow("another macro's name in other letter case") << "OTHER" << "SameMacro";
    QTest::newRow("a path") << "../../Macro" << "MacroNotice";
    QTest::newRow("the file cannot be renamed") << "blocked" << "MacroNotice";
}

void TestMacroFiles::renameRefusals()
{
    QFETCH(QString, typed);
    QFETCH(QString, notice);
    WriteBytes(PathOf("old"), "2\n");
    WriteBytes(PathOf("other"), "3\n");
    QDir().mkpath(PathOf("blocked")); // a folder where the renamed file would go
    MacroPageFixture page;
    page.Select("old");
    QSignalSpy renames(PostMsg::GetInstance(), SIGNAL(SigMacroRename(QString, QString)));
    DialogScript script{{"NewHong", typed}, {"NewHong", QString()}};
    page.files.RenameMacro();

    QCOMPARE(script.shown.mid(1), notice.isEmpty() ? QStringList() : QStringList({notice}));
    QCOMPARE(page.context.MacroNames(), QStringList({"old", "other"}));
    QCOMPARE(FileBytes(PathOf("old")), QByteArray("2\n"));
    QVERIFY(renames.isEmpty());
}

QTEST_MAIN(TestMacroFiles)
#include "tst_macrofiles.moc"
