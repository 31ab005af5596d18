#include "platform/simdevice/JsonText.h"

#include <QSet>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace simdevice {
namespace {

bool IsJsonSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The string that starts after the quote at start, its escapes resolved;
// end gets the index of its closing quote (text's size when there is none).
QString StringAt(const QByteArray& text, int start, int* end)
{
    QString decoded;
    int run = start;
    int i = start;
    for (; i < text.size() && text.at(i) != '"'; ++i) {
        if (text.at(i) != '\\')
            continue;
        decoded += QString::fromUtf8(text.constData() + run, i - run);
        const char escaped = i + 1 < text.size() ? text.at(i + 1) : '\0';
        if (escaped == 'u' && i + 5 < text.size()) {
            decoded += QChar(ushort(text.mid(i + 2, 4).toUShort(nullptr, 16)));
            i += 5;
        } else {
            const char* const from = "bfnrt";
            const char* const to = "\b\f\n\r\t";
            const char* at = escaped ? std::strchr(from, escaped) : nullptr;
            decoded += QLatin1Char(at ? to[at - from] : escaped);
            i += 1;
        }
        // An escape at the very end leaves nothing after it.
        run = std::min(i + 1, int(text.size()));
    }
    i = std::min(i, int(text.size()));
    decoded += QString::fromUtf8(text.constData() + run, i - run);
    *end = i;
    return decoded;
}

// The first key that an object of text names twice. Only strings, brackets
// and colons are looked at: the parse proper comes after, and refuses
// whatever else is wrong.
std::optional<QString> RepeatedKey(const QByteArray& text)
{
    std::vector<QSet<QString>> objects;  // the keys of each open object
    std::vector<bool> isObject;          // each open bracket: object or array
    QString lastString;
    bool stringWaits = false;            // a string just ended: a colon makes it a key
    for (int i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c == '"') {
            lastString = StringAt(text, i + 1, &i);
            stringWaits = true;
            continue;
        }
        if (IsJsonSpace(c))
            continue;
        if (c == ':' && stringWaits && !isObject.empty() && isObject.back()) {
            QSet<QString>& keys = objects.back();
            if (keys.contains(lastString))
                return lastString;
            keys.insert(lastString);
        } else if (c == '{' || c == '[') {
            isObject.push_back(c == '{');
            objects.emplace_back();
        } else if ((c == '}' || c == ']') && !isObject.empty()) {
            isObject.pop_back();
            objects.pop_back();
        }
        stringWaits = false;
    }
    return std::nullopt;
}

}

QJsonDocument ReadJsonText(const QByteArray& text, QString* error)
{
    if (const std::optional<QString> repeated = RepeatedKey(text)) {
        *error = "the key \"" + *repeated + "\" is given twice in one object";
        return QJsonDocument();
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(text, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        *error = parseError.errorString() + " at offset " + QString::number(parseError.offset);
    return document;
}

}
