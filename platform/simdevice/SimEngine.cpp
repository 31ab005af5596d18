#include "platform/simdevice/SimState.h"

#include "platform/simdevice/Commands.h"
#include "platform/simdevice/DeviceControl.h"
#include "platform/simdevice/Persistence.h"
#include "platform/simdevice/Scenario.h"
#include "platform/UserDataFolder.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdlib>
#include <thread>

// Start, the library's three threads and shutdown.
namespace simdevice {
namespace {

constexpr int kShutdownWaitMs = 200;
constexpr int kCommandPollMs = 500;

SimState* g_state = nullptr;
std::once_flag g_started;

void ReleaseAndLog(std::unique_lock<std::mutex>& lock)
{
    std::vector<std::pair<QtMsgType, QString>> logs;
    logs.swap(g_state->pendingLogs);
    lock.unlock();
    FlushLogs(std::move(logs));
    lock.lock();
}

int64_t EngineWaitMs()
{
    SimState& s = State();
    int64_t wait = std::max<int64_t>(1, s.nextCommandPoll - RealNow());
    if (s.stateDirty)
        wait = std::min(wait, std::max<int64_t>(1, s.stateFlushAt - RealNow()));
    if (!s.events.empty() && !s.manualClock)
        wait = std::min(wait, std::max<int64_t>(1, s.events.begin()->first - Now()));
    return wait;
}

// Device-side timers: answers, reconnects, pairing, upgrade steps; also the
// command file and the state file.
void EngineLoop()
{
    SimState& s = State();
    std::unique_lock<std::mutex> lock(s.mutex);
    while (!s.stopping) {
        if (!s.manualClock)
            RunDueEvents(Now());
        if (RealNow() >= s.nextCommandPoll) {
            PollCommandFile();
            s.nextCommandPoll = RealNow() + kCommandPollMs;
        }
        if (s.stateDirty && RealNow() >= s.stateFlushAt)
            WriteStateFile();
        NoticeChanges();
        ReleaseAndLog(lock);
        if (!s.stopping)
            s.engineWake.wait_for(lock, std::chrono::milliseconds(EngineWaitMs()));
    }
    --s.liveThreads;
    s.threadsDone.notify_all();
}

// One report at a time, in order, to the callback bound when it is taken;
// reports of an earlier binding are dropped.
void ReportLoop()
{
    SimState& s = State();
    std::unique_lock<std::mutex> lock(s.mutex);
    while (!s.stopping) {
        if (s.reports.empty()) {
            s.reportWake.wait(lock);
            continue;
        }
        QueuedReport report = std::move(s.reports.front());
        s.reports.pop_front();
        if (report.generation != s.binding.generation || !s.binding.callback)
            continue;
        const UsbReportCallback callback = s.binding.callback;
        ++s.runningReportCallbacks;
        const int headerLength = int(report.header.size());
        report.header.resize(report.header.size() + 16, 0);
        std::vector<std::pair<QtMsgType, QString>> logs;
        logs.swap(s.pendingLogs);
        lock.unlock();
        FlushLogs(std::move(logs));
        callback(report.header.data(), headerLength, report.payload.data(), report.payloadLength);
        lock.lock();
        --s.runningReportCallbacks;
    }
    --s.liveThreads;
    s.threadsDone.notify_all();
}

void UpgradeLoop()
{
    SimState& s = State();
    std::unique_lock<std::mutex> lock(s.mutex);
    while (!s.stopping) {
        if (s.upgradeReports.empty()) {
            s.upgradeWake.wait(lock);
            continue;
        }
        QueuedUpgradeReport report = s.upgradeReports.front();
        s.upgradeReports.pop_front();
        ++s.runningUpgradeCallbacks;
        lock.unlock();
        report.callback(report.bytes.data());
        lock.lock();
        --s.runningUpgradeCallbacks;
    }
    --s.liveThreads;
    s.threadsDone.notify_all();
}

void Shutdown()
{
    if (!g_state)
        return;
    SimState& s = *g_state;
    std::unique_lock<std::mutex> lock(s.mutex);
    if (s.shuttingDown)
        return;
    s.shuttingDown = true;
    s.stopping = true;
    if (s.stateDirty)
        WriteStateFile();
    s.engineWake.notify_all();
    s.reportWake.notify_all();
    s.upgradeWake.notify_all();
    // A thread waiting in the program's blocking emission never returns once
    // the event loop is gone; it is left behind.
    s.threadsDone.wait_for(lock, std::chrono::milliseconds(kShutdownWaitMs), [&] { return s.liveThreads == 0; });
}

void ReadEnvironment(SimState& s)
{
    bool ok = false;
    const double scale = qEnvironmentVariable("QUORVANE_SIM_TIMESCALE").toDouble(&ok);
    if (ok)
        SetTimeScale(scale);
    s.logCalls = qEnvironmentVariable("QUORVANE_SIM_LOG") == "1";
    const QString stateSetting = qEnvironmentVariable("QUORVANE_SIM_STATE");
    if (stateSetting == "off")
        s.stateFolder.clear();
    else if (!stateSetting.isEmpty())
        s.stateFolder = stateSetting;
    else
        s.stateFolder = UserDataFolder() + "/SimDevices";
    s.commandFile = qEnvironmentVariable("QUORVANE_SIM_COMMANDS");
    if (s.commandFile.isEmpty()) {
        QDir().mkpath(UserDataFolder() + "/SimDevices");
        s.commandFile = UserDataFolder() + "/SimDevices/commands.txt";
    }
}

void StartLine(SimState& s)
{
    QString line = "HIDUsb simulation: scenario " + s.model.scenarioName + ";";
    for (const Endpoint& endpoint : s.model.Bus())
        line += " " + QString::fromStdString(endpoint.path);
    line += "; command file " + s.commandFile;
    Log(QtDebugMsg, line);
}

void StartThread(void (*loop)())
{
    ++g_state->liveThreads;
    std::thread(loop).detach();
}

void Start()
{
    g_state = new SimState;
    SimState& s = *g_state;
    std::unique_lock<std::mutex> lock(s.mutex);
    ReadEnvironment(s);
    s.model.description = DeviceDescription::Load();
    ResetToScenario(ChosenScenario());
    SkipExistingCommands();
    s.nextCommandPoll = RealNow() + kCommandPollMs;
    StartLine(s);
    StartThread(EngineLoop);
    StartThread(ReportLoop);
    StartThread(UpgradeLoop);
    std::atexit(Shutdown);
    if (QCoreApplication* app = QCoreApplication::instance()) {
        QObject::connect(app, &QCoreApplication::aboutToQuit, &Shutdown);
        qAddPostRoutine(Shutdown);
    }
    ReleaseAndLog(lock);
}

}

void RunDueEvents(int64_t until)
{
    SimState& s = State();
    while (!s.events.empty() && s.events.begin()->first <= until) {
        auto first = s.events.begin();
        if (s.manualClock)
            s.manualNow = std::max(s.manualNow, first->first);
        std::function<void()> run = std::move(first->second);
        s.events.erase(first);
        run();
    }
}

SimState& State()
{
    return *g_state;
}

void EnsureStarted()
{
    std::call_once(g_started, Start);
}

}
