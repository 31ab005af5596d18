// The record codec and the decoders of the small reports.
#include "platform/simdevice/FlashCodec.h"
#include "platform/simdevice/SimState.h"

#include <cstdio>
#include <cstring>

using namespace simdevice;

extern "C" {

// Takes the record whole first, so that a sender changing it meanwhile cannot
// tear what the device stores. Writing produces no report.
HIDUSB_API int ProtocolDataUpdate(const FlashDataMap* record)
{
    if (!record)
        return 0;
    Record snapshot;
    SimLock lock;
    std::memcpy(snapshot.data(), record, kRecordSize);
    char crc[16];
    std::snprintf(crc, sizeof crc, "%08x", Crc32(snapshot.data(), kRecordSize));
    Mouse* mouse = TargetMouse();
    if (!mouse) {
        Journal(std::string("ProtocolDataUpdate(crc=") + crc + ") -> no answer: offline");
        return 0;
    }
    std::vector<int> dropped;
    mouse->ActiveImage() = EncodeFlashImage(snapshot.data(), &dropped);
    Journal(std::string("ProtocolDataUpdate(crc=") + crc + ")");
    for (int key : dropped)
        Journal("flash full: macro " + std::to_string(key));
    MarkStateDirty();
    return 1;
}

HIDUSB_API int ProtocolDataParser(const unsigned char* payload, FlashDataMap* record)
{
    if (!payload || !record)
        return 0;
    return DecodeFlashImage(payload, reinterpret_cast<uint8_t*>(record)) ? 1 : 0;
}

HIDUSB_API void BufferToDPILed(const unsigned char* payload, unsigned char* recordByte63)
{
    if (payload && recordByte63)
        std::memcpy(recordByte63, payload, 4);
}

HIDUSB_API void BufferToLedBar(const unsigned char* payload, unsigned char* recordByte67)
{
    if (payload && recordByte67)
        std::memcpy(recordByte67, payload, 7);
}

HIDUSB_API void GetDeviceBatteryStatus(const unsigned char* payload, unsigned char* levelAndCharging)
{
    if (payload && levelAndCharging) {
        levelAndCharging[0] = payload[0];
        levelAndCharging[1] = payload[1] ? 1 : 0;
    }
}

HIDUSB_API void GetDeviceStatusChanged(const unsigned char* payload, unsigned char* flags7)
{
    if (!payload || !flags7)
        return;
    for (int i = 0; i < 7; ++i)
        flags7[i] = (payload[0] >> i) & 1;
}

}
