// The device server: one bound device, requests answered through reports.
#include "platform/simdevice/DeviceControl.h"
#include "platform/simdevice/Pairing.h"
#include "platform/simdevice/SimState.h"

using namespace simdevice;

namespace {

constexpr int kAnswerMs = 10;
constexpr int kFullReadMs = 120;
constexpr int kProfileAnswerMs = 20;
constexpr int kProfileStatusMs = 40;
constexpr int kResetRebootMs = 700;
constexpr int kBatteryClass = 4;
constexpr int kPairStatusClass = 6;
constexpr int kFlashClass = 8;
constexpr int kReconnectClass = 9;
constexpr int kStatusClass = 10;
constexpr int kConfigClass = 14;
constexpr int kVersionClass = 18;
constexpr int kSubRate = 0;
constexpr int kSubLevel = 4;
constexpr int kSubDpiLed = 0x4C;
constexpr int kSubLedBar = 0xA0;
constexpr int kStatusConfigBit = 2;

std::vector<uint8_t> RecordBytes(const Mouse& mouse, int from, int count)
{
    const FlashImage& image = mouse.images[size_t(mouse.activeProfile)];
    const auto begin = image.begin() + ImageOffsetOfRecordByte(from);
    return std::vector<uint8_t>(begin, begin + count);
}

// A mouse-level request: the served mouse answers later, or the request is
// journalled as unanswered.
int MouseRequest(const std::string& request, int delayMs, int cls, int sub, PayloadBuilder payload)
{
    SimLock lock;
    Mouse* mouse = TargetMouse();
    if (!mouse) {
        Journal(request + " -> no answer: offline");
        return 0;
    }
    Journal(request);
    AnswerLater(*mouse, request, delayMs, cls, sub, std::move(payload));
    return 1;
}

std::vector<uint8_t> ConfigAnswer(const Mouse& mouse)
{
    if (mouse.profiles > 1)
        return {uint8_t(mouse.activeProfile)};
    return {0, 0};
}

}

extern "C" {

// Binding never waits: reports of the earlier binding still queued are
// dropped, and a callback already running finishes on its own.
HIDUSB_API int UsbServerC_Start(const char* path, const char* /*path2*/, UsbReportCallback cb)
{
    SimLock lock;
    SimState& s = State();
    s.binding.path = path ? path : "";
    s.binding.callback = cb;
    ++s.binding.generation;
    DropQueuedReports();
    Journal("UsbServerC_Start(" + s.binding.path + ")");
    return BindingIsPresent() ? 1 : 0;
}

HIDUSB_API void UsbServer_Exit(void)
{
    SimLock lock;
    SimState& s = State();
    s.binding = Binding{std::string(), nullptr, s.binding.generation + 1};
    DropQueuedReports();
    Journal("UsbServer_Exit");
}

HIDUSB_API int UsbServer_SetPCDriverStatus(int active)
{
    SimLock lock;
    Journal("UsbServer_SetPCDriverStatus(" + std::to_string(active) + ")");
    Endpoint endpoint;
    if (!State().model.FindEndpoint(State().binding.path, &endpoint))
        return 0;
    (endpoint.mouse ? endpoint.mouse->driverStatus : endpoint.receiver->driverStatus) = active;
    return 1;
}

HIDUSB_API int UsbServer_ReadAllFlashData(void)
{
    return MouseRequest("UsbServer_ReadAllFlashData", kFullReadMs, kFlashClass, kSubRate, [](Mouse& mouse) {
        const FlashImage& image = mouse.ActiveImage();
        return std::vector<uint8_t>(image.begin(), image.end());
    });
}

HIDUSB_API int UsbServer_ReadCurrentDPI(void)
{
    return MouseRequest("UsbServer_ReadCurrentDPI", kAnswerMs, kFlashClass, kSubLevel,
                        [](Mouse& mouse) { return RecordBytes(mouse, 2, 1); });
}

HIDUSB_API int UsbServer_ReadReportRate(void)
{
    return MouseRequest("UsbServer_ReadReportRate", kAnswerMs, kFlashClass, kSubRate,
                        [](Mouse& mouse) { return RecordBytes(mouse, 0, 1); });
}

HIDUSB_API int UsbServer_ReadLedBar(void)
{
    return MouseRequest("UsbServer_ReadLedBar", kAnswerMs, kFlashClass, kSubLedBar, [](Mouse& mouse) {
        std::vector<uint8_t> payload = RecordBytes(mouse, 67, 7);
        payload.resize(9, 0);
        return payload;
    });
}

HIDUSB_API int UsbServer_ReadDPILed(void)
{
    return MouseRequest("UsbServer_ReadDPILed", kAnswerMs, kFlashClass, kSubDpiLed, [](Mouse& mouse) {
        std::vector<uint8_t> payload = RecordBytes(mouse, 63, 4);
        payload.resize(8, 0);
        return payload;
    });
}

HIDUSB_API int UsbServer_ReadBatteryLevel(void)
{
    return MouseRequest("UsbServer_ReadBatteryLevel", kAnswerMs, kBatteryClass, 0, [](Mouse& mouse) {
        const int millivolts = 3300 + mouse.battery * 9;
        return std::vector<uint8_t>{uint8_t(mouse.battery), uint8_t(mouse.charging), uint8_t(millivolts),
                                    uint8_t(millivolts >> 8)};
    });
}

HIDUSB_API int UsbServer_ReadVersion(void)
{
    return MouseRequest("UsbServer_ReadVersion", kAnswerMs, kVersionClass, 0, [](Mouse& mouse) {
        return std::vector<uint8_t>{uint8_t(mouse.firmware), uint8_t(mouse.firmware >> 8)};
    });
}

HIDUSB_API int UsbServer_ReadConfig(void)
{
    return MouseRequest("UsbServer_ReadConfig", kAnswerMs, kConfigClass, 0, ConfigAnswer);
}

HIDUSB_API int UsbServer_SetBatteryOptimizeEnable(int enable)
{
    SimLock lock;
    const std::string request = "UsbServer_SetBatteryOptimizeEnable(" + std::to_string(enable) + ")";
    Mouse* mouse = TargetMouse();
    Journal(request + (mouse ? "" : " -> no answer: offline"));
    if (!mouse)
        return 0;
    mouse->batteryOptimize = enable ? 1 : 0;
    MarkStateDirty();
    return 1;
}

// The mouse restores its factory settings in every profile, restarts, and
// reports the reconnection once it is back.
HIDUSB_API int UsbServer_SetClearSetting(void)
{
    SimLock lock;
    Mouse* mouse = TargetMouse();
    Journal(std::string("UsbServer_SetClearSetting") + (mouse ? "" : " -> no answer: offline"));
    if (!mouse)
        return 0;
    RestoreFactory(mouse->id);
    AnswerLater(*mouse, "UsbServer_SetClearSetting", kResetRebootMs, kReconnectClass, 0,
                [](Mouse&) { return std::vector<uint8_t>{1}; });
    return 1;
}

HIDUSB_API int UsbServer_SetCurrentConfig(unsigned char profile)
{
    SimLock lock;
    const std::string request = "UsbServer_SetCurrentConfig(" + std::to_string(profile) + ")";
    Mouse* mouse = TargetMouse();
    Journal(request + (mouse ? "" : " -> no answer: offline"));
    if (!mouse)
        return 0;
    const bool switches = mouse->profiles > 1 && profile < mouse->profiles;
    if (switches) {
        mouse->activeProfile = profile;
        MarkStateDirty();
    }
    // The answer first: each delay counts from when it is scheduled, so the
    // later report must be scheduled later too, or a thread paused between
    // the two could swap them.
    AnswerLater(*mouse, request, kProfileAnswerMs, kConfigClass, 0, ConfigAnswer);
    if (switches)
        AnswerLater(*mouse, request, kProfileStatusMs, kStatusClass, 0,
                    [](Mouse&) { return std::vector<uint8_t>{1u << kStatusConfigBit, 0}; });
    return 1;
}

HIDUSB_API int UsbServer_EnterDonglePairOnlyCid(unsigned char cid)
{
    SimLock lock;
    Receiver* receiver = BoundReceiver();
    Journal("UsbServer_EnterDonglePairOnlyCid(" + std::to_string(cid) + ")"
            + (receiver ? "" : " -> no answer: no receiver"));
    if (!receiver)
        return 0;
    StartPairing(*receiver, cid);
    return 1;
}

HIDUSB_API int UsbServer_ReadDonglePairStatus(void)
{
    SimLock lock;
    Receiver* receiver = BoundReceiver();
    Journal(std::string("UsbServer_ReadDonglePairStatus") + (receiver ? "" : " -> no answer: no receiver"));
    if (!receiver)
        return 0;
    const uint64_t generation = State().binding.generation;
    const std::string id = receiver->id;
    ScheduleScaled(kAnswerMs, [generation, id] {
        Receiver* bound = BoundReceiver();
        if (State().binding.generation != generation || !bound || bound->id != id)
            return;
        const uint8_t status = PairStatusByte(*bound);
        EnqueueReport(generation, kPairStatusClass, 0, 0, &status, 1);
    });
    return 1;
}

}
