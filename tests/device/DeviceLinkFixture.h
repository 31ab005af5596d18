#pragma once

#include "common/SimDeviceFixture.h"
#include "core/PostMsg.h"
#include "core/Timing.h"
#include "device/DeviceListDiscovery.h"
#include "device/DeviceReports.h"
#include "device/DeviceState.h"
#include "device/DeviceThreadDiscovery.h"
#include "device/FirmwareUpdateFlags.h"
#include "device/Worker.h"

#include <QTest>

#include <memory>

// Fresh simulated devices, fast program timings and the device link's shared
// state as at start, with the one device thread; for tests on the GUI thread.
class DeviceLinkFixture
{
public:
    explicit DeviceLinkFixture(const char* scenario = "default")
        : m_timings(FastTimings()), m_sim(scenario)
    {
        ResetSharedState();
        m_worker = std::make_unique<Worker>();
    }

    ~DeviceLinkFixture()
    {
        // Let the reports under way reach their end before the state goes.
        if (!QTest::qWaitFor([] { return SimCtl_Pending() == 0; }, 5000))
            qWarning("simulated devices still busy at the end of a test");
        m_worker.reset();
        ResetSharedState();
    }

    Worker* DeviceThread() const { return m_worker.get(); }

    // Ends the device thread now (as the button page's destructor does).
    void StopDeviceThread() { m_worker.reset(); }

    // The listed entry of a simulated device, after a device-list search.
    static DeviceAllInfo Listed(const char* simId)
    {
        StartUsbChanged(OnDeviceListUsbChanged, Timing().hotPlugWatchMs);
        for (const DeviceAllInfo& entry : g_ListedDevices) {
            if (entry.Path == QString::fromLatin1(SimCtl_PathOf(simId)))
                return entry;
        }
        QTest::qFail(qPrintable(QString("%1 is not listed").arg(simId)), __FILE__, __LINE__);
        return DeviceAllInfo();
    }

    // What choosing a device on the device list does: the entry becomes the
    // current device, the device thread's hot-plug handler takes over (its
    // first call finds the path), the page shell shows and a pass starts.
    static DeviceAllInfo Choose(const char* simId)
    {
        const DeviceAllInfo entry = Listed(simId);
        PostMsg::GetInstance()->EmitSelectMouseInfo(entry);
        StartUsbChanged(OnUsbChanged, Timing().hotPlugWatchMs);
        g_DevicePageShown = true;
        StartWorkerPass();
        return entry;
    }

private:
    static Timings FastTimings()
    {
        Timings timings = Timings::Scaled(0.02);
        timings.hotPlugWatchMs = 600;  // the simulation scales it itself
        return timings;
    }

    static void ResetSharedState()
    {
        g_CurrentDevice.Set(DeviceAllInfo());
        g_DevicePath.Set(QByteArray());
        g_DevicePathC.Set(QByteArray());
        g_DeviceCacheName.Set(QString());
        g_DeviceCacheNameRead.Set(QString());
        g_FlashData.Set(FlashDataMap{});
        ForgetDeviceRequests();
        for (std::atomic<bool>* flag : {&g_WorkerRunFlag, &g_DeviceOnline, &g_LastOnlineState, &g_DeviceOffline,
                                        &g_RestartRequested, &g_ReadBackRequested, &g_SuppressApplyNotice,
                                        &g_DeviceReachable,
                                        &g_DevicePageShown, &g_UpdateBusy, &g_RepairRunning})
            *flag = false;
        g_UpgradeIdle = true;
        g_Pairing = false;
        g_DeviceList.clear();
        g_ListedDevices.clear();
        g_ListedDevicesCopy.clear();
    }

    ScopedTimings m_timings;
    SimDeviceFixture m_sim;
    std::unique_ptr<Worker> m_worker;
};
