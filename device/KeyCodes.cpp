#include "device/KeyCodes.h"

#include <QVector>

#include <optional>

QString g_MouseButtonNameLeft;
QString g_MouseButtonNameRight;
QString g_MouseButtonNameMiddle;
QString g_MouseButtonNameBack;
QString g_MouseButtonNameForward;

namespace {

struct NamedCode {
    int code;
    QString name;
};

struct EventCode {
    int code;
    int kind;
};

constexpr int kKeyDelayMs = 10;
constexpr int kKeypadEnter = 0x58;

// Keyboard usages in usage order. Usage 0 is the empty name; the keypad Enter
// shares its name with Enter, so the name converts back to 0x28 only.
const QVector<NamedCode>& KeyboardKeys()
{
    static const QVector<NamedCode> keys = [] {
        QVector<NamedCode> table{{0x00, QString()}};
        for (int i = 0; i < 26; ++i)
            table.append({0x04 + i, QString(QChar('A' + i))});
        for (int i = 0; i < 9; ++i)
            table.append({0x1E + i, QString::number(i + 1)});
        table.append({0x27, QStringLiteral("0")});
        const QVector<NamedCode> named{
            {0x28, "Enter"}, {0x29, "Esc"},    {0x2A, "BackSpace"}, {0x2B, "Tab"},
            {0x2C, "Space"}, {0x2D, "-"},      {0x2E, "="},         {0x2F, "["},
            {0x30, "]"},     {0x31, "\\"},     {0x33, ";"},         {0x34, "'"},
            {0x35, "`"},     {0x36, ","},      {0x37, "."},         {0x38, "/"},
            {0x39, "CapsLock"}};
        table += named;
        for (int i = 0; i < 12; ++i)
            table.append({0x3A + i, QStringLiteral("F") + QString::number(i + 1)});
        const QVector<NamedCode> more{
            {0x46, "Screen"},  {0x47, "Scroll"},           {0x48, "Pause"},
            {0x49, "Insert"},  {0x4A, "Home"},             {0x4B, "PgUp"},
            {0x4C, "Del"},     {0x4D, "End"},              {0x4E, "PgDn"},
            {0x4F, QString::fromUtf8("\u2192")},           {0x50, QString::fromUtf8("\u2190")},
            {0x51, QString::fromUtf8("\u2193")},           {0x52, QString::fromUtf8("\u2191")},
            {0x53, "NumLock"}, {0x54, "Num/"},             {0x55, "Num*"},
            {0x56, "Num-"},    {0x57, "Num+"},             {kKeypadEnter, "Enter"}};
        table += more;
        for (int i = 0; i < 9; ++i)
            table.append({0x59 + i, QStringLiteral("Num") + QString::number(i + 1)});
        table.append({0x62, QStringLiteral("Num0")});
        table.append({0x63, QStringLiteral("Num.")});
        table.append({0x65, QStringLiteral("APPs")});
        return table;
    }();
    return keys;
}

// The modifier bits with the button page's plain names and the macro page's
// sided names.
const QVector<NamedCode>& ButtonModifiers()
{
    static const QVector<NamedCode> names{{0x01, "Ctrl"}, {0x02, "Shift"}, {0x04, "Alt"},
                                          {0x08, "Win"},  {0x10, "Ctrl"},  {0x20, "Shift"},
                                          {0x40, "Alt"},  {0x80, "Win"}};
    return names;
}

const QVector<NamedCode>& MacroModifiers()
{
    static const QVector<NamedCode> names{{0x01, "LCtrl"}, {0x02, "LShift"}, {0x04, "LAlt"},
                                          {0x08, "LWin"},  {0x10, "RCtrl"},  {0x20, "RShift"},
                                          {0x40, "RAlt"},  {0x80, "RWin"}};
    return names;
}

// The mouse-button bits with their current localised names.
QVector<NamedCode> MouseButtons()
{
    return {{0x01, g_MouseButtonNameLeft},
            {0x02, g_MouseButtonNameRight},
            {0x04, g_MouseButtonNameMiddle},
            {0x08, g_MouseButtonNameBack},
            {0x10, g_MouseButtonNameForward}};
}

QString NameOf(const QVector<NamedCode>& table, int code)
{
    for (const NamedCode& entry : table) {
        if (entry.code == code)
            return entry.name;
    }
    return QString();
}

std::optional<int> CodeOf(const QVector<NamedCode>& table, const QString& name)
{
    for (const NamedCode& entry : table) {
        if (entry.name == name)
            return entry.code;
    }
    return std::nullopt;
}

bool IsModifierBit(int code)
{
    return !NameOf(MacroModifiers(), code).isEmpty();
}

// An event's name: modifier bits that are also keyboard usages follow the
// kind; the three bits that are no named usage (0x01, 0x02, 0x80) are
// modifiers whatever the kind; every other code is a key.
QString EventName(int code, int kind, const QVector<NamedCode>& modifiers)
{
    const QString key = NameOf(KeyboardKeys(), code);
    if (!IsModifierBit(code))
        return key;
    if (key.isEmpty())
        return NameOf(modifiers, code);
    if (kind == EventKindKeyboard)
        return key;
    if (kind == EventKindModifier)
        return NameOf(modifiers, code);
    return QString();
}

// "0x" and two upper-case hexadecimal digits.
QString CodeToken(int code)
{
    return QLatin1String("0x") + QString::number(code, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

QString NameOfToken(const QVector<NamedCode>& table, const QString& token)
{
    for (const NamedCode& entry : table) {
        if (CodeToken(entry.code) == token)
            return entry.name;
    }
    return QString();
}

// The macro page's code and kind of a name: keys first, then the sided
// modifiers, then the mouse buttons (whose names may still be empty, so the
// empty name is the empty key).
std::optional<EventCode> MacroEventCode(const QString& name)
{
    if (const auto usage = CodeOf(KeyboardKeys(), name))
        return EventCode{*usage, EventKindKeyboard};
    if (const auto bit = CodeOf(MacroModifiers(), name))
        return EventCode{*bit, EventKindModifier};
    if (const auto bit = CodeOf(MouseButtons(), name))
        return EventCode{*bit, EventKindMouseButton};
    return std::nullopt;
}

// The button page's code and kind of a combination part: the plain modifier
// names give the left bits, every other name a keyboard usage (0 if unknown).
EventCode CombinationEventCode(const QString& name)
{
    if (const auto bit = CodeOf(ButtonModifiers(), name))
        return {*bit, EventKindModifier};
    return {CodeOf(KeyboardKeys(), name).value_or(0), EventKindKeyboard};
}

DeviceEvent MakeEvent(int direction, EventCode code)
{
    DeviceEvent event{};
    event.Direction = static_cast<std::uint8_t>(direction);
    event.Kind = static_cast<std::uint8_t>(code.kind);
    event.Code = static_cast<std::uint16_t>(code.code);
    event.DelayMs = kKeyDelayMs;
    return event;
}

} // namespace

QString KeyNameFromCode(int code, int kind)
{
    return EventName(code, kind, ButtonModifiers());
}

KeyEventRecord AddKeyEvents(KeyEventRecord record, const QString& name, int i, int n)
{
    const int release = 2 * n - 1 - i;
    if (i < 0 || i >= n || release >= KeyEventsPerButton)
        return record;
    const EventCode code = CombinationEventCode(name);
    record.Events[i] = MakeEvent(0, code);
    record.Events[release] = MakeEvent(1, code);
    return record;
}

QStringList KeyCombinationParts(const QString& text)
{
    QStringList parts;
    QString part;
    for (const QChar character : text) {
        // "Num" followed by the separator is the keypad's plus key.
        if (character == QLatin1Char('+') && part.compare(QLatin1String("Num"), Qt::CaseInsensitive) != 0) {
            parts << part;
            part.clear();
        } else {
            part += character;
        }
    }
    parts << part;
    return parts;
}

KeyEventRecord KeyEventRecordFromText(const QString& text)
{
    const QStringList names = KeyCombinationParts(text).mid(0, KeyEventsPerButton / 2);
    const int n = names.size();
    KeyEventRecord record{};
    for (int i = 0; i < n; ++i)
        record = AddKeyEvents(record, names.at(i), i, n);
    record.EventCount = static_cast<std::uint8_t>(2 * n);
    return record;
}

KeyEventRecord BuildConsumerKeyRecord(int high, int low)
{
    const EventCode usage{(high & 0xFF) << 8 | (low & 0xFF), EventKindConsumer};
    KeyEventRecord record{};
    record.EventCount = 2;
    record.Events[0] = MakeEvent(0, usage);
    record.Events[1] = MakeEvent(1, usage);
    return record;
}

QString MacroKeyName(int code, int kind)
{
    // 0x40 is a key (F7) for every kind but the modifier kind.
    if (code == 0x40 && kind != EventKindModifier)
        return NameOf(KeyboardKeys(), code);
    return EventName(code, kind, MacroModifiers());
}

QString MouseButtonName(int bit)
{
    return NameOf(MouseButtons(), bit);
}

QString MacroKeyNameFromToken(const QString& token, int kind)
{
    switch (kind) {
    case EventKindKeyboard: {
        // The keypad Enter has no token of its own.
        if (token == CodeToken(kKeypadEnter))
            return QString();
        return NameOfToken(KeyboardKeys(), token);
    }
    case EventKindModifier:
        return NameOfToken(MacroModifiers(), token);
    case EventKindMouseButton:
        return NameOfToken(MouseButtons(), token);
    default:
        return QString();
    }
}

QStringList MacroKeyTokens(const QString& name)
{
    const auto code = MacroEventCode(name);
    if (!code)
        return {};
    return {CodeToken(code->code), QString::number(code->kind)};
}

void MacroKeyUsageToBlock(const QString& name, int i, MacroBlock* block)
{
    if (!block || i < 0 || i >= MacroEventsPerBlock)
        return;
    DeviceEvent& event = block->Events[i];
    const auto code = MacroEventCode(name);
    if (code)
        event.Code = static_cast<std::uint16_t>(code->code);
    event.Kind = static_cast<std::uint8_t>(code ? code->kind : EventKindKeyboard);
}
