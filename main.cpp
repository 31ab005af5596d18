#include "core/Startup.h"
#include "mainwindow/DialogMain.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    PrepareUserDataFolder();
    QApplication application(argc, argv);
    if (AnotherInstanceRunning()) {
        std::puts("Quorvane is already running.");
        return 0;
    }
    // Lives until the process ends.
    auto* mainWindow = new DialogMain();
    mainWindow->show();
    return application.exec();
}
