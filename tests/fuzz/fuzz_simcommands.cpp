// The simulated device library's command file: the input as the file's
// lines, read and run as the library's engine reads them, then device time
// moved on so that what the commands scheduled runs too.

#include "FuzzKit.h"

#include "platform/UserDataFolder.h"
#include "platform/simdevice/SimCtl.h"

#include <QDir>
#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PrepareFuzzing();
    static const QString commands = [] {
        const QString file = UserDataFolder() + "/SimDevices/commands.txt";
        const QString states = UserDataFolder() + "/SimState";
        QDir().mkpath(states);
        // Read when the library starts, at its first call.
        qputenv("QUORVANE_SIM_COMMANDS", QFile::encodeName(file));
        SimCtl_SetPersistence(states.toLocal8Bit().constData());
        SimCtl_SetManualClock(1);
        return file;
    }();
    // With the file gone the library reads the next one from its start.
    QFile::remove(commands);
    SimCtl_PollCommands();
    WriteFuzzUserFile("SimDevices/commands.txt", FuzzBytes(data, size));
    SimCtl_PollCommands();
    SimCtl_Advance(5000);
    SimCtl_SetTimeScale(1);
    SimCtl_LoadScenario("default");
    return 0;
}
