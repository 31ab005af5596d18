#include "device/DeviceState.h"

std::recursive_mutex& DeviceStateMutex()
{
    // Function-local, so that it exists before any other unit's start-up code
    // could reach a Guarded value.
    static std::recursive_mutex mutex;
    return mutex;
}

Guarded<FlashDataMap> g_FlashData;
Guarded<DeviceAllInfo> g_CurrentDevice;
Guarded<QByteArray> g_DevicePath;
Guarded<QByteArray> g_DevicePathC;
Guarded<QString> g_DeviceCacheName;
Guarded<QString> g_DeviceCacheNameRead;
Guarded<DongleRGB> g_DongleRGB;
Guarded<QByteArray> g_ReconnectedDevicePath;

std::atomic<bool> g_WorkerRunFlag{false};
std::atomic<bool> g_DeviceOnline{false};
std::atomic<bool> g_LastOnlineState{false};
std::atomic<bool> g_DeviceOffline{false};
std::atomic<bool> g_RestartRequested{false};
std::atomic<bool> g_ReadBackRequested{false};
std::atomic<bool> g_SuppressApplyNotice{false};
std::atomic<bool> g_DeviceReachable{false};
std::atomic<bool> g_ReadBackOutstanding{false};
std::atomic<int> g_ShowBatteryValue{0};

std::atomic<bool> g_DevicePageShown{false};
std::atomic<bool> g_UpgradeIdle{true};
std::atomic<bool> g_Pairing{false};
std::atomic<bool> g_SendEnabled{false};
std::atomic<bool> g_ButtonPageLoading{false};
std::atomic<bool> g_SensorPageLoading{false};
std::atomic<bool> g_ButtonPageUpdated{false};
std::atomic<bool> g_SensorPageUpdated{false};

std::uint8_t g_ListOnlineStatusBuffer[OnlineStatusBufferSize] = {};
std::uint8_t g_OnlineStatusBuffer[OnlineStatusBufferSize] = {};
std::uint8_t g_BatteryStatus[4] = {};
std::uint8_t g_StatusChanged[7] = {};
QList<int> g_MacroKeyIndexes;

DeviceAllInfo g_ChosenDevice;
QList<DeviceAllInfo> g_DeviceList;
QList<DeviceAllInfo> g_ListedDevices;
QList<DeviceAllInfo> g_ListedDevicesCopy;
QStringList g_PidListUsb;
QStringList g_PidListWireless;
QStringList g_PidListWireless2;
QStringList g_PidListWireless4;
QStringList g_PidListWireless8;
