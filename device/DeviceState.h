#pragma once

// The process-wide device state, shared by the GUI thread, the device thread
// (Worker::run) and the device library's report thread (OnDeviceReport).
//
// Three kinds of state, decided here once for the whole program:
//
// 1. Flags that more than one thread touches are std::atomic. Read and write
//    them whole (`g_WorkerRunFlag = true;`, `if (g_DeviceOnline) ...`); a
//    read-modify-write that must not interleave with another thread needs
//    exchange() or compare_exchange.
//
// 2. The current record and the current device with its path are Guarded<T>
//    values behind one recursive mutex:
//      - `FlashDataMap copy = g_FlashData.Snapshot();` copies under the lock;
//      - `g_CurrentDevice.Set(entry);` replaces under the lock;
//      - `{ auto flash = g_FlashData.Lock(); flash->ReportRate = code; }`
//        locks for the accessor's lifetime, for changes in place; locks of
//        several Guarded values nest on one thread, so a reader sees them
//        consistent (`auto device = g_CurrentDevice.Lock(); auto path =
//        g_DevicePathC.Lock();`).
//    Keep an accessor alive for a few statements only. NEVER emit a hub
//    signal or wait for another thread while one is alive: a blocking hub
//    emission waits for the GUI thread, and the GUI thread may itself be
//    waiting for this lock. Change under the lock, take a Snapshot, let the
//    accessor go, then emit the copy.
//    The library calls made under the lock are ProtocolDataUpdate and the
//    receiver-LED calls: a sender writes its bytes and sends the record
//    under it, so that two writers (the GUI thread and the report thread)
//    cannot let an older record reach the device last. The library's calls
//    never wait for another thread, so this cannot deadlock:
//        auto flash = g_FlashData.Lock();
//        flash->ReportRate = code;
//        ProtocolDataUpdate(&*flash);
//    A library call takes the path the same way:
//        const QByteArray path = g_DevicePathC.Snapshot();
//        UsbFinderC_GetDeviceOnLine(path.constData());
//
// 3. Everything else is plain and belongs to one thread, named at each
//    declaration. The device thread's own objects (g_WorkerThread and its
//    timers) live with the Worker.

#include "device/DeviceRecords.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <utility>

// The one mutex behind every Guarded value. Recursive, so that one thread may
// hold several Guarded values at once.
std::recursive_mutex& DeviceStateMutex();

template <typename T>
class Guarded
{
public:
    // Holds the device-state lock while it lives; gives the value in place.
    class Access
    {
    public:
        T& operator*() const { return m_owner.m_value; }
        T* operator->() const { return &m_owner.m_value; }

        // The value may have changed: its observer hears of it once the
        // accessor's own hold of the lock has gone.
        ~Access()
        {
            m_lock.unlock();
            m_owner.NotifyChange();
        }

    private:
        friend class Guarded;
        explicit Access(Guarded& owner) : m_lock(DeviceStateMutex()), m_owner(owner) {}

        std::unique_lock<std::recursive_mutex> m_lock;
        Guarded& m_owner;
    };

    explicit Guarded(T initial = T()) : m_value(std::move(initial)) {}
    Guarded(const Guarded&) = delete;
    Guarded& operator=(const Guarded&) = delete;

    Access Lock() { return Access(*this); }

    T Snapshot() const
    {
        std::lock_guard<std::recursive_mutex> lock(DeviceStateMutex());
        return m_value;
    }

    void Set(T value)
    {
        {
            std::lock_guard<std::recursive_mutex> lock(DeviceStateMutex());
            m_value = std::move(value);
        }
        NotifyChange();
    }

    // Called on the changing thread after every Lock accessor and every Set,
    // or nothing (null). An outer accessor of the same thread may still hold
    // the lock then: the observer must neither wait for another thread nor
    // emit a hub signal.
    void SetChangeObserver(void (*observer)()) { m_observer = observer; }

private:
    void NotifyChange() const
    {
        if (void (*observer)() = m_observer.load())
            observer();
    }

    T m_value;
    std::atomic<void (*)()> m_observer{nullptr};
};

// ---- Guarded: the current record and the current device ----

// The current device's configuration: the one copy that the senders change
// and send whole, that the full read and the device reports fill. Starts zero.
extern Guarded<FlashDataMap> g_FlashData;
// The device the device thread works on; an empty path means none.
extern Guarded<DeviceAllInfo> g_CurrentDevice;
// The current device's path as 8-bit text.
extern Guarded<QByteArray> g_DevicePath;
// The path every library call for the current device passes: empty at start,
// the Worker's one-character placeholder until a device is chosen, then the
// current device's path as the library returned it.
extern Guarded<QByteArray> g_DevicePathC;
// Cache file name of the chosen device (set on the GUI thread, loaded by the
// device thread) and of the device last read in full (set by the report
// thread, saved by the page shell).
extern Guarded<QString> g_DeviceCacheName;
extern Guarded<QString> g_DeviceCacheNameRead;
// The one receiver-LED record, zero at start: the report thread reads it back
// from the receiver and writes it on a reconnect, the settings page writes it
// when the user picks a mode. Each hands it to the library in place, under
// the lock; SigRGBValue carries a pointer to the emitter's own copy.
extern Guarded<DongleRGB> g_DongleRGB;
// The receiver whose reconnect the next full read follows (empty: none), as
// its library path. That read clears the key sequences and macros no button
// uses and does not read the receiver options back (the reconnect has just
// written them). Only a read of that device takes the mark, and a pass that
// starts the server for another device drops it.
extern Guarded<QByteArray> g_ReconnectedDevicePath;

// ---- Atomic flags ----

// Device thread and report handling.
extern std::atomic<bool> g_WorkerRunFlag;          // a pass does its work only when set
extern std::atomic<bool> g_DeviceOnline;           // last polled online state of the current device
extern std::atomic<bool> g_LastOnlineState;        // g_DeviceOnline as the last server-starting pass saw it
extern std::atomic<bool> g_DeviceOffline;          // an offline device is being watched
extern std::atomic<bool> g_RestartRequested;       // a pass is wanted once the device is online
extern std::atomic<bool> g_ReadBackRequested;      // a status change asked for a full re-read
extern std::atomic<bool> g_SuppressApplyNotice;    // import / factory reset: no wait dialog for a pass
extern std::atomic<bool> g_DeviceReachable;        // online at the last pass, or delivered its configuration
extern std::atomic<bool> g_ReadBackOutstanding;    // a re-read is asked for (or deferred) and not yet answered:
                                                   // the record held may be another profile's: nothing is sent
extern std::atomic<int> g_ShowBatteryValue;        // 1: the battery level is shown as a number

// Main window, pages and firmware update.
extern std::atomic<bool> g_DevicePageShown;        // the page shell (not the device list) is shown
extern std::atomic<bool> g_UpgradeIdle;            // true at start; clear while a firmware update runs
extern std::atomic<bool> g_Pairing;                // a receiver pairing runs; only a dialog that pairs leaves it set
extern std::atomic<bool> g_SendEnabled;            // page controls may call the senders
extern std::atomic<bool> g_ButtonPageLoading;      // the button page fills its widgets from a record
extern std::atomic<bool> g_SensorPageLoading;      // the sensor page fills its widgets from a record
extern std::atomic<bool> g_ButtonPageUpdated;      // the button page has taken a full read
extern std::atomic<bool> g_SensorPageUpdated;      // the sensor page has taken a full read

// ---- Plain state ----


// Answer buffers of the online check by address: byte 6 == 1 online, bytes
// 7-9 the receiver identity. Larger than the 10 bytes the answer needs, so a
// longer answer cannot overrun them. Device-list side and device-thread side,
// both on the GUI thread.
constexpr int OnlineStatusBufferSize = 16;
extern std::uint8_t g_ListOnlineStatusBuffer[OnlineStatusBufferSize];
extern std::uint8_t g_OnlineStatusBuffer[OnlineStatusBufferSize];

// Report thread only: battery answer (level, charging) and the seven
// change flags of a status-change report.
extern std::uint8_t g_BatteryStatus[4];
extern std::uint8_t g_StatusChanged[7];
// Report thread only: buttons that keep their records in the macro clean-up.
extern QList<int> g_MacroKeyIndexes;

// GUI thread only (the hot-plug callbacks, the device list, the pages).
extern DeviceAllInfo g_ChosenDevice;               // last opened on the device list
extern QList<DeviceAllInfo> g_DeviceList;          // found by the device thread's hot-plug handler
extern QList<DeviceAllInfo> g_ListedDevices;       // shown on the device list ...
extern QList<DeviceAllInfo> g_ListedDevicesCopy;   // ... and kept equal to it
extern QStringList g_PidListUsb;
extern QStringList g_PidListWireless;
extern QStringList g_PidListWireless2;
extern QStringList g_PidListWireless4;
extern QStringList g_PidListWireless8;
