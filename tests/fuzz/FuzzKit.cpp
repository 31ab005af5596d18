#include "FuzzKit.h"

#include "common/ProgramFiles.h"
#include "common/TestFolders.h"

#include "platform/ProgramFolder.h"
#include "platform/UserDataFolder.h"

#include <QApplication>

void PrepareFuzzing()
{
    static QApplication* application = nullptr;
    if (application)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "quorvane-fuzz";
    static char* argv[] = {name, nullptr};
    application = new QApplication(argc, argv);
    UseTemporaryFolders();
}

void UseShippedDescription()
{
    static bool copied = false;
    if (!copied)
        copied = CopyShippedFiles("usersetting/Config.ini");
}

QString WriteFuzzProgramFile(const QString& relativePath, const QByteArray& content)
{
    WriteProgramFile(relativePath, content);
    return ProgramFolder() + "/" + relativePath;
}

QString WriteFuzzUserFile(const QString& relativePath, const QByteArray& content)
{
    WriteUserFile(relativePath, content);
    return UserDataFolder() + "/" + relativePath;
}
