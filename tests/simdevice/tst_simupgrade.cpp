#include "common/SimDeviceFixture.h"

#include <QtEndian>
#include <QtTest>

namespace {

QMutex g_mutex;
QList<QByteArray> g_upgradeReports;
QByteArray g_chainedImage;
int g_chainedStart = -1;

void RecordUpgradeReport(unsigned char* report)
{
    QMutexLocker lock(&g_mutex);
    g_upgradeReports << QByteArray(reinterpret_cast<char*>(report), 3);
}

// The repair flow starts the mouse upgrade from inside the receiver's result.
void StartNextOnSuccess(unsigned char* report)
{
    RecordUpgradeReport(report);
    if (report[1] == 2 && report[2] == 1 && !g_chainedImage.isEmpty()) {
        const QByteArray image = g_chainedImage;
        g_chainedImage.clear();
        g_chainedStart = UsbUpgrade_Start(reinterpret_cast<const unsigned char*>(image.constData()),
                                          RecordUpgradeReport, 10000);
    }
}

QList<QByteArray> Reports()
{
    QMutexLocker lock(&g_mutex);
    return g_upgradeReports;
}

QList<int> Results()
{
    QList<int> results;
    for (const QByteArray& report : Reports())
        if (report[1] == 2)
            results << report[2];
    return results;
}

QByteArray ShippedImage(const QString& name)
{
    QFile file(QString(QUORVANE_TEST_PROGRAM_DIR) + "/bin/" + name + ".bin");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool Start(const QByteArray& image, UsbUpgradeCallback callback = RecordUpgradeReport)
{
    return UsbUpgrade_Start(image.isNull() ? nullptr : reinterpret_cast<const unsigned char*>(image.constData()),
                            callback, 10000);
}

// Lets device time pass and gives the upgrade thread a moment to deliver;
// tests that expect a report still wait for it with QTRY.
void Advance(int ms)
{
    SimCtl_Advance(ms);
    QTest::qWait(30);
}

int FoundOn(const char* pid)
{
    int count = 5;
    UsbFinderC_FindHidDevicesByDefaultDeviceId("2F1E", pid, &count);
    return count;
}

}

class SimUpgradeTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QMutexLocker lock(&g_mutex);
        g_upgradeReports.clear();
    }

    void shippedImagesAreNewerThanTheDefaultDevices()
    {
        const QByteArray mouse = ShippedImage("QV_M03_MS");
        const QByteArray receiver = ShippedImage("QV_M03_RX4K");
        QVERIFY(mouse.size() > 728 && receiver.size() > 728);
        QCOMPARE(QByteArray(mouse.constData() + 16, 7).toHex(), QByteArray("03010000d21203"));
        QCOMPARE(QByteArray(receiver.constData() + 16, 7).toHex(), QByteArray("02010000d31203"));
        QCOMPARE(QByteArray(receiver.constData() + 87), QByteArray("QV_M03_RX4K"));
    }

    void progressAndResultKeepTheirFloors()
    {
        SimDeviceFixture sim;
        SimCtl_SetManualClock(1);
        QVERIFY(Start(ShippedImage("QV_M03_RX4K")));
        QVERIFY(!UsbFinderC_GetDeviceOnLine(SimCtl_PathOf("rx4k")));

        Advance(1499);
        QVERIFY(Reports().isEmpty());
        Advance(1);
        QTRY_COMPARE(Reports().size(), 1);
        QCOMPARE(Reports().first().toHex(), QByteArray("070100"));
        Advance(998);
        QVERIFY(Results().isEmpty());
        Advance(2);
        QTRY_COMPARE(Results(), QList<int>{1});
        QCOMPARE(Reports().at(Reports().size() - 2).toHex(), QByteArray("070164"));
    }

    void outcomes_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<bool>("started");
        QTest::addColumn<QList<int>>("results");
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("firmware");
        QTest::addColumn<QString>("boot");

        const QByteArray receiverImage = ShippedImage("QV_M03_RX4K");
        const QByteArray mouseImage = ShippedImage("QV_M03_MS");
        QByteArray damaged = receiverImage;
        damaged[1000] = char(damaged[1000] ^ 1);
        // A length word larger than any device's flash is refused from the
        // header alone: nothing past it is read.
        QByteArray huge = receiverImage.left(1500);
        qToLittleEndian<quint32>(16 * 1024 * 1024, huge.data());
        QByteArray tooShort = receiverImage;
        qToLittleEndian<quint32>(100, tooShort.data());
        const QList<int> success{1};
        const QList<int> failure{0};

        QTest::newRow("receiver updated") << "default" << receiverImage << "" << true << success << "rx4k" << "258" << "0";
        QTest::newRow("mouse on its cable updated") << "cable-and-receiver" << mouseImage << "" << true << success
                                                    << "mouseA" << "259" << "0";
        QTest::newRow("failure leaves boot mode") << "default" << receiverImage << "fail 40" << true << failure
                                                  << "rx4k" << "0" << "1";
        QTest::newRow("interrupted") << "default" << receiverImage << "interrupt 60" << true << failure << "rx4k"
                                     << "0" << "1";
        QTest::newRow("failure with rollback") << "default" << receiverImage << "fail-rollback 40" << true << failure
                                               << "rx4k" << "257" << "0";
        QTest::newRow("rejected") << "default" << receiverImage << "reject" << true << failure << "rx4k" << "257" << "0";
        // The device stops answering mid-write and no result ever comes; the
        // library gives the write up after the caller's timeout, leaving the
        // device in boot mode and free for the next start.
        QTest::newRow("hangs") << "default" << receiverImage << "hang 30" << true << QList<int>{} << "rx4k" << "0"
                               << "1";
        QTest::newRow("mouse not on its cable") << "default" << mouseImage << "" << false << failure << "mouseA"
                                                << "258" << "0";
        QTest::newRow("two fitting mice") << "duplicate" << mouseImage << "" << false << failure << "mouseA" << "258"
                                          << "0";
        QTest::newRow("damaged image") << "default" << damaged << "" << false << failure << "rx4k" << "257" << "0";
        QTest::newRow("length beyond any flash") << "default" << huge << "" << false << failure << "rx4k" << "257" << "0";
        QTest::newRow("length shorter than the header") << "default" << tooShort << "" << false << failure << "rx4k"
                                                        << "257" << "0";
        QTest::newRow("no image") << "default" << QByteArray() << "" << false << failure << "rx4k" << "257" << "0";
    }

    void outcomes()
    {
        QFETCH(QString, scenario);
        QFETCH(QByteArray, image);
        QFETCH(QString, outcome);
        QFETCH(bool, started);
        QFETCH(QList<int>, results);
        QFETCH(QString, device);
        QFETCH(QString, firmware);
        QFETCH(QString, boot);
        SimDeviceFixture sim(scenario.toLatin1().constData());
        SimCtl_SetManualClock(1);
        if (!outcome.isEmpty())
            QVERIFY(SimCtl_Command(("upgrade-outcome " + outcome).toLatin1().constData()));

        QCOMPARE(Start(image), started);
        Advance(20000);

        QTRY_COMPARE(Results(), results);
        const QByteArray id = device.toLatin1();
        QCOMPARE(SimDeviceFixture::Value(id.constData(), "fw"), firmware);
        QCOMPARE(SimDeviceFixture::Value(id.constData(), "boot"), boot);
        QCOMPARE(SimDeviceFixture::Value(id.constData(), "busy"), QString("0"));
    }

    void bootModeHidesTheDeviceUntilItIsRewritten()
    {
        SimDeviceFixture sim;
        SimCtl_SetManualClock(1);
        const QByteArray image = ShippedImage("QV_M03_RX4K");
        SimCtl_SetUpgradeOutcome(211, "fail", 40, 0);
        QVERIFY(Start(image));
        Advance(20000);
        QCOMPARE(FoundOn("5104"), 0);
        int count = 5;
        QVERIFY(UsbUpgradeC_FindBootDevices(reinterpret_cast<const unsigned char*>(image.constData()), &count));
        QCOMPARE(count, 1);
        const char* const* logs = UsbUpgradeC_GetLogs();
        QCOMPARE(QString(logs[4]), QString("result failure"));
        QCOMPARE(QString(logs[6]), QString("boot mode yes"));

        QVERIFY(Start(image));
        Advance(20000);
        QTRY_COMPARE(Results(), QList<int>({0, 1}));
        QCOMPARE(FoundOn("5104"), 1);
        QVERIFY(!UsbUpgradeC_FindBootDevices(reinterpret_cast<const unsigned char*>(image.constData()), &count));
        QCOMPARE(count, 0);
    }

    void aSecondStartWhileOneRunsFails()
    {
        SimDeviceFixture sim("cable-and-receiver");
        SimCtl_SetManualClock(1);
        QVERIFY(Start(ShippedImage("QV_M03_RX4K")));
        QVERIFY(!Start(ShippedImage("QV_M03_MS")));
        Advance(20000);
        QTRY_COMPARE(Results(), QList<int>({0, 1}));
    }

    void upgradeStartedFromInsideAResult()
    {
        SimDeviceFixture sim("cable-and-receiver");
        SimCtl_SetManualClock(1);
        g_chainedStart = -1;
        g_chainedImage = ShippedImage("QV_M03_MS");
        QVERIFY(Start(ShippedImage("QV_M03_RX4K"), StartNextOnSuccess));
        Advance(20000);
        QTRY_COMPARE(g_chainedStart, 1);
        Advance(20000);
        QTRY_COMPARE(Results(), QList<int>({1, 1}));
        QCOMPARE(SimDeviceFixture::Value("mouseA", "fw"), QString("259"));
    }

    void unpluggingDuringAnUpgradeFailsIt()
    {
        SimDeviceFixture sim;
        SimCtl_SetManualClock(1);
        QVERIFY(Start(ShippedImage("QV_M03_RX4K")));
        Advance(1000);
        SimCtl_Plug("rx4k", 0);
        Advance(20000);
        QTRY_COMPARE(Results(), QList<int>{0});
        SimCtl_Plug("rx4k", 1);
        QCOMPARE(FoundOn("5104"), 0);
        QCOMPARE(SimDeviceFixture::Value("rx4k", "boot"), QString("1"));
    }
};

QTEST_GUILESS_MAIN(SimUpgradeTest)
#include "tst_simupgrade.moc"
