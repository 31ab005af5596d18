#include "ReportRecorder.h"
#include "common/SimDeviceFixture.h"

#include <QtTest>

namespace {

void Serve(const char* id)
{
    ReportRecorder::Clear();
    UsbServerC_Start(SimCtl_PathOf(id), SimCtl_PathOf(id), ReportRecorder::Callback);
}

QStringList Received()
{
    QStringList reports;
    for (const RecordedReport& report : ReportRecorder::Reports())
        reports << QString("%1/%2:%3").arg(report.cls).arg(report.sub).arg(QString(report.payload.toHex()));
    return reports;
}

int PairStatusSince(int reportIndex)
{
    const QList<RecordedReport> reports = ReportRecorder::Reports();
    for (int i = reportIndex; i < reports.size(); ++i)
        if (reports.at(i).cls == 6)
            return reports.at(i).payload.at(0);
    return 0;
}

// The pairing status the receiver answers once ms of device time have gone
// by. The test runs the device clock by hand.
int PairStatusAfter(int ms)
{
    SimCtl_Advance(ms);
    const int before = ReportRecorder::Count();
    UsbServer_ReadDonglePairStatus();
    SimCtl_Advance(ms);
    // 0 when no answer came: the caller's comparison then fails.
    const bool answered = QTest::qWaitFor([before] { return PairStatusSince(before) != 0; }, 5000);
    return answered ? PairStatusSince(before) : 0;
}

}

class SimServerTest : public QObject {
    Q_OBJECT

private slots:
    void hostWritesAreSilent()
    {
        SimDeviceFixture sim;
        Serve("rx4k");
        const QByteArray record = SimDeviceFixture::Record("mouseA");
        const unsigned char led[HIDUSB_DONGLERGB_SIZE] = {2};
        QCOMPARE(ProtocolDataUpdate(reinterpret_cast<const FlashDataMap*>(record.constData())), 1);
        UsbFinderC_Set4KDongleRGB(SimCtl_PathOf("rx4k"), reinterpret_cast<const DongleRGB*>(led));
        UsbFinderC_SetLongRangeMode(SimCtl_PathOf("rx4k"), 1);
        QCOMPARE(UsbServer_SetBatteryOptimizeEnable(0), 1);
        QCOMPARE(UsbServer_SetPCDriverStatus(1), 1);
        QTest::qWait(100);

        QCOMPARE(ReportRecorder::Count(), 0);
        QCOMPARE(SimDeviceFixture::Value("mouseA", "battery_optimize"), QString("0"));
        QCOMPARE(SimDeviceFixture::Value("rx4k", "driver_status"), QString("1"));
    }

    void readsAreAnsweredFromTheActiveProfile()
    {
        SimDeviceFixture sim;
        Serve("rx4k");
        UsbServer_ReadReportRate();
        UsbServer_ReadCurrentDPI();
        UsbServer_ReadDPILed();
        UsbServer_ReadLedBar();
        UsbServer_ReadBatteryLevel();
        UsbServer_ReadVersion();
        UsbServer_ReadConfig();
        QTRY_COMPARE(ReportRecorder::Count(), 7);
        QCOMPARE(Received(), QStringList({"8/0:01", "8/4:01", "8/76:0180030100000000", "8/160:0100aaff0204010000",
                                          "4/0:4c00900f", "18/0:0201", "14/0:00"}));
    }

    void buttonsOnTheMouseReportTheirChange_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("reports");
        QTest::newRow("dpi up") << "dpi-up" << QStringList{"10/0:0100"};
        QTest::newRow("dpi up, level reported") << "dpi-up direct" << QStringList{"8/4:02"};
        QTest::newRow("report rate") << "rate" << QStringList{"10/0:0200"};
        QTest::newRow("dpi led") << "led" << QStringList{"10/0:0800"};
        QTest::newRow("profile") << "profile" << QStringList{"14/0:01", "10/0:0400"};
    }

    void buttonsOnTheMouseReportTheirChange()
    {
        QFETCH(QString, action);
        QFETCH(QStringList, reports);
        SimDeviceFixture sim;
        Serve("rx4k");
        QVERIFY(SimCtl_Press("mouseA", action.toLatin1().constData()));
        QTRY_COMPARE(Received(), reports);
    }

    void eventsOfAnotherMouseDoNotReachTheBinding()
    {
        SimDeviceFixture sim;
        Serve("mouseB");
        SimCtl_Press("mouseA", "dpi-up");
        SimCtl_SetBattery("mouseA", 10, 0, 1);
        SimCtl_SetBattery("mouseB", 10, 1, 1);
        QTRY_COMPARE(Received(), QStringList{"10/0:4000"});
    }

    void profileSwitch_data()
    {
        QTest::addColumn<QString>("mouse");
        QTest::addColumn<QStringList>("reports");
        QTest::newRow("mouse with profiles") << "mouseA" << QStringList{"14/0:02", "10/0:0400"};
        QTest::newRow("mouse without profiles") << "mouseB" << QStringList{"14/0:0000"};
    }

    void profileSwitch()
    {
        QFETCH(QString, mouse);
        QFETCH(QStringList, reports);
        SimDeviceFixture sim;
        Serve(mouse == "mouseA" ? "rx4k" : "mouseB");
        QCOMPARE(UsbServer_SetCurrentConfig(2), 1);
        QTRY_COMPARE(Received(), reports);
    }

    void factoryResetRestoresEveryProfileAndReconnects()
    {
        SimDeviceFixture sim;
        Serve("rx4k");
        const QByteArray factory = SimDeviceFixture::Record("mouseA");
        QByteArray changed = factory;
        changed[5] = 3;
        ProtocolDataUpdate(reinterpret_cast<const FlashDataMap*>(changed.constData()));
        UsbServer_SetCurrentConfig(1);
        ProtocolDataUpdate(reinterpret_cast<const FlashDataMap*>(changed.constData()));
        QCOMPARE(SimDeviceFixture::Record("mouseA", 1), changed);

        QCOMPARE(UsbServer_SetClearSetting(), 1);
        QCOMPARE(SimDeviceFixture::Record("mouseA", 0), factory);
        QCOMPARE(SimDeviceFixture::Record("mouseA", 1), factory);
        QTRY_VERIFY(ReportRecorder::Classes().contains(9));
    }

    void sleepingMouseIsSilentAndReconnectsOnWaking()
    {
        SimDeviceFixture sim("asleep");
        Serve("rx4k");
        QCOMPARE(UsbServer_ReadAllFlashData(), 0);
        QCOMPARE(ProtocolDataUpdate(reinterpret_cast<const FlashDataMap*>(SimDeviceFixture::Record("mouseA").constData())), 0);
        QVERIFY(SimDeviceFixture::Journal().contains("UsbServer_ReadAllFlashData -> no answer: offline"));

        SimCtl_SetAwake("mouseA", 1);
        QTRY_COMPARE(Received(), QStringList{"9/0:01"});
    }

    void rebindingDropsTheEarlierBindingsAnswers()
    {
        SimDeviceFixture sim;
        // The earlier answer is due before the rebinding only when the test
        // says so, however long the test is held up.
        SimCtl_SetManualClock(1);
        Serve("rx4k");
        UsbServer_ReadAllFlashData();
        UsbServerC_Start(SimCtl_PathOf("mouseB"), SimCtl_PathOf("mouseB"), ReportRecorder::Callback);
        UsbServer_ReadVersion();
        SimCtl_Advance(1000);
        QTRY_COMPARE(SimCtl_Pending(), 0);
        QCOMPARE(Received(), QStringList{"18/0:0001"});
    }

    void pairing_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QString>("receiver");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("status");
        QTest::newRow("a mouse in pairing mode pairs") << "unpaired" << "rx2k" << "" << 3;
        QTest::newRow("forced failure") << "default" << "rx4k" << "pair-outcome rx4k fail 100" << 2;
        QTest::newRow("no mouse within the window") << "unpaired" << "rx2k" << "sleep mouseC" << 2;
        QTest::newRow("another customer's mouse waits") << "unknown" << "rxX" << "pair-mode mouseX on" << 2;
        QTest::newRow("never ends") << "default" << "rx4k" << "pair-outcome rx4k never" << 1;
    }

    void pairing()
    {
        QFETCH(QString, scenario);
        QFETCH(QString, receiver);
        QFETCH(QString, command);
        QFETCH(int, status);
        SimDeviceFixture sim(scenario.toLatin1().constData());
        // A pairing that ends after a few milliseconds still runs when the
        // test looks, however long the test is held up.
        SimCtl_SetManualClock(1);
        const QByteArray id = receiver.toLatin1();
        if (!command.isEmpty())
            QVERIFY(SimCtl_Command(command.toLatin1().constData()));
        Serve(id.constData());
        QCOMPARE(UsbServer_EnterDonglePairOnlyCid(18), 1);
        QVERIFY(!UsbFinderC_GetDeviceOnLine(SimCtl_PathOf(id.constData())));

        QCOMPARE(PairStatusAfter(2000), status);
    }

    void pairingChangesTheReceiversIdentity()
    {
        SimDeviceFixture sim("unpaired");
        SimCtl_SetManualClock(1);
        const char* receiver = SimCtl_PathOf("rx2k");
        QCOMPARE(UsbFinderC_GetDeviceInfo(receiver).identity, 0);
        Serve("rx2k");
        UsbServer_EnterDonglePairOnlyCid(18);
        QCOMPARE(PairStatusAfter(2000), 3);

        QCOMPARE(UsbFinderC_GetDeviceInfo(receiver).identity, 0x0312);
        QCOMPARE(SimDeviceFixture::Value("mouseC", "paired"), QString("b20002"));
        QVERIFY(UsbFinderC_GetDeviceOnLine(receiver));
        QTRY_VERIFY(ReportRecorder::Classes().contains(9));
    }

    void receiverUnpluggedDuringPairingLeavesTheBus()
    {
        SimDeviceFixture sim;
        SimCtl_SetPairOutcome("rx4k", "unplug", 100);
        Serve("rx4k");
        UsbServer_EnterDonglePairOnlyCid(18);
        QTRY_COMPARE(SimDeviceFixture::Value("rx4k", "plugged"), QString("0"));
        int count = 5;
        UsbFinderC_FindHidDevicesByDefaultDeviceId("2F1E", "5104", &count);
        QCOMPARE(count, 0);
    }
};

QTEST_GUILESS_MAIN(SimServerTest)
#include "tst_simserver.moc"
