// Control of the simulation for tests and tools.
#include "platform/simdevice/SimCtl.h"

#include "platform/simdevice/Commands.h"
#include "platform/simdevice/DeviceControl.h"
#include "platform/simdevice/Pairing.h"
#include "platform/simdevice/Persistence.h"
#include "platform/simdevice/Upgrade.h"

#include <cstring>

using namespace simdevice;

namespace {

std::string Id(const char* id)
{
    return id ? std::string(id) : std::string();
}

int CopyText(const std::string& text, char* buffer, int size)
{
    if (!buffer || size <= 0)
        return int(text.size());
    const size_t copied = std::min(text.size(), size_t(size - 1));
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
    return int(text.size());
}

std::string HexBytes(const uint8_t* bytes, size_t length)
{
    std::string text;
    char pair[3];
    for (size_t i = 0; i < length; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
        text += pair;
    }
    return text;
}

bool MouseValue(const Mouse& mouse, const std::string& key, std::string* value)
{
    const std::map<std::string, int> numbers = {
        {"fw", mouse.firmware}, {"boot", mouse.boot}, {"busy", mouse.busy},
        {"active_profile", mouse.activeProfile}, {"driver_status", mouse.driverStatus},
        {"battery_optimize", mouse.batteryOptimize}, {"battery", mouse.battery},
        {"charging", mouse.charging}, {"awake", mouse.awake}, {"cable", mouse.cable},
        {"plugged", mouse.powered}};
    auto found = numbers.find(key);
    if (found != numbers.end())
        *value = std::to_string(found->second);
    else if (key == "paired")
        *value = mouse.pairedReceiver == ReceiverId{} ? std::string() : HexId(mouse.pairedReceiver);
    else
        return false;
    return true;
}

bool ReceiverValue(const Receiver& receiver, const std::string& key, std::string* value)
{
    const std::map<std::string, int> numbers = {
        {"fw", receiver.firmware}, {"boot", receiver.boot}, {"busy", receiver.busy},
        {"driver_status", receiver.driverStatus}, {"long_range", receiver.longRange},
        {"pair_state", int(receiver.pairState)}, {"plugged", receiver.plugged}};
    auto found = numbers.find(key);
    if (found != numbers.end())
        *value = std::to_string(found->second);
    else if (key == "led")
        *value = HexBytes(receiver.led.data(), receiver.led.size());
    else if (key == "paired")
        *value = receiver.pairedMouse;
    else
        return false;
    return true;
}

Mouse* MouseProfile(const char* mouseId, int profile)
{
    Mouse* mouse = State().model.FindMouse(Id(mouseId));
    return mouse && profile >= 0 && profile < mouse->profiles ? mouse : nullptr;
}

}

extern "C" {

HIDUSB_API int SimCtl_LoadScenario(const char* nameOrPath)
{
    SimLock lock;
    return ResetToScenario(QString::fromLocal8Bit(nameOrPath ? nameOrPath : "")) ? 1 : 0;
}

HIDUSB_API int SimCtl_Command(const char* line)
{
    SimLock lock;
    return line && ExecuteCommand(line) ? 1 : 0;
}

HIDUSB_API void SimCtl_PollCommands(void)
{
    SimLock lock;
    PollCommandFile();
}

HIDUSB_API int SimCtl_Plug(const char* id, int on)
{
    SimLock lock;
    return PlugDevice(Id(id), on != 0);
}

HIDUSB_API int SimCtl_SetCable(const char* mouseId, int on)
{
    SimLock lock;
    return SetCable(Id(mouseId), on != 0);
}

HIDUSB_API int SimCtl_SetAwake(const char* mouseId, int on)
{
    SimLock lock;
    return SetAwake(Id(mouseId), on != 0);
}

HIDUSB_API int SimCtl_SetBattery(const char* mouseId, int level, int charging, int notify)
{
    SimLock lock;
    return SetBattery(Id(mouseId), level, charging, notify != 0);
}

HIDUSB_API int SimCtl_Press(const char* mouseId, const char* action)
{
    SimLock lock;
    const std::string text = Id(action);
    const size_t space = text.find(' ');
    return PressButton(Id(mouseId), text.substr(0, space),
                       space != std::string::npos && text.substr(space + 1) == "direct");
}

HIDUSB_API int SimCtl_Inject(int cls, int sub, int status, const unsigned char* payload, int length)
{
    SimLock lock;
    EnqueueReport(State().binding.generation, cls, sub, status, payload, payload ? length : 0);
    return 1;
}

HIDUSB_API int SimCtl_InjectRaw(const unsigned char* header, int headerLength, const unsigned char* payload,
                                int length)
{
    SimLock lock;
    EnqueueRawReport(State().binding.generation, header, header ? headerLength : 0, payload, payload ? length : 0);
    return 1;
}

HIDUSB_API int SimCtl_SetPairOutcome(const char* rxId, const char* outcome, int delayMs)
{
    SimLock lock;
    return SetPairOutcome(Id(rxId), Id(outcome), delayMs);
}

HIDUSB_API int SimCtl_SetUpgradeOutcome(int target, const char* outcome, int atPercent, int sticky)
{
    SimLock lock;
    return SetUpgradeOutcome(target, Id(outcome), atPercent, sticky != 0);
}

HIDUSB_API int SimCtl_SetBootMode(const char* id, int on)
{
    SimLock lock;
    return SetBootMode(Id(id), on != 0);
}

HIDUSB_API int SimCtl_SetIdentityDelay(const char* id, int calls)
{
    SimLock lock;
    return SetIdentityDelay(Id(id), calls);
}

HIDUSB_API int SimCtl_GetRecord(const char* mouseId, int profile, unsigned char* record10428)
{
    SimLock lock;
    Mouse* mouse = MouseProfile(mouseId, profile);
    return mouse && record10428 && DecodeFlashImage(mouse->images[size_t(profile)].data(), record10428);
}

HIDUSB_API int SimCtl_SetRecord(const char* mouseId, int profile, const unsigned char* record10428)
{
    SimLock lock;
    Mouse* mouse = MouseProfile(mouseId, profile);
    if (!mouse || !record10428)
        return 0;
    mouse->images[size_t(profile)] = EncodeFlashImage(record10428, nullptr);
    MarkStateDirty();
    return 1;
}

HIDUSB_API int SimCtl_GetValue(const char* id, const char* key, char* buffer, int size)
{
    SimLock lock;
    SimModel& model = State().model;
    std::string value;
    const Mouse* mouse = model.FindMouse(Id(id));
    const Receiver* receiver = model.FindReceiver(Id(id));
    const bool known = mouse ? MouseValue(*mouse, Id(key), &value)
                             : receiver && ReceiverValue(*receiver, Id(key), &value);
    return known ? CopyText(value, buffer, size) : -1;
}

HIDUSB_API const char* SimCtl_PathOf(const char* id)
{
    SimLock lock;
    SimModel& model = State().model;
    if (const Mouse* mouse = model.FindMouse(Id(id)))
        return InternPath(model.CablePath(*mouse));
    if (const Receiver* receiver = model.FindReceiver(Id(id)))
        return InternPath(model.ReceiverPath(*receiver));
    return nullptr;
}

HIDUSB_API int SimCtl_BuildImage(int target, int cid, int mid, const char* name, int versionWord,
                                 int payloadLength, unsigned char* out, int outSize)
{
    return BuildImage(target, cid, mid, name, versionWord, payloadLength, out, outSize);
}

HIDUSB_API void SimCtl_SetTimeScale(double scale)
{
    SimLock lock;
    SetTimeScale(scale);
}

HIDUSB_API void SimCtl_SetManualClock(int on)
{
    SimLock lock;
    SimState& s = State();
    if (bool(on) == s.manualClock)
        return;
    if (on)
        s.manualNow = Now();
    else
        s.clockOffset = s.manualNow - RealNow();
    s.manualClock = on != 0;
    s.engineWake.notify_all();
}

HIDUSB_API void SimCtl_Advance(int ms)
{
    SimLock lock;
    SimState& s = State();
    if (!s.manualClock || ms < 0)
        return;
    const int64_t until = s.manualNow + ms;
    RunDueEvents(until);
    s.manualNow = until;
}

HIDUSB_API int SimCtl_Pending(void)
{
    SimLock lock;
    const SimState& s = State();
    const bool hotPlug = (s.hotPlugCallback && s.hotPlugPosted != s.hotPlugDelivered) || s.hotPlugDeferred;
    return int(s.reports.size()) + s.runningReportCallbacks + int(s.upgradeReports.size())
        + s.runningUpgradeCallbacks + int(s.events.size()) + (hotPlug ? 1 : 0);
}

HIDUSB_API int SimCtl_JournalCount(void)
{
    SimLock lock;
    return int(State().journal.size());
}

HIDUSB_API int SimCtl_JournalLine(int i, char* buffer, int size)
{
    SimLock lock;
    const auto& journal = State().journal;
    if (i < 0 || size_t(i) >= journal.size())
        return -1;
    return CopyText(journal[size_t(i)], buffer, size);
}

HIDUSB_API void SimCtl_JournalClear(void)
{
    SimLock lock;
    State().journal.clear();
}

HIDUSB_API void SimCtl_SetPersistence(const char* folderOrNull)
{
    SimLock lock;
    State().stateFolder = folderOrNull ? QString::fromLocal8Bit(folderOrNull) : QString();
    State().stateDirty = false;
}

HIDUSB_API int SimCtl_Flush(void)
{
    SimLock lock;
    return WriteStateFile() ? 1 : 0;
}

}
