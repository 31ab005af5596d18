#include "platform/IniSettings.h"

#include "platform/PlainFile.h"

#include <QDebug>
#include <QHash>
#include <QLockFile>
#include <QMutex>
#include <QMutexLocker>

namespace {

// Longest wait for the lock of a settings file before a change is refused:
// a live writer holds it for milliseconds.
constexpr int kLockWaitMs = 1000;

QString LockPath(const QString& path)
{
    return path + ".lock";
}

// What keeps the settings file at path from being opened and locked safely:
// the entry itself, its lock, or the lock QLockFile takes beside that lock
// while it removes a stale one. Empty when nothing does.
QString Obstacle(const QString& path, IniUse use)
{
    if (!IsPlainFileOrNothing(path, LinkAtPath::Followed))
        return path;
    if (use == IniUse::ReadOnly)
        return QString();
    for (const QString& lock : {LockPath(path), LockPath(path) + ".rmlock"}) {
        if (!IsPlainFileOrNothing(lock))
            return lock;
    }
    return QString();
}

// Each obstacle is logged when it is first seen, not at every access of the
// store (registry values open theirs at every call, from several threads).
void LogObstacleOnce(const QString& path, const QString& obstacle)
{
    static QMutex mutex;
    static QHash<QString, QString> logged;
    QMutexLocker lock(&mutex);
    if (obstacle.isEmpty()) {
        logged.remove(path);
        return;
    }
    if (logged.value(path) == obstacle)
        return;
    logged.insert(path, obstacle);
    if (obstacle == path)
        qWarning() << "The settings file" << path
                   << "is not a regular file; it is left alone and its settings take their defaults.";
    else
        qWarning() << "The lock file" << obstacle << "of the settings file" << path
                   << "is not a regular file; both are left alone and the settings take their defaults.";
}

// False when the lock of the settings file stays taken for the bound: held
// by a live process, or stale but not removable, where QSettings would wait
// for ever. Tried and let go: QSettings takes the same lock again for its
// write. A lock that cannot be made at all (a full or read-only folder) is
// left to QSettings, which gives up on it at once. The Windows registry (a
// native store) has no lock file.
bool LockComesFree(const QSettings& settings)
{
    if (settings.format() != QSettings::IniFormat)
        return true;
    const QString path = LockPath(settings.fileName());
    QLockFile lock(path);
    if (lock.tryLock(kLockWaitMs) || lock.error() != QLockFile::LockFailedError)
        return true;
    qWarning() << "The lock file" << path << "stays held by another process or cannot be removed; the change is not saved.";
    return false;
}

} // namespace

std::unique_ptr<QSettings> OpenIniSettings(const QString& path, IniUse use)
{
    // The file is followed through a link: a user may keep it elsewhere, and
    // the settings object writes through the link to its target. Its locks
    // stand beside the link and are replaced, never followed.
    const QString obstacle = Obstacle(path, use);
    LogObstacleOnce(path, obstacle);
    if (!obstacle.isEmpty())
        return nullptr;
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

bool WriteIniChange(QSettings& settings, const std::function<void(QSettings&)>& change)
{
    if (!LockComesFree(settings))
        return false;
    change(settings);
    settings.sync();
    return settings.status() == QSettings::NoError;
}
