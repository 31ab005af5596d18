#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// The per-user settings file, UserDataFolder() + "/Macro.ini" (despite its
// name it holds no macros): Language/Language, AutoStart/Enable,
// FindNew/IsShow and the long-range and LED choices of each receiver,
// as plain UTF-8 text.
//
// Every change reaches the file before SetValue or Remove returns, so a
// choice survives a process that is ended without returning to the event loop.
// A file that cannot take a change (a full or read-only folder, a lock that
// stays held) stays as it was: the change is logged and refused with false,
// so that a caller where the user acted can tell the user; it is kept for the
// session and reaches the file with the next change that can be written.
// Anything but a regular file (or a link to one) at the path, or anything but
// a regular file at its lock's, such as a FIFO or a folder, is left alone:
// values read as missing and changes are refused (OpenIniSettings).
// Used on the GUI thread.
class UserIni
{
public:
    // The one instance, created on the first call.
    static UserIni* GetInstance();

    // Missing keys read as an empty text or an empty list.
    QString Value(const QString& group, const QString& key);
    QStringList ValueList(const QString& group, const QString& key);

    bool SetValue(const QString& group, const QString& key, const QString& value);
    bool Remove(const QString& group, const QString& key);

    // Reads one value through a settings object of its own, so that another
    // thread (the device library's report thread) may read while the GUI
    // thread writes. A missing key reads as an empty text.
    static QString ValueOnAnyThread(const QString& group, const QString& key);

private:
    UserIni();

    bool Change(const std::function<void(QSettings&)>& change);

    QString m_FilePath;
    // None while the path holds anything but a regular file or a link to
    // one (a FIFO, a folder): values then read as missing.
    std::unique_ptr<QSettings> m_Settings;
};
