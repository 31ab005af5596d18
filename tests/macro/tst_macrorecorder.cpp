#include "MacroTestKit.h"

#include "core/PostMsg.h"

#include <QSignalSpy>
#include <QTest>
#include <QKeyEvent>
#include <QWindow>

namespace {

void Key(KeyMessage message, int virtualKey)
{
    KeyboardHook::HookProc(KeyHookSlot::MacroPage, message, virtualKey);
}

void Type(int virtualKey)
{
    Key(KeyMessage::KeyDown, virtualKey);
    Key(KeyMessage::KeyUp, virtualKey);
}

} // namespace

class TestMacroRecorder : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        FreshMacroFolder();
        m_Page.reset(new MacroPageFixture);
        m_Page->listWidgetHong->addItem("m");
        m_Page->Select("m");
        m_Starts.reset(new QSignalSpy(PostMsg::GetInstance(), SIGNAL(SigStartRecord(int))));
    }
    void cleanup() { m_Page.reset(); }

    void startNeedsASelectedMacro();
    void typedKeysBecomeRowsWithDelays();
    void fixedDelaysInDefaultMode();
    void heldKeyIsRecordedOnce();
    void pressOfTheLastReleasedKeyIsDropped();
    void keysWithoutANameLeaveNoRow();
    void seventiethEventEndsTheRecording();
    void stopAndLeavingRestoreTheIdleLook();
    void keysOfTheProgramsWindowAreRecorded();
    void heldKeyUnderX11IsRecordedOnce();
    void typedKeysReachNoControlWhileRecording();
    void delayTimeStopsAt65535();
    void keyNames_data();
    void keyNames();
    void rowBuilders();

private:
    QScopedPointer<MacroPageFixture> m_Page;
    QScopedPointer<QSignalSpy> m_Starts;
};

void TestMacroRecorder::startNeedsASelectedMacro()
{
    // Nothing current; then a current row whose macro is not shown (a right
    // click or an arrow key moved it): no macro would receive the rows.
    for (const int current : {-1, 0}) {
        m_Page->Select(QString());
        m_Page->listWidgetHong->setCurrentRow(current);
        DialogScript script{{"NewHong", QString()}};
        m_Page->recorder.Start();
        QCOMPARE(script.shown, QStringList({"ExeIsRun"}));
        QVERIFY(!g_MacroRecording);
        QVERIFY(m_Page->StopRecord->isHidden());
        QVERIFY(m_Starts->isEmpty());
    }
}

void TestMacroRecorder::typedKeysBecomeRowsWithDelays()
{
    SetShortRows(m_Page->listWidgetKey, {"Z+"});
    m_Page->recorder.Start();
    QCOMPARE(m_Starts->takeFirst(), QList<QVariant>({0}));
    QVERIFY(g_MacroRecording);
    QVERIFY(m_Page->context.EventsChanged);
    QVERIFY(!m_Page->listWidgetHong->isEnabled());
    QVERIFY(!m_Page->ChooseEvent->isEnabled());
    QVERIFY(m_Page->StartRecord->isHidden() && m_Page->DelayTime->isHidden());
    QCOMPARE(m_Page->listWidgetKey->count(), 0);

    Type('A');
    QTest::qWait(30);
    Type('B');
    const QStringList rows = ShortTexts(m_Page->listWidgetKey);
    QCOMPARE(rows.size(), 7);
    QCOMPARE(QStringList({rows[0], rows[2], rows[4], rows[6]}), QStringList({"A+", "A-", "B+", "B-"}));
    QVERIFY2(rows[3].chopped(2).toInt() >= 25, qPrintable(rows[3]));
    QCOMPARE(m_Page->recorder.KeyCount(), 4);
}

void TestMacroRecorder::fixedDelaysInDefaultMode()
{
    m_Page->DefaultDelay->setChecked(true);
    m_Page->DelayTime->setValue(20);
    m_Page->recorder.Start();
    Type('A');
    Type('B');
    QCOMPARE(ShortTexts(m_Page->listWidgetKey), QStringList({"A+", "20ms", "A-", "20ms", "B+", "20ms", "B-"}));
}

void TestMacroRecorder::heldKeyIsRecordedOnce()
{
    m_Page->recorder.Start();
    Key(KeyMessage::KeyDown, 'A');
    for (int i = 0; i < 5; ++i)
        Key(KeyMessage::KeyDown, 'A');
    QTest::qWait(40);
    Key(KeyMessage::KeyUp, 'A');
    const QStringList rows = ShortTexts(m_Page->listWidgetKey);
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[2], QString("A-"));
    QVERIFY2(rows[1].chopped(2).toInt() >= 35, "the delay measures how long the key was held");
}

void TestMacroRecorder::pressOfTheLastReleasedKeyIsDropped()
{
    m_Page->DefaultDelay->setChecked(true);
    m_Page->recorder.Start();
    Key(KeyMessage::KeyDown, 'A');
    Key(KeyMessage::KeyDown, 'B');
    Key(KeyMessage::KeyUp, 'A');
    Key(KeyMessage::KeyDown, 'A');
    QCOMPARE(ShortTexts(m_Page->listWidgetKey), QStringList({"A+", "10ms", "B+", "10ms", "A-"}));
}

void TestMacroRecorder::keysWithoutANameLeaveNoRow()
{
    m_Page->DefaultDelay->setChecked(true);
    m_Page->recorder.Start();
    Key(KeyMessage::KeyDown, 'A');
    Key(KeyMessage::KeyDown, 0xAF); // volume up
    Key(KeyMessage::KeyUp, 'A');
    Type(0xAF); // last: no delay row is left at the end
    QCOMPARE(ShortTexts(m_Page->listWidgetKey), QStringList({"A+", "10ms", "A-"}));
    QCOMPARE(m_Page->recorder.KeyCount(), 2);
}

void TestMacroRecorder::seventiethEventEndsTheRecording()
{
    m_Page->DefaultDelay->setChecked(true);
    m_Page->recorder.Start();
    DialogScript script{{"NewHong", QString()}};
    for (int i = 0; i < 36; ++i)
        Type(i % 2 ? 'A' : 'B');
    QCOMPARE(script.shown, QStringList({"KeyNumberLimit"}));
    QCOMPARE(m_Page->listWidgetKey->count(), 139);
    QVERIFY(!g_MacroRecording);
    QVERIFY2(m_Page->StartRecord->isHidden(), "the page keeps its recording look until Stop");
    Type('C');
    QCOMPARE(m_Page->listWidgetKey->count(), 139);
    QCOMPARE(m_Starts->size(), 1);
}

void TestMacroRecorder::stopAndLeavingRestoreTheIdleLook()
{
    for (const bool leaving : {false, true}) {
        m_Page->recorder.Start();
        Type('A');
        m_Starts->clear();
        leaving ? m_Page->recorder.ResetOnLeavingPages() : m_Page->recorder.Stop();
        QCOMPARE(m_Starts->size(), 1);
        QCOMPARE(m_Starts->takeFirst(), QList<QVariant>({1}));
        QVERIFY(!g_MacroRecording);
        QVERIFY(!m_Page->StartRecord->isHidden() && m_Page->StopRecord->isHidden());
        QVERIFY(!m_Page->DelayTime->isHidden() && !m_Page->NumberEdit->isHidden());
        QVERIFY(m_Page->listWidgetHong->isEnabled() && m_Page->ChooseEvent->isEnabled());
        QCOMPARE(m_Page->Save->isEnabled(), !leaving);
        QCOMPARE(m_Page->listWidgetKey->count(), 3);
        Type('B'); // the hook is gone
        QCOMPARE(m_Page->listWidgetKey->count(), 3);
    }
}

void TestMacroRecorder::keysOfTheProgramsWindowAreRecorded()
{
    m_Page->DefaultDelay->setChecked(true);
    m_Page->page.show();
    QVERIFY(QTest::qWaitForWindowActive(&m_Page->page));
    m_Page->recorder.Start();
    QTest::keyClick(m_Page->page.windowHandle(), Qt::Key_5, Qt::KeypadModifier);
    QTest::keyClick(m_Page->page.windowHandle(), Qt::Key_Tab);
    // The last release waits a moment for a press that would make it an X11 auto-repeat.
    QTRY_COMPARE(ShortTexts(m_Page->listWidgetKey),
                 QStringList({"Num5+", "10ms", "Num5-", "10ms", "Tab+", "10ms", "Tab-"}));
}

// X11 repeats a held key as release/press pairs with one timestamp; the
// recording still holds one press and one release.
void TestMacroRecorder::heldKeyUnderX11IsRecordedOnce()
{
    m_Page->DefaultDelay->setChecked(true);
    m_Page->page.show();
    QVERIFY(QTest::qWaitForWindowActive(&m_Page->page));
    m_Page->recorder.Start();
    const QList<std::pair<QEvent::Type, ulong>> events = {
        {QEvent::KeyPress, 5},    {QEvent::KeyRelease, 500}, {QEvent::KeyPress, 500},
        {QEvent::KeyRelease, 540}, {QEvent::KeyPress, 540}, {QEvent::KeyRelease, 900}};
    for (const auto& [type, timestamp] : events) {
        QKeyEvent event(type, Qt::Key_A, Qt::NoModifier, "a");
        event.setTimestamp(timestamp);
        QCoreApplication::sendEvent(m_Page->page.windowHandle(), &event);
    }
    QTRY_COMPARE(ShortTexts(m_Page->listWidgetKey), QStringList({"A+", "10ms", "A-"}));
}

// The typed keys go to the recording only: Tab does not move the focus to a
// loop box, Space does not tick it.
void TestMacroRecorder::typedKeysReachNoControlWhileRecording()
{
    m_Page->page.show();
    QVERIFY(QTest::qWaitForWindowActive(&m_Page->page));
    m_Page->ReUntilLoose->setFocus();
    m_Page->recorder.Start();
    QWindow* window = m_Page->page.windowHandle();
    QTest::keyClick(window, Qt::Key_Space);
    QTest::keyClick(window, Qt::Key_Tab);
    QTest::keyClick(window, Qt::Key_Space);
    QTRY_COMPARE(m_Page->listWidgetKey->count(), 11);
    QVERIFY(m_Page->ReNumber->isChecked());
    QVERIFY(m_Page->ReUntilLoose->hasFocus());

    m_Page->recorder.Stop();
    QTest::keyClick(window, Qt::Key_Space);
    QVERIFY(m_Page->ReUntilLoose->isChecked());
}

void TestMacroRecorder::delayTimeStopsAt65535()
{
    QObject::connect(m_Page->DelayTime, QOverload<int>::of(&QSpinBox::valueChanged), &m_Page->page,
                     [this](int value) { m_Page->recorder.LimitDelayTime(value); });
    m_Page->DelayTime->setValue(70000);
    QCOMPARE(m_Page->DelayTime->value(), 65535);
    m_Page->DelayTime->setValue(65534);
    QCOMPARE(m_Page->DelayTime->value(), 65534);
}

void TestMacroRecorder::keyNames_data()
{
    QTest::addColumn<int>("virtualKey");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("named");
    QTest::newRow("digit") << 0x37 << "7" << true;
    QTest::newRow("keypad digit") << 0x60 << "Num0" << true;
    QTest::newRow("F12") << 0x7B << "F12" << true;
    QTest::newRow("clear: named without a text") << 12 << "" << true;
    QTest::newRow("left arrow") << 37 << QString::fromUtf8("←") << true;
    QTest::newRow("right Alt") << 165 << "RAlt" << true;
    QTest::newRow("grave") << 192 << "`" << true;
    QTest::newRow("backslash") << 220 << "\\" << true;
    QTest::newRow("plain Shift code") << 16 << "" << false;
    QTest::newRow("F13") << 0x7C << "" << false;
}

void TestMacroRecorder::keyNames()
{
    QFETCH(int, virtualKey);
    QFETCH(QString, name);
    QFETCH(bool, named);
    const std::optional<QString> found = RecordingKeyName(virtualKey);
    QCOMPARE(found.has_value(), named);
    QCOMPARE(found.value_or(QString()), name);
}

void TestMacroRecorder::rowBuilders()
{
    QListWidget* events = m_Page->listWidgetKey;
    SetShortRows(events, {"A+", "10ms", "A-"});
    AppendKeyItem(m_Page->listWidgetHong, events, "A", true);
    QCOMPARE(events->currentRow(), 3);
    AppendDelayItem(m_Page->listWidgetHong, events, 12.6);
    QCOMPARE(events->currentRow(), 3);
    AppendKeyItem(m_Page->listWidgetHong, events, "A", false);
    AppendDelayItem(m_Page->listWidgetHong, events, 0);
    QCOMPARE(ShortTexts(events), QStringList({"A+", "10ms", "A-", "A+", "13ms", "A-", "0ms"}));
    QCOMPARE(events->item(5)->type(), kReleaseRowType);

    m_Page->listWidgetHong->setCurrentRow(-1);
    AppendKeyItem(m_Page->listWidgetHong, events, "B", true);
    AppendDelayItem(m_Page->listWidgetHong, events, 5);
    QCOMPARE(events->count(), 7);
}

QTEST_MAIN(TestMacroRecorder)
#include "tst_macrorecorder.moc"
