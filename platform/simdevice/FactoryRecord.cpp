#include "platform/simdevice/FactoryRecord.h"

namespace simdevice {
namespace {

constexpr int kLevelBase = 15;
constexpr int kLevelSize = 6;
constexpr int kButtonBase = 74;
constexpr int kKeyEventBase = 124;
constexpr int kKeyEventSize = 52;
constexpr int kKeySequenceType = 5;
constexpr int kEventDelayMs = 10;

void WriteEvent(uint8_t* event, int direction, int kind, int code)
{
    event[0] = uint8_t(direction);
    event[1] = uint8_t(kind);
    event[2] = uint8_t(code);
    event[3] = uint8_t(code >> 8);
    event[4] = uint8_t(kEventDelayMs);
}

struct Key {
    int kind;
    int code;
};

// Modifiers Ctrl, Shift, Alt, Win and single letters or digits; other names
// are not keys the device knows and are left out.
bool KeyFromName(const QString& name, Key* key)
{
    static const QHash<QString, int> modifiers = {{"Ctrl", 1}, {"Shift", 2}, {"Alt", 4}, {"Win", 8}};
    if (modifiers.contains(name)) {
        *key = {0, modifiers.value(name)};
        return true;
    }
    if (name.size() != 1)
        return false;
    const QChar c = name.at(0).toUpper();
    if (c >= 'A' && c <= 'Z')
        *key = {1, 0x04 + (c.unicode() - 'A')};
    else if (c >= '1' && c <= '9')
        *key = {1, 0x1E + (c.unicode() - '1')};
    else if (c == '0')
        *key = {1, 0x27};
    else
        return false;
    return true;
}

void WriteCombination(uint8_t* keyEvents, const QString& text)
{
    QList<Key> keys;
    for (const QString& name : text.split('+')) {
        Key key{};
        if (keys.size() < 3 && KeyFromName(name.trimmed(), &key))
            keys.append(key);
    }
    const int n = keys.size();
    keyEvents[0] = uint8_t(2 * n);
    for (int i = 0; i < n; ++i) {
        WriteEvent(keyEvents + 4 + kEventSize * i, 0, keys[i].kind, keys[i].code);
        WriteEvent(keyEvents + 4 + kEventSize * (2 * n - 1 - i), 1, keys[i].kind, keys[i].code);
    }
}

void WriteConsumerKey(uint8_t* keyEvents, int usage)
{
    keyEvents[0] = 2;
    WriteEvent(keyEvents + 4, 0, 2, usage);
    WriteEvent(keyEvents + 4 + kEventSize, 1, 2, usage);
}

void WriteButton(Record& record, int k, const QStringList& param)
{
    uint8_t* function = record.data() + kButtonBase + 3 * k;
    const int type = ParseHex(param.value(0));
    if (type == kKeySequenceType) {
        function[0] = kKeySequenceType;
        uint8_t* keyEvents = record.data() + kKeyEventBase + kKeyEventSize * k;
        if (param.size() >= 4)
            WriteCombination(keyEvents, param.at(3));
        else if (param.size() == 3 && ParseHex(param.at(2)) > 0)
            WriteConsumerKey(keyEvents, ParseHex(param.at(2)));
        return;
    }
    if (type < 0)
        return;
    function[0] = uint8_t(type);
    function[1] = uint8_t(qMax(0, ParseHex(param.value(1))));
    function[2] = uint8_t(qMax(0, ParseHex(param.value(2))));
}

}

Record FactoryRecord(const DeviceDescription& description, const QString& group)
{
    Record record{};
    const uint8_t settings[15] = {1, 6, 1, 0, 0, 1, 4, 0, 6, 0, 0, 0, 0, 6, 1};
    std::copy(std::begin(settings), std::end(settings), record.begin());

    const QStringList grades = description.List(group, "DPIGrade");
    const QStringList colours = description.List(group, "DPIColor");
    for (int i = 0; i < 8; ++i) {
        uint8_t* level = record.data() + kLevelBase + kLevelSize * i;
        const int dpi = grades.value(i).toInt();
        if (dpi >= 100) {
            const int code = dpi / 50 - 1;
            const int high = code >> 8;
            level[0] = level[1] = uint8_t(code);
            level[2] = uint8_t(high << 6 | high << 2);
        }
        for (int c = 0; c < 3; ++c)
            level[3 + c] = uint8_t(colours.value(3 * i + c).toInt());
    }

    const uint8_t lights[11] = {1, 128, 3, 1, 1, 0, 170, 255, 2, 4, 1};
    std::copy(std::begin(lights), std::end(lights), record.begin() + 63);

    for (int k = 0; k < 6; ++k)
        WriteButton(record, k, description.List(group, "KeyParam" + QString::number(k + 1)));
    return record;
}

}
