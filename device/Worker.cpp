#include "device/Worker.h"

#include "core/ConfigIni.h"
#include "core/PostMsg.h"
#include "core/Timing.h"
#include "device/DeviceCache.h"
#include "device/DeviceLibrary.h"
#include "device/DeviceReports.h"
#include "device/DeviceState.h"

#include <QCoreApplication>
#include <QDebug>
#include <QEvent>
#include <QTimer>

const QByteArray WorkerPlaceholderPath("a");
Worker* g_WorkerThread = nullptr;
QTimer* g_OnlineCheckTimer = nullptr;

namespace {
// Slices of the wait in Stop, between deliveries of queued slot calls.
constexpr unsigned long StopWaitSliceMs = 5;
}  // namespace

Worker::Worker()
{
    g_WorkerThread = this;
    g_WorkerRunFlag = true;
    RestartReadBackSpacing();
    g_DevicePathC.Set(WorkerPlaceholderPath);
    g_DeviceOnline = false;

    m_onlineCheckTimer = new QTimer(this);
    m_onlineCheckTimer->setInterval(Timing().onlineCheckMs);
    connect(m_onlineCheckTimer, &QTimer::timeout, this, &Worker::SlotCheckOnline);
    m_onlineCheckTimer->start();
    g_OnlineCheckTimer = m_onlineCheckTimer;

    connect(PostMsg::GetInstance(), SIGNAL(SigSelectMouseInfo(DeviceAllInfo)), this,
            SLOT(SlotSelectMouseInfo(DeviceAllInfo)));
    connect(PostMsg::GetInstance(), SIGNAL(SigMainPageChange()), this, SLOT(SlotMainPageChange()));
    g_ShowBatteryValue = ConfigIni::GetInstance()->Value("Option", "ShowBatteryValue").toInt();
}

Worker::~Worker()
{
    Stop();
    if (g_WorkerThread == this) {
        g_WorkerThread = nullptr;
        g_OnlineCheckTimer = nullptr;
    }
}

void Worker::Stop()
{
    m_stopping = true;
    g_WorkerRunFlag = false;
    // A pass may wait in a blocking emission for this very thread: deliver
    // the queued slot calls until it has ended.
    while (!wait(StopWaitSliceMs))
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
}

void Worker::SlotSelectMouseInfo(DeviceAllInfo SelectInfo)
{
    g_CurrentDevice.Set(SelectInfo);
    g_DeviceCacheName.Set(DeviceCacheFileName(SelectInfo.Identity));
}

void Worker::SlotMainPageChange()
{
    g_LastOnlineState = false;
}

void Worker::SlotCheckOnline()
{
    if (g_DeviceOffline) {
        if (!g_DevicePageShown) {
            if (g_CurrentDevice.Snapshot().Kind != 0)
                g_DeviceOffline = false;
        } else if (g_UpgradeIdle) {
            g_DeviceOnline = UsbFinderC_GetDeviceOnLine(g_DevicePathC.Snapshot().constData());
            g_LastOnlineState = false;
            if (!g_DeviceOnline)
                return;
            PostMsg::GetInstance()->EmitCloseOffOnline();
            g_DeviceOffline = false;
        }
    }
    TakeDeferredReadBack();
    if (g_DeviceOnline && g_RestartRequested) {
        g_RestartRequested = false;
        StartWorkerPass();
    }
}

void Worker::ShowOnlineState(bool online)
{
    g_CurrentDevice.Lock()->Online = online;
}

void Worker::run()
{
    if (!g_WorkerRunFlag || Stopping())
        return;
    const QByteArray path = g_DevicePathC.Snapshot();
    if (!g_DeviceOnline)
        g_DeviceOnline = UsbFinderC_GetDeviceOnLine(path.constData());

    const DeviceAllInfo device = g_CurrentDevice.Snapshot();
    const bool changed = device.Path != m_lastPath || device.Kind != m_lastKind
                         || g_DeviceOnline != g_LastOnlineState || g_ReadBackRequested;
    if (changed && g_DevicePageShown) {
        if (device.Path != m_lastPath)
            ForgetDeviceRequests();
        PostMsg* hub = PostMsg::GetInstance();
        if (UsbFinderC_GetDeviceOnLine(path.constData())) {
            ShowOnlineState(true);
            if (g_ReadBackRequested.exchange(false))
                hub->EmitUpDataParam(1);
            else if (!g_SuppressApplyNotice)
                hub->EmitUpDataParam(0);
        } else {
            g_DeviceOffline = true;
            ShowOnlineState(false);
            // The receiver answers while its mouse sleeps: its own options,
            // not the last receiver's, go with the cached configuration.
            ReadReceiverOptionsBack(device, path, [this] { return Stopping(); });
            FlashDataMap cached;
            if (TakeOfflineRecord(cached))
                EmitRecordToPages([&cached] { return cached; }, [this] { return Stopping(); });
            else if (!Stopping())
                hub->EmitFormReset();
        }
        if (Stopping())
            return;

        m_lastPath = device.Path;
        m_lastKind = device.Kind;
        UsbServerC_Start(path.constData(), path.constData(), OnDeviceReport);
        qDebug() << "OnlinA";
        UsbServer_SetPCDriverStatus(1);
        UsbServer_ReadAllFlashData();
        g_LastOnlineState = g_DeviceOnline.load();
        qDebug() << "OnlinB";
    }
    g_DeviceReachable = g_DeviceOnline.load();
    g_WorkerRunFlag = false;
}

void StartWorkerPass()
{
    g_WorkerRunFlag = true;
    if (g_WorkerThread)
        g_WorkerThread->start();
}
