#include "core/Startup.h"

#include "core/ProductName.h"
#include "platform/SingleInstance.h"
#include "platform/UserDataFolder.h"
#include "platform/WholeFileWrite.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

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

void UseQuickStartEnvironment()
{
    const std::pair<const char*, const char*> defaults[] = {
        {"QT_XCB_GL_INTEGRATION", "none"},
#ifndef Q_OS_WIN // Windows reads TZ in a syntax of its own
        {"TZ", ":/etc/localtime"},
#endif
    };
    for (const auto& [name, value] : defaults) {
        if (!qEnvironmentVariableIsSet(name))
            qputenv(name, value);
    }
}

void PrepareUserDataFolder()
{
    const QString base = UserDataFolder();
    for (const char* subfolder : kUserDataSubfolders)
        QDir().mkpath(base + subfolder);

    const QString userSettings = base + "/Macro.ini";
    QString error;
    if (!QFileInfo::exists(userSettings) && !QFileInfo(userSettings).isSymLink()
        && !WriteWholeFile(userSettings, QByteArray(), &error))
        qWarning() << "The per-user settings file" << userSettings << "could not be made:" << error;

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
