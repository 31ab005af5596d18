#include "core/UserIni.h"

#include "platform/IniSettings.h"
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

std::unique_ptr<QSettings> OpenUserIni(const QString& path)
{
    std::unique_ptr<QSettings> settings = OpenIniSettings(path);
    if (settings)
        settings->setIniCodec("UTF-8");
    return settings;
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
    , m_Settings(OpenUserIni(m_FilePath))
{
}

QString UserIni::Value(const QString& group, const QString& key)
{
    return m_Settings ? m_Settings->value(group + "/" + key).toString() : QString();
}

QStringList UserIni::ValueList(const QString& group, const QString& key)
{
    return m_Settings ? m_Settings->value(group + "/" + key).toStringList() : QStringList();
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
    const std::unique_ptr<QSettings> writer = OpenUserIni(m_FilePath);
    if (!writer)
        return false;
    if (WriteIniChange(*writer, change))
        return true;
    qWarning() << "The per-user settings could not be saved in" << m_FilePath;
    return false;
}

QString UserIni::ValueOnAnyThread(const QString& group, const QString& key)
{
    const std::unique_ptr<QSettings> settings = OpenUserIni(UserIniFilePath());
    return settings ? settings->value(group + "/" + key).toString() : QString();
}
