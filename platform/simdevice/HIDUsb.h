/* HIDUsb.h - the device library's C interface: enumeration, identification,
 * the report server of one device, the configuration record codec, hot-plug
 * notification and firmware upgrade.
 *
 * Paths are NUL-terminated 8-bit texts. Returned path texts stay valid for the
 * life of the process; a returned path array is valid until the next search
 * on the same thread. Report and upgrade callbacks run on the library's own
 * threads, never inside a call into the library; the hot-plug callback runs
 * on the thread that registered it, which must run an event loop. */
#pragma once

#ifndef __cplusplus
#include <stdbool.h>
#endif

#if defined(_WIN32)
#  if defined(HIDUSB_BUILDING)
#    define HIDUSB_API __declspec(dllexport)
#  else
#    define HIDUSB_API __declspec(dllimport)
#  endif
#else
#  define HIDUSB_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define HIDUSB_RECORD_SIZE      10428   /* sizeof(FlashDataMap) */
#define HIDUSB_FLASH_IMAGE_SIZE 6912    /* payload of the full flash read */
#define HIDUSB_DONGLERGB_SIZE   10      /* sizeof(DongleRGB) */

typedef struct FlashDataMap FlashDataMap;   /* defined (packed) by the program */
typedef struct DongleRGB DongleRGB;         /* defined by the program, 10 bytes */

#pragma pack(push, 1)
typedef struct UsbDeviceInfo {
    unsigned short identity;   /* CID in the low byte, MID in the high byte; 0 = not yet known */
    unsigned char kind;        /* 0/4/1/5 receiver of 1K/2K/4K/8K, 2, 3 and up a cable */
} UsbDeviceInfo;
#pragma pack(pop)

typedef void (*UsbChangedCallback)(void);
typedef void (*UsbReportCallback)(unsigned char* header, int headerLength,
                                  unsigned char* payload, int payloadLength);
typedef void (*UsbUpgradeCallback)(unsigned char* report);

/* Finder */
HIDUSB_API char** UsbFinderC_FindHidDevicesByDefaultDeviceId(const char* vid, const char* pid, int* count);
HIDUSB_API char** UsbFinderC_FindHidDevicesByDeviceId(const char* vid, const char* pid,
                                                      int interfaceNo, int maxCount, int* count);
HIDUSB_API UsbDeviceInfo UsbFinderC_GetDeviceInfo(const char* path);
HIDUSB_API bool UsbFinderC_GetUsbDeviceAttribute(const char* path, unsigned char* attributes12);
HIDUSB_API bool UsbFinderC_GetDeviceOnLine(const char* path);
HIDUSB_API bool UsbFinderC_GetDeviceOnLineWithUsbAddress(const char* path, unsigned char* answer10);
HIDUSB_API int  UsbFinderC_GetVersion(const char* path);
HIDUSB_API bool UsbFinderC_GetSlaveVersion(const char* path, int* version);
HIDUSB_API bool UsbFinderC_Get4KDongleRGBValue(const char* path, DongleRGB* rgb);
HIDUSB_API bool UsbFinderC_Set4KDongleRGB(const char* path, const DongleRGB* rgb);
HIDUSB_API bool UsbFinderC_GetLongRangeMode(const char* path, unsigned char* mode);
HIDUSB_API bool UsbFinderC_SetLongRangeMode(const char* path, int mode);
HIDUSB_API bool UsbFinderC_SetDongleIDToMouse(const char* path, const unsigned char* id5);
HIDUSB_API bool UsbFinderC_OpenDevice(const char* path);
HIDUSB_API bool UsbFinderC_ReadWriteDeviceData(const unsigned char* request, unsigned char* answer,
                                               unsigned char length);

/* Device server: one served device at a time. The int results are 1 when a
 * bound, answering device took the request, else 0. */
HIDUSB_API int  UsbServerC_Start(const char* path, const char* path2, UsbReportCallback cb);
HIDUSB_API void UsbServer_Exit(void);
HIDUSB_API int  UsbServer_SetPCDriverStatus(int active);
HIDUSB_API int  UsbServer_ReadAllFlashData(void);
HIDUSB_API int  UsbServer_ReadCurrentDPI(void);
HIDUSB_API int  UsbServer_ReadReportRate(void);
HIDUSB_API int  UsbServer_ReadLedBar(void);
HIDUSB_API int  UsbServer_ReadDPILed(void);
HIDUSB_API int  UsbServer_ReadBatteryLevel(void);
HIDUSB_API int  UsbServer_ReadVersion(void);
HIDUSB_API int  UsbServer_ReadConfig(void);
HIDUSB_API int  UsbServer_SetBatteryOptimizeEnable(int enable);
HIDUSB_API int  UsbServer_SetClearSetting(void);
HIDUSB_API int  UsbServer_SetCurrentConfig(unsigned char profile);
HIDUSB_API int  UsbServer_EnterDonglePairOnlyCid(unsigned char cid);
HIDUSB_API int  UsbServer_ReadDonglePairStatus(void);

/* Record codec */
HIDUSB_API int  ProtocolDataUpdate(const FlashDataMap* record);
HIDUSB_API int  ProtocolDataParser(const unsigned char* payload, FlashDataMap* record);
HIDUSB_API void BufferToDPILed(const unsigned char* payload, unsigned char* recordByte63);
HIDUSB_API void BufferToLedBar(const unsigned char* payload, unsigned char* recordByte67);
HIDUSB_API void GetDeviceBatteryStatus(const unsigned char* payload, unsigned char* levelAndCharging);
HIDUSB_API void GetDeviceStatusChanged(const unsigned char* payload, unsigned char* flags7);

/* Hot-plug */
HIDUSB_API int  StartUsbChanged(UsbChangedCallback cb, int intervalMs);
HIDUSB_API void StopUsbChanged(void);

/* Firmware upgrade */
HIDUSB_API bool UsbUpgrade_Start(const unsigned char* image, UsbUpgradeCallback cb, int timeoutMs);
HIDUSB_API bool UsbUpgradeC_FindBootDevices(const unsigned char* image, int* count);
HIDUSB_API const char* const* UsbUpgradeC_GetLogs(void);   /* 8 entries */

#ifdef __cplusplus
}
#endif
