#pragma once

#include "platform/simdevice/HIDUsb.h"
#include "platform/simdevice/SimModel.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// The library's whole state under one mutex. The rule that keeps the
// program's blocking queued connections safe: no callback is called while the
// mutex is held, no call waits for another thread, and report and upgrade
// callbacks run only on the library's own threads.
namespace simdevice {

class HotPlugRelay;

struct Binding {
    std::string path;
    UsbReportCallback callback = nullptr;
    uint64_t generation = 0;
};

struct QueuedReport {
    uint64_t generation = 0;
    std::vector<uint8_t> header;
    std::vector<uint8_t> payload;   // padded with zeros beyond payloadLength
    int payloadLength = 0;
};

struct QueuedUpgradeReport {
    UsbUpgradeCallback callback = nullptr;
    std::array<uint8_t, 3> bytes{};
};

struct UpgradeOutcome {
    std::string outcome = "success";
    int percent = 50;
    bool sticky = false;
};

struct UpgradeRun {
    bool running = false;
    uint64_t number = 0;
    int target = 0;
    std::string deviceId;
    bool isMouse = false;
};

struct SimState {
    std::mutex mutex;
    std::condition_variable engineWake;
    std::condition_variable reportWake;
    std::condition_variable upgradeWake;
    std::condition_variable threadsDone;

    SimModel model;
    Binding binding;
    uint8_t reportSequence = 0;
    std::deque<QueuedReport> reports;
    int runningReportCallbacks = 0;
    std::deque<QueuedUpgradeReport> upgradeReports;
    int runningUpgradeCallbacks = 0;

    // Timed device events, in time order; equal times keep insertion order.
    std::multimap<int64_t, std::function<void()>> events;

    bool manualClock = false;
    int64_t manualNow = 0;
    int64_t clockOffset = 0;
    double timeScale = 1.0;

    UsbChangedCallback hotPlugCallback = nullptr;
    int hotPlugIntervalMs = 600;
    HotPlugRelay* relay = nullptr;
    uint64_t hotPlugPosted = 0;
    uint64_t hotPlugDelivered = 0;
    bool hotPlugDeferred = false;

    std::map<int, UpgradeOutcome> upgradeOutcomes;   // by target, 0 = any
    UpgradeOutcome scenarioUpgradeOutcome;
    UpgradeRun upgrade;
    std::deque<std::array<std::string, 8>> upgradeLogs;

    std::string openedPath;   // the device of ReadWriteDeviceData

    std::deque<std::string> journal;
    std::vector<std::pair<QtMsgType, QString>> pendingLogs;
    bool logCalls = false;

    QString stateFolder;      // empty: persistence off
    bool stateDirty = false;
    int64_t stateFlushAt = 0; // real clock
    QString commandFile;
    qint64 commandOffset = 0;
    int64_t nextCommandPoll = 0;

    std::vector<std::string> lastBusSignature;
    std::map<std::string, bool> lastLinks;

    bool stopping = false;
    bool shuttingDown = false;
    int liveThreads = 0;
};

// The started library (starts it on first use).
SimState& State();
void EnsureStarted();

// Holds the library mutex. On release it notices bus and link changes, then
// prints the debug lines gathered meanwhile, outside the lock.
class SimLock {
public:
    SimLock();
    ~SimLock();
    SimLock(const SimLock&) = delete;
    SimLock& operator=(const SimLock&) = delete;
    std::unique_lock<std::mutex>& Lock() { return m_lock; }

private:
    std::unique_lock<std::mutex> m_lock;
};

// Everything below needs the lock.
int64_t Now();
int64_t RealNow();
int64_t Scaled(int64_t ms);
void Schedule(int64_t delayMs, std::function<void()> run);   // device time, delay already scaled
void ScheduleScaled(int64_t ms, std::function<void()> run);
// Runs the timed events due by `until` (device time), in time order.
void RunDueEvents(int64_t until);

void Journal(const std::string& line);
void Log(QtMsgType type, const QString& text);
void FlushLogs(std::vector<std::pair<QtMsgType, QString>> logs);   // without the lock

// Reports to the current binding.
void EnqueueReport(uint64_t generation, int cls, int sub, int status, const uint8_t* payload, int length);
void EnqueueRawReport(uint64_t generation, const uint8_t* header, int headerLength,
                      const uint8_t* payload, int length);
void EnqueueUpgradeReport(UsbUpgradeCallback callback, uint8_t kind, uint8_t value);
void DropQueuedReports();

// The served device.
bool BindingIsPresent();
Receiver* BoundReceiver();           // the bound path is a present receiver
Mouse* TargetMouse();                // the mouse that answers for the binding
bool ReportsToBinding(const Mouse& mouse);
// Sends a device-side report of this mouse if it reaches the binding.
void ReportFromMouse(const Mouse& mouse, int cls, int sub, const std::vector<uint8_t>& payload);
void ReportStatusChange(const Mouse& mouse, int flagBit);

void PostHotPlugChange();
void MarkStateDirty();
// Compares the bus and the receiver links with the last look: posts a hot-plug
// change, restarts identity delays of new endpoints, and lets a bound receiver
// whose link came up send its reconnect report.
void NoticeChanges();

}
