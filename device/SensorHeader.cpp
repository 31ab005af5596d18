#include "device/SensorHeader.h"

#include "platform/PlainFile.h"
#include "platform/ProgramFolder.h"

#include <QFile>
#include <QStringList>

namespace {

const std::array<const char*, SensorSwitchCount> kSwitchNames = {
    "SUPPORT_SENSOR_MODE_SEL", "SUPPORT_LOD_CAL",     "SUPPORT_RIPPLE",
    "SUPPORT_FIXLINE",         "SUPPORT_MOTION_SYNC", "SUPPORT_MOUSEPAD_CAL",
};

// The first switch whose name occurs in the text, or -1.
int SwitchMentionedIn(const QString& text)
{
    for (int i = 0; i < SensorSwitchCount; ++i) {
        if (text.contains(QLatin1String(kSwitchNames[i])))
            return i;
    }
    return -1;
}

QStringList TabFields(const QString& text)
{
    return text.split(QLatin1Char('\t'), Qt::SkipEmptyParts);
}

QString WithoutLineEnds(QString text)
{
    return text.remove(QLatin1Char('\n'));
}

// A number as the header writes it: hexadecimal when it holds "0x", else
// decimal; white space around it is ignored and anything else gives 0.
int HeaderNumber(const QString& text)
{
    return text.toInt(nullptr, text.contains(QLatin1String("0x")) ? 16 : 10);
}

// "name<TAB>value<line end>" or "SWITCH<TAB>list<line end>" after "#define ".
void ReadTwoPartLine(const QString& second, bool isDefine, SensorHeader& header)
{
    const int which = SwitchMentionedIn(second);
    const QStringList fields = TabFields(second);
    if (fields.size() < 2)
        return;
    if (which >= 0) {
        header.switchLists[which] = WithoutLineEnds(fields.at(1));
        return;
    }
    // A value followed by another field, or on a last line without a line
    // end, is not taken.
    if (isDefine && fields.at(1).contains(QLatin1Char('\n')))
        header.defines.append({fields.at(0), HeaderNumber(WithoutLineEnds(fields.at(1)))});
}

// "#define name value<line end>", "#define name<TAB>value //comment" and the
// like: the third piece is the value or a comment.
void ReadThreePartLine(const QString& second, const QString& tail, SensorHeader& header)
{
    if (!tail.contains(QLatin1String("//")) && !tail.contains(QLatin1Char('\n')))
        return;
    const QStringList fields = TabFields(second);
    if (fields.size() == 2)
        header.defines.append({fields.at(0), fields.at(1).toInt(nullptr, 10)});
    else if (fields.size() == 1)
        header.defines.append({fields.at(0), HeaderNumber(tail)});
}

void ReadLine(const QString& line, SwitchNamedDefines switchNamed, SensorHeader& header)
{
    const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() == 2) {
        ReadTwoPartLine(parts.at(1), parts.at(0) == QLatin1String("#define"), header);
    } else if (parts.size() == 3) {
        if (switchNamed == SwitchNamedDefines::Drop && SwitchMentionedIn(parts.at(1)) >= 0)
            return;
        ReadThreePartLine(parts.at(1), parts.at(2), header);
    }
}

} // namespace

QString SensorSwitchName(SensorSwitch which)
{
    return QLatin1String(kSwitchNames[static_cast<int>(which)]);
}

QString SensorHeader::SwitchList(SensorSwitch which) const
{
    return switchLists[static_cast<int>(which)];
}

bool SensorHeader::IsListed(SensorSwitch which, const QString& sensor) const
{
    return SwitchList(which).contains(sensor, Qt::CaseSensitive);
}

SensorHeader ReadSensorHeader(const QString& path, SwitchNamedDefines switchNamed)
{
    SensorHeader header;
    QFile file(path);
    if (!OpenPlainFile(file, QIODevice::ReadOnly, LinkAtPath::Followed))
        return header;
    // Every line keeps its "\n" (the rules above look for it); a CRLF file
    // reads as if it ended its lines in "\n" alone.
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    int start = 0;
    while (start < text.size()) {
        const int end = text.indexOf(QLatin1Char('\n'), start);
        const int next = end < 0 ? text.size() : end + 1;
        ReadLine(text.mid(start, next - start), switchNamed, header);
        start = next;
    }
    return header;
}

QString SensorHeaderPath()
{
    return ProgramFolder() + QLatin1String("/driver_sensor.h");
}
