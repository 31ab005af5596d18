#include "platform/RegistryValues.h"

#include "platform/IniSettings.h"
#include "platform/ProductName.h"
#include "platform/XdgFolders.h"

#include <QDebug>
#include <QMutex>
#include <QMutexLocker>
#include <QSettings>

#include <functional>
#include <memory>

namespace {
// Serialises read-modify-write of the one store between threads (the report
// thread records firmware versions while the GUI thread reads them).
QMutex g_RegistryMutex;

// The store holding keyPath (none when the file's place holds anything but a
// regular file), and the name under which a value of that key is addressed in it.
struct RegistryLocation
{
    std::unique_ptr<QSettings> store;
    QString prefix;
};

// Nobody acts on a registry write, so a failure is only logged. QSettings
// keeps the old file when its write fails; only its status tells.
void Change(QSettings& store, const QString& keyPath, const QString& name,
            const std::function<void(QSettings&)>& change)
{
    if (!WriteIniChange(store, change))
        qWarning() << "The registry value" << name << "of" << keyPath << "could not be saved in" << store.fileName();
}

RegistryLocation Locate(const QString& keyPath)
{
#if defined(Q_OS_WIN)
    return {std::make_unique<QSettings>(keyPath, QSettings::NativeFormat), QString()};
#else
    // A registry path handed to QSettings here would become a file of that
    // name in the working folder; the path becomes groups of one INI file.
    QString groups = keyPath;
    groups.replace('\\', '/');
    return {OpenIniSettings(RegistryFilePath()), groups + "/"};
#endif
}
}

QString RegistryFilePath()
{
#if defined(Q_OS_WIN)
    return QString();
#else
    return XdgConfigHome() + "/" + kProductName + "/Registry.ini";
#endif
}

QVariant RegistryValue(const QString& keyPath, const QString& name, const QVariant& defaultValue)
{
    QMutexLocker lock(&g_RegistryMutex);
    RegistryLocation location = Locate(keyPath);
    return location.store ? location.store->value(location.prefix + name, defaultValue) : defaultValue;
}

void SetRegistryValue(const QString& keyPath, const QString& name, const QVariant& value)
{
    QMutexLocker lock(&g_RegistryMutex);
    RegistryLocation location = Locate(keyPath);
    if (!location.store)
        return;
    Change(*location.store, keyPath, name,
           [&](QSettings& store) { store.setValue(location.prefix + name, value); });
}

void RemoveRegistryValue(const QString& keyPath, const QString& name)
{
    QMutexLocker lock(&g_RegistryMutex);
    RegistryLocation location = Locate(keyPath);
    if (!location.store)
        return;
    Change(*location.store, keyPath, name, [&](QSettings& store) { store.remove(location.prefix + name); });
}
