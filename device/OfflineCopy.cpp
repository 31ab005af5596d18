#include "device/OfflineCopy.h"

#include "core/Timing.h"
#include "device/DeviceCache.h"
#include "device/DeviceState.h"

#include <QDebug>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

struct OfflineCopyKeeper::State
{
    std::mutex mutex;
    std::condition_variable changed;
    bool pending = false;
    bool stopping = false;
    std::thread thread;
};

namespace {

// One write at a time, so that a write of an older record never lands after
// a write of a newer one.
std::mutex g_WriteMutex;

// The keeper that hears of changes, if any.
std::mutex g_KeeperMutex;
OfflineCopyKeeper::State* g_Keeper = nullptr;

// Sets one of the keeper's flags and wakes its thread.
void Raise(OfflineCopyKeeper::State& state, bool OfflineCopyKeeper::State::*flag)
{
    {
        std::lock_guard<std::mutex> lock(state.mutex);
        state.*flag = true;
    }
    state.changed.notify_all();
}

// The observer of the record held and of its model's name. It may run with
// the device-state lock held, so it only marks the change and wakes the
// keeper's thread.
void NoteRecordChange()
{
    std::lock_guard<std::mutex> keeperLock(g_KeeperMutex);
    if (g_Keeper)
        Raise(*g_Keeper, &OfflineCopyKeeper::State::pending);
}

void KeepCopy(OfflineCopyKeeper::State& state)
{
    std::unique_lock<std::mutex> lock(state.mutex);
    for (;;) {
        state.changed.wait(lock, [&state] { return state.pending || state.stopping; });
        // The changes made within the spacing join this write.
        const std::chrono::milliseconds spacing(Timing().offlineCopySpacingMs);
        if (state.changed.wait_for(lock, spacing, [&state] { return state.stopping; }))
            return;
        state.pending = false;
        lock.unlock();
        WriteOfflineCopy();
        lock.lock();
    }
}

// An exit that skips the shutdown (Qt's X11 platform ends the program with
// exit() when its connection breaks) still writes a change the keeper's
// spacing holds back, or waits for the write under way; the keeper's thread
// starts no write of its own any more, so none runs while the process tears
// down its statics. The keeper's mutex is let go before the write: a thread
// changing the record may hold the device-state lock while it waits for it.
void WriteAtExit()
{
    {
        std::lock_guard<std::mutex> keeperLock(g_KeeperMutex);
        if (!g_Keeper)
            return;
        Raise(*g_Keeper, &OfflineCopyKeeper::State::stopping);
    }
    WriteOfflineCopy();
}

} // namespace

bool WriteOfflineCopy()
{
    std::lock_guard<std::mutex> writing(g_WriteMutex);
    FlashDataMap record{};
    QString name;
    {
        // The record and the name of its model, taken together. Snapshots,
        // not accessors: reading must not count as a change.
        std::lock_guard<std::recursive_mutex> lock(DeviceStateMutex());
        if (!HoldsCurrentModelRecord() || g_ReadBackOutstanding)
            return true;
        record = g_FlashData.Snapshot();
        name = g_DeviceCacheNameRead.Snapshot();
    }
    if (DeviceCacheHolds(name, record))
        return true;
    QString error;
    if (!SaveDeviceCache(name, record, &error)) {
        qWarning().noquote() << "offline copy" << name << "not written:" << error;
        return false;
    }
    qDebug().noquote() << "offline copy written:" << name;
    return true;
}

OfflineCopyKeeper::OfflineCopyKeeper()
    : m_State(std::make_unique<State>())
{
    m_State->thread = std::thread(KeepCopy, std::ref(*m_State));
    {
        std::lock_guard<std::mutex> keeperLock(g_KeeperMutex);
        g_Keeper = m_State.get();
    }
    g_FlashData.SetChangeObserver(NoteRecordChange);
    g_DeviceCacheNameRead.SetChangeObserver(NoteRecordChange);
    static std::once_flag exitHookInstalled;
    std::call_once(exitHookInstalled, [] { std::atexit(WriteAtExit); });
}

OfflineCopyKeeper::~OfflineCopyKeeper()
{
    {
        std::lock_guard<std::mutex> keeperLock(g_KeeperMutex);
        if (g_Keeper == m_State.get())
            g_Keeper = nullptr;
    }
    Raise(*m_State, &State::stopping);
    m_State->thread.join();
    if (m_State->pending)
        WriteOfflineCopy();
}
