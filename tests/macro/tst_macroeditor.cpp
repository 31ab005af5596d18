#include "MacroTestKit.h"

#include "core/PostMsg.h"
#include "core/Timing.h"
#include "device/DeviceRecords.h"
#include "device/KeyCodes.h"
#include "pages/macro/MacroNotice.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

// Receives the context menu's commands.
class MenuReceiver : public QObject
{
    Q_OBJECT

public:
    QStringList called;

public slots:
    void ExPortMacro() { called << "export"; }
    void RenameMacro() { called << "rename"; }
    void DeleteMacro() { called << "delete"; }
    void CreateMewMacro() { called << "new"; }
    void InPortMacro() { called << "import"; }
};

namespace {

// An edit of the event list: the rows and the current row before and after.
void AddRowEditColumns()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("current");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("currentAfter");
}

} // namespace

class TestMacroEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        g_MouseButtonNameLeft = "Left";
        g_MouseButtonNameBack = "Back";
    }
    void init()
    {
        m_Folder = FreshMacroFolder();
        WriteBytes(m_Folder + "/m.ini", "1\n");
        m_Page.reset(new MacroPageFixture);
        m_Page->Select("m");
        m_Updates.reset(new QSignalSpy(PostMsg::GetInstance(), SIGNAL(SigUpDataMacro(QString, int))));
    }
    void cleanup() { m_Page.reset(); }

    void insertedEventsKeepRowsAlternating_data();
    void insertedEventsKeepRowsAlternating();
    void eventsBeyondTheDeviceBlockAreRefused_data();
    void eventsBeyondTheDeviceBlockAreRefused();
    void delaysGoNextToTheCurrentRow_data();
    void delaysGoNextToTheCurrentRow();
    void deleteTakesAnEventWithItsDelay_data();
    void deleteTakesAnEventWithItsDelay();
    void amendKeepsTheRowKind();
    void saveReportsWhatChanged();
    void saveKeepsAFileBeyondTheDeviceBlockUntilShortened();
    void newMacro_data();
    void newMacro();
    void newMacroNeverOpensWhatItsPathHolds();
    void deleteMacroAfterConfirmation();
    void commandsRefuseWhileRecording();
    void contextMenuOffersTheCommandsOfWhatIsUnderThePointer();
    void rightClickNeverMixesTwoMacros();
    void clickOutsideTheSpinBoxesTakesTheirFocus();

private:
    // Indices of the insert-event chooser.
    enum { KeyPress = 1, KeyRelease = 2, Delay = 3, LeftButton = 4, BackButton = 8 };

    QString m_Folder;
    QScopedPointer<MacroPageFixture> m_Page;
    QScopedPointer<QSignalSpy> m_Updates;
};

void TestMacroEditor::insertedEventsKeepRowsAlternating_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("item");
    QTest::addColumn<QStringList>("expected");
    const QStringList three = {"A+", "10ms", "A-"};
    const QStringList five = {"A+", "10ms", "B+", "10ms", "C+"};
    QTest::newRow("key into an empty list") << QStringList() << -1 << int(KeyPress) << QStringList({"X+"});
    QTest::newRow("key, nothing current") << QStringList({"A+"}) << -1 << int(KeyPress)
                                          << QStringList({"A+", "10ms", "X+"});
    QTest::newRow("key after the first event") << three << 0 << int(KeyRelease)
                                               << QStringList({"A+", "10ms", "X-", "10ms", "A-"});
    QTest::newRow("key at the last row") << three << 2 << int(KeyPress) << QStringList({"A+", "10ms", "A-", "10ms", "X+"});
    QTest::newRow("key after an event") << five << 2 << int(KeyPress)
                                        << QStringList({"A+", "10ms", "B+", "10ms", "X+", "10ms", "C+"});
    QTest::newRow("key after a delay") << three << 1 << int(KeyPress) << QStringList({"A+", "10ms", "X+", "10ms", "A-"});
    QTest::newRow("key, the only row current") << QStringList({"A+"}) << 0 << int(KeyPress)
                                               << QStringList({"A+", "10ms", "X+"});
    QTest::newRow("click into an empty list") << QStringList() << -1 << int(LeftButton)
                                              << QStringList({"Left+", "10ms", "Left-"});
    QTest::newRow("click after the first event") << three << 0 << int(BackButton)
                                                 << QStringList({"A+", "10ms", "Back+", "10ms", "Back-", "10ms", "A-"});
    QTest::newRow("click after an event") << five << 2 << int(LeftButton)
                                          << QStringList({"A+", "10ms", "B+", "10ms", "Left+", "10ms", "Left-", "10ms", "C+"});
    QTest::newRow("click after a delay") << three << 1 << int(LeftButton)
                                         << QStringList({"A+", "10ms", "Left+", "10ms", "Left-", "10ms", "A-"});
    QTest::newRow("click, the only row current") << QStringList({"A+"}) << 0 << int(LeftButton)
                                                 << QStringList({"A+", "10ms", "Left+", "10ms", "Left-"});
}

void TestMacroEditor::insertedEventsKeepRowsAlternating()
{
    QFETCH(QStringList, rows);
    QFETCH(int, current);
    QFETCH(int, item);
    QFETCH(QStringList, expected);
    SetShortRows(m_Page->listWidgetKey, rows);
    m_Page->listWidgetKey->setCurrentRow(current);
    m_Page->keyAnswers = QStringList{"X"};
    m_Page->editor.ChooseEvent(item);
    QCOMPARE(ShortTexts(m_Page->listWidgetKey), expected);
    QCOMPARE(m_Page->listWidgetKey->currentRow(), current);
    QVERIFY(m_Page->context.EventsChanged);
    QVERIFY(m_Page->Save->isEnabled());
}

void TestMacroEditor::eventsBeyondTheDeviceBlockAreRefused_data()
{
    QTest::addColumn<int>("events");
    QTest::addColumn<int>("item");
    QTest::addColumn<bool>("refused");
    QTest::newRow("a key makes the block full") << 69 << int(KeyPress) << false;
    QTest::newRow("a key into a full block") << 70 << int(KeyRelease) << true;
    QTest::newRow("a click makes the block full") << 68 << int(LeftButton) << false;
    QTest::newRow("a click with room for one event") << 69 << int(LeftButton) << true;
}

// The device plays at most 70 events of a macro: one more would be cut off
// there, and lost from the file when the button page reads the macro back.
void TestMacroEditor::eventsBeyondTheDeviceBlockAreRefused()
{
    QFETCH(int, events);
    QFETCH(int, item);
    QFETCH(bool, refused);
    QStringList rows;
    for (int event = 0; event < events; ++event)
        rows << (event == 0 ? QStringList{"A+"} : QStringList{"10ms", "A+"});
    SetShortRows(m_Page->listWidgetKey, rows);
    m_Page->listWidgetKey->setCurrentRow(rows.size() - 1);
    m_Page->keyAnswers = QStringList{"X"};
    DialogScript script{{"NewHong", QString()}};
    m_Page->editor.ChooseEvent(item);
    if (refused) {
        QCOMPARE(script.labels, QStringList({MacroMessageText(MacroMessage::TooManyEvents)}));
        QCOMPARE(ShortTexts(m_Page->listWidgetKey), rows);
        QVERIFY(!m_Page->context.EventsChanged);
        QVERIFY(!m_Page->Save->isEnabled());
    } else {
        QVERIFY(script.shown.isEmpty());
        QCOMPARE(m_Page->listWidgetKey->count(), 2 * MacroEventsPerBlock - 1);
    }
}

void TestMacroEditor::delaysGoNextToTheCurrentRow_data()
{
    AddRowEditColumns();
    const QStringList three = {"A+", "10ms", "A-"};
    QTest::newRow("on a delay") << three << 1 << QStringList({"A+", "250ms", "A-"}) << 1;
    QTest::newRow("on an event after a delay") << three << 2 << QStringList({"A+", "250ms", "A-"}) << 1;
    QTest::newRow("on an event after an event") << QStringList({"A+", "B+"}) << 1
                                                << QStringList({"A+", "250ms", "B+"}) << 1;
    QTest::newRow("on the first event") << three << 0 << three << 0;
}

void TestMacroEditor::delaysGoNextToTheCurrentRow()
{
    QFETCH(QStringList, rows);
    QFETCH(int, current);
    QFETCH(QStringList, expected);
    QFETCH(int, currentAfter);
    SetShortRows(m_Page->listWidgetKey, rows);
    m_Page->listWidgetKey->setCurrentRow(current);
    m_Page->delayAnswers = {250};
    m_Page->editor.ChooseEvent(Delay);
    QCOMPARE(ShortTexts(m_Page->listWidgetKey), expected);
    QCOMPARE(m_Page->listWidgetKey->currentRow(), currentAfter);
    QVERIFY(m_Page->Save->isEnabled());

    // Without a current row the delay is asked for and dropped.
    m_Page->context.SetSaveActive(false);
    m_Page->listWidgetKey->setCurrentRow(-1);
    m_Page->delayAnswers = {300};
    m_Page->editor.ChooseEvent(Delay);
    QVERIFY(m_Page->delayAnswers.isEmpty());
    QCOMPARE(ShortTexts(m_Page->listWidgetKey), expected);
    QVERIFY(!m_Page->Save->isEnabled());
}

void TestMacroEditor::deleteTakesAnEventWithItsDelay_data()
{
    AddRowEditColumns();
    const QStringList five = {"A+", "10ms", "A-", "20ms", "B+"};
    QTest::newRow("short list") << QStringList({"A+", "10ms", "A-"}) << 0 << QStringList() << -1;
    QTest::newRow("a delay and the event before it") << five << 1 << QStringList({"A-", "20ms", "B+"}) << 0;
    QTest::newRow("an event and the delay after it") << five << 2 << QStringList({"A+", "10ms", "B+"}) << 2;
    QTest::newRow("the last row and the delay before it") << five << 4 << QStringList({"A+", "10ms", "A-"}) << 2;
}

void TestMacroEditor::deleteTakesAnEventWithItsDelay()
{
    QFETCH(QStringList, rows);
    QFETCH(int, current);
    QFETCH(QStringList, expected);
    QFETCH(int, currentAfter);
    SetShortRows(m_Page->listWidgetKey, rows);
    m_Page->listWidgetKey->setCurrentRow(current);
    m_Page->editor.DeleteKey();
    QCOMPARE(ShortTexts(m_Page->listWidgetKey), expected);
    QCOMPARE(m_Page->listWidgetKey->currentRow(), currentAfter);
    QVERIFY(m_Page->Save->isEnabled());
    // Also the cleared short list, or a save would leave the device's copy as it was.
    QVERIFY(m_Page->context.EventsChanged);
}

void TestMacroEditor::amendKeepsTheRowKind()
{
    SetShortRows(m_Page->listWidgetKey, {"A+", "10ms", "A-"});
    m_Page->listWidgetKey->setCurrentRow(2);
    m_Page->keyAnswers = QStringList{"B"};
    m_Page->editor.Amend();
    m_Page->listWidgetKey->setCurrentRow(1);
    m_Page->delayAnswers = {75};
    m_Page->editor.Amend();
    QCOMPARE(ShortTexts(m_Page->listWidgetKey), QStringList({"A+", "75ms", "B-"}));
    QVERIFY(m_Page->Save->isEnabled());

    m_Page->editor.Save();
    QCOMPARE(m_Updates->size(), 1);
    QCOMPARE(m_Updates->at(0), QList<QVariant>({"m", 0}));
}

void TestMacroEditor::saveReportsWhatChanged()
{
    Timings timings;
    timings.macroFileRewriteMs = 1;
    ScopedTimings fast(timings);

    m_Page->NumberEdit->setValue(4);
    m_Page->editor.Save();
    QCOMPARE(FileBytes(m_Folder + "/m.ini"), QByteArray("4\n"));
    QVERIFY(!m_Page->Save->isEnabled());

    m_Page->keyAnswers = QStringList{"C"};
    m_Page->editor.ChooseEvent(KeyPress);
    m_Page->ReUntil->click();
    m_Page->editor.Save();
    QCOMPARE(FileBytes(m_Folder + "/m.ini"), QByteArray("253\n0x06 1 0\n"));

    m_Page->editor.Save(); // nothing changed: written, not reported
    QCOMPARE(FileBytes(m_Folder + "/m.ini"), QByteArray("253\n0x06 1 0\n"));
    const QList<QList<QVariant>> expected = {{"m", 1}, {"m", 0}, {"m", 1}};
    QCOMPARE(QList<QList<QVariant>>(*m_Updates), expected);
}

// A file placed in the macro folder may hold more events than the device
// keeps: saving it would send the device a cut macro, whose read-back would
// cut the file.
void TestMacroEditor::saveKeepsAFileBeyondTheDeviceBlockUntilShortened()
{
    Timings timings;
    timings.macroFileRewriteMs = 1;
    ScopedTimings fast(timings);
    QByteArray file = "1\n0x04 1 0\n";
    for (int event = 1; event <= MacroEventsPerBlock; ++event)
        file += "5ms\n0x04 1 0\n";
    WriteBytes(m_Folder + "/m.ini", file);
    m_Page->files.LoadMacroFile();
    m_Page->context.EventsChanged = true;
    {
        DialogScript script{{"NewHong", QString()}};
        m_Page->editor.Save();
        QCOMPARE(script.labels, QStringList({MacroMessageText(MacroMessage::TooManyEvents)}));
    }
    QCOMPARE(FileBytes(m_Folder + "/m.ini"), file);
    QVERIFY(m_Updates->isEmpty());
    QVERIFY(m_Page->Save->isEnabled());

    m_Page->listWidgetKey->setCurrentRow(m_Page->listWidgetKey->count() - 1);
    m_Page->editor.DeleteKey();
    m_Page->editor.Save();
    QCOMPARE(FileBytes(m_Folder + "/m.ini"), file.left(file.size() - int(qstrlen("5ms\n0x04 1 0\n"))));
    QCOMPARE(m_Updates->size(), 1);
}

void TestMacroEditor::newMacro_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("notice"); // empty: none, the macro is made
    QTest::newRow("a free name") << "Fire" << "";
    QTest::newRow("cancelled") << "" << "";
    QTest::newRow("taken in other case") << "M" << "SameMacro";
    QTest::newRow("not a file name") << "a/b" << "MacroNotice";
    QTest::newRow("longer than the device keeps") << QString(31, 'n') << "MacroNotice";
}

void TestMacroEditor::newMacro()
{
    QFETCH(QString, typed);
    QFETCH(QString, notice);
    m_Page->ReUntil->setChecked(true);
    m_Page->NumberEdit->setValue(9);
    m_Page->context.LoopChanged = false;
    SetShortRows(m_Page->listWidgetKey, {"A+"});
    DialogScript script{{"NewHong", typed}, {"NewHong", QString()}};
    m_Page->editor.NewMacro();

    QCOMPARE(script.shown.mid(1), notice.isEmpty() ? QStringList() : QStringList({notice}));
    const bool made = !typed.isEmpty() && notice.isEmpty();
    QCOMPARE(m_Page->context.MacroNames(), made ? QStringList({"m", typed}) : QStringList({"m"}));
    QCOMPARE(QDir(m_Folder).entryList(QDir::Files),
             made ? QStringList({typed + ".ini", "m.ini"}) : QStringList({"m.ini"}));
    if (made) {
        QCOMPARE(m_Page->context.SelectedMacroName(), typed);
        QCOMPARE(m_Page->listWidgetKey->count(), 0);
        QVERIFY(m_Page->ReNumber->isChecked());
        QCOMPARE(m_Page->NumberEdit->value(), 1);
        QVERIFY(m_Page->context.LoopChanged);
    } else {
        QCOMPARE(m_Page->context.SelectedMacroName(), QString("m"));
    }
}

// The folder listing leaves links out, so a link's name looks free; making a
// macro of it would empty whatever it points to.
void TestMacroEditor::newMacroNeverOpensWhatItsPathHolds()
{
    QTemporaryDir outside;
    const QString target = outside.path() + "/target";
    WriteBytes(target, "keep\n");
    QVERIFY(QFile::link(target, m_Folder + "/victim.ini"));
    QVERIFY(QFile::link(outside.path() + "/missing", m_Folder + "/dangling.ini"));
    QVERIFY(QDir().mkpath(m_Folder + "/folder.ini"));
    WriteBytes(m_Folder + "/stray.ini", "7\n"); // a macro file that came after the list
    const QList<QPair<QString, QString>> names = {
        {"victim", "MacroNotice"}, {"dangling", "MacroNotice"}, {"folder", "MacroNotice"}, {"stray", "SameMacro"}};
    for (const auto& [typed, notice] : names) {
        DialogScript script{{"NewHong", typed}, {"NewHong", QString()}};
        m_Page->editor.NewMacro();
        QCOMPARE(script.shown.mid(1), QStringList({notice}));
    }
    QCOMPARE(m_Page->context.MacroNames(), QStringList({"m"}));
    QCOMPARE(FileBytes(target), QByteArray("keep\n"));
    QVERIFY(!QFile::exists(outside.path() + "/missing"));
    QCOMPARE(FileBytes(m_Folder + "/stray.ini"), QByteArray("7\n"));
}

void TestMacroEditor::deleteMacroAfterConfirmation()
{
    QSignalSpy deletions(PostMsg::GetInstance(), SIGNAL(SigDeleteMacroButton(QString)));
    {
        DialogScript script{{"CloseButton", QString()}};
        m_Page->editor.DeleteMacro();
        QCOMPARE(script.shown, QStringList({"DeleteConfirm"}));
    }
    QVERIFY(QFile::exists(m_Folder + "/m.ini"));
    QVERIFY(deletions.isEmpty());

    SetShortRows(m_Page->listWidgetKey, {"A+"});
    DialogScript script{{"NewHong", QString()}};
    m_Page->editor.DeleteMacro();
    QVERIFY(!QFile::exists(m_Folder + "/m.ini"));
    QCOMPARE(deletions.size(), 1);
    QCOMPARE(deletions.at(0).at(0).toString(), QString("Macro: m"));
    QCOMPARE(m_Page->listWidgetHong->count(), 0);
    QCOMPARE(m_Page->listWidgetHong->currentRow(), -1);
    QCOMPARE(m_Page->listWidgetKey->count(), 0);
}

void TestMacroEditor::commandsRefuseWhileRecording()
{
    SetShortRows(m_Page->listWidgetKey, {"A+", "10ms", "A-", "10ms", "B+"});
    m_Page->listWidgetKey->setCurrentRow(0);
    m_Page->keyAnswers = QStringList{"Z"};
    g_MacroRecording = true;
    const QList<std::function<void()>> commands = {
        [&] { m_Page->editor.Amend(); },     [&] { m_Page->editor.DeleteKey(); },
        [&] { m_Page->editor.Save(); },      [&] { m_Page->editor.NewMacro(); },
        [&] { m_Page->editor.DeleteMacro(); },
    };
    for (const auto& command : commands) {
        DialogScript script{{"NewHong", QString()}};
        command();
        QCOMPARE(script.shown, QStringList({"ExeIsRun"}));
    }
    QCOMPARE(m_Page->listWidgetKey->count(), 5);
    QCOMPARE(m_Page->keyAnswers, QStringList({"Z"}));
    QCOMPARE(FileBytes(m_Folder + "/m.ini"), QByteArray("1\n"));
    QCOMPARE(m_Page->context.MacroNames(), QStringList({"m"}));
}

void TestMacroEditor::contextMenuOffersTheCommandsOfWhatIsUnderThePointer()
{
    m_Page->context.MenuExportText = "Export";
    m_Page->context.MenuRenameText = "Rename";
    m_Page->context.MenuDeleteText = "Delete";
    m_Page->context.MenuNewText = "New";
    m_Page->context.MenuImportText = "Import";
    m_Page->listWidgetHong->resize(200, 300);
    m_Page->page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_Page->page));

    MenuReceiver receiver;
    const QPoint onMacro = m_Page->listWidgetHong->visualItemRect(m_Page->listWidgetHong->item(0)).center();
    for (const QPoint& pos : {onMacro, QPoint(100, 250)}) {
        QMenu menu;
        m_Page->editor.FillMacroListMenu(menu, pos, &receiver);
        QStringList texts;
        for (QAction* action : menu.actions()) {
            texts << action->text();
            action->trigger();
        }
        const bool overMacro = pos == onMacro;
        QCOMPARE(texts, overMacro ? QStringList({"Export", "Rename", "Delete"}) : QStringList({"New", "Import"}));
    }
    QCOMPARE(receiver.called, QStringList({"export", "rename", "delete", "new", "import"}));
}

// A right press makes the macro under it current without showing it. Save
// and export keep to the shown macro; the menu shows the clicked one first,
// so that its commands work on the macro the user sees.
void TestMacroEditor::rightClickNeverMixesTwoMacros()
{
    WriteBytes(m_Folder + "/other.ini", "4\n0x05 1 0\n");
    m_Page->listWidgetHong->addItem("other");
    m_Page->listWidgetHong->resize(200, 300);
    m_Page->page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_Page->page));
    SetShortRows(m_Page->listWidgetKey, {"A+", "10ms", "A-"});
    QWidget* viewport = m_Page->listWidgetHong->viewport();
    const QPoint onOther = m_Page->listWidgetHong->visualItemRect(m_Page->listWidgetHong->item(1)).center();

    QTest::mousePress(viewport, Qt::RightButton, {}, onOther);
    QTest::mouseRelease(viewport, Qt::RightButton, {}, onOther);
    QCOMPARE(m_Page->context.SelectedMacroName(), QString("other"));
    m_Page->editor.Save();
    QCOMPARE(FileBytes(m_Folder + "/m.ini"), QByteArray("1\n0x04 1 0\n10ms\n0x04 1 1\n"));
    QCOMPARE(FileBytes(m_Folder + "/other.ini"), QByteArray("4\n0x05 1 0\n"));
    m_Page->exchange.ExportTo(m_Folder + "/../export.ini");
    QCOMPARE(ReadMacroExportFile(m_Folder + "/../export.ini").macro.name, QString("m"));

    MenuReceiver receiver;
    QTimer::singleShot(0, [] { QApplication::activePopupWidget()->close(); });
    m_Page->editor.ShowMacroListMenu(onOther, &receiver);
    QCOMPARE(m_Page->context.ShownMacro, QString("other"));
    QCOMPARE(ShortTexts(m_Page->listWidgetKey), QStringList({"B+"}));
    QCOMPARE(m_Page->context.LoopValue(), 4);
}

void TestMacroEditor::clickOutsideTheSpinBoxesTakesTheirFocus()
{
    m_Page->page.show();
    QVERIFY(QTest::qWaitForWindowActive(&m_Page->page));
    m_Page->DelayTime->setFocus();
    m_Page->editor.TakeFocusFromSpinBoxes(m_Page->DelayTime->geometry().center());
    QVERIFY(m_Page->DelayTime->hasFocus());
    m_Page->editor.TakeFocusFromSpinBoxes(QPoint(5, 5));
    QVERIFY(!m_Page->DelayTime->hasFocus());
    QVERIFY(m_Page->page.hasFocus());
}

QTEST_MAIN(TestMacroEditor)
#include "tst_macroeditor.moc"
