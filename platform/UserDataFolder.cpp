#include "platform/UserDataFolder.h"

#include "platform/ProductName.h"

#include <QDir>
#include <QMutex>
#include <QMutexLocker>

namespace {
QMutex g_UserDataFolderMutex;
QString g_UserDataFolderOverride;

QString DefaultUserDataFolder()
{
#if defined(Q_OS_WIN)
    return QDir::homePath() + "/AppData/Local/" + kProductName;
#else
    QString base = QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME"));
    if (base.isEmpty())
        base = QDir::homePath() + "/.local/share";
    return base + "/" + kProductName;
#endif
}
}

QString UserDataFolder()
{
    QMutexLocker lock(&g_UserDataFolderMutex);
    if (!g_UserDataFolderOverride.isEmpty())
        return g_UserDataFolderOverride;
    return DefaultUserDataFolder();
}

void SetUserDataFolder(const QString& folder)
{
    QMutexLocker lock(&g_UserDataFolderMutex);
    g_UserDataFolderOverride = folder;
}
