#pragma once

#include "common/SimDeviceFixture.h"

#include "core/PostMsg.h"
#include "device/DeviceState.h"

#include <QSignalSpy>
#include <QStringList>

#include <memory>

// The device side of a sensor-frame test: simulated devices with mouseB on its
// cable as the current device, an all-zero record, sending enabled and no page
// loading. Spies on the offline notice.
class SensorFrameDevice
{
public:
    SensorFrameDevice()
        : m_offlineNotices(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)))
    {
        g_DevicePathC.Set(QByteArray(SimCtl_PathOf("mouseB")));
        g_FlashData.Set(FlashDataMap{});
        g_SendEnabled = true;
        g_SensorPageLoading = false;
        g_ButtonPageLoading = false;
        g_SuppressApplyNotice = false;
        SimCtl_JournalClear();
    }

    ~SensorFrameDevice()
    {
        g_SendEnabled = false;
        g_SensorPageLoading = false;
        g_ButtonPageLoading = false;
        g_SuppressApplyNotice = false;
    }

    // The current device stops answering.
    void GoOffline() { g_DevicePathC.Set(QByteArray("simhid://nowhere")); }

    FlashDataMap Record() const { return g_FlashData.Snapshot(); }

    // Whole records handed to the device library since the start.
    static int RecordsSent()
    {
        int count = 0;
        for (const QString& line : SimDeviceFixture::Journal())
            count += line.startsWith(QLatin1String("ProtocolDataUpdate(")) ? 1 : 0;
        return count;
    }

    int OfflineNotices() const { return m_offlineNotices.count(); }

private:
    SimDeviceFixture m_sim;
    QSignalSpy m_offlineNotices;
};
