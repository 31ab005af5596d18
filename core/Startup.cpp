#include "core/Startup.h"

#include "core/ProductName.h"
#include "platform/SingleInstance.h"
#include "platform/UserDataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const char* const kUserDataSubfolders[] = {
    "/Log",
    "/Device_Info",
    "/Exception",
    "/usersetting",
    "/usersetting/MainPage",
    "/usersetting/MacroPage",
    "/usersetting/SensorPage",
};

constexpr qint64 kSecondsPerDay = 86400;
constexpr qint64 kDaysKept = 7;
}

void LeaveOutOpenGlIntegration()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
}

void PrepareUserDataFolder()
{
    const QString base = UserDataFolder();
    for (const char* subfolder : kUserDataSubfolders)
        QDir().mkpath(base + subfolder);

    QFile userSettings(base + "/Macro.ini");
    if (!userSettings.exists() && userSettings.open(QIODevice::WriteOnly | QIODevice::Text))
        userSettings.close();

    PurgeOldFiles(base + "/Log");
    PurgeOldFiles(base + "/Exception");
}

void PurgeOldFiles(const QString& folder, const QDateTime& now)
{
    const qint64 nowSeconds = now.toSecsSinceEpoch();
    const QFileInfoList entries = QDir(folder).entryInfoList();
    for (const QFileInfo& entry : entries) {
        if (entry.isDir())
            continue;
        const qint64 ageSeconds = nowSeconds - entry.lastModified().toSecsSinceEpoch();
        if (ageSeconds / kSecondsPerDay > kDaysKept)
            QFile::remove(entry.absoluteFilePath());
    }
}

bool AnotherInstanceRunning()
{
    static SingleInstance instance(g_ProductNameStartup, UserDataFolder());
    return instance.OtherInstanceRunning();
}
