#pragma once

// The device thread. Each start makes one pass: when the chosen device, its
// kind or its online state changed, or the device asked for a read-back, the
// pass starts the library's device server for the current device with the
// report callback, tells the device the program is active and asks for all
// its flash data; while the device is offline it shows the model's cached
// configuration instead. A timer on the GUI thread watches an offline device
// until it answers again and starts the next pass when one was requested.
//
// A pass emits blocking-queued hub signals, so it never runs on the GUI
// thread, and the GUI thread never simply waits for it: Stop, and the
// destructor, keep serving the queued slot calls until the pass has ended.

#include "device/DeviceRecords.h"

#include <QByteArray>
#include <QString>
#include <QThread>

#include <atomic>

class QTimer;

class Worker : public QThread
{
    Q_OBJECT

public:
    // Lives on the GUI thread; points g_DevicePathC at a placeholder that
    // names no device and starts the online watch. Registers itself as
    // g_WorkerThread.
    Worker();
    // Stops the thread (see Stop).
    ~Worker() override;

    // Ends the device thread for good: no further pass does anything, a pass
    // under way emits nothing more, and the call returns once it has ended,
    // serving the queued slot calls it waits for meanwhile.
    void Stop();

public slots:
    // The device chosen on the device list becomes the current device.
    void SlotSelectMouseInfo(DeviceAllInfo SelectInfo);
    // Back on the device list: the next pass counts as a change.
    void SlotMainPageChange();
    // The online watch, every onlineCheckMs on the GUI thread; it also asks
    // for a re-read that waited for the end of the re-read spacing.
    void SlotCheckOnline();

protected:
    void run() override;

private:
    // The pass's page emissions; none once Stop was called.
    bool Stopping() const { return m_stopping; }
    void ShowOnlineState(bool online);

    std::atomic<bool> m_stopping{false};
    QTimer* m_onlineCheckTimer = nullptr;
    // The device thread's memory of the last pass that started the server.
    int m_lastKind = 0;
    QString m_lastPath;
};

// The placeholder path before a device is chosen: names no device.
extern const QByteArray WorkerPlaceholderPath;

// The one device thread, registered by its constructor; null without one.
// GUI thread.
extern Worker* g_WorkerThread;

// The online watch's timer (owned by the Worker); stopped by the factory
// reset for its duration. GUI thread.
extern QTimer* g_OnlineCheckTimer;

// Sets g_WorkerRunFlag and starts the device thread for one pass (nothing
// when a pass runs already).
void StartWorkerPass();
