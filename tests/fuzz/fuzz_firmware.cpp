// A firmware image file in the program folder's bin/: the header the
// searches read, and an accepted image handed to the device library's boot
// device query and upgrade as the update engine hands it over.

#include "FuzzKit.h"

#include "device/DeviceLibrary.h"
#include "device/FirmwareImages.h"
#include "platform/ProgramFolder.h"
#include "platform/simdevice/SimCtl.h"

#include <QDir>

namespace {

void IgnoreUpgradeReport(unsigned char*) {}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PrepareFuzzing();
    static const bool simulated = [] {
        SimCtl_SetPersistence(nullptr);
        SimCtl_SetManualClock(1);
        return true;
    }();
    Q_UNUSED(simulated);
    const QByteArray input = FuzzBytes(data, size);
    QDir(ProgramFolder() + "/bin").removeRecursively();
    WriteFuzzProgramFile("bin/image.bin", input);

    FirmwareImageInfo info;
    if (!ReadFirmwareImageInfo(input, info)) {
        FindFirmwareImage(FirmwareTargetMouse, QString(), QString(), 0, 0);
        return 0;
    }
    DamagedFirmwareImageFound(info.target, info.name, info.cid, info.mid);
    FindRepairFirmwareImage(info.target, QString(), info.name, info.cid, info.mid);
    if (!FindFirmwareImage(info.target, QString(), info.name, info.cid, info.mid))
        return 0;

    // A device in boot mode and one on the bus for the image to fit; a fresh
    // scenario drops what the previous input left scheduled.
    SimCtl_LoadScenario("boot-receiver");
    const QByteArray image = g_PendingFirmwareImages.first();
    FirmwareImageVersionText(image);
    const auto* bytes = reinterpret_cast<const unsigned char*>(image.constData());
    int bootDevices = 0;
    UsbUpgradeC_FindBootDevices(bytes, &bootDevices);
    UsbUpgrade_Start(bytes, IgnoreUpgradeReport, 10000);
    return 0;
}
