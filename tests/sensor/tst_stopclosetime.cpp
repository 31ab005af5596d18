#include "common/SimDeviceFixture.h"

#include "device/DeviceState.h"
#include "pages/sensor/StopCloseTime.h"

#include <QComboBox>
#include <QTest>

#include <memory>

namespace {

int SentSleepTime()
{
    return g_FlashData.Snapshot().SleepTime;
}

int RecordSends()
{
    return SimDeviceFixture::JournalCount("ProtocolDataUpdate(");
}

} // namespace

class TestStopCloseTime : public QObject
{
    Q_OBJECT

    std::unique_ptr<SimDeviceFixture> m_Sim;
    std::unique_ptr<StopCloseTime> m_Frame;
    QComboBox* m_Combo = nullptr;

    // What a pick by the user does: the item becomes current, then activated.
    void Pick(int index)
    {
        m_Combo->setCurrentIndex(index);
        emit m_Combo->activated(index);
    }

private slots:
    void init()
    {
        m_Sim.reset(new SimDeviceFixture);
        g_DevicePathC.Set(SimCtl_PathOf("mouseB"));
        g_FlashData.Set(FlashDataMap{});
        g_SendEnabled = true;
        m_Frame.reset(new StopCloseTime);
        m_Combo = m_Frame->findChild<QComboBox*>("StopClose");
        SimCtl_JournalClear();
    }

    void cleanup()
    {
        m_Frame.reset();
        g_SendEnabled = false;
        g_ButtonPageLoading = false;
        g_ReadBackOutstanding = false;
        g_DevicePathC.Set(QByteArray());
        m_Sim.reset();
    }

    void pickSendsTheTimeInTenSecondUnits_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("units");
        QTest::newRow("10 seconds") << 0 << 1;
        QTest::newRow("5 minutes") << 3 << 30;
        QTest::newRow("40 minutes") << 10 << 240;
    }

    void pickSendsTheTimeInTenSecondUnits()
    {
        QFETCH(int, index);
        QFETCH(int, units);
        Pick(index);
        QCOMPARE(SentSleepTime(), units);
        Pick(index);
        QCOMPARE(RecordSends(), 2);
    }

    void pickSendsNothingWhileSendingIsOffOrTheButtonPageLoads()
    {
        g_SendEnabled = false;
        Pick(4);
        g_SendEnabled = true;
        g_ButtonPageLoading = true;
        Pick(5);
        QCOMPARE(m_Combo->currentIndex(), 5);
        QCOMPARE(RecordSends(), 0);
    }

    // A pick the device does not take puts the box back at once on the time
    // the device holds, and that time stays the one to go back to.
    void refusedPickGoesBackToTheDevicesTime_data()
    {
        QTest::addColumn<bool>("reading");
        QTest::newRow("device asleep") << false;
        QTest::newRow("device read again") << true;
    }

    void refusedPickGoesBackToTheDevicesTime()
    {
        QFETCH(bool, reading);
        m_Frame->SetCurrentIndexSilently(4);
        Pick(2);
        if (reading)
            g_ReadBackOutstanding = true;
        else
            g_DevicePathC.Set(QByteArray("simhid://nowhere"));
        Pick(7);
        QCOMPARE(m_Combo->currentIndex(), 2);
        Pick(9);
        g_ReadBackOutstanding = false;
        QCOMPARE(m_Combo->currentIndex(), 2);
        QCOMPARE(RecordSends(), 1);
        QCOMPARE(SentSleepTime(), 6);
    }

    void silentSelectionSendsNothing()
    {
        m_Frame->SetCurrentIndexSilently(4);
        QCOMPARE(m_Combo->currentText(), QString::fromUtf8("10分钟"));
        m_Frame->SetCurrentIndexSilently(11);
        QCOMPARE(m_Combo->currentIndex(), -1);
        QCOMPARE(RecordSends(), 0);
    }

    void secondsNameTheirItem_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("index");
        QTest::newRow("10 s") << 10 << 0;
        QTest::newRow("1 min") << 60 << 2;
        QTest::newRow("40 min") << 2400 << 10;
        QTest::newRow("20 s is no item") << 20 << -1;
        QTest::newRow("0 is no item") << 0 << -1;
    }

    void secondsNameTheirItem()
    {
        QFETCH(int, seconds);
        QFETCH(int, index);
        QCOMPARE(SleepTimeIndexOfSeconds(seconds), index);
    }
};

QTEST_MAIN(TestStopCloseTime)
#include "tst_stopclosetime.moc"
