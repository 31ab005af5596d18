#include "core/QtDialogTexts.h"
#include "core/Startup.h"
#include "mainwindow/DialogMain.h"
#include "widgets/ExeIsRun.h"
#include "widgets/FormStyles.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    PrepareUserDataFolder();
    QApplication application(argc, argv);
    if (AnotherInstanceRunning())
        return ShowAlreadyRunningNotice();
    ApplyWindowColor();
    InstallQtDialogTexts();
    // Lives until the process ends.
    auto* mainWindow = new DialogMain();
    mainWindow->show();
    return application.exec();
}
