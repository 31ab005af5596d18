// Firmware upgrade.
#include "platform/simdevice/SimState.h"
#include "platform/simdevice/Upgrade.h"

using namespace simdevice;

extern "C" {

HIDUSB_API bool UsbUpgrade_Start(const unsigned char* image, UsbUpgradeCallback cb, int timeoutMs)
{
    SimLock lock;
    return StartUpgrade(image, cb, timeoutMs);
}

HIDUSB_API bool UsbUpgradeC_FindBootDevices(const unsigned char* image, int* count)
{
    SimLock lock;
    const int found = CountBootDevicesFitting(image);
    Journal("UsbUpgradeC_FindBootDevices -> " + std::to_string(found));
    if (count)
        *count = found;
    return image && count && found > 0;
}

HIDUSB_API const char* const* UsbUpgradeC_GetLogs(void)
{
    SimLock lock;
    return LastUpgradeLogs();
}

}
