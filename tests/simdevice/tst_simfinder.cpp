#include "ReportRecorder.h"
#include "common/SimDeviceFixture.h"

#include <QtTest>

namespace {

QStringList Found(const char* vid, const char* pid, int count = 5)
{
    char** paths = UsbFinderC_FindHidDevicesByDefaultDeviceId(vid, pid, &count);
    QStringList found;
    for (int i = 0; i < count; ++i)
        found << QString::fromLatin1(paths[i]);
    return found;
}

QByteArray AddressAnswer(const char* path)
{
    QByteArray answer(10, '\xFF');
    UsbFinderC_GetDeviceOnLineWithUsbAddress(path, reinterpret_cast<unsigned char*>(answer.data()));
    return answer;
}

}

class SimFinderTest : public QObject {
    Q_OBJECT

private slots:
    void searchesListPresentDevicesByVendorAndProduct_data()
    {
        QTest::addColumn<QString>("vid");
        QTest::addColumn<QString>("pid");
        QTest::addColumn<QStringList>("ids");
        QTest::newRow("cable mouse") << "2F1E" << "5002" << QStringList{"mouseB"};
        QTest::newRow("4K receiver, prefix and lower case") << "0x2f1e" << "5104" << QStringList{"rx4k"};
        QTest::newRow("mouse not on its cable") << "2F1E" << "5001" << QStringList{};
        QTest::newRow("other vendor") << "2F1F" << "5002" << QStringList{};
        QTest::newRow("not a number") << "2F1E" << "zz" << QStringList{};
    }

    void searchesListPresentDevicesByVendorAndProduct()
    {
        QFETCH(QString, vid);
        QFETCH(QString, pid);
        QFETCH(QStringList, ids);
        SimDeviceFixture sim;
        QStringList paths;
        for (const QString& id : ids)
            paths << SimCtl_PathOf(id.toLatin1().constData());
        QCOMPARE(Found(vid.toLatin1().constData(), pid.toLatin1().constData()), paths);
    }

    void searchesKeepToTheCountAndTheScenarioOrder()
    {
        SimDeviceFixture sim("duplicate");
        const QStringList both{SimCtl_PathOf("mouseA"), SimCtl_PathOf("mouseA2")};
        QCOMPARE(Found("2F1E", "5001"), both);
        QCOMPARE(Found("2F1E", "5001", 1), QStringList{both.first()});
        int count = 5;
        UsbFinderC_FindHidDevicesByDeviceId("2F1E", "5001", 1, 1, &count);
        QCOMPARE(count, 1);

        // A path the program keeps outlives the array of the next search.
        count = 5;
        const char* kept = UsbFinderC_FindHidDevicesByDeviceId("2F1E", "5001", 1, 5, &count)[1];
        Found("2F1E", "5104");
        QCOMPARE(QString(kept), both.last());
    }

    void identificationAndVersions()
    {
        SimDeviceFixture sim;
        const char* receiver = SimCtl_PathOf("rx4k");
        const char* mouse = SimCtl_PathOf("mouseB");

        const UsbDeviceInfo receiverInfo = UsbFinderC_GetDeviceInfo(receiver);
        QCOMPARE(receiverInfo.identity, 0x0312);   // the paired mouse: MID 3, CID 18
        QCOMPARE(receiverInfo.kind, 1);
        const UsbDeviceInfo mouseInfo = UsbFinderC_GetDeviceInfo(mouse);
        QCOMPARE(mouseInfo.identity, 0x0412);
        QCOMPARE(mouseInfo.kind, 2);

        unsigned char attributes[12] = {};
        QVERIFY(UsbFinderC_GetUsbDeviceAttribute(receiver, attributes));
        QCOMPARE(attributes[9] << 8 | attributes[8], 0x0101);
        QVERIFY(UsbFinderC_GetUsbDeviceAttribute(mouse, attributes));
        QCOMPARE(attributes[9] << 8 | attributes[8], 0x0100);

        QCOMPARE(UsbFinderC_GetVersion(receiver), 0x0102);   // its mouse's firmware
        int version = 0;
        QVERIFY(UsbFinderC_GetSlaveVersion(receiver, &version));
        QCOMPARE(version, 0x0101);
        QVERIFY(!UsbFinderC_GetSlaveVersion(mouse, &version));
    }

    void onlineAnswers()
    {
        SimDeviceFixture sim;
        const char* receiver = SimCtl_PathOf("rx4k");
        QVERIFY(UsbFinderC_GetDeviceOnLine(receiver));
        QVERIFY(UsbFinderC_GetDeviceOnLine(SimCtl_PathOf("mouseB")));
        QVERIFY(!UsbFinderC_GetDeviceOnLine("a"));
        QCOMPARE(AddressAnswer(receiver).toHex(), QByteArray("000000000000" "01" "a1b2c3"));
        QCOMPARE(AddressAnswer(SimCtl_PathOf("mouseB")).toHex(), QByteArray("000000000000" "01" "000000"));
        QCOMPARE(AddressAnswer("simhid://2f1e/5104/gone").toHex(), QByteArray(20, '0'));

        SimCtl_SetAwake("mouseA", 0);
        QVERIFY(!UsbFinderC_GetDeviceOnLine(receiver));
        QCOMPARE(AddressAnswer(receiver).toHex(), QByteArray("000000000000" "00" "a1b2c3"));

        SimCtl_SetAwake("mouseA", 1);
        SimCtl_SetCable("mouseA", 1);   // on its cable the mouse leaves the radio
        QVERIFY(!UsbFinderC_GetDeviceOnLine(receiver));
        QVERIFY(UsbFinderC_GetDeviceOnLine(SimCtl_PathOf("mouseA")));
        QCOMPARE(AddressAnswer(SimCtl_PathOf("mouseA")).toHex(), QByteArray("000000000000" "01" "a1b2c3"));
    }

    void identityDelayIsCountedInCallsAfterEachPlug()
    {
        SimDeviceFixture sim;
        const char* receiver = SimCtl_PathOf("rx4k");
        SimCtl_SetIdentityDelay("rx4k", 3);
        for (int call = 0; call < 3; ++call)
            QCOMPARE(UsbFinderC_GetDeviceInfo(receiver).identity, 0);
        QCOMPARE(UsbFinderC_GetDeviceInfo(receiver).identity, 0x0312);

        SimCtl_Plug("rx4k", 0);
        SimCtl_Plug("rx4k", 1);
        QCOMPARE(UsbFinderC_GetDeviceInfo(receiver).identity, 0);
    }

    void receiverOptions()
    {
        SimDeviceFixture sim;
        const char* receiver = SimCtl_PathOf("rx4k");
        unsigned char mode = 's';
        QVERIFY(!UsbFinderC_GetLongRangeMode(SimCtl_PathOf("mouseB"), &mode));
        QVERIFY(!UsbFinderC_GetLongRangeMode("simhid://2f1e/5104/gone", &mode));
        QCOMPARE(mode, 's');
        QVERIFY(UsbFinderC_SetLongRangeMode(receiver, 1));
        QVERIFY(UsbFinderC_GetLongRangeMode(receiver, &mode));
        QCOMPARE(mode, 1);

        unsigned char led[HIDUSB_DONGLERGB_SIZE] = {};
        QVERIFY(UsbFinderC_Get4KDongleRGBValue(receiver, reinterpret_cast<DongleRGB*>(led)));
        QCOMPARE(led[0], 1);
        const unsigned char chosen[HIDUSB_DONGLERGB_SIZE] = {3, 1, 2, 3, 4, 5, 6, 7, 8, 9};
        QVERIFY(UsbFinderC_Set4KDongleRGB(receiver, reinterpret_cast<const DongleRGB*>(chosen)));
        QVERIFY(UsbFinderC_Get4KDongleRGBValue(receiver, reinterpret_cast<DongleRGB*>(led)));
        QCOMPARE(QByteArray(reinterpret_cast<char*>(led), 10), QByteArray(reinterpret_cast<const char*>(chosen), 10));
        QVERIFY(!UsbFinderC_Get4KDongleRGBValue(SimCtl_PathOf("mouseB"), reinterpret_cast<DongleRGB*>(led)));
    }

    void badCallsAreRefusedWithoutHarm()
    {
        SimDeviceFixture sim;
        const char* receiver = SimCtl_PathOf("rx4k");
        int count = 5;
        QVERIFY(UsbFinderC_FindHidDevicesByDefaultDeviceId(nullptr, nullptr, &count));
        QCOMPARE(count, 0);
        QVERIFY(!UsbFinderC_FindHidDevicesByDeviceId("2F1E", "5104", 1, 5, nullptr));
        QCOMPARE(UsbFinderC_GetDeviceInfo(nullptr).identity, 0);
        QVERIFY(!UsbFinderC_GetUsbDeviceAttribute(receiver, nullptr));
        QVERIFY(!UsbFinderC_GetDeviceOnLineWithUsbAddress(receiver, nullptr));
        QVERIFY(!UsbFinderC_GetSlaveVersion(receiver, nullptr));
        QVERIFY(!UsbFinderC_Get4KDongleRGBValue(receiver, nullptr));
        QVERIFY(!UsbFinderC_Set4KDongleRGB(nullptr, nullptr));
        QVERIFY(!UsbFinderC_GetLongRangeMode(receiver, nullptr));
        QVERIFY(!UsbFinderC_SetDongleIDToMouse(nullptr, nullptr));
        QVERIFY(!UsbFinderC_OpenDevice("nowhere"));
        QVERIFY(!UsbFinderC_ReadWriteDeviceData(nullptr, nullptr, 40));
        QCOMPARE(ProtocolDataUpdate(nullptr), 0);
        QCOMPARE(ProtocolDataParser(nullptr, nullptr), 0);
        BufferToDPILed(nullptr, nullptr);
        BufferToLedBar(nullptr, nullptr);
        GetDeviceBatteryStatus(nullptr, nullptr);
        GetDeviceStatusChanged(nullptr, nullptr);
        QVERIFY(!UsbUpgradeC_FindBootDevices(nullptr, &count));
        QCOMPARE(count, 0);

        // Nothing bound: requests are journalled as unanswered.
        QCOMPARE(UsbServer_ReadAllFlashData(), 0);
        QCOMPARE(UsbServer_SetClearSetting(), 0);
        QCOMPARE(UsbServer_EnterDonglePairOnlyCid(18), 0);
        QVERIFY(SimDeviceFixture::Journal().contains("UsbServer_ReadAllFlashData -> no answer: offline"));
        QCOMPARE(UsbServerC_Start(nullptr, nullptr, nullptr), 0);
        QCOMPARE(UsbServerC_Start("nowhere", "nowhere", ReportRecorder::Callback), 0);
        QCOMPARE(UsbServer_ReadBatteryLevel(), 0);
    }

    void garbageRecordIsStoredAsAValidImage()
    {
        SimDeviceFixture sim;
        ReportRecorder::Clear();
        UsbServerC_Start(SimCtl_PathOf("mouseB"), SimCtl_PathOf("mouseB"), ReportRecorder::Callback);
        QByteArray garbage(HIDUSB_RECORD_SIZE, '\0');
        for (int i = 0; i < garbage.size(); ++i)
            garbage[i] = char((i * 2654435761u) >> 13);
        QCOMPARE(ProtocolDataUpdate(reinterpret_cast<const FlashDataMap*>(garbage.constData())), 1);
        UsbServer_ReadAllFlashData();
        QTRY_COMPARE(ReportRecorder::Count(), 1);

        QByteArray parsed(HIDUSB_RECORD_SIZE, '\0');
        QCOMPARE(ProtocolDataParser(reinterpret_cast<const unsigned char*>(ReportRecorder::Reports().first().payload.constData()),
                                    reinterpret_cast<FlashDataMap*>(parsed.data())),
                 1);
        QCOMPARE(parsed.left(956), garbage.left(956));
    }

    void shortInjectedReportsArePadded()
    {
        SimDeviceFixture sim;
        ReportRecorder::Clear();
        UsbServerC_Start(SimCtl_PathOf("mouseB"), SimCtl_PathOf("mouseB"), ReportRecorder::Callback);
        const unsigned char header[1] = {0x5A};
        const unsigned char payload[7] = {1, 2, 3, 4, 5, 6, 7};
        SimCtl_InjectRaw(header, 1, payload, 7);
        SimCtl_Inject(8, 0, 1, payload, 7);
        QTRY_COMPARE(ReportRecorder::Count(), 2);

        const RecordedReport raw = ReportRecorder::Reports().at(0);
        QCOMPARE(raw.headerLength, 1);
        QCOMPARE(raw.payload.size(), 7);
        QCOMPARE(raw.paddingAfterPayload, QByteArray(16, '\0'));
        QCOMPARE(ReportRecorder::Reports().at(1).status, 1);
    }
};

QTEST_GUILESS_MAIN(SimFinderTest)
#include "tst_simfinder.moc"
