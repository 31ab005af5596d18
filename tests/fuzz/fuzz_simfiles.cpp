// The simulated device library's own files: a scenario file, and a state
// file kept for a scenario (both the input), loaded and written back.

#include "FuzzKit.h"

#include "platform/UserDataFolder.h"
#include "platform/simdevice/SimCtl.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PrepareFuzzing();
    static const QString folder = UserDataFolder() + "/SimState";
    static const bool simulated = [] {
        QDir().mkpath(folder);
        SimCtl_SetPersistence(folder.toLocal8Bit().constData());
        SimCtl_SetManualClock(1);
        return true;
    }();
    Q_UNUSED(simulated);
    const QByteArray input = FuzzBytes(data, size);
    // The state file of the default scenario, and of a scenario file named
    // "scenario" (the name a scenario without its own takes from the file).
    WriteFuzzUserFile("SimState/state-default.json", input);
    WriteFuzzUserFile("SimState/state-scenario.json", input);
    const QString scenario = WriteFuzzUserFile("SimState/scenario.json", input);
    SimCtl_LoadScenario(scenario.toLocal8Bit().constData());
    SimCtl_Flush();
    return 0;
}
