// The exported-settings file of the button page's import, and the offline
// cache file (Device_Info/Device_CID<cc>_MID<mm>.bin) of the same record.

#include "FuzzKit.h"

#include "device/DeviceCache.h"
#include "device/DeviceState.h"
#include "device/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PrepareFuzzing();
    UseShippedDescription();
    g_CurrentDevice.Set(DeviceAllInfo());
    const QByteArray input = FuzzBytes(data, size);

    FlashDataMap record{};
    ImportSettingsFile(WriteFuzzUserFile("import.bin", input), record);

    const QString cacheName = DeviceCacheFileName(0x0312);
    WriteFuzzUserFile("Device_Info/" + cacheName, input);
    LoadDeviceCache(cacheName, record);
    return 0;
}
