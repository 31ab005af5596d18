#include "DeviceLinkFixture.h"

#include "common/HubLog.h"
#include "common/ProgramFiles.h"
#include "common/TestFolders.h"
#include "device/DeviceCache.h"
#include "device/Senders.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <algorithm>

namespace {

// The sample models; model 2 keeps the key sequences of buttons 1 and 4
// when a reconnect clears the others.
const char* const Description = "[Option]\nDeviceTotal=2\nVID=2F1E\nCID=18\nShowBatteryValue=1\n"
                                "USB_PID=5001,5002\nWireless_PID=5101\nWireless2_PID=5102\n"
                                "Wireless4_PID=5104\nWireless8_PID=5108\n"
                                "[Drive1]\nMID=3\nDPIMaxGrade=8\nAdveanced=0,1\n"
                                "[Drive2]\nMID=4\nAdveanced=1,-1\nKeyParam1=0x01,0x01,0x00\n"
                                "KeyParam2=0x05,0x00,E9\nKeyParam3=0x01,0x04,0x00\nKeyParam5=0x05,0x00,0x00,Ctrl+C\n";

const QString ReceiverCache = "Device_CID12_MID03.bin";

int JournalCount(const QString& prefix)
{
    int count = 0;
    for (const QString& line : SimDeviceFixture::Journal())
        count += line.startsWith(prefix) ? 1 : 0;
    return count;
}

bool PassEnded()
{
    return !g_WorkerThread->isRunning() && !g_WorkerRunFlag;
}

}  // namespace

class TestWorker : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        UseTemporaryFolders();
        WriteConfigIni(Description);
        QVERIFY(QDir().mkpath(DeviceCacheFolder()));
    }

    void cleanup()
    {
        QFile::remove(DeviceCacheFolder() + ReceiverCache);
    }

    // Choosing the 4 kHz receiver: one server start, the program's presence,
    // the full read into the record and the pages, then the device's states.
    // A second pass without a change does nothing.
    void chosenReceiverIsReadAndFollowed()
    {
        DeviceLinkFixture link;
        HubLog log;
        DeviceLinkFixture::Choose("rx4k");

        QTRY_VERIFY(log.Lines().contains("Profile 4 0 1"));
        const QString path = SimCtl_PathOf("rx4k");
        QCOMPARE(log.Lines(), (QStringList{"Setver 4", "UpDataParam 0", "ReceiverLed 1", "LongRange 0", "Button", "Light",
                                           "Sensor", "Form", "DpiLed", "Battery 0 76 1", "Setver 0", "Profile 4 0 1"}));
        const FlashDataMap device = SimDeviceFixture::FlashRecord("mouseA");
        QVERIFY(g_FlashData.Snapshot() == device);
        for (int i = 0; i < 3; ++i)
            QVERIFY(log.Records().at(i) == device);
        const QStringList journal = SimDeviceFixture::Journal();
        QCOMPARE(JournalCount("UsbServerC_Start"), 1);
        const int start = journal.indexOf("UsbServerC_Start(" + path + ")");
        QVERIFY(start >= 0);
        QCOMPARE(journal.mid(start + 1, 2), (QStringList{"UsbServer_SetPCDriverStatus(1)", "UsbServer_ReadAllFlashData"}));
        QCOMPARE(g_DeviceCacheNameRead.Snapshot(), ReceiverCache);
        QCOMPARE(g_CurrentDevice.Snapshot().SecondVersion, QString("v1.2"));
        QVERIFY(g_DeviceReachable);

        SimCtl_JournalClear();
        log.Clear();
        StartWorkerPass();
        QTRY_VERIFY(PassEnded());
        QVERIFY(SimDeviceFixture::Journal().isEmpty());
        QVERIFY(log.Lines().isEmpty());
        QVERIFY(g_DeviceReachable);
    }

    // Asleep, the device shows its model's cached configuration; its return
    // (a reconnect report) reads it again.
    void sleepingDeviceShowsTheCacheUntilItReturns()
    {
        DeviceLinkFixture link;
        DeviceLinkFixture::Choose("rx4k");
        QTRY_VERIFY(g_FlashData.Snapshot() != FlashDataMap{});
        QTRY_COMPARE(SimCtl_Pending(), 0);
        const FlashDataMap cached = g_FlashData.Snapshot();
        QVERIFY(SaveDeviceCache(g_DeviceCacheNameRead.Snapshot(), cached));
        FlashDataMap changed = SimDeviceFixture::FlashRecord("mouseA");
        changed.SleepTime = 90;
        SimDeviceFixture::SetFlashRecord("mouseA", changed);

        SimCtl_SetAwake("mouseA", 0);
        HubLog log;
        PostMsg::GetInstance()->EmitMainPageChange();
        StartWorkerPass();
        QTRY_VERIFY(log.Lines().contains("Form"));
        QCOMPARE(log.Lines(), (QStringList{"ReceiverLed 1", "LongRange 0", "Button", "Light", "Sensor", "Form"}));
        for (const FlashDataMap& shown : log.Records())
            QVERIFY(shown == cached);
        QVERIFY(g_DeviceOffline);
        QVERIFY(!g_CurrentDevice.Snapshot().Online);

        log.Clear();
        SimCtl_SetAwake("mouseA", 1);
        QTRY_VERIFY(log.Lines().contains("Form"));
        QVERIFY(g_FlashData.Snapshot() == changed);
        QVERIFY(log.Records().first() == changed);
        QTRY_VERIFY(log.Lines().contains("CloseOffOnline"));
        QVERIFY(!g_DeviceOffline);
    }

    // An offline device without a cached configuration resets the pages; the
    // server is started and the read asked for all the same.
    void offlineDeviceWithoutCacheResetsThePages()
    {
        DeviceLinkFixture link("asleep");
        HubLog log;
        DeviceLinkFixture::Choose("rx4k");
        QTRY_VERIFY(PassEnded());
        QCOMPARE(log.Lines(), (QStringList{"Setver 4", "ReceiverLed 1", "LongRange 0", "FormReset"}));
        QCOMPARE(JournalCount("UsbServerC_Start(" + QString(SimCtl_PathOf("rx4k"))), 1);
        QCOMPARE(JournalCount("UsbServer_ReadAllFlashData -> no answer"), 1);
        QVERIFY(g_DeviceOffline && !g_DeviceReachable);
    }

    // Which wait notice an online pass asks for.
    void onlinePassNotice_data()
    {
        QTest::addColumn<bool>("readBack");
        QTest::addColumn<bool>("suppressed");
        QTest::addColumn<QStringList>("notice");
        QTest::newRow("changed device") << false << false << QStringList{"UpDataParam 0"};
        QTest::newRow("import or reset running") << false << true << QStringList{};
        QTest::newRow("device asked for a read-back") << true << true << QStringList{"UpDataParam 1"};
    }

    void onlinePassNotice()
    {
        QFETCH(bool, readBack);
        QFETCH(bool, suppressed);
        QFETCH(QStringList, notice);
        DeviceLinkFixture link;
        DeviceLinkFixture::Choose("mouseB");
        QTRY_VERIFY(g_FlashData.Snapshot() != FlashDataMap{});
        QTRY_COMPARE(SimCtl_Pending(), 0);
        QTRY_VERIFY(PassEnded());
        HubLog log;
        SimCtl_JournalClear();

        g_SuppressApplyNotice = suppressed;
        if (readBack) {
            g_ReadBackRequested = true;
            g_RestartRequested = true;  // the online watch starts the pass
        } else {
            PostMsg::GetInstance()->EmitMainPageChange();
            StartWorkerPass();
        }
        QTRY_COMPARE(JournalCount("UsbServer_ReadAllFlashData"), 1);
        QTRY_VERIFY(PassEnded());
        // The notice reaches the pages queued from the device thread: what the
        // pass posted before it ended is delivered before the comparison.
        QCoreApplication::sendPostedEvents();
        QTRY_COMPARE(log.Lines({"UpDataParam"}), notice);
        QVERIFY(!g_ReadBackRequested && !g_RestartRequested);
    }

    void passOnTheDeviceListDoesNothing()
    {
        DeviceLinkFixture link;
        const DeviceAllInfo entry = DeviceLinkFixture::Listed("rx4k");
        PostMsg::GetInstance()->EmitSelectMouseInfo(entry);
        HubLog log;
        SimCtl_JournalClear();
        StartWorkerPass();
        QTRY_VERIFY(PassEnded());
        QCOMPARE(JournalCount("UsbServerC_Start"), 0);
        QVERIFY(log.Lines().isEmpty());
        QCOMPARE(g_DeviceCacheName.Snapshot(), ReceiverCache);
    }

    // With the device list shown, the offline watch ends at the next tick,
    // except for a device of kind 0.
    void offlineWatchOnTheDeviceList_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("watched");
        QTest::newRow("4 kHz receiver") << 1 << false;
        QTest::newRow("kind 0") << 0 << true;
    }

    void offlineWatchOnTheDeviceList()
    {
        QFETCH(int, kind);
        QFETCH(bool, watched);
        DeviceLinkFixture link;
        DeviceAllInfo device;
        device.Kind = std::uint8_t(kind);
        g_CurrentDevice.Set(device);
        g_DeviceOffline = true;
        link.DeviceThread()->SlotCheckOnline();
        QCOMPARE(g_DeviceOffline.load(), watched);
    }

    // The reconnect's re-read clears only the key sequences and macros that
    // no button uses (the model's own key-sequence buttons 1 and 4 keep
    // theirs too), writes the record back only when that changed it, and
    // reads no receiver option back; the next full read does.
    void reconnectClearsOnlyUnusedSequencesAndMacros()
    {
        DeviceLinkFixture link;
        DeviceLinkFixture::Choose("mouseB");
        QTRY_VERIFY(g_FlashData.Snapshot() != FlashDataMap{});
        QTRY_COMPARE(SimCtl_Pending(), 0);

        FlashDataMap filled = SimDeviceFixture::FlashRecord("mouseB");
        for (int button = 0; button < ButtonCount; ++button) {
            filled.Buttons[button] = {1, 1, 0};
            filled.KeyEvents[button].EventCount = 2;
            filled.KeyEvents[button].Events[0].Code = std::uint16_t(0x04 + button);
            filled.KeyEvents[button].Events[1] = filled.KeyEvents[button].Events[0];
            filled.KeyEvents[button].Events[1].Direction = 1;
        }
        for (int button = 0; button < 6; ++button) {
            filled.Macros[button].NameLength = 1;
            filled.Macros[button].Name[0] = char('a' + button);
            filled.Macros[button].EventCount = 1;
            filled.Macros[button].Events[0].Code = 0x1E;
            filled.Macros[button].Events[0].Kind = 1;
        }
        filled.Buttons[2] = {5, 0, 0};  // a key combination
        filled.Buttons[3] = {6, 0, 1};  // a macro
        SimDeviceFixture::SetFlashRecord("mouseB", filled);
        HubLog log;
        SimCtl_JournalClear();

        const unsigned char reconnect = 1;
        SimCtl_Inject(9, 0, 0, &reconnect, 1);
        QTRY_VERIFY(log.Lines().contains("Form"));
        const FlashDataMap record = g_FlashData.Snapshot();
        for (int button = 0; button < ButtonCount; ++button) {
            const bool modelKeeps = button == 1 || button == 4;
            QCOMPARE(record.KeyEvents[button].EventCount, std::uint8_t(modelKeeps || button == 2 ? 2 : 0));
            QCOMPARE(record.Macros[button].NameLength, std::uint8_t(modelKeeps || button == 3 ? 1 : 0));
        }
        QCOMPARE(JournalCount("ProtocolDataUpdate"), 1);
        QVERIFY(SimDeviceFixture::FlashRecord("mouseB") == record);
        QCOMPARE(log.Lines().first(), QString("LongRange 1"));
        QCOMPARE(JournalCount("UsbFinderC_GetLongRangeMode"), 0);
        QVERIFY(g_ReconnectedDevicePath.Snapshot().isEmpty());

        // Nothing unused is left: the next wake writes nothing.
        QTRY_COMPARE(SimCtl_Pending(), 0);
        log.Clear();
        SimCtl_JournalClear();
        SimCtl_Inject(9, 0, 0, &reconnect, 1);
        QTRY_VERIFY(log.Lines().contains("Form"));
        QTRY_COMPARE(SimCtl_Pending(), 0);
        QCOMPARE(JournalCount("ProtocolDataUpdate"), 0);
        QVERIFY(g_FlashData.Snapshot() == record);

        UsbServer_ReadAllFlashData();
        QTRY_COMPARE(JournalCount("UsbFinderC_GetLongRangeMode"), 1);
    }

    // Two quick presses of the mouse's profile button, then a DPI press: the
    // second profile's re-read, asked for inside the spacing, comes at its
    // end; meanwhile nothing is written (neither the DPI report nor a page
    // edit sends the record held, which is still the first profile's).
    void quickProfileSwitchesKeepEveryProfile()
    {
        DeviceLinkFixture link;
        Timings timings = Timing();
        timings.rereadSpacingMs = 1000;
        ScopedTimings spacing(timings);
        const std::uint8_t rates[] = {8, 4, 2, 1};
        QList<FlashDataMap> stored;
        for (int profile = 0; profile < 4; ++profile) {
            FlashDataMap record = SimDeviceFixture::FlashRecord("mouseA", profile);
            record.ReportRate = rates[profile];
            SimDeviceFixture::SetFlashRecord("mouseA", record, profile);
            stored << record;
        }
        DeviceLinkFixture::Choose("rx4k");
        QTRY_VERIFY(g_FlashData.Snapshot() == stored[0]);
        QTRY_COMPARE(SimCtl_Pending(), 0);

        QVERIFY(SimCtl_Press("mouseA", "profile"));
        QTRY_VERIFY(g_FlashData.Snapshot() == stored[1]);
        HubLog log;
        SimCtl_JournalClear();
        QVERIFY(SimCtl_Press("mouseA", "profile"));
        QVERIFY(SimCtl_Press("mouseA", "dpi-up"));
        QTRY_VERIFY(log.Lines().filter("Dpi ").size() == 1);
        QVERIFY(!SendReportRate(1));

        QTRY_VERIFY_WITH_TIMEOUT(g_FlashData.Snapshot() == SimDeviceFixture::FlashRecord("mouseA", 2), 10000);
        QTRY_COMPARE(SimCtl_Pending(), 0);
        QVERIFY(!g_ReadBackOutstanding && !g_ReadBackRequested && !g_RestartRequested);
        QCOMPARE(JournalCount("UsbServer_ReadAllFlashData"), 1);
        QCOMPARE(JournalCount("ProtocolDataUpdate"), 0);
        // Only the mouse's own DPI press changed the active profile.
        stored[2].CurrentDpiLevel = std::uint8_t(std::min(stored[2].CurrentDpiLevel + 1, stored[2].DpiLevelCount - 1));
        for (int profile = 0; profile < 4; ++profile)
            QVERIFY(SimDeviceFixture::FlashRecord("mouseA", profile) == stored[profile]);
        QVERIFY(log.Records().last() == stored[2]);

        // The record is the device's again: an edit reaches it.
        QVERIFY(SendReportRate(1));
        QCOMPARE(SimDeviceFixture::FlashRecord("mouseA", 2).ReportRate, std::uint8_t(1));
    }

    // A reconnect whose read never comes leaves nothing for the receiver
    // opened next: its read asks for its own options.
    void reconnectWithoutAnswerLeavesNothingForTheNextReceiver()
    {
        DeviceLinkFixture link("wireless");
        DeviceLinkFixture::Choose("rx4k");
        QTRY_VERIFY(g_FlashData.Snapshot() != FlashDataMap{});
        QTRY_COMPARE(SimCtl_Pending(), 0);
        UsbFinderC_SetLongRangeMode(SimCtl_PathOf("rx4k"), 1);
        SimCtl_SetAwake("mouse3", 0);
        QTRY_COMPARE(SimCtl_Pending(), 0);
        const unsigned char reconnect = 1;
        SimCtl_Inject(9, 0, 0, &reconnect, 1);
        QTRY_COMPARE(JournalCount("UsbServer_ReadAllFlashData -> no answer"), 1);

        PostMsg::GetInstance()->EmitMainPageChange();
        g_DevicePageShown = false;
        SimCtl_JournalClear();
        HubLog log;
        g_FlashData.Set(FlashDataMap{});
        DeviceLinkFixture::Choose("rx1k");
        QTRY_VERIFY(log.Lines().contains("Form"));
        QCOMPARE(JournalCount(QString("UsbFinderC_GetLongRangeMode(") + SimCtl_PathOf("rx1k")), 1);
        QCOMPARE(log.Lines({"LongRange"}), QStringList{"LongRange 0"});
        QVERIFY(g_FlashData.Snapshot() == SimDeviceFixture::FlashRecord("mouse1"));
    }

    // An offline receiver shows its own LED and long-range modes with the
    // cached configuration, not those of the receiver opened before.
    void offlineReceiverShowsItsOwnOptions()
    {
        QTemporaryDir folder;
        const QString scenario = folder.filePath("two-receivers.json");
        QFile file(scenario);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"({"name": "two-receivers", "devices": [
            {"id": "rxA", "type": "receiver", "class": 4, "rxid": "A1B2C3", "fw": "0x0101", "paired": "mouseA",
             "led_mode": 1, "long_range": 0, "auto_pair": true},
            {"id": "rxB", "type": "receiver", "class": 4, "rxid": "B1B2C3", "fw": "0x0101", "paired": "mouseB",
             "led_mode": 3, "long_range": 1, "auto_pair": true},
            {"id": "mouseA", "type": "mouse", "model": "Drive1", "fw": "0x0102", "battery": 76, "profiles": 4},
            {"id": "mouseB", "type": "mouse", "model": "Drive1", "fw": "0x0102", "battery": 50, "profiles": 4}]})");
        file.close();
        DeviceLinkFixture link(scenario.toLocal8Bit().constData());
        DeviceLinkFixture::Choose("rxA");
        QTRY_VERIFY(g_FlashData.Snapshot() != FlashDataMap{});
        QTRY_COMPARE(SimCtl_Pending(), 0);
        QVERIFY(SaveDeviceCache(g_DeviceCacheNameRead.Snapshot(), g_FlashData.Snapshot()));

        PostMsg::GetInstance()->EmitMainPageChange();
        g_DevicePageShown = false;
        SimCtl_SetAwake("mouseB", 0);
        HubLog log;
        DeviceLinkFixture::Choose("rxB");
        QTRY_VERIFY(log.Lines().contains("Form"));
        QCOMPARE(log.Lines({"ReceiverLed", "LongRange", "Form"}), (QStringList{"ReceiverLed 3", "LongRange 1", "Form"}));
        QVERIFY(g_DeviceOffline);
    }

    // Shutting down while a pass waits for the GUI thread in a blocking
    // emission ends at once, and the pass emits nothing more.
    void stopWhileAPassWaitsForTheGuiThread()
    {
        DeviceLinkFixture link("asleep");
        QVERIFY(SaveDeviceCache(ReceiverCache, SimDeviceFixture::FlashRecord("mouseA")));
        HubLog log;
        DeviceLinkFixture::Choose("rx4k");
        QThread::msleep(200);  // the pass now waits for the first page slot (the receiver's LED)
        QVERIFY(g_WorkerThread->isRunning());

        QElapsedTimer stopping;
        stopping.start();
        link.StopDeviceThread();
        QVERIFY(stopping.elapsed() < 5000);
        QTest::qWait(50);
        QCOMPARE(log.Lines(), (QStringList{"Setver 4", "ReceiverLed 1"}));
    }
};

QTEST_MAIN(TestWorker)
#include "tst_worker.moc"
