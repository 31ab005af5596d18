#include "core/QtDialogTexts.h"
#include "core/Startup.h"
#include "mainwindow/DialogMain.h"
#include "platform/SessionManagerLoss.h"
#include "platform/TerminationSignals.h"
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
    // The main window ends the program when it closes; a notice closed while
    // the window sits in the tray does not.
    QApplication::setQuitOnLastWindowClosed(false);
    QuitOnTerminationSignals();
    QuitOnSessionManagerLoss();
    ApplyWindowColor();
    InstallQtDialogTexts();
    CachePicturesOnce();
    // Lives until the process ends.
    auto* mainWindow = new DialogMain();
    mainWindow->show();
    return application.exec();
}
