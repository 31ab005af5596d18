#include "common/HubLog.h"
#include "common/ProgramFiles.h"
#include "common/SimDeviceFixture.h"
#include "common/TestFolders.h"
#include "common/WorkerThread.h"
#include "core/RegistryKeys.h"
#include "core/Timing.h"
#include "core/UserIni.h"
#include "device/DeviceReports.h"
#include "device/DeviceState.h"
#include "platform/RegistryValues.h"

#include <QTest>
#include <QThread>

namespace {

// The sample device description with the model's Adveanced list replaced.
QString DescriptionWithAdvanced(const QString& advanced)
{
    return QString("[Option]\nDeviceTotal=2\nVID=2F1E\nCID=18\nShowBatteryValue=1\n"
                   "[Drive1]\nMID=3\nAdveanced=%1\n"
                   "[Drive2]\nMID=4\nAdveanced=1,-1\n").arg(advanced);
}

// As the library hands a report over: an 8-byte header (or a shorter one)
// and a payload followed by padding the library keeps.
void Deliver(int reportClass, int status, int subCommand, const QByteArray& payload, int headerLength = 8)
{
    QByteArray header(8, '\0');
    header[0] = '\x5a';
    header[1] = char(reportClass);
    header[3] = char(status);
    header[4] = char(subCommand);
    QByteArray body = payload + QByteArray(16, '\0');
    QVERIFY(RunOnWorkerThread([&] {
        OnDeviceReport(reinterpret_cast<unsigned char*>(header.data()), headerLength,
                       reinterpret_cast<unsigned char*>(body.data()), payload.size());
    }));
}

QStringList JournalCalls(const QString& prefix)
{
    QStringList calls;
    for (const QString& line : SimDeviceFixture::Journal()) {
        if (line.startsWith(prefix))
            calls.append(line.section('(', 0, 0).section(' ', 0, 0));
    }
    return calls;
}

QByteArray RawBytes(const FlashDataMap& record)
{
    return QByteArray(reinterpret_cast<const char*>(&record), int(sizeof(record)));
}

DeviceAllInfo Receiver4k()
{
    DeviceAllInfo device;
    device.Path = SimCtl_PathOf("rx4k");
    device.Identity = 0x0312;
    device.Kind = 1;
    device.KindFlag = false;
    device.ModelIndex = 0;
    return device;
}

}  // namespace

class TestDeviceReports : public QObject
{
    Q_OBJECT

private:
    SimDeviceFixture* m_sim = nullptr;
    HubLog* m_log = nullptr;

    void UseCurrentDevice(const DeviceAllInfo& device)
    {
        g_CurrentDevice.Set(device);
        g_DevicePathC.Set(device.Path.toLocal8Bit());
    }

private slots:
    void initTestCase()
    {
        UseTemporaryFolders();
        WriteConfigIni(DescriptionWithAdvanced("0,1"));
    }

    void init()
    {
        m_sim = new SimDeviceFixture("default");
        m_log = new HubLog;
        UseCurrentDevice(Receiver4k());
        g_FlashData.Set(FlashDataMap{});
        g_ShowBatteryValue = 1;
        g_RestartRequested = false;
        g_ReadBackRequested = false;
        g_DongleRGB.Set(DongleRGB{});
    }

    void cleanup()
    {
        delete m_log;
        delete m_sim;
    }

    // Each report row: what the pages are told, which record bytes change,
    // and how often the record goes back to the device.
    void reportRows_data()
    {
        QTest::addColumn<int>("reportClass");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("subCommand");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<int>("headerLength");
        QTest::addColumn<bool>("wired");
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<QString>("changedBytes");  // "offset=value ..."
        QTest::addColumn<int>("writeBacks");

        const QByteArray none;
        QTest::newRow("battery") << 4 << 0 << 0 << QByteArray::fromHex("4c01") << 8 << false
                                 << QStringList{"Battery 1 76 1"} << "" << 0;
        QTest::newRow("battery, short payload") << 4 << 0 << 0 << QByteArray::fromHex("4c") << 8 << false
                                                << QStringList{} << "" << 0;
        // The mouse reports what it holds already: shown and held, never sent back.
        QTest::newRow("rate 4 kHz on a receiver") << 8 << 0 << 0 << QByteArray::fromHex("20") << 8 << false
                                                  << QStringList{"ReportRate 32"} << "0=32" << 0;
        QTest::newRow("rate 4 kHz on a cable: dropped") << 8 << 0 << 0 << QByteArray::fromHex("20") << 8 << true
                                                        << QStringList{} << "" << 0;
        QTest::newRow("rate 125 Hz on a cable") << 8 << 0 << 0 << QByteArray::fromHex("08") << 8 << true
                                                << QStringList{"ReportRate 8"} << "0=8" << 0;
        QTest::newRow("rate code no page offers: dropped") << 8 << 0 << 0 << QByteArray::fromHex("6b") << 8 << false
                                                           << QStringList{} << "" << 0;
        QTest::newRow("current DPI level") << 8 << 0 << 4 << QByteArray::fromHex("03") << 8 << false
                                           << QStringList{"Dpi 3"} << "2=3" << 0;
        QTest::newRow("DPI level beyond those in use: dropped") << 8 << 0 << 4 << QByteArray::fromHex("04") << 8
                                                                << false << QStringList{} << "" << 0;
        QTest::newRow("DPI level 200: dropped") << 8 << 0 << 4 << QByteArray::fromHex("c8") << 8 << false
                                                << QStringList{} << "" << 0;
        QTest::newRow("DPI-LED") << 8 << 0 << 0x4C << QByteArray::fromHex("0280030100000000") << 8 << false
                                 << QStringList{"DpiLed"} << "63=2 64=128 65=3 66=1" << 0;
        QTest::newRow("light bar") << 8 << 0 << 0xA0 << QByteArray::fromHex("031122330204010000") << 8 << false
                                   << QStringList{"Light"} << "67=3 68=17 69=34 70=51 71=2 72=4 73=1" << 0;
        QTest::newRow("full read the codec rejects") << 8 << 0 << 0 << QByteArray(6912, '\x77') << 8 << false
                                                     << QStringList{} << "" << 0;
        QTest::newRow("configuration, status not 0") << 8 << 1 << 4 << QByteArray::fromHex("03") << 8 << false
                                                     << QStringList{} << "" << 0;
        QTest::newRow("configuration, 7 bytes") << 8 << 0 << 0 << QByteArray(7, '\1') << 8 << false
                                                << QStringList{} << "" << 0;
        QTest::newRow("DPI-LED, short payload") << 8 << 0 << 0x4C << QByteArray(7, '\1') << 8 << false
                                                << QStringList{} << "" << 0;
        QTest::newRow("profile, one byte") << 14 << 0 << 0 << QByteArray::fromHex("02") << 8 << false
                                           << QStringList{"Profile 4 2 1"} << "" << 0;
        QTest::newRow("profile, two bytes") << 14 << 0 << 0 << QByteArray::fromHex("0000") << 8 << false
                                            << QStringList{"Profile 0 0 0"} << "" << 0;
        QTest::newRow("receiver LED") << 21 << 0 << 0 << QByteArray(10, '\0') << 8 << false
                                      << QStringList{"ReceiverLed 0"} << "" << 0;
        QTest::newRow("long range off") << 23 << 0 << 0 << QByteArray(10, '\0') << 8 << false
                                        << QStringList{"LongRange 0"} << "" << 0;
        QTest::newRow("long range, 9 bytes") << 23 << 0 << 0 << QByteArray(9, '\0') << 8 << false
                                             << QStringList{} << "" << 0;
        QTest::newRow("status change, no payload") << 10 << 0 << 0 << none << 8 << false
                                                   << QStringList{} << "" << 0;
        QTest::newRow("unknown class") << 99 << 0 << 0 << QByteArray::fromHex("01") << 8 << false
                                       << QStringList{} << "" << 0;
        QTest::newRow("one-byte header") << 4 << 0 << 0 << QByteArray::fromHex("4c01") << 1 << false
                                         << QStringList{} << "" << 0;
    }

    void reportRows()
    {
        QFETCH(int, reportClass);
        QFETCH(int, status);
        QFETCH(int, subCommand);
        QFETCH(QByteArray, payload);
        QFETCH(int, headerLength);
        QFETCH(bool, wired);
        QFETCH(QStringList, told);
        QFETCH(QString, changedBytes);
        QFETCH(int, writeBacks);

        DeviceAllInfo device = Receiver4k();
        device.KindFlag = wired;
        UseCurrentDevice(device);
        // Four DPI levels in use, the rest zero.
        FlashDataMap expected{};
        expected.DpiLevelCount = 4;
        g_FlashData.Set(expected);
        auto* bytes = reinterpret_cast<unsigned char*>(&expected);
        for (const QString& change : changedBytes.split(' ', Qt::SkipEmptyParts))
            bytes[change.section('=', 0, 0).toInt()] = uchar(change.section('=', 1).toInt());

        Deliver(reportClass, status, subCommand, payload, headerLength);

        QCOMPARE(m_log->Lines(), told);
        QCOMPARE(RawBytes(g_FlashData.Snapshot()), RawBytes(expected));
        QCOMPARE(JournalCalls("ProtocolDataUpdate").size(), writeBacks);
        if (!m_log->Records().isEmpty())
            QCOMPARE(RawBytes(m_log->Records().last()), RawBytes(expected));
    }

    void versionIsKeptAndStored()
    {
        RemoveRegistryValue(MouseDriveTestKey(), "MouseVer183");
        Deliver(18, 0, 0, QByteArray::fromHex("0201"));
        QCOMPARE(m_log->Lines(), QStringList{"Setver 0"});
        QCOMPARE(g_CurrentDevice.Snapshot().SecondVersion, QString("v1.2"));
        QCOMPARE(RegistryValue(MouseDriveTestKey(), "MouseVer183").toString(), QString("v1.2"));
    }

    // Change flags 0, 1, 6, 5, 3 ask in that order; flag 4 asks nothing.
    void statusFlagsAskForTheChangedItems()
    {
        Deliver(10, 0, 0, QByteArray::fromHex("7b00"));
        QCOMPARE(JournalCalls("UsbServer_Read"),
                 (QStringList{"UsbServer_ReadCurrentDPI", "UsbServer_ReadReportRate", "UsbServer_ReadBatteryLevel",
                              "UsbServer_ReadLedBar", "UsbServer_ReadDPILed"}));
        QVERIFY(!g_ReadBackRequested && !g_RestartRequested);
    }

    // A configuration change asks the device thread for a full re-read, at
    // most once per spacing; one asked for inside the spacing is asked for
    // at its end (the online watch takes it), once. Until the read has come
    // the record counts as another profile's.
    void fullReReadsAreSpacedAndDeferred()
    {
        Timings timings;
        timings.rereadSpacingMs = 200;
        ScopedTimings spacing(timings);
        ForgetDeviceRequests();
        RestartReadBackSpacing();

        Deliver(10, 0, 0, QByteArray::fromHex("0400"));
        TakeDeferredReadBack();
        QVERIFY(!g_ReadBackRequested && !g_RestartRequested);
        QVERIFY(g_ReadBackOutstanding);
        QTRY_VERIFY((TakeDeferredReadBack(), g_ReadBackRequested && g_RestartRequested));

        g_ReadBackRequested = false;
        g_RestartRequested = false;
        QThread::msleep(250);
        TakeDeferredReadBack();
        QVERIFY(!g_ReadBackRequested && !g_RestartRequested);
        Deliver(10, 0, 0, QByteArray::fromHex("0400"));
        QVERIFY(g_ReadBackRequested && g_RestartRequested);
        QVERIFY(g_ReadBackOutstanding);
        ForgetDeviceRequests();
        QVERIFY(!g_ReadBackOutstanding);
    }

    // A reconnect applies the user's long-range mode and receiver LED for
    // this receiver, else the model's (the LED only on a 4 kHz receiver),
    // and reads the device again.
    void reconnectAppliesTheReceiverOptions_data()
    {
        QTest::addColumn<QString>("advanced");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("userChoices");  // "long range,LED" as stored; empty: none
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<QStringList>("calls");

        const QString optimize = "UsbServer_SetBatteryOptimizeEnable";
        const QString read = "UsbServer_ReadAllFlashData";
        const QStringList both{optimize, "UsbFinderC_Set4KDongleRGB", "UsbFinderC_SetLongRangeMode", read};
        QTest::newRow("long range off, LED 1, 4 kHz receiver")
            << "0,1" << 1 << "" << QStringList{"ReceiverLed 1", "LongRange 0"} << both;
        QTest::newRow("the user's choices") << "0,1" << 1 << "1,3" << QStringList{"ReceiverLed 3", "LongRange 1"}
                                            << both;
        QTest::newRow("only long range chosen")
            << "0,1" << 1 << "1," << QStringList{"ReceiverLed 1", "LongRange 1"} << both;
        QTest::newRow("stored texts out of range") << "0,1" << 1 << "7,9"
                                                   << QStringList{"ReceiverLed 1", "LongRange 0"} << both;
        QTest::newRow("LED on a 2 kHz receiver is not set")
            << "1,2" << 4 << "" << QStringList{"LongRange 1"}
            << QStringList{optimize, "UsbFinderC_SetLongRangeMode", read};
        QTest::newRow("no options, whatever the user chose")
            << "-1,-1" << 1 << "1,3" << QStringList{} << QStringList{optimize, read};
        QTest::newRow("one item: no LED") << "1" << 1 << "" << QStringList{"LongRange 1"}
                                          << QStringList{optimize, "UsbFinderC_SetLongRangeMode", read};
        QTest::newRow("missing list") << "" << 1 << "" << QStringList{} << QStringList{optimize, read};
        // Only the receiver's three modes are written; 300 would reach it as 44.
        QTest::newRow("LED mode beyond the three") << "-1,300" << 1 << "" << QStringList{} << QStringList{optimize, read};
    }

    void reconnectAppliesTheReceiverOptions()
    {
        QFETCH(QString, advanced);
        QFETCH(int, kind);
        QFETCH(QString, userChoices);
        QFETCH(QStringList, told);
        QFETCH(QStringList, calls);
        WriteConfigIni(DescriptionWithAdvanced(advanced));
        DeviceAllInfo device = Receiver4k();
        device.Kind = std::uint8_t(kind);
        UseCurrentDevice(device);
        const QString group = "ReceiverModel0312";
        UserIni::GetInstance()->Remove(group, "LongRange");
        UserIni::GetInstance()->Remove(group, "Led");
        if (!userChoices.isEmpty()) {
            UserIni::GetInstance()->SetValue(group, "LongRange", userChoices.section(',', 0, 0));
            UserIni::GetInstance()->SetValue(group, "Led", userChoices.section(',', 1, 1));
        }
        ForgetDeviceRequests();

        Deliver(9, 0, 0, QByteArray::fromHex("01"));

        WriteConfigIni(DescriptionWithAdvanced("0,1"));
        UserIni::GetInstance()->Remove(group, "LongRange");
        UserIni::GetInstance()->Remove(group, "Led");
        QCOMPARE(m_log->Lines(), told);
        QStringList made;
        for (const QString& line : SimDeviceFixture::Journal())
            made.append(line.section('(', 0, 0).section(' ', 0, 0));
        QCOMPARE(made, calls);
        QCOMPARE(g_ReconnectedDevicePath.Snapshot(), device.Path.toLocal8Bit());
        const QStringList led = told.filter("ReceiverLed ");
        QCOMPARE(int(g_DongleRGB.Snapshot().Mode), led.isEmpty() ? 0 : led.first().section(' ', 1).toInt());
        ForgetDeviceRequests();
    }
};

QTEST_MAIN(TestDeviceReports)
#include "tst_devicereports.moc"
