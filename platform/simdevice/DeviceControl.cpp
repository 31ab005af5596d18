#include "platform/simdevice/DeviceControl.h"

#include "platform/simdevice/Persistence.h"
#include "platform/simdevice/Scenario.h"
#include "platform/simdevice/Upgrade.h"

#include <algorithm>

namespace simdevice {
namespace {

constexpr int kRateByte = 0;
constexpr int kLevelCountByte = 1;
constexpr int kCurrentLevelByte = 2;
constexpr int kDpiLedOnByte = 66;
constexpr int kStatusDpi = 0;
constexpr int kStatusRate = 1;
constexpr int kStatusConfig = 2;
constexpr int kStatusDpiLed = 3;
constexpr int kStatusBattery = 6;
constexpr int kConfigClass = 14;

Mouse* FindMouse(const std::string& id)
{
    return State().model.FindMouse(id);
}

// Report rates the mouse offers: the fast ones only through a fast receiver
// or a fast cable.
std::vector<uint8_t> RateCycle(const Mouse& mouse)
{
    std::vector<uint8_t> rates = {8, 4, 2, 1};
    const Receiver* receiver = State().model.LinkedReceiver(mouse);
    const bool fast = (mouse.cable && mouse.cableKind == 3) || (receiver && receiver->receiverClass >= 2);
    if (fast)
        rates.insert(rates.end(), {16, 32, 64});
    return rates;
}

void PressDpi(Mouse& mouse, const std::string& action, bool direct)
{
    FlashImage& image = mouse.ActiveImage();
    const int count = std::clamp<int>(ImageRecordByte(image, kLevelCountByte), 1, 8);
    int level = std::min<int>(ImageRecordByte(image, kCurrentLevelByte), count - 1);
    if (action == "dpi-up")
        level = std::min(level + 1, count - 1);
    else if (action == "dpi-down")
        level = std::max(level - 1, 0);
    else
        level = (level + 1) % count;
    SetImageRecordByte(image, kCurrentLevelByte, uint8_t(level));
    if (direct)
        ReportFromMouse(mouse, 8, 4, {uint8_t(level)});
    else
        ReportStatusChange(mouse, kStatusDpi);
}

void PressRate(Mouse& mouse)
{
    FlashImage& image = mouse.ActiveImage();
    const std::vector<uint8_t> rates = RateCycle(mouse);
    auto current = std::find(rates.begin(), rates.end(), ImageRecordByte(image, kRateByte));
    const uint8_t next = (current == rates.end() || current + 1 == rates.end()) ? rates.front() : *(current + 1);
    SetImageRecordByte(image, kRateByte, next);
    ReportStatusChange(mouse, kStatusRate);
}

bool PressProfile(Mouse& mouse)
{
    if (mouse.profiles < 2)
        return false;
    mouse.activeProfile = (mouse.activeProfile + 1) % mouse.profiles;
    ReportFromMouse(mouse, kConfigClass, 0, {uint8_t(mouse.activeProfile)});
    ReportStatusChange(mouse, kStatusConfig);
    return true;
}

void PressLed(Mouse& mouse)
{
    FlashImage& image = mouse.ActiveImage();
    SetImageRecordByte(image, kDpiLedOnByte, ImageRecordByte(image, kDpiLedOnByte) ? 0 : 1);
    ReportStatusChange(mouse, kStatusDpiLed);
}

std::string DeviceLine(SimModel& model, const Endpoint& endpoint)
{
    if (endpoint.mouse) {
        const Mouse& m = *endpoint.mouse;
        return "  mouse " + m.id + " " + endpoint.path + " fw " + std::to_string(m.firmware >> 8) + "."
            + std::to_string(m.firmware & 0xFF) + (m.cable ? " cable" : "") + (m.awake ? "" : " asleep")
            + (m.boot ? " boot" : "") + (m.busy ? " upgrading" : "") + " battery " + std::to_string(m.battery);
    }
    Receiver& r = *endpoint.receiver;
    return "  receiver " + r.id + " " + endpoint.path + " class " + std::to_string(r.receiverClass) + " fw "
        + std::to_string(r.firmware >> 8) + "." + std::to_string(r.firmware & 0xFF) + " mouse "
        + (r.pairedMouse.empty() ? "-" : r.pairedMouse) + (model.Link(r) ? " linked" : " no link")
        + (r.boot ? " boot" : "") + (r.busy ? " upgrading" : "");
}

}

bool ResetToScenario(const QString& nameOrPath)
{
    SimState& s = State();
    if (s.stateDirty)
        WriteStateFile();
    SimModel model;
    model.description = s.model.description;
    UpgradeOutcome upgrade;
    QString error;
    const bool loaded = BuildScenario(nameOrPath, &model, &upgrade, &error);
    if (!loaded) {
        Log(QtWarningMsg, "HIDUsb simulation: " + error + "; using the default scenario");
        BuildScenario("default", &model, &upgrade, &error);
    }
    s.model = std::move(model);
    s.scenarioUpgradeOutcome = upgrade;
    s.upgradeOutcomes.clear();
    s.upgrade = UpgradeRun();
    s.events.clear();
    s.reports.clear();
    s.upgradeReports.clear();
    s.journal.clear();
    s.openedPath.clear();
    ++s.binding.generation;
    ApplyPersistedState();
    s.lastBusSignature.clear();
    s.lastLinks.clear();
    for (Receiver& receiver : s.model.receivers)
        s.lastLinks[receiver.id] = s.model.Link(receiver);
    return loaded;
}

void ListDevices()
{
    SimModel& model = State().model;
    Log(QtDebugMsg, "HIDUsb simulation: scenario " + model.scenarioName);
    for (const Endpoint& endpoint : model.Bus())
        Log(QtDebugMsg, QString::fromStdString(DeviceLine(model, endpoint)));
    for (const Endpoint& endpoint : model.BootList())
        Log(QtDebugMsg, QString::fromStdString(DeviceLine(model, endpoint)));
    for (Mouse& mouse : model.mice)
        if (!model.OnBus(mouse) && !(mouse.boot && mouse.cable && mouse.powered))
            Log(QtDebugMsg, QString::fromStdString(DeviceLine(model, {model.CablePath(mouse), &mouse, nullptr, false}))
                                + " (not on the bus)");
}

bool PlugDevice(const std::string& id, bool on)
{
    SimModel& model = State().model;
    if (Receiver* receiver = model.FindReceiver(id)) {
        receiver->plugged = on;
        receiver->pairState = PairState::Idle;
        if (!on && receiver->busy)
            InterruptUpgradeOf(id);
        return true;
    }
    Mouse* mouse = FindMouse(id);
    if (!mouse)
        return false;
    mouse->powered = on;
    if (on && mouse->cableOnReplug) {
        mouse->cable = true;
        mouse->cableOnReplug = false;
    }
    if (!on && mouse->busy)
        InterruptUpgradeOf(id);
    return true;
}

bool SetCable(const std::string& id, bool on)
{
    Mouse* mouse = FindMouse(id);
    if (!mouse)
        return false;
    mouse->cable = on;
    mouse->charging = on;
    mouse->cableOnReplug = false;
    if (!on && mouse->busy)
        InterruptUpgradeOf(id);
    return true;
}

bool SetAwake(const std::string& id, bool on)
{
    Mouse* mouse = FindMouse(id);
    if (!mouse)
        return false;
    mouse->awake = on;
    return true;
}

bool SetBattery(const std::string& id, int level, int charging, bool notify)
{
    Mouse* mouse = FindMouse(id);
    if (!mouse || level < 0 || level > 100)
        return false;
    mouse->battery = level;
    if (charging >= 0)
        mouse->charging = charging != 0;
    if (notify)
        ReportStatusChange(*mouse, kStatusBattery);
    return true;
}

bool PressButton(const std::string& id, const std::string& action, bool direct)
{
    Mouse* mouse = FindMouse(id);
    if (!mouse || !mouse->powered || mouse->boot || mouse->busy)
        return false;
    if (action == "dpi-up" || action == "dpi-down" || action == "dpi-cycle")
        PressDpi(*mouse, action, direct);
    else if (action == "rate")
        PressRate(*mouse);
    else if (action == "led")
        PressLed(*mouse);
    else if (action != "profile" || !PressProfile(*mouse))
        return false;
    MarkStateDirty();
    return true;
}

bool SetPairingMode(const std::string& id, bool on)
{
    Mouse* mouse = FindMouse(id);
    if (!mouse)
        return false;
    mouse->pairingMode = on;
    return true;
}

bool SetBootMode(const std::string& id, bool on)
{
    SimModel& model = State().model;
    if (Receiver* receiver = model.FindReceiver(id)) {
        receiver->boot = on;
    } else if (Mouse* mouse = FindMouse(id)) {
        mouse->boot = on;
    } else {
        return false;
    }
    MarkStateDirty();
    return true;
}

bool SetIdentityDelay(const std::string& id, int calls)
{
    if (calls < 0)
        return false;
    SimModel& model = State().model;
    if (Receiver* receiver = model.FindReceiver(id)) {
        receiver->identityDelay = receiver->identityCallsLeft = calls;
        return true;
    }
    Mouse* mouse = FindMouse(id);
    if (!mouse)
        return false;
    mouse->identityDelay = mouse->identityCallsLeft = calls;
    return true;
}

bool RestoreFactory(const std::string& id)
{
    Mouse* mouse = FindMouse(id);
    if (!mouse)
        return false;
    const FlashImage factory = State().model.FactoryImage(*mouse);
    std::fill(mouse->images.begin(), mouse->images.end(), factory);
    mouse->activeProfile = 0;
    MarkStateDirty();
    return true;
}

bool SetTimeScale(double scale)
{
    if (!(scale > 0.0) || scale > 100.0)
        return false;
    State().timeScale = scale;
    return true;
}

void AnswerLater(Mouse& mouse, const std::string& request, int delayMs, int cls, int sub, PayloadBuilder payload)
{
    const uint64_t generation = State().binding.generation;
    const std::string mouseId = mouse.id;
    ScheduleScaled(delayMs, [=] {
        SimState& s = State();
        Mouse* target = TargetMouse();
        if (s.binding.generation != generation || !target || target->id != mouseId) {
            Journal(request + " -> no answer: the device went away");
            return;
        }
        const std::vector<uint8_t> bytes = payload(*target);
        EnqueueReport(generation, cls, sub, 0, bytes.data(), int(bytes.size()));
    });
}

}
