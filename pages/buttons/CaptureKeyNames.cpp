#include "pages/buttons/CaptureKeyNames.h"

#include <QHash>

namespace {

QHash<int, QString> BuildCombinationNames()
{
    QHash<int, QString> names = {
        {0x08, "BackSpace"}, {0x09, "Tab"},    {0x0D, "Enter"},    {0x13, "Pause"},  {0x14, "CapsLock"},
        {0x1B, "Esc"},       {0x20, "Space"},  {0x21, "PgUp"},     {0x22, "PgDn"},   {0x23, "End"},
        {0x24, "Home"},      {0x2C, "Screen"}, {0x2D, "Insert"},   {0x2E, "Del"},    {0x5D, "APPs"},
        {0x6A, "Num*"},      {0x6B, "Num+"},   {0x6D, "Num-"},     {0x6E, "Num."},   {0x6F, "Num/"},
        {0x90, "NumLock"},   {0x91, "Scroll"}, {0xBA, ";"},        {0xBB, "="},      {0xBC, ","},
        {0xBD, "-"},         {0xBE, "."},      {0xBF, "/"},        {0xC0, "`"},      {0xDB, "["},
        {0xDC, "\\"},        {0xDD, "]"},      {0xDE, "'"},
    };
    names.insert(0x25, QString(QChar(0x2190))); // ←
    names.insert(0x26, QString(QChar(0x2191))); // ↑
    names.insert(0x27, QString(QChar(0x2192))); // →
    names.insert(0x28, QString(QChar(0x2193))); // ↓
    for (int digit = 0; digit <= 9; ++digit) {
        names.insert(0x30 + digit, QString::number(digit));
        names.insert(0x60 + digit, "Num" + QString::number(digit));
    }
    for (int letter = 0; letter < 26; ++letter)
        names.insert(0x41 + letter, QString(QChar('A' + letter)));
    for (int function = 1; function <= 12; ++function)
        names.insert(0x70 + function - 1, "F" + QString::number(function));
    return names;
}

const QHash<int, QString>& CombinationNames()
{
    static const QHash<int, QString> names = BuildCombinationNames();
    return names;
}

const QHash<int, QString>& SingleKeyNames()
{
    static const QHash<int, QString> names = [] {
        QHash<int, QString> all = CombinationNames();
        all.insert(0x5B, "LWin");
        all.insert(0x5C, "RWin");
        all.insert(0xA0, "LShift");
        all.insert(0xA1, "RShift");
        all.insert(0xA2, "LCtrl");
        all.insert(0xA3, "RCtrl");
        all.insert(0xA4, "LAlt");
        all.insert(0xA5, "RAlt");
        return all;
    }();
    return names;
}

} // namespace

QString CombinationKeyName(int virtualKey)
{
    return CombinationNames().value(virtualKey);
}

QString SingleKeyName(int virtualKey)
{
    return SingleKeyNames().value(virtualKey);
}

QString CombinationKeyNamed(const QString& text)
{
    for (const QString& name : CombinationNames()) {
        if (name.compare(text, Qt::CaseInsensitive) == 0)
            return name;
    }
    return QString();
}
