#include "common/ProgramFiles.h"

#include "common/TestFolders.h"

#include "platform/ProgramFolder.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QStringList>
#include <QXmlStreamWriter>
#include <QtEndian>

namespace {
const QStringList kCodedKeys = {"MM", "DM", "D2M", "D4M", "D8M", "Sensor", "CID", "VID", "USB_PID",
                                "Wireless_PID", "Wireless2_PID", "Wireless4_PID", "Wireless8_PID"};

QString CodeItems(const QString& value)
{
    QStringList items = value.split(',');
    for (QString& item : items)
        item = QString::fromLatin1(item.toUtf8().toBase64());
    return items.join(',');
}
}

QString CodeConfigIniText(const QString& plainIniText)
{
    static const QRegularExpression keyLine(QStringLiteral("^(\\s*)([^=\\[;#\\s][^=]*?)(\\s*=\\s*)(.*)$"));
    QStringList lines = plainIniText.split('\n');
    for (QString& line : lines) {
        const QRegularExpressionMatch match = keyLine.match(line);
        if (match.hasMatch() && kCodedKeys.contains(match.captured(2)))
            line = match.captured(1) + match.captured(2) + match.captured(3) + CodeItems(match.captured(4));
    }
    return lines.join('\n');
}

void WriteConfigIni(const QString& plainIniText)
{
    WriteConfigIniBytes(CodeConfigIniText(plainIniText).toUtf8());
}

void WriteConfigIniBytes(const QByteArray& content)
{
    const QString relativePath = QStringLiteral("usersetting/Config.ini");
    WriteProgramFile(relativePath, content);

    // The store parses the file once; settings objects over one file share
    // that parse, and a sync re-reads it when its size or time changed. A time
    // of its own per write makes even a rewrite of equal size count.
    static int s_Writes = 0;
    const QString path = ProgramFolder() + "/" + relativePath;
    QFile file(path);
    if (file.open(QIODevice::ReadWrite))
        file.setFileTime(QDateTime(QDate(2020, 1, 1), QTime(0, 0)).addSecs(++s_Writes),
                         QFileDevice::FileModificationTime);
    file.close();
    QSettings shared(path, QSettings::IniFormat);
    shared.setIniCodec("UTF-8");
    shared.sync();
}

void WriteLanguageFile(const QString& fileName, const QList<LanguageFileSection>& sections, const QString& rootName)
{
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeStartElement(rootName);
    for (const LanguageFileSection& section : sections) {
        writer.writeStartElement(section.name);
        for (const auto& text : section.texts)
            writer.writeTextElement(text.first, text.second);
        writer.writeEndElement();
    }
    writer.writeEndElement();
    writer.writeEndDocument();
    WriteProgramFile("Language/" + fileName, xml);
}

void WriteSensorHeader(const QByteArray& text)
{
    WriteProgramFile(QStringLiteral("driver_sensor.h"), text);
}

QByteArray FirmwareImageBytes(const FirmwareImageFields& fields, const QByteArray& body)
{
    QByteArray header(kFirmwareHeaderSize, '\0');
    qToLittleEndian<quint32>(fields.version, header.data() + 16);
    header[20] = static_cast<char>(fields.target);
    header[21] = static_cast<char>(fields.cid);
    header[22] = static_cast<char>(fields.mid);
    const QByteArray name = fields.name.left(64);
    header.replace(87, name.size(), name);
    QByteArray image = header + body;
    qToLittleEndian<quint32>(quint32(image.size()), image.data());
    return image;
}

void WriteFirmwareImage(const QString& fileName, const FirmwareImageFields& fields, const QByteArray& body)
{
    WriteProgramFile("bin/" + fileName, FirmwareImageBytes(fields, body));
}
