#include "platform/KeyboardHook.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QWindow>

#include <tuple>

namespace {

using KeyCall = std::tuple<int, bool, bool>;

// Collects what one slot's callback receives, and removes the hook afterwards
// so that no test leaves a slot installed for the next.
class HookRecorder
{
public:
    // releaseWaitMs: see KeyboardHook::SetReleaseWait.
    explicit HookRecorder(KeyHookSlot slot, int releaseWaitMs = 0) : m_Hook(slot)
    {
        m_Hook.SetCallback([this](int key, bool down, bool repeat) { calls.append(KeyCall(key, down, repeat)); });
        m_Hook.SetReleaseWait(releaseWaitMs);
        m_Hook.Install();
    }
    ~HookRecorder()
    {
        m_Hook.Uninstall();
        m_Hook.SetReleaseWait(0);
    }

    KeyboardHook& Hook() { return m_Hook; }
    QList<KeyCall> calls;

private:
    KeyboardHook m_Hook;
};

void SendKey(QWindow* window, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
             bool autoRepeat = false, quint32 nativeVirtualKey = 0, ulong timestamp = 0)
{
    const QString text = key >= Qt::Key_A && key <= Qt::Key_Z ? QString(QChar(key).toLower()) : QString();
    QKeyEvent event(type, key, modifiers, 0, nativeVirtualKey, 0, text, autoRepeat);
    event.setTimestamp(timestamp);
    QCoreApplication::sendEvent(window, &event);
}

// A key event as X11 delivers it: "+A@5" the press of A at time 5, "-A@5" its
// release, both not marked as auto-repeats.
void SendX11Key(QWindow* window, const QString& event)
{
    const int key = Qt::Key_A + (event.at(1).unicode() - 'A');
    const ulong timestamp = event.mid(3).toULong();
    SendKey(window, event.startsWith('+') ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier, false, 0,
            timestamp);
}

} // namespace

Q_DECLARE_METATYPE(QList<KeyCall>)

class TestKeyboardHook : public QObject
{
    Q_OBJECT

private slots:
    void heldKeyRepeatsUntilItsRelease();
    void releaseOfAnyKeyClearsTheRepeat();
    void systemMessagesCountOnlyInTheMacroPageSlot();
    void slotsAreIndependentAndKeepTheirCallback();
    void uninstalledSlotReceivesNothing();
    void virtualKeysOfQtKeys_data();
    void virtualKeysOfQtKeys();
    void altCombinationsAreSystemMessages();
    void windowKeyEventsReachTheHookOnceAndTheWidgetToo();
    void x11RepeatPairsDropTheirRelease_data();
    void x11RepeatPairsDropTheirRelease();
    void aHeldReleaseGoesWithTheHook();
};

void TestKeyboardHook::heldKeyRepeatsUntilItsRelease()
{
    HookRecorder recorder(KeyHookSlot::MacroPage);
    KeyboardHook::HookProc(KeyHookSlot::MacroPage, KeyMessage::KeyDown, 'A');
    KeyboardHook::HookProc(KeyHookSlot::MacroPage, KeyMessage::KeyDown, 'A');
    KeyboardHook::HookProc(KeyHookSlot::MacroPage, KeyMessage::KeyDown, 'A');
    KeyboardHook::HookProc(KeyHookSlot::MacroPage, KeyMessage::KeyUp, 'A');
    const QList<KeyCall> expected = {KeyCall(65, true, false), KeyCall(65, true, true), KeyCall(65, true, true),
                                     KeyCall(65, false, false)};
    QCOMPARE(recorder.calls, expected);
}

void TestKeyboardHook::releaseOfAnyKeyClearsTheRepeat()
{
    HookRecorder recorder(KeyHookSlot::KeyDialog);
    KeyboardHook::HookProc(KeyHookSlot::KeyDialog, KeyMessage::KeyDown, 'A');
    KeyboardHook::HookProc(KeyHookSlot::KeyDialog, KeyMessage::KeyDown, 'B');
    KeyboardHook::HookProc(KeyHookSlot::KeyDialog, KeyMessage::KeyUp, 'A');
    KeyboardHook::HookProc(KeyHookSlot::KeyDialog, KeyMessage::KeyDown, 'B'); // B's auto-repeat
    const QList<KeyCall> expected = {KeyCall(65, true, false), KeyCall(66, true, false), KeyCall(65, false, false),
                                     KeyCall(66, true, false)};
    QCOMPARE(recorder.calls, expected);
}

void TestKeyboardHook::systemMessagesCountOnlyInTheMacroPageSlot()
{
    // Alt+F4: Alt goes down, then F4 comes as system messages.
    for (KeyHookSlot slot : {KeyHookSlot::MacroPage, KeyHookSlot::ComboDialog}) {
        HookRecorder recorder(slot);
        KeyboardHook::HookProc(slot, KeyMessage::KeyDown, 'Q');
        KeyboardHook::HookProc(slot, KeyMessage::KeyUp, 'Q');
        KeyboardHook::HookProc(slot, KeyMessage::SysKeyDown, 115);
        KeyboardHook::HookProc(slot, KeyMessage::SysKeyUp, 115);
        const bool macroPage = slot == KeyHookSlot::MacroPage;
        // The dialogs' slots keep the down flag of the event before (Q's release).
        QCOMPARE(recorder.calls.mid(2),
                 QList<KeyCall>({KeyCall(115, macroPage, false), KeyCall(115, false, true)}));
    }
}

void TestKeyboardHook::slotsAreIndependentAndKeepTheirCallback()
{
    HookRecorder page(KeyHookSlot::MacroPage);
    KeyboardHook dialog(KeyHookSlot::KeyDialog);
    QList<int> dialogKeys;
    dialog.SetCallback([&](int key, bool, bool) { dialogKeys << key; });
    QVERIFY(!dialog.IsInstalled());

    KeyboardHook::HookProc(KeyHookSlot::MacroPage, KeyMessage::KeyDown, 'C');
    KeyboardHook::HookProc(KeyHookSlot::KeyDialog, KeyMessage::KeyDown, 'C');
    QVERIFY(dialogKeys.isEmpty());

    dialog.Install();
    dialog.Uninstall();
    QVERIFY(page.Hook().IsInstalled());
    dialog.Install(); // the callback outlived the removal
    KeyboardHook::HookProc(KeyHookSlot::KeyDialog, KeyMessage::KeyDown, 'C');
    dialog.Uninstall();
    QCOMPARE(dialogKeys, QList<int>({'C'}));

    // The page's key state was not touched by the dialog's events: C repeats.
    KeyboardHook::HookProc(KeyHookSlot::MacroPage, KeyMessage::KeyDown, 'C');
    QCOMPARE(page.calls, QList<KeyCall>({KeyCall('C', true, false), KeyCall('C', true, true)}));
}

void TestKeyboardHook::uninstalledSlotReceivesNothing()
{
    HookRecorder recorder(KeyHookSlot::ComboDialog);
    recorder.Hook().Uninstall();
    recorder.Hook().Uninstall();
    QVERIFY(!recorder.Hook().IsInstalled());
    KeyboardHook::HookProc(KeyHookSlot::ComboDialog, KeyMessage::KeyDown, 'A');
    QVERIFY(recorder.calls.isEmpty());
}

void TestKeyboardHook::virtualKeysOfQtKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<quint32>("keySymbol");
    QTest::addColumn<int>("virtualKey");
    const int none = Qt::NoModifier;
    const int keypad = Qt::KeypadModifier;
    QTest::newRow("A") << int(Qt::Key_A) << none << 0u << 0x41;
    QTest::newRow("shifted Z") << int(Qt::Key_Z) << int(Qt::ShiftModifier) << 0u << 0x5A;
    QTest::newRow("7") << int(Qt::Key_7) << none << 0u << 0x37;
    QTest::newRow("keypad 7") << int(Qt::Key_7) << keypad << 0u << 0x67;
    QTest::newRow("shifted 1") << int(Qt::Key_Exclam) << int(Qt::ShiftModifier) << 0u << 0x31;
    QTest::newRow("keypad minus") << int(Qt::Key_Minus) << keypad << 0u << 0x6D;
    QTest::newRow("minus") << int(Qt::Key_Minus) << none << 0u << 0xBD;
    QTest::newRow("underscore") << int(Qt::Key_Underscore) << int(Qt::ShiftModifier) << 0u << 0xBD;
    QTest::newRow("grave") << int(Qt::Key_QuoteLeft) << none << 0u << 0xC0;
    QTest::newRow("F12") << int(Qt::Key_F12) << none << 0u << 0x7B;
    QTest::newRow("left arrow") << int(Qt::Key_Left) << none << 0u << 0x25;
    QTest::newRow("print") << int(Qt::Key_Print) << none << 0u << 0x2C;
    QTest::newRow("left shift") << int(Qt::Key_Shift) << none << 0xffe1u << 0xA0;
    QTest::newRow("right shift") << int(Qt::Key_Shift) << none << 0xffe2u << 0xA1;
    QTest::newRow("control, side unknown") << int(Qt::Key_Control) << none << 0u << 0xA2;
    QTest::newRow("right control") << int(Qt::Key_Control) << none << 0xffe4u << 0xA3;
    QTest::newRow("AltGr") << int(Qt::Key_AltGr) << none << 0u << 0xA5;
    QTest::newRow("left Windows key") << int(Qt::Key_Meta) << none << 0xffebu << 0x5B;
    QTest::newRow("volume up") << int(Qt::Key_VolumeUp) << none << 0u << 0xAF;
    QTest::newRow("no code") << int(Qt::Key_Launch0) << none << 0u << 0;
}

void TestKeyboardHook::virtualKeysOfQtKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(quint32, keySymbol);
    QFETCH(int, virtualKey);
    const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), 0, keySymbol, 0);
    QCOMPARE(VirtualKeyOf(event), virtualKey);
}

void TestKeyboardHook::altCombinationsAreSystemMessages()
{
    const auto message = [](QEvent::Type type, int key, Qt::KeyboardModifiers modifiers) {
        return KeyMessageOf(QKeyEvent(type, key, modifiers));
    };
    QCOMPARE(message(QEvent::KeyPress, Qt::Key_Alt, Qt::NoModifier), KeyMessage::SysKeyDown);
    QCOMPARE(message(QEvent::KeyPress, Qt::Key_F4, Qt::AltModifier), KeyMessage::SysKeyDown);
    QCOMPARE(message(QEvent::KeyRelease, Qt::Key_F4, Qt::AltModifier), KeyMessage::SysKeyUp);
    QCOMPARE(message(QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier), KeyMessage::KeyUp);
    QCOMPARE(message(QEvent::KeyPress, Qt::Key_Delete, Qt::AltModifier | Qt::ControlModifier), KeyMessage::KeyDown);
    QCOMPARE(message(QEvent::KeyPress, Qt::Key_F10, Qt::NoModifier), KeyMessage::SysKeyDown);
    QCOMPARE(message(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier), KeyMessage::KeyDown);
}

void TestKeyboardHook::windowKeyEventsReachTheHookOnceAndTheWidgetToo()
{
    QLineEdit edit;
    edit.show();
    edit.activateWindow();
    edit.setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&edit));
    QWindow* window = edit.windowHandle();

    HookRecorder recorder(KeyHookSlot::MacroPage);
    SendKey(window, QEvent::KeyPress, Qt::Key_B);
    SendKey(window, QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, true);
    SendKey(window, QEvent::KeyRelease, Qt::Key_B, Qt::NoModifier, true); // X11 pairs each repeat with a release
    SendKey(window, QEvent::KeyRelease, Qt::Key_B);
    SendKey(window, QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier, false, 0xffe2);
    const QList<KeyCall> expected = {KeyCall(0x42, true, false), KeyCall(0x42, true, true), KeyCall(0x42, false, false),
                                     KeyCall(0xA1, true, false)};
    QCOMPARE(recorder.calls, expected);

    // Events sent to a widget directly do not come from the window system.
    QTest::keyClick(&edit, Qt::Key_C);
    QCOMPARE(recorder.calls.size(), expected.size());
    recorder.Hook().Uninstall();

    // The hook swallowed nothing: the line edit typed every press.
    QCOMPARE(edit.text(), QString("bbc"));
}

void TestKeyboardHook::x11RepeatPairsDropTheirRelease_data()
{
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QList<KeyCall>>("calls");
    const KeyCall pressA(0x41, true, false), repeatA(0x41, true, true), releaseA(0x41, false, false);
    const KeyCall pressB(0x42, true, false), releaseB(0x42, false, false);
    QTest::newRow("held key") << QStringList{"+A@5", "-A@40", "+A@40", "-A@80", "+A@80", "-A@95"}
                              << QList<KeyCall>{pressA, repeatA, repeatA, releaseA};
    QTest::newRow("typed twice") << QStringList{"+A@5", "-A@9", "+A@30", "-A@41"}
                                 << QList<KeyCall>{pressA, releaseA, pressA, releaseA};
    QTest::newRow("another key at the same time") << QStringList{"+A@5", "-A@9", "+B@9", "-B@20"}
                                                  << QList<KeyCall>{pressA, releaseA, pressB, releaseB};
    QTest::newRow("no timestamps") << QStringList{"+A@0", "-A@0", "+A@0", "-A@0"}
                                   << QList<KeyCall>{pressA, releaseA, pressA, releaseA};
}

// Under X11 a held key comes as release/press pairs of one timestamp, most of
// them not marked as auto-repeats; the hook reports them as Windows does.
void TestKeyboardHook::x11RepeatPairsDropTheirRelease()
{
    QFETCH(QStringList, events);
    QFETCH(QList<KeyCall>, calls);
    QWindow window;
    HookRecorder recorder(KeyHookSlot::MacroPage, 10);
    for (const QString& event : events)
        SendX11Key(&window, event);
    // The last release waits for a press that does not come.
    QTRY_COMPARE(recorder.calls, calls);
}

void TestKeyboardHook::aHeldReleaseGoesWithTheHook()
{
    QWindow window;
    HookRecorder recorder(KeyHookSlot::KeyDialog, 10);
    SendX11Key(&window, "+A@5");
    SendX11Key(&window, "-A@9");
    recorder.Hook().Uninstall();
    recorder.Hook().SetReleaseWait(0);
    recorder.Hook().Install();
    // A release still held would be reported before the next key.
    SendX11Key(&window, "+B@50");
    QCOMPARE(recorder.calls, QList<KeyCall>({KeyCall(0x41, true, false), KeyCall(0x42, true, false)}));
}

QTEST_MAIN(TestKeyboardHook)
#include "tst_keyboardhook.moc"
