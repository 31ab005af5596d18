#pragma once

#include "common/ProgramFiles.h"
#include "common/SimDeviceFixture.h"
#include "common/TestFolders.h"

#include "core/PostMsg.h"
#include "device/DeviceState.h"

#include <QSignalSpy>
#include <QStringList>

#include <memory>

// The device side of a sensor-frame test: simulated devices with mouseB on its
// cable as the current device, an all-zero record, sending enabled and no page
// loading. Spies on the offline notice and on changes refused while the
// device is read again.
class SensorFrameDevice
{
public:
    SensorFrameDevice()
        : m_offlineNotices(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)))
        , m_beingReadNotices(PostMsg::GetInstance(), SIGNAL(SigDeviceBeingRead()))
    {
        GoOnline();
        g_FlashData.Set(FlashDataMap{});
        g_SendEnabled = true;
        g_SensorPageLoading = false;
        g_ButtonPageLoading = false;
        g_SuppressApplyNotice = false;
        g_ReadBackOutstanding = false;
        SimCtl_JournalClear();
    }

    ~SensorFrameDevice()
    {
        g_SendEnabled = false;
        g_SensorPageLoading = false;
        g_ButtonPageLoading = false;
        g_SuppressApplyNotice = false;
        g_ReadBackOutstanding = false;
    }

    // The current device stops answering.
    void GoOffline() { g_DevicePathC.Set(QByteArray("simhid://nowhere")); }
    void GoOnline() { g_DevicePathC.Set(QByteArray(SimCtl_PathOf("mouseB"))); }
    // The device changed its configuration and a re-read is outstanding.
    void StartReadingAgain() { g_ReadBackOutstanding = true; }

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
    int BeingReadNotices() const { return m_beingReadNotices.count(); }

    // Gives level entry i the X code i + 1 and the colour (i, i, i), so that
    // moved entries can be told apart.
    static void UseDistinctLevelEntries()
    {
        auto flash = g_FlashData.Lock();
        for (int i = 0; i < 8; ++i)
            flash->DpiLevels[i] = {std::uint8_t(i + 1), std::uint8_t(i + 1), 0, std::uint8_t(i), std::uint8_t(i),
                                   std::uint8_t(i)};
    }

    // The record's level count, current level and the X codes of its levels,
    // and how many records went out: "count 3 current 2 codes 12634578 sent 3".
    QString LevelSummary() const
    {
        const FlashDataMap record = Record();
        QString codes;
        for (const DpiLevelEntry& entry : record.DpiLevels)
            codes += QString::number(entry.XCode);
        return QString("count %1 current %2 codes %3 sent %4")
            .arg(record.DpiLevelCount)
            .arg(record.CurrentDpiLevel)
            .arg(codes)
            .arg(RecordsSent());
    }

private:
    SimDeviceFixture m_sim;
    QSignalSpy m_offlineNotices;
    QSignalSpy m_beingReadNotices;
};

// Points the program folder at a temporary one holding a small device
// description (the theme colours and model Drive1 with its default levels)
// and the shipped pictures.
inline void UseSensorTestDescription()
{
    UseTemporaryFolders();
    CopyShippedFiles("Picture");
    WriteConfigIni("[Option]\nLabelColor=10,20,30\nButtonColor=40,50,60\nSliderColor=0,93,249\n"
                   "LinEditColorSecond=255,255,255\nComboxTextColor=255,255,255\nComboxSelectColor=0,93,249\n"
                   "ComboxBackGroundColor=50,55,64\n"
                   "[Drive1]\nSensor=3950\nDPIMaxGrade=8\nDPIRange=50,10000,50,10100,26000,100,22\n"
                   "DPIColor=1,2,3,4,5,6,7\n"
                   "DPIGrade=400,800,1600,3200,6400,12800,20000,26000\n");
}
