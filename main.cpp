#include "core/Startup.h"

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
    // The main window is not built yet: start-up ends here.
    return 0;
}
