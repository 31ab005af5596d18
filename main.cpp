#include "core/Startup.h"
#include "widgets/ExeIsRun.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    PrepareUserDataFolder();
    QApplication application(argc, argv);
    if (AnotherInstanceRunning())
        return ShowAlreadyRunningNotice();
    // The main window is not built yet: start-up ends here.
    return 0;
}
