#include "platform/simdevice/SimState.h"

#include "platform/simdevice/HotPlugRelay.h"

#include <QDebug>

#include <algorithm>
#include <chrono>

namespace simdevice {
namespace {

constexpr size_t kJournalLimit = 5000;
constexpr int kHeaderLength = 8;
constexpr int kPayloadPadding = 16;
constexpr int kReconnectDelayMs = 300;
constexpr int kReconnectClass = 9;
constexpr int kStatusClass = 10;
constexpr int kStateFlushDelayMs = 300;

std::vector<std::string> BusSignature(SimModel& model)
{
    std::vector<std::string> signature;
    for (const Endpoint& endpoint : model.Bus()) {
        const uint16_t identity = endpoint.mouse ? endpoint.mouse->Identity()
                                                 : endpoint.receiver->rememberedIdentity;
        signature.push_back(endpoint.path + "#" + std::to_string(identity));
    }
    for (const Endpoint& endpoint : model.BootList())
        signature.push_back(endpoint.path);
    return signature;
}

void RestartIdentityDelay(const Endpoint& endpoint)
{
    if (endpoint.mouse)
        endpoint.mouse->identityCallsLeft = endpoint.mouse->identityDelay;
    else
        endpoint.receiver->identityCallsLeft = endpoint.receiver->identityDelay;
}

void SendReconnectWhenStillLinked(const std::string& receiverId, uint64_t generation)
{
    SimState& s = State();
    Receiver* receiver = s.model.FindReceiver(receiverId);
    if (receiver && s.model.Link(*receiver) && BoundReceiver() == receiver) {
        const uint8_t payload[1] = {1};
        EnqueueReport(generation, kReconnectClass, 0, 0, payload, 1);
    }
}

}

SimLock::SimLock()
{
    EnsureStarted();
    m_lock = std::unique_lock<std::mutex>(State().mutex);
}

SimLock::~SimLock()
{
    NoticeChanges();
    std::vector<std::pair<QtMsgType, QString>> logs;
    logs.swap(State().pendingLogs);
    m_lock.unlock();
    FlushLogs(std::move(logs));
}

int64_t RealNow()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int64_t Now()
{
    const SimState& s = State();
    return s.manualClock ? s.manualNow : RealNow() + s.clockOffset;
}

int64_t Scaled(int64_t ms)
{
    return std::max<int64_t>(0, int64_t(double(ms) * State().timeScale + 0.5));
}

void Schedule(int64_t delayMs, std::function<void()> run)
{
    SimState& s = State();
    s.events.emplace(Now() + std::max<int64_t>(0, delayMs), std::move(run));
    s.engineWake.notify_all();
}

void ScheduleScaled(int64_t ms, std::function<void()> run)
{
    Schedule(Scaled(ms), std::move(run));
}

void Journal(const std::string& line)
{
    SimState& s = State();
    s.journal.push_back(line);
    if (s.journal.size() > kJournalLimit)
        s.journal.pop_front();
    if (s.logCalls)
        Log(QtDebugMsg, QString::fromStdString("HIDUsb: " + line));
}

void Log(QtMsgType type, const QString& text)
{
    State().pendingLogs.emplace_back(type, text);
}

void FlushLogs(std::vector<std::pair<QtMsgType, QString>> logs)
{
    for (const auto& [type, text] : logs) {
        if (type == QtWarningMsg)
            qWarning().noquote() << text;
        else
            qDebug().noquote() << text;
    }
}

void EnqueueRawReport(uint64_t generation, const uint8_t* header, int headerLength,
                      const uint8_t* payload, int length)
{
    SimState& s = State();
    QueuedReport report;
    report.generation = generation;
    if (header && headerLength > 0)
        report.header.assign(header, header + headerLength);
    report.payloadLength = std::max(0, length);
    report.payload.assign(size_t(report.payloadLength + kPayloadPadding), 0);
    if (payload && report.payloadLength > 0)
        std::copy(payload, payload + report.payloadLength, report.payload.begin());
    s.reports.push_back(std::move(report));
    s.reportWake.notify_all();
}

void EnqueueReport(uint64_t generation, int cls, int sub, int status, const uint8_t* payload, int length)
{
    SimState& s = State();
    const uint8_t header[kHeaderLength] = {0x5A, uint8_t(cls), s.reportSequence++, uint8_t(status),
                                           uint8_t(sub), uint8_t(length), uint8_t(length >> 8), 0};
    EnqueueRawReport(generation, header, kHeaderLength, payload, length);
}

void EnqueueUpgradeReport(UsbUpgradeCallback callback, uint8_t kind, uint8_t value)
{
    if (!callback)
        return;
    SimState& s = State();
    s.upgradeReports.push_back({callback, {7, kind, value}});
    s.upgradeWake.notify_all();
}

void DropQueuedReports()
{
    SimState& s = State();
    s.reports.erase(std::remove_if(s.reports.begin(), s.reports.end(),
                                   [&](const QueuedReport& r) { return r.generation != s.binding.generation; }),
                    s.reports.end());
}

bool BindingIsPresent()
{
    Endpoint endpoint;
    return State().model.FindEndpoint(State().binding.path, &endpoint);
}

Receiver* BoundReceiver()
{
    Endpoint endpoint;
    if (!State().model.FindEndpoint(State().binding.path, &endpoint))
        return nullptr;
    return endpoint.receiver;
}

Mouse* TargetMouse()
{
    SimState& s = State();
    Endpoint endpoint;
    if (!s.model.FindEndpoint(s.binding.path, &endpoint))
        return nullptr;
    if (endpoint.mouse)
        return endpoint.mouse->busy ? nullptr : endpoint.mouse;
    return s.model.Link(*endpoint.receiver) ? s.model.PairedMouse(*endpoint.receiver) : nullptr;
}

bool ReportsToBinding(const Mouse& mouse)
{
    return TargetMouse() == &mouse;
}

void ReportFromMouse(const Mouse& mouse, int cls, int sub, const std::vector<uint8_t>& payload)
{
    if (ReportsToBinding(mouse))
        EnqueueReport(State().binding.generation, cls, sub, 0, payload.data(), int(payload.size()));
}

void ReportStatusChange(const Mouse& mouse, int flagBit)
{
    ReportFromMouse(mouse, kStatusClass, 0, {uint8_t(1u << flagBit), 0});
}

void MarkStateDirty()
{
    SimState& s = State();
    if (s.stateFolder.isEmpty())
        return;
    s.stateDirty = true;
    s.stateFlushAt = RealNow() + kStateFlushDelayMs;
    s.engineWake.notify_all();
}

void PostHotPlugChange()
{
    SimState& s = State();
    if (s.shuttingDown || !s.hotPlugCallback || !s.relay)
        return;
    ++s.hotPlugPosted;
    s.relay->PostChange();
}

void NoticeChanges()
{
    SimState& s = State();
    std::vector<std::string> signature = BusSignature(s.model);
    if (signature != s.lastBusSignature) {
        for (const Endpoint& endpoint : s.model.Bus()) {
            const std::string key = endpoint.path + "#";
            const bool known = std::any_of(s.lastBusSignature.begin(), s.lastBusSignature.end(),
                                           [&](const std::string& line) { return line.rfind(key, 0) == 0; });
            if (!known)
                RestartIdentityDelay(endpoint);
        }
        s.lastBusSignature = std::move(signature);
        PostHotPlugChange();
    }
    for (Receiver& receiver : s.model.receivers) {
        const bool link = s.model.Link(receiver);
        bool& last = s.lastLinks[receiver.id];
        if (link) {
            receiver.rememberedFirmware = s.model.PairedMouse(receiver)->firmware;
            if (!last && BoundReceiver() == &receiver) {
                const std::string id = receiver.id;
                const uint64_t generation = s.binding.generation;
                ScheduleScaled(kReconnectDelayMs, [id, generation] { SendReconnectWhenStillLinked(id, generation); });
            }
        }
        last = link;
    }
}

}
