#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QMutex>
#include <QMutexLocker>

namespace {
QMutex g_ProgramFolderMutex;
QString g_ProgramFolderOverride;
}

QString ProgramFolder()
{
    QMutexLocker lock(&g_ProgramFolderMutex);
    if (!g_ProgramFolderOverride.isEmpty())
        return g_ProgramFolderOverride;
    return QCoreApplication::applicationDirPath();
}

void SetProgramFolder(const QString& folder)
{
    QMutexLocker lock(&g_ProgramFolderMutex);
    g_ProgramFolderOverride = folder;
}
