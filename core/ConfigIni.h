#pragma once

#include <QColor>
#include <QMutex>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <memory>

// The device description, ProgramFolder() + "/usersetting/Config.ini": the
// supported models and their identities, sensors, DPI tables, theme colours and
// options. Read only; its text is UTF-8.
//
// Thirteen keys are stored as Base64 of their text, in whatever group they
// stand (exact, case-sensitive names): MM, DM, D2M, D4M, D8M, Sensor, CID, VID,
// USB_PID, Wireless_PID, Wireless2_PID, Wireless4_PID, Wireless8_PID. Reads
// decode them, item by item for lists, and drop line feeds and spaces.
//
// A value holding commas is a list: read it with ValueList (Value gives an
// empty text). Missing keys read as an empty text or an empty list, and so
// does every key when the file is missing or is not a regular file.
//
// Every member is safe to call from several threads at once.
class ConfigIni
{
public:
    // The one instance, created on the first call.
    static ConfigIni* GetInstance();

    QString Value(const QString& group, const QString& key);
    QStringList ValueList(const QString& group, const QString& key);

    // Base64 of UTF-8 text back to the text, without line feeds and spaces.
    // Characters outside the Base64 alphabet are skipped.
    static QString DecodeBase64(const QString& coded);

private:
    ConfigIni();

    QMutex m_Mutex;
    QString m_FilePath;
    // None while anything but a regular file (or a link to one) stands at the
    // path, such as a FIFO whose read would block: every key then reads as
    // missing, as when the file is missing.
    std::unique_ptr<QSettings> m_Settings;
};

// The item at index, or defaultText when the list is too short (or index is
// negative). For lists read by position from the device description.
QString ListItem(const QStringList& list, int index, const QString& defaultText = QString());

// The theme colour key of group "Option" (three numbers: red, green, blue).
// Fewer than three items, or items that are not numbers from 0 to 255, give
// defaultColor.
QColor OptionColor(const QString& key, const QColor& defaultColor = QColor(255, 255, 255));
