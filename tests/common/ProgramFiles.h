#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QtGlobal>

// Writers of the files that ship beside the program, in their real shapes,
// into the current program folder (see UseTemporaryFolders).

// The device description as it ships, from readable INI text: the values of
// the thirteen coded keys (MM, DM, ..., Wireless8_PID; in any group) are
// Base64-coded, each comma-separated item on its own; all else stays as written.
QString CodeConfigIniText(const QString& plainIniText);
// Writes usersetting/Config.ini from it; ConfigIni reads the new content even
// when it has read the file before (the file it opened first, so point the
// program folder before the first read).
void WriteConfigIni(const QString& plainIniText);
// The same with the file's bytes as they are (already coded, or not at all).
void WriteConfigIniBytes(const QByteArray& content);

// One section of a language file: element names and texts in file order.
struct LanguageFileSection
{
    QString name;
    QList<QPair<QString, QString>> texts;
};

// Language/<fileName>, root "Total" for the language files, "Profile" for Net.xml.
void WriteLanguageFile(const QString& fileName, const QList<LanguageFileSection>& sections,
                       const QString& rootName = QStringLiteral("Total"));

// driver_sensor.h, written exactly as given ("#define" lines, TABs and line ends included).
void WriteSensorHeader(const QByteArray& text);

// The fields of a firmware image header that the program reads.
struct FirmwareImageFields
{
    quint8 target = 210; // 210 mouse, 211 receiver
    quint8 cid = 0;
    quint8 mid = 0;
    quint32 version = 0x0100; // major in bits 8-31, minor in bits 0-7
    QByteArray name;          // at most 64 bytes are kept
};

constexpr int kFirmwareHeaderSize = 728;

// A whole image file: the 728-byte header (its length word the file's size),
// then body.
QByteArray FirmwareImageBytes(const FirmwareImageFields& fields,
                              const QByteArray& body = QByteArray(32, '\x5a'));
void WriteFirmwareImage(const QString& fileName, const FirmwareImageFields& fields,
                        const QByteArray& body = QByteArray(32, '\x5a')); // bin/<fileName>
