#include "core/UserIni.h"

#include "platform/UserDataFolder.h"

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

void UserIni::SetValue(const QString& group, const QString& key, const QString& value)
{
    m_Settings.setValue(group + "/" + key, value);
    m_Settings.sync();
}

void UserIni::Remove(const QString& group, const QString& key)
{
    m_Settings.remove(group + "/" + key);
    m_Settings.sync();
}

QString UserIni::ValueOnAnyThread(const QString& group, const QString& key)
{
    QSettings settings(UserIniFilePath(), QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    return settings.value(group + "/" + key).toString();
}
