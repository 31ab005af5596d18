#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>

// The per-user settings file, UserDataFolder() + "/Macro.ini" (despite its
// name it holds no macros): Language/Language, AutoStart/Enable,
// FindNew/IsShow and the long-range and LED choices of each receiver,
// as plain UTF-8 text.
//
// Every change reaches the file before SetValue or Remove returns, so a
// choice survives a process that is ended without returning to the event loop.
// Used on the GUI thread.
class UserIni
{
public:
    // The one instance, created on the first call.
    static UserIni* GetInstance();

    // Missing keys read as an empty text or an empty list.
    QString Value(const QString& group, const QString& key);
    QStringList ValueList(const QString& group, const QString& key);

    void SetValue(const QString& group, const QString& key, const QString& value);
    void Remove(const QString& group, const QString& key);

    // Reads one value through a settings object of its own, so that another
    // thread (the device library's report thread) may read while the GUI
    // thread writes. A missing key reads as an empty text.
    static QString ValueOnAnyThread(const QString& group, const QString& key);

private:
    UserIni();

    QString m_FilePath;
    QSettings m_Settings;
};
