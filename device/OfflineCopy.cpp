#include "device/OfflineCopy.h"

#include "core/Timing.h"
#include "device/DeviceCache.h"
#include "device/DeviceState.h"

#include <QDebug>

#include <chrono>
#include <condition_variable>
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

// The observer of the record held and of its model's name. It may run with
// the device-state lock held, so it only marks the change and wakes the
// keeper's thread.
void NoteRecordChange()
{
    std::lock_guard<std::mutex> keeperLock(g_KeeperMutex);
    if (!g_Keeper)
        return;
    {
        std::lock_guard<std::mutex> lock(g_Keeper->mutex);
        g_Keeper->pending = true;
    }
    g_Keeper->changed.notify_all();
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
        if (!HoldsCurrentModelRecord())
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
}

OfflineCopyKeeper::~OfflineCopyKeeper()
{
    {
        std::lock_guard<std::mutex> keeperLock(g_KeeperMutex);
        if (g_Keeper == m_State.get())
            g_Keeper = nullptr;
    }
    {
        std::lock_guard<std::mutex> lock(m_State->mutex);
        m_State->stopping = true;
    }
    m_State->changed.notify_all();
    m_State->thread.join();
    if (m_State->pending)
        WriteOfflineCopy();
}
