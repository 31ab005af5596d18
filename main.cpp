#include "core/Startup.h"
#include "mainwindow/DialogMain.h"
#include "widgets/ExeIsRun.h"
#include "widgets/FormStyles.h"

#include <QApplication>
#include <QtPlugin>

Q_IMPORT_PLUGIN(MappedPicturePlugin)

int main(int argc, char* argv[])
{
    PrepareUserDataFolder();
    UseQuickStartEnvironment();
    QApplication application(argc, argv);
    if (AnotherInstanceRunning())
        return ShowAlreadyRunningNotice();
    ApplyWindowColor();
    CachePicturesOnce();
    // Lives until the process ends.
    auto* mainWindow = new DialogMain();
    mainWindow->show();
    return application.exec();
}
