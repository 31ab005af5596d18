#include "device/KeyCodes.h"

#include <QTest>

#include <cstring>

namespace {

// "direction:kind:code" of each event within the count, hexadecimal codes;
// fails when an event has another delay than 10 or a byte past the count or
// in the padding is set.
QString Describe(const KeyEventRecord& record)
{
    QStringList events;
    for (int i = 0; i < KeyEventsPerButton; ++i) {
        const DeviceEvent& event = record.Events[i];
        if (i >= record.EventCount) {
            const DeviceEvent zero{};
            if (std::memcmp(&event, &zero, sizeof zero) != 0)
                return "event past the count is set";
            continue;
        }
        if (event.DelayMs != 10)
            return "delay is not 10";
        events << QString("%1:%2:%3").arg(event.Direction).arg(event.Kind).arg(event.Code, 0, 16);
    }
    if (record.Zero[0] || record.Zero[1] || record.Zero[2])
        return "padding is set";
    return events.join(' ');
}

void SetMouseButtonNames(const QString& left, const QString& right, const QString& middle,
                         const QString& back, const QString& forward)
{
    g_MouseButtonNameLeft = left;
    g_MouseButtonNameRight = right;
    g_MouseButtonNameMiddle = middle;
    g_MouseButtonNameBack = back;
    g_MouseButtonNameForward = forward;
}

} // namespace

class TestKeyCodes : public QObject
{
    Q_OBJECT

private slots:
    void beforeTheMacroPageNamesTheMouseButtons()
    {
        QCOMPARE(MouseButtonName(0x01), QString());
        QCOMPARE(MacroKeyTokens(QString()), QStringList({"0x00", "1"}));
        QCOMPARE(MacroKeyNameFromToken("0x01", EventKindMouseButton), QString());
        MacroBlock block{};
        block.Events[0].Code = 0x55;
        MacroKeyUsageToBlock(QString(), 0, &block);
        QCOMPARE(int(block.Events[0].Code), 0);
        QCOMPARE(int(block.Events[0].Kind), int(EventKindKeyboard));

        // The tests below run with the names the macro page would set.
        SetMouseButtonNames("Left", "Right", "Middle", "Back", "Forward");
    }

    void eventNames_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<QString>("macroName");

        QTest::newRow("0x04 key") << 0x04 << 1 << "A" << "A";
        QTest::newRow("0x04 modifier") << 0x04 << 0 << "Alt" << "LAlt";
        QTest::newRow("0x04 consumer") << 0x04 << 2 << "" << "";
        QTest::newRow("0x08 key") << 0x08 << 1 << "E" << "E";
        QTest::newRow("0x08 modifier") << 0x08 << 0 << "Win" << "LWin";
        QTest::newRow("0x10 key") << 0x10 << 1 << "M" << "M";
        QTest::newRow("0x10 modifier") << 0x10 << 0 << "Ctrl" << "RCtrl";
        QTest::newRow("0x20 key") << 0x20 << 1 << "3" << "3";
        QTest::newRow("0x20 modifier") << 0x20 << 0 << "Shift" << "RShift";
        QTest::newRow("0x40 key") << 0x40 << 1 << "F7" << "F7";
        QTest::newRow("0x40 modifier") << 0x40 << 0 << "Alt" << "RAlt";
        QTest::newRow("0x40 consumer") << 0x40 << 2 << "" << "F7";
        QTest::newRow("0x01 as a key") << 0x01 << 1 << "Ctrl" << "LCtrl";
        QTest::newRow("0x02 as a key") << 0x02 << 1 << "Shift" << "LShift";
        QTest::newRow("0x80 as a mouse button") << 0x80 << 4 << "Win" << "RWin";
        QTest::newRow("0x5B whatever the kind") << 0x5B << 0 << "Num3" << "Num3";
        QTest::newRow("keypad Enter") << 0x58 << 1 << "Enter" << "Enter";
        QTest::newRow("backslash") << 0x31 << 1 << "\\" << "\\";
        QTest::newRow("grave accent") << 0x35 << 1 << "`" << "`";
        QTest::newRow("right arrow") << 0x4F << 1 << QString::fromUtf8("\u2192") << QString::fromUtf8("\u2192");
        QTest::newRow("up arrow") << 0x52 << 1 << QString::fromUtf8("\u2191") << QString::fromUtf8("\u2191");
        QTest::newRow("APPs") << 0x65 << 1 << "APPs" << "APPs";
        QTest::newRow("no key") << 0x00 << 1 << "" << "";
        QTest::newRow("unnamed 0x32") << 0x32 << 1 << "" << "";
        QTest::newRow("unnamed 0x64") << 0x64 << 1 << "" << "";
        QTest::newRow("past the table") << 0x66 << 1 << "" << "";
    }

    void eventNames()
    {
        QFETCH(int, code);
        QFETCH(int, kind);
        QFETCH(QString, buttonName);
        QFETCH(QString, macroName);
        QCOMPARE(KeyNameFromCode(code, kind), buttonName);
        QCOMPARE(MacroKeyName(code, kind), macroName);
    }

    void everyKeyNameRoundTripsThroughItsTokens()
    {
        for (int code = 0; code <= 0xFF; ++code) {
            const QString name = KeyNameFromCode(code, EventKindKeyboard);
            if (name.isEmpty() || code <= 0x02 || code == 0x80)
                continue;
            const int expected = code == 0x58 ? 0x28 : code;
            const QString token = "0x" + QString("%1").arg(expected, 2, 16, QChar('0')).toUpper();
            QCOMPARE(MacroKeyTokens(name), QStringList({token, "1"}));
            QCOMPARE(MacroKeyNameFromToken(token, EventKindKeyboard), name);
        }
    }

    void tokensOfNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("tokens");
        QTest::newRow("RWin") << "RWin" << QStringList{"0x80", "0"};
        QTest::newRow("F7") << "F7" << QStringList{"0x40", "1"};
        QTest::newRow("RAlt") << "RAlt" << QStringList{"0x40", "0"};
        QTest::newRow("LCtrl") << "LCtrl" << QStringList{"0x01", "0"};
        QTest::newRow("Enter") << "Enter" << QStringList{"0x28", "1"};
        QTest::newRow("Num3") << "Num3" << QStringList{"0x5B", "1"};
        QTest::newRow("empty name") << "" << QStringList{"0x00", "1"};
        QTest::newRow("mouse left") << "Left" << QStringList{"0x01", "4"};
        QTest::newRow("mouse forward") << "Forward" << QStringList{"0x10", "4"};
        QTest::newRow("button-page modifier") << "Ctrl" << QStringList();
        QTest::newRow("unknown") << "Hyper" << QStringList();
    }

    void tokensOfNames()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, tokens);
        QCOMPARE(MacroKeyTokens(name), tokens);
    }

    void namesOfTokens_data()
    {
        QTest::addColumn<QString>("token");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::newRow("0x40 key") << "0x40" << 1 << "F7";
        QTest::newRow("0x40 modifier") << "0x40" << 0 << "RAlt";
        QTest::newRow("0x40 mouse") << "0x40" << 4 << "";
        QTest::newRow("0x04 mouse") << "0x04" << 4 << "Middle";
        QTest::newRow("0x08 mouse") << "0x08" << 4 << "Back";
        QTest::newRow("0x20 modifier") << "0x20" << 0 << "RShift";
        QTest::newRow("upper-case") << "0x2B" << 1 << "Tab";
        QTest::newRow("lower-case") << "0x2b" << 1 << "";
        QTest::newRow("keypad Enter") << "0x58" << 1 << "";
        QTest::newRow("unnamed usage") << "0x80" << 1 << "";
        QTest::newRow("consumer kind") << "0x01" << 2 << "";
        QTest::newRow("not a token") << "A" << 1 << "";
    }

    void namesOfTokens()
    {
        QFETCH(QString, token);
        QFETCH(int, kind);
        QFETCH(QString, name);
        QCOMPARE(MacroKeyNameFromToken(token, kind), name);
    }

    void mouseButtonNames()
    {
        QCOMPARE(MouseButtonName(0x01), QString("Left"));
        QCOMPARE(MouseButtonName(0x02), QString("Right"));
        QCOMPARE(MouseButtonName(0x04), QString("Middle"));
        QCOMPARE(MouseButtonName(0x08), QString("Back"));
        QCOMPARE(MouseButtonName(0x10), QString("Forward"));
        QCOMPARE(MouseButtonName(0x03), QString());
    }

    void combinationText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("events");
        QTest::newRow("one key") << "F" << 2 << "0:1:9 1:1:9";
        QTest::newRow("Ctrl+A") << "Ctrl+A" << 4 << "0:0:1 0:1:4 1:1:4 1:0:1";
        QTest::newRow("Ctrl+Shift+Esc mirrors") << "Ctrl+Shift+Esc" << 6 << "0:0:1 0:0:2 0:1:29 1:1:29 1:0:2 1:0:1";
        QTest::newRow("Alt+Win") << "Alt+Win" << 4 << "0:0:4 0:0:8 1:0:8 1:0:4";
        QTest::newRow("empty middle part") << "A++B" << 6 << "0:1:4 0:1:0 0:1:5 1:1:5 1:1:0 1:1:4";
        QTest::newRow("empty text") << "" << 2 << "0:1:0 1:1:0";
        QTest::newRow("sided or unknown names") << "LCtrl+Hyper" << 4 << "0:1:0 0:1:0 1:1:0 1:1:0";
        QTest::newRow("Enter") << "Enter" << 2 << "0:1:28 1:1:28";
        QTest::newRow("four names keep three") << "A+B+C+D" << 6 << "0:1:4 0:1:5 0:1:6 1:1:6 1:1:5 1:1:4";
        // The keypad's plus key carries the separator in its name.
        QTest::newRow("Num+ alone") << "Num+" << 2 << "0:1:57 1:1:57";
        QTest::newRow("Num+ first") << "Num++A" << 4 << "0:1:57 0:1:4 1:1:4 1:1:57";
        QTest::newRow("Num+ last") << "Ctrl+Num+" << 4 << "0:0:1 0:1:57 1:1:57 1:0:1";
        QTest::newRow("trailing separator") << "A+" << 4 << "0:1:4 0:1:0 1:1:0 1:1:4";
    }

    void combinationText()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(QString, events);
        const KeyEventRecord record = KeyEventRecordFromText(text);
        QCOMPARE(int(record.EventCount), count);
        QCOMPARE(Describe(record), events);
    }

    void addKeyEventsNeverWritesPastTheSixEvents()
    {
        const KeyEventRecord empty{};
        const KeyEventRecord record = AddKeyEvents(empty, "A", 0, 4);
        QVERIFY(std::memcmp(&record, &empty, sizeof record) == 0);
    }

    void consumerKey()
    {
        const KeyEventRecord record = BuildConsumerKeyRecord(0x01, 0x83);
        QCOMPARE(int(record.EventCount), 2);
        QCOMPARE(Describe(record), QString("0:2:183 1:2:183"));
    }

    void macroBlockEvents_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("kind");
        QTest::newRow("key") << "Tab" << 0x2B << 1;
        QTest::newRow("F7") << "F7" << 0x40 << 1;
        QTest::newRow("modifier") << "RAlt" << 0x40 << 0;
        QTest::newRow("mouse button") << "Back" << 0x08 << 4;
        QTest::newRow("empty name") << "" << 0x00 << 1;
        QTest::newRow("unknown keeps the code") << "Hyper" << 0x77 << 1;
    }

    void macroBlockEvents()
    {
        QFETCH(QString, name);
        QFETCH(int, code);
        QFETCH(int, kind);
        MacroBlock block{};
        DeviceEvent& event = block.Events[69];
        event.Direction = 1;
        event.Kind = 9;
        event.Code = 0x77;
        event.DelayMs = 123;
        MacroKeyUsageToBlock(name, 69, &block);
        QCOMPARE(int(event.Code), code);
        QCOMPARE(int(event.Kind), kind);
        QCOMPARE(int(event.Direction), 1);
        QCOMPARE(int(event.DelayMs), 123);

        const MacroBlock before = block;
        MacroKeyUsageToBlock(name, 70, &block);
        QVERIFY(std::memcmp(&before, &block, sizeof block) == 0);
    }
};

QTEST_GUILESS_MAIN(TestKeyCodes)
#include "tst_keycodes.moc"
