#include "platform/UserDataFolder.h"

#include "platform/ProductName.h"
#include "platform/XdgFolders.h"

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
    return XdgDataHome() + "/" + kProductName;
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
