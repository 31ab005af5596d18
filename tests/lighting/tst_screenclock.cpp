#include "LightingTestKit.h"

#include "device/DeviceListDiscovery.h"
#include "lighting/InputPic.h"
#include "lighting/ScreenClockSync.h"

#include <QFile>
#include <QTest>
#include <QTimer>

namespace {

const QDateTime kTuesdayEvening(QDate(2026, 12, 8), QTime(18, 30, 5));

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values)
        bytes.append(char(value));
    return bytes;
}

QByteArray WithChecksum(QByteArray packet)
{
    packet[packet.size() - 1] = char(ScreenPacketChecksum(packet));
    return packet;
}

} // namespace

class TestScreenClock : public QObject
{
    Q_OBJECT

    // A mouse with a screen on its cable, "s", beside the default devices.
    void LoadScreenScenario(SimDeviceFixture& sim)
    {
        QFile file(sim.StateFolder() + "/screen.json");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"({"devices": [{"id": "s", "type": "mouse", "model": "Drive1", "cable": true, "screen": true},
                                   {"id": "plain", "type": "mouse", "model": "Drive2", "cable": true}]})");
        file.close();
        QCOMPARE(SimCtl_LoadScenario(file.fileName().toLocal8Bit().constData()), 1);
        SimCtl_JournalClear();
    }

    // simhid://<vid>/<pid>/<id>
    static QStringList IdsOf(const char* id) { return QString(SimCtl_PathOf(id)).split('/').mid(2, 2); }

private slots:
    void cleanup()
    {
        g_ScreenVid.clear();
        g_ScreenPidList.clear();
        ScanScreenDevices(QString(), {});
    }

    void clockPacketHoldsTheLocalTime()
    {
        const QByteArray packet = BuildClockPacket(kTuesdayEvening);
        QCOMPARE(packet.size(), ScreenPacketLength);
        QCOMPARE(packet.left(11), Bytes({0x0A, 0x00, 0x10, 0x07, 0xEA, 0x0C, 0x08, 0x12, 0x1E, 0x05, 0x02}));
        QCOMPARE(packet.mid(11), QByteArray(29, '\0'));
        const int sum = 0x0A + 0x10 + 0x07 + 0xEA + 0x0C + 0x08 + 0x12 + 0x1E + 0x05 + 0x02;
        QCOMPARE(int(ScreenPacketChecksum(packet)), (0x55 - sum) & 0xFF);
        QVERIFY(!ScreenPacketVerify(packet));
        QVERIFY(ScreenPacketVerify(WithChecksum(packet)));
    }

    void answerMustEchoTheDateAndCarryItsChecksum_data()
    {
        const QByteArray request = WithChecksum(BuildClockPacket(kTuesdayEvening));
        QByteArray wrongChecksum = request;
        wrongChecksum[39] = char(wrongChecksum.at(39) ^ 1);
        QByteArray otherMonth = request;
        otherMonth[5] = 11;
        QByteArray otherTime = request;
        otherTime[9] = 6;
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("echoes");
        QTest::newRow("the request itself") << request << true;
        QTest::newRow("another second, checksum right") << WithChecksum(otherTime) << true;
        QTest::newRow("wrong checksum") << wrongChecksum << false;
        QTest::newRow("another month, checksum right") << WithChecksum(otherMonth) << false;
        QTest::newRow("zeros") << QByteArray(40, '\0') << false;
    }

    void answerMustEchoTheDateAndCarryItsChecksum()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, echoes);
        QCOMPARE(ScreenAnswerEchoes(WithChecksum(BuildClockPacket(kTuesdayEvening)), answer), echoes);
    }

    void screenDeviceTakesTheClockAtTheFirstExchange()
    {
        SimDeviceFixture sim;
        LoadScreenScenario(sim);
        const QStringList ids = IdsOf("s");
        QCOMPARE(ScanScreenDevices(ids.at(0), {ids.at(1)}), 1);
        QCOMPARE(ScreenDevicePaths(), QStringList{SimCtl_PathOf("s")});

        QVERIFY(SendClockToScreen(kTuesdayEvening));
        QCOMPARE(SimDeviceFixture::JournalCount(QString("UsbFinderC_OpenDevice(") + SimCtl_PathOf("s")), 1);
        QCOMPARE(SimDeviceFixture::JournalCount("UsbFinderC_ReadWriteDeviceData(40)"), 1);
    }

    void deviceWithoutAScreenIsAskedFiveTimes()
    {
        SimDeviceFixture sim;
        LoadScreenScenario(sim);
        const QStringList ids = IdsOf("plain");
        QCOMPARE(ScanScreenDevices(ids.at(0), {ids.at(1)}), 1);
        QVERIFY(!SendClockToScreen(kTuesdayEvening));
        QCOMPARE(SimDeviceFixture::JournalCount("UsbFinderC_ReadWriteDeviceData(40)"), ScreenExchangeLimit);
    }

    void noScreenDeviceNoSend()
    {
        SimDeviceFixture sim;
        LoadScreenScenario(sim);
        QCOMPARE(ScanScreenDevices("2F1E", {"7777"}), 0);
        QVERIFY(!SendClockToScreen(kTuesdayEvening));
        QCOMPARE(SimDeviceFixture::JournalCount("UsbFinderC_OpenDevice"), 0);
    }

    void clockSyncStartsOnlyWhenAskedTo()
    {
        SimDeviceFixture sim;
        LoadScreenScenario(sim);
        const QStringList ids = IdsOf("s");
        g_ScreenVid = ids.at(0);
        g_ScreenPidList = QStringList{"7777", ids.at(1)};
        InputPicA dialog;
        auto* timer = dialog.findChild<QTimer*>();
        QVERIFY(timer);

        dialog.StartClockSync(false);
        QVERIFY(!timer->isActive());
        QCOMPARE(SimDeviceFixture::JournalCount("StartUsbChanged"), 0);

        dialog.StartClockSync(true);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 200);
        QCOMPARE(SimDeviceFixture::JournalCount("StartUsbChanged(600)"), 1);
        QCOMPARE(ScreenDevicePaths(), QStringList{SimCtl_PathOf("s")});
    }

    // The timer's ticks are called here directly: one send per fifty.
    void everyFiftiethTickSendsTheClock()
    {
        SimDeviceFixture sim;
        LoadScreenScenario(sim);
        const QStringList ids = IdsOf("s");
        ScanScreenDevices(ids.at(0), {ids.at(1)});
        InputPicA dialog;
        for (int tick = 1; tick < InputPicA::TicksPerClockSend; ++tick)
            dialog.onEraseChipTimeTimer();
        QCOMPARE(SimDeviceFixture::JournalCount("UsbFinderC_OpenDevice"), 0);
        dialog.onEraseChipTimeTimer();
        QCOMPARE(SimDeviceFixture::JournalCount("UsbFinderC_OpenDevice"), 1);
        QCOMPARE(SimDeviceFixture::JournalCount("UsbFinderC_ReadWriteDeviceData"), 1);
        for (int tick = 1; tick <= InputPicA::TicksPerClockSend; ++tick)
            dialog.onEraseChipTimeTimer();
        QCOMPARE(SimDeviceFixture::JournalCount("UsbFinderC_OpenDevice"), 2);
    }
};

QTEST_MAIN(TestScreenClock)
#include "tst_screenclock.moc"
