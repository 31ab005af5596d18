#include "core/UserIni.h"

#include "platform/UserDataFolder.h"

#include <QDebug>
#include <QMutex>
#include <QMutexLocker>

namespace {
QMutex g_UserIniMutex;
UserIni* g_UserIniInstance = nullptr;

QString UserIniFilePath()
{
    return UserDataFolder() + "/Macro.ini";
}
}

UserIni* UserIni::GetInstance()
{
    QMutexLocker lock(&g_UserIniMutex);
    if (!g_UserIniInstance)
        g_UserIniInstance = new UserIni();
    return g_UserIniInstance;
}

UserIni::UserIni()
    : m_FilePath(UserIniFilePath())
    , m_Settings(m_FilePath, QSettings::IniFormat)
{
    m_Settings.setIniCodec("UTF-8");
}

QString UserIni::Value(const QString& group, const QString& key)
{
    return m_Settings.value(group + "/" + key).toString();
}

QStringList UserIni::ValueList(const QString& group, const QString& key)
{
    return m_Settings.value(group + "/" + key).toStringList();
}

bool UserIni::SetValue(const QString& group, const QString& key, const QString& value)
{
    return Change([&](QSettings& settings) { settings.setValue(group + "/" + key, value); });
}

bool UserIni::Remove(const QString& group, const QString& key)
{
    return Change([&](QSettings& settings) { settings.remove(group + "/" + key); });
}

// QSettings writes the whole file through a save file and keeps the old file
// when the write fails; only its status tells, and a status once failed
// stays so for the object's life. So each change goes through a settings
// object of its own, which shares the file's values with m_Settings.
bool UserIni::Change(const std::function<void(QSettings&)>& change)
{
    QSettings writer(m_FilePath, QSettings::IniFormat);
    writer.setIniCodec("UTF-8");
    change(writer);
    writer.sync();
    if (writer.status() == QSettings::NoError)
        return true;
    qWarning() << "The per-user settings could not be saved in" << m_FilePath;
    return false;
}

QString UserIni::ValueOnAnyThread(const QString& group, const QString& key)
{
    QSettings settings(UserIniFilePath(), QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    return settings.value(group + "/" + key).toString();
}
