// Enumeration, identification and the receiver options.
#include "platform/simdevice/DeviceControl.h"
#include "platform/simdevice/SimState.h"

#include <QString>

#include <algorithm>
#include <cstring>

using namespace simdevice;

namespace {

constexpr int kScreenPacketLength = 40;

std::string Text(const char* text)
{
    return text ? std::string(text) : std::string("(null)");
}

bool Resolve(const char* path, Endpoint* endpoint)
{
    return path && State().model.FindEndpoint(path, endpoint);
}

char** FindDevices(const char* vid, const char* pid, int limit, int* count)
{
    thread_local std::vector<char*> found;
    found.clear();
    if (!count)
        return nullptr;
    const int wantedVid = vid ? ParseHex(QString::fromLatin1(vid)) : -1;
    const int wantedPid = pid ? ParseHex(QString::fromLatin1(pid)) : -1;
    SimModel& model = State().model;
    for (const Endpoint& endpoint : model.Bus()) {
        const int endpointPid = endpoint.mouse ? endpoint.mouse->cablePid : endpoint.receiver->pid;
        if (int(found.size()) < limit && wantedVid == model.vid && wantedPid == endpointPid)
            found.push_back(const_cast<char*>(InternPath(endpoint.path)));
    }
    *count = int(found.size());
    found.push_back(nullptr);
    return found.data();
}

uint8_t ScreenChecksum(const unsigned char* packet, int length)
{
    unsigned sum = 0;
    for (int i = 0; i < length - 1; ++i)
        sum += packet[i];
    return uint8_t(0x55 - sum);
}

}

extern "C" {

HIDUSB_API char** UsbFinderC_FindHidDevicesByDefaultDeviceId(const char* vid, const char* pid, int* count)
{
    SimLock lock;
    Journal("UsbFinderC_FindHidDevicesByDefaultDeviceId(" + Text(vid) + ", " + Text(pid) + ")");
    return FindDevices(vid, pid, count ? *count : 0, count);
}

HIDUSB_API char** UsbFinderC_FindHidDevicesByDeviceId(const char* vid, const char* pid, int interfaceNo,
                                                      int maxCount, int* count)
{
    SimLock lock;
    Journal("UsbFinderC_FindHidDevicesByDeviceId(" + Text(vid) + ", " + Text(pid) + ", "
            + std::to_string(interfaceNo) + ", " + std::to_string(maxCount) + ")");
    return FindDevices(vid, pid, count ? std::min(*count, maxCount) : 0, count);
}

// Identification answers 0 for a number of calls after a device appears,
// counted in calls: the program asks up to ten times in a row without waiting.
HIDUSB_API UsbDeviceInfo UsbFinderC_GetDeviceInfo(const char* path)
{
    SimLock lock;
    Journal("UsbFinderC_GetDeviceInfo(" + Text(path) + ")");
    UsbDeviceInfo info{0, 0};
    Endpoint endpoint;
    if (!Resolve(path, &endpoint))
        return info;
    int& callsLeft = endpoint.mouse ? endpoint.mouse->identityCallsLeft : endpoint.receiver->identityCallsLeft;
    info.kind = endpoint.mouse ? endpoint.mouse->cableKind : endpoint.receiver->kind;
    if (callsLeft > 0) {
        --callsLeft;
        return info;
    }
    info.identity = endpoint.mouse ? endpoint.mouse->Identity() : endpoint.receiver->rememberedIdentity;
    return info;
}

HIDUSB_API bool UsbFinderC_GetUsbDeviceAttribute(const char* path, unsigned char* attributes12)
{
    SimLock lock;
    Journal("UsbFinderC_GetUsbDeviceAttribute(" + Text(path) + ")");
    Endpoint endpoint;
    if (!attributes12 || !Resolve(path, &endpoint))
        return false;
    const int vid = State().model.vid;
    const int pid = endpoint.mouse ? endpoint.mouse->cablePid : endpoint.receiver->pid;
    const uint16_t firmware = endpoint.mouse ? endpoint.mouse->firmware : endpoint.receiver->firmware;
    const unsigned char attributes[12] = {12, 0, 0, 0, uint8_t(vid), uint8_t(vid >> 8), uint8_t(pid),
                                          uint8_t(pid >> 8), uint8_t(firmware), uint8_t(firmware >> 8), 0, 0};
    std::memcpy(attributes12, attributes, sizeof attributes);
    return true;
}

HIDUSB_API bool UsbFinderC_GetDeviceOnLine(const char* path)
{
    SimLock lock;
    Endpoint endpoint;
    bool online = false;
    if (Resolve(path, &endpoint))
        online = endpoint.mouse ? !endpoint.mouse->busy : State().model.Link(*endpoint.receiver);
    Journal("UsbFinderC_GetDeviceOnLine(" + Text(path) + ") -> " + (online ? "1" : "0"));
    return online;
}

// An absent path clears the answer, so that no earlier receiver identity is
// mistaken for this device's.
HIDUSB_API bool UsbFinderC_GetDeviceOnLineWithUsbAddress(const char* path, unsigned char* answer10)
{
    SimLock lock;
    Journal("UsbFinderC_GetDeviceOnLineWithUsbAddress(" + Text(path) + ")");
    if (!answer10)
        return false;
    std::memset(answer10, 0, 10);
    Endpoint endpoint;
    if (!Resolve(path, &endpoint))
        return false;
    const ReceiverId& id = endpoint.mouse ? endpoint.mouse->pairedReceiver : endpoint.receiver->receiverId;
    answer10[6] = endpoint.mouse ? !endpoint.mouse->busy : State().model.Link(*endpoint.receiver);
    std::copy(id.begin(), id.end(), answer10 + 7);
    return true;
}

HIDUSB_API int UsbFinderC_GetVersion(const char* path)
{
    SimLock lock;
    Journal("UsbFinderC_GetVersion(" + Text(path) + ")");
    Endpoint endpoint;
    if (!Resolve(path, &endpoint))
        return 0;
    return endpoint.mouse ? endpoint.mouse->firmware : endpoint.receiver->rememberedFirmware;
}

HIDUSB_API bool UsbFinderC_GetSlaveVersion(const char* path, int* version)
{
    SimLock lock;
    Journal("UsbFinderC_GetSlaveVersion(" + Text(path) + ")");
    Endpoint endpoint;
    if (!version || !Resolve(path, &endpoint) || !endpoint.receiver)
        return false;
    *version = endpoint.receiver->firmware;
    return true;
}

HIDUSB_API bool UsbFinderC_Get4KDongleRGBValue(const char* path, DongleRGB* rgb)
{
    SimLock lock;
    Journal("UsbFinderC_Get4KDongleRGBValue(" + Text(path) + ")");
    Endpoint endpoint;
    if (!rgb || !Resolve(path, &endpoint) || !endpoint.receiver || !endpoint.receiver->ledSupported)
        return false;
    std::memcpy(rgb, endpoint.receiver->led.data(), HIDUSB_DONGLERGB_SIZE);
    return true;
}

HIDUSB_API bool UsbFinderC_Set4KDongleRGB(const char* path, const DongleRGB* rgb)
{
    SimLock lock;
    Journal("UsbFinderC_Set4KDongleRGB(" + Text(path) + ")");
    Endpoint endpoint;
    if (!rgb || !Resolve(path, &endpoint) || !endpoint.receiver || !endpoint.receiver->ledSupported)
        return false;
    std::memcpy(endpoint.receiver->led.data(), rgb, HIDUSB_DONGLERGB_SIZE);
    MarkStateDirty();
    return true;
}

// Without an answer the byte keeps whatever the caller put there.
HIDUSB_API bool UsbFinderC_GetLongRangeMode(const char* path, unsigned char* mode)
{
    SimLock lock;
    Journal("UsbFinderC_GetLongRangeMode(" + Text(path) + ")");
    Endpoint endpoint;
    if (!mode || !Resolve(path, &endpoint) || !endpoint.receiver || endpoint.receiver->longRange < 0)
        return false;
    *mode = uint8_t(endpoint.receiver->longRange);
    return true;
}

HIDUSB_API bool UsbFinderC_SetLongRangeMode(const char* path, int mode)
{
    SimLock lock;
    Journal("UsbFinderC_SetLongRangeMode(" + Text(path) + ", " + std::to_string(mode) + ")");
    Endpoint endpoint;
    if (!Resolve(path, &endpoint) || !endpoint.receiver || endpoint.receiver->longRange < 0)
        return false;
    endpoint.receiver->longRange = mode ? 1 : 0;
    MarkStateDirty();
    return true;
}

HIDUSB_API bool UsbFinderC_SetDongleIDToMouse(const char* path, const unsigned char* id5)
{
    SimLock lock;
    Journal("UsbFinderC_SetDongleIDToMouse(" + Text(path) + ")");
    Endpoint endpoint;
    if (!id5 || !Resolve(path, &endpoint) || !endpoint.mouse)
        return false;
    std::copy(id5, id5 + 3, endpoint.mouse->pairedReceiver.begin());
    MarkStateDirty();
    return true;
}

HIDUSB_API bool UsbFinderC_OpenDevice(const char* path)
{
    SimLock lock;
    Journal("UsbFinderC_OpenDevice(" + Text(path) + ")");
    Endpoint endpoint;
    if (!Resolve(path, &endpoint))
        return false;
    State().openedPath = path;
    return true;
}

// A device with a screen takes a clock packet with a valid checksum and echoes
// it; anything else is answered with zeros.
HIDUSB_API bool UsbFinderC_ReadWriteDeviceData(const unsigned char* request, unsigned char* answer,
                                               unsigned char length)
{
    SimLock lock;
    Journal("UsbFinderC_ReadWriteDeviceData(" + std::to_string(length) + ")");
    if (!request || !answer || length == 0)
        return false;
    std::memset(answer, 0, length);
    Endpoint endpoint;
    if (!State().model.FindEndpoint(State().openedPath, &endpoint))
        return false;
    Mouse* mouse = endpoint.mouse ? endpoint.mouse : State().model.PairedMouse(*endpoint.receiver);
    if (!mouse || !mouse->screen || length != kScreenPacketLength
        || request[length - 1] != ScreenChecksum(request, length))
        return true;
    std::memcpy(mouse->clock.data(), request, kScreenPacketLength);
    std::memcpy(answer, request, length);
    answer[length - 1] = ScreenChecksum(answer, length);
    return true;
}

}
