#include "DeviceLinkFixture.h"

#include "common/HubLog.h"
#include "common/ProgramFiles.h"
#include "common/TestFolders.h"
#include "core/RegistryKeys.h"
#include "device/DeviceIdentification.h"
#include "device/FirmwareUpdateFlags.h"
#include "platform/ProgramFolder.h"
#include "platform/RegistryValues.h"
#include "device/FirmwareImages.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

namespace {

const char* const Description = "[Option]\nDeviceTotal=2\nVID=2F1E\nCID=18\n"
                                "USB_PID=5001,5002\nWireless_PID=5101\nWireless2_PID=5102\n"
                                "Wireless4_PID=5104\nWireless8_PID=5108\n"
                                "[Drive1]\nMID=3\nMM=QV_M03_MS\nD4M=QV_M03_RX4K\n"
                                "[Drive2]\nMID=4\n";

// A scenario file of the simulated library; devices as JSON objects.
QByteArray ScenarioPath(const QString& name, const QStringList& devices)
{
    const QString relative = "scenarios/" + name + ".json";
    WriteProgramFile(relative, QString("{\"name\": \"%1\", \"devices\": [%2]}").arg(name, devices.join(",")).toUtf8());
    return (ProgramFolder() + "/" + relative).toLocal8Bit();
}

QString CableMouse(const QString& id, const QString& identity, const QString& pid = "5001")
{
    return QString("{\"id\": \"%1\", \"type\": \"mouse\", %2, \"pid\": \"%3\", \"fw\": \"0x0102\", \"cable\": true,"
                   " \"awake\": true, \"battery\": 50}").arg(id, identity, pid);
}

QString Receiver(const QString& id, int rateClass, const QString& rxid, const QString& mouse)
{
    return QString("{\"id\": \"%1\", \"type\": \"receiver\", \"class\": %2, \"rxid\": \"%3\", \"fw\": \"0x0101\","
                   " \"plugged\": true, \"paired\": \"%4\", \"auto_pair\": true}").arg(id).arg(rateClass).arg(rxid, mouse);
}

QString WirelessMouse(const QString& id, const QString& identity)
{
    return QString("{\"id\": \"%1\", \"type\": \"mouse\", %2, \"fw\": \"0x0102\", \"cable\": false,"
                   " \"awake\": true, \"battery\": 50}").arg(id, identity);
}

QStringList Ids(const QList<DeviceAllInfo>& entries)
{
    QStringList ids;
    for (const DeviceAllInfo& entry : entries)
        ids.append(entry.Path.section('/', -1));
    return ids;
}

// Stands in for the device list page.
class DeviceListRecorder : public DeviceListView
{
public:
    DeviceListRecorder() { SetDeviceListView(this); }
    ~DeviceListRecorder() override { SetDeviceListView(nullptr); }

    void ShowRepairOffer(bool repairable) override { calls.append(QString("repair %1").arg(repairable)); }
    void BuildDeviceGrid() override { calls.append(QString("grid %1").arg(Ids(g_ListedDevices).join(' '))); }
    void RestyleDeviceButton(int index, const DeviceButtonLook& look) override
    {
        calls.append(QString("restyle %1 %2").arg(index).arg(look.image));
    }

    QStringList calls;
};

}  // namespace

class TestDeviceDiscovery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        UseTemporaryFolders();
        WriteConfigIni(Description);
    }

    // One device against the device description, on both sides.
    void identification_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("modelIndex");
        QTest::addColumn<int>("identity");
        QTest::addColumn<bool>("kindFlag");

        const QString known = "\"cid\": 18, \"mid\": 3";
        QTest::newRow("customer and model match") << CableMouse("m", known) << 1 << 0 << 0x0312 << true;
        QTest::newRow("second model") << CableMouse("m", "\"cid\": 18, \"mid\": 4") << 1 << 1 << 0x0412 << true;
        QTest::newRow("customer matches, unknown model")
            << CableMouse("m", "\"cid\": 18, \"mid\": 9") << 2 << 2 << 0 << true;
        QTest::newRow("other customer") << CableMouse("m", "\"cid\": 99, \"mid\": 3") << 3 << 2 << 0 << true;
        QTest::newRow("no identity within ten tries")
            << CableMouse("m", known + ", \"identity_delay\": 10") << 0 << 2 << 0 << true;
        QTest::newRow("identity after three tries")
            << CableMouse("m", known + ", \"identity_delay\": 3") << 1 << 0 << 0x0312 << true;
    }

    void identification()
    {
        QFETCH(QString, device);
        QFETCH(int, result);
        QFETCH(int, modelIndex);
        QFETCH(int, identity);
        QFETCH(bool, kindFlag);
        const QByteArray scenario = ScenarioPath("identify", {device});

        {
            DeviceLinkFixture link(scenario.constData());
            const QByteArray path = SimCtl_PathOf("m");
            DeviceAllInfo entry = NewFoundEntry(path, "2F1E", "5001");
            QCOMPARE(int(IdentifyAgainstDescription(entry, path)), result);
        }
        DeviceLinkFixture link(scenario.constData());
        const DeviceAllInfo entry = DeviceLinkFixture::Listed("m");
        QCOMPARE(entry.ModelIndex, modelIndex);
        QCOMPARE(int(entry.Identity), identity);
        QCOMPARE(entry.KindFlag, kindFlag);
        QCOMPARE(entry.Version, QString("v1.2"));
    }

    // A receiver whose mouse is of no known model stays a receiver entry.
    void unknownReceiverIsNeverWired()
    {
        DeviceLinkFixture link(ScenarioPath("unknown-receiver", {Receiver("rx", 4, "A1B2C3", "m"),
                                                                  WirelessMouse("m", "\"cid\": 18, \"mid\": 9")})
                                   .constData());
        const DeviceAllInfo entry = DeviceLinkFixture::Listed("rx");
        QCOMPARE(entry.ModelIndex, 2);
        QCOMPARE(int(entry.Kind), 1);
        QVERIFY(!entry.KindFlag);
    }

    // Product ids are searched cable first, then the receiver classes 1, 2,
    // 4 and 8, whatever the order on the bus; both sides list in that order.
    void enumerationFollowsTheProductIdLists()
    {
        const QString mouse = "\"model\": \"Drive1\"";
        DeviceLinkFixture link(ScenarioPath("order", {Receiver("rx8", 8, "A80008", "m8"),
                                                      Receiver("rx2", 2, "A20002", "m2"),
                                                      CableMouse("cable", "\"model\": \"Drive2\"", "5002"),
                                                      Receiver("rx4", 4, "A40004", "m4"),
                                                      Receiver("rx1", 1, "A10001", "m1"),
                                                      WirelessMouse("m8", mouse), WirelessMouse("m2", mouse),
                                                      WirelessMouse("m4", mouse), WirelessMouse("m1", mouse)})
                                   .constData());
        const QStringList expected{"cable", "rx1", "rx2", "rx4", "rx8"};
        DeviceLinkFixture::Listed("cable");
        QCOMPARE(Ids(g_ListedDevices), expected);
        QCOMPARE(Ids(g_ListedDevicesCopy), expected);
        QCOMPARE(g_ScreenPidList, (QStringList{"5001", "5002", "5101", "5102", "5104", "5108"}));

        EnumerateDevices("2F1E", g_ScreenPidList);
        QCOMPARE(Ids(g_DeviceList), expected);
    }

    // A model count no description can mean is cut to what the program can
    // tell apart, said once on standard error; the models it names still
    // identify their devices.
    void hugeModelCountIsBounded()
    {
        WriteConfigIni(QString(Description).replace("DeviceTotal=2", "DeviceTotal=2147483647"));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("DeviceTotal=2147483647 is more models .* the first 256 are used"));
        QCOMPARE(DeviceTotal(), MaxDeviceModels);
        QCOMPARE(ModelIndexOfMid(4), 1);
        QCOMPARE(ModelIndexOfMid(9), -1);
        {
            DeviceLinkFixture link(ScenarioPath("huge-total", {CableMouse("m", "\"cid\": 18, \"mid\": 4")}).constData());
            QCOMPARE(DeviceLinkFixture::Listed("m").ModelIndex, 1);
        }
        WriteConfigIni(Description);
        QCOMPARE(DeviceTotal(), 2);
    }

    void descriptionWithoutModelsListsNothing()
    {
        WriteConfigIni(QString(Description).replace("DeviceTotal=2", "DeviceTotal=0"));
        DeviceLinkFixture link;
        StartUsbChanged(OnDeviceListUsbChanged, Timing().hotPlugWatchMs);
        WriteConfigIni(Description);
        QVERIFY(g_ListedDevices.isEmpty());
    }

    // The device list page is asked to offer the repair when a failed update
    // is recorded, then to build its grid; an open repair dialog is asked to
    // check again unless a repair runs.
    void deviceListPipelineDrivesThePage()
    {
        DeviceLinkFixture link;
        DeviceListRecorder page;
        HubLog log;
        static bool dialogShown = false;
        SetUpdateDialogShownQuery([] { return dialogShown; });

        SetRegistryValue(MouseDriveTestKey(), "UpdateFailInfo", "211,4,18,3");
        OnDeviceListUsbChanged();
        RemoveRegistryValue(MouseDriveTestKey(), "UpdateFailInfo");
        OnDeviceListUsbChanged();
        dialogShown = true;
        g_RepairRunning = true;
        OnDeviceListUsbChanged();
        g_RepairRunning = false;
        OnDeviceListUsbChanged();
        SetUpdateDialogShownQuery(nullptr);

        const QString grid = "grid mouseB rx4k";
        QCOMPARE(page.calls, (QStringList{"repair 1", grid, "repair 0", grid, "repair 0", grid, "repair 0", grid}));
        QCOMPARE(log.Lines(), QStringList{"RepairCheckUpdate"});
    }

    void refreshingListedEntries()
    {
        DeviceLinkFixture link;
        DeviceListRecorder page;
        OnDeviceListUsbChanged();
        QCOMPARE(Ids(g_ListedDevices), (QStringList{"mouseB", "rx4k"}));

        QVERIFY(!RefreshOnlineByAddress(0));  // never paired: no receiver identity
        QVERIFY(RefreshOnlineByAddress(1));
        QCOMPARE(g_ListedDevices.at(1).ReceiverId, QByteArray::fromHex("a1b2c3"));
        QVERIFY(g_ListedDevices.at(1).Online);
        QVERIFY(!RefreshOnlineByAddress(2));

        SimCtl_SetAwake("mouseA", 0);
        page.calls.clear();
        RefreshDeviceEntry(1);
        QVERIFY(!g_ListedDevices.at(1).Online);
        QVERIFY(!g_ListedDevicesCopy.at(1).Online);
        QCOMPARE(page.calls, QStringList{"restyle 1 DisOnlin0.png"});
    }

    void buttonLooks_data()
    {
        QTest::addColumn<int>("modelIndex");
        QTest::addColumn<int>("mid");
        QTest::addColumn<bool>("online");
        QTest::addColumn<QString>("image");
        QTest::addColumn<bool>("iconShown");
        QTest::addColumn<int>("markerShown");  // -1 unchanged

        QTest::newRow("unknown") << 2 << 9 << true << "Unknow.png" << true << -1;
        QTest::newRow("online, MID 3") << 0 << 3 << true << "OnLine0.png" << true << 0;
        QTest::newRow("offline, MID 9") << 0 << 9 << false << "DisOnlin6.png" << false << 1;
        QTest::newRow("online, MID 10 keeps its style") << 1 << 10 << true << "" << true << 0;
        QTest::newRow("offline, MID 2 keeps its style") << 1 << 2 << false << "" << false << 1;
    }

    void buttonLooks()
    {
        QFETCH(int, modelIndex);
        QFETCH(int, mid);
        QFETCH(bool, online);
        QFETCH(QString, image);
        QFETCH(bool, iconShown);
        QFETCH(int, markerShown);
        DeviceAllInfo entry;
        entry.ModelIndex = modelIndex;
        entry.Identity = std::uint16_t(mid << 8 | 18);
        entry.Online = online;
        const DeviceButtonLook look = DeviceButtonLookOf(entry);
        QCOMPARE(look.image, image);
        QCOMPARE(look.connectionIconShown, iconShown);
        QCOMPARE(look.offlineMarkerShown.has_value() ? int(*look.offlineMarkerShown) : -1, markerShown);
    }

    // Unplugging the current device returns to the device list and forgets
    // the device, unless a firmware update or a pairing runs (the pairing's
    // server would lose the receiver's answer; its end hands over).
    void currentDeviceUnplugged_data()
    {
        QTest::addColumn<bool>("upgradeIdle");
        QTest::addColumn<bool>("pairing");
        QTest::newRow("nothing runs") << true << false;
        QTest::newRow("update runs") << false << false;
        QTest::newRow("pairing runs") << true << true;
    }

    void currentDeviceUnplugged()
    {
        QFETCH(bool, upgradeIdle);
        QFETCH(bool, pairing);
        DeviceLinkFixture link;
        DeviceLinkFixture::Choose("rx4k");
        QTRY_VERIFY(g_FlashData.Snapshot() != FlashDataMap{});
        HubLog log;
        g_UpgradeIdle = upgradeIdle;
        g_Pairing = pairing;

        SimCtl_Plug("rx4k", 0);
        QTRY_VERIFY(log.Lines().contains("Setver 4"));
        const bool leaves = upgradeIdle && !pairing;
        QCOMPARE(log.Lines().contains("ChangeMainDialog 0"), leaves);
        QCOMPARE(g_CurrentDevice.Snapshot().Path.isEmpty(), leaves);
    }

    // The receiver's mouse plugged in by cable: the device thread moves to
    // the cable, and losing the receiver then keeps the pages.
    void pairedMouseOnCableTakesOver()
    {
        DeviceLinkFixture link;
        DeviceLinkFixture::Choose("rx4k");
        QTRY_VERIFY(g_FlashData.Snapshot() != FlashDataMap{});
        SimCtl_JournalClear();
        HubLog log;

        SimCtl_SetCable("mouseA", 1);
        const QByteArray cable = SimCtl_PathOf("mouseA");
        QTRY_COMPARE(g_CurrentDevice.Snapshot().Path, QString::fromLatin1(cable));
        QCOMPARE(g_DevicePathC.Snapshot(), cable);
        QTRY_VERIFY(SimDeviceFixture::Journal().contains("UsbServerC_Start(" + QString::fromLatin1(cable) + ")"));
        QVERIFY(g_CurrentDevice.Snapshot().KindFlag);

        SimCtl_Plug("rx4k", 0);
        QTRY_COMPARE(log.Lines().count("Setver 4"), 2);
        QVERIFY(!log.Lines().contains("ChangeMainDialog 0"));
        QCOMPARE(g_CurrentDevice.Snapshot().Path, QString::fromLatin1(cable));
    }

    // With a mouse on its cable, the hot-plug handler asks whether firmware
    // images wait for the receiver listed beside it and for the mouse.
    void firmwareQueryForAWiredMouse_data()
    {
        QTest::addColumn<bool>("binFolder");
        QTest::addColumn<quint32>("receiverImage");
        QTest::addColumn<QString>("mark");
        QTest::newRow("newer receiver image") << true << quint32(0x0102) << "true";
        QTest::newRow("same receiver version") << true << quint32(0x0101) << "";
        QTest::newRow("no bin folder") << false << quint32(0) << "";
    }

    void firmwareQueryForAWiredMouse()
    {
        QFETCH(bool, binFolder);
        QFETCH(quint32, receiverImage);
        QFETCH(QString, mark);
        QDir(ProgramFolder() + "/bin").removeRecursively();
        if (binFolder) {
            FirmwareImageFields fields;
            fields.target = FirmwareTargetReceiver;
            fields.cid = 18;
            fields.mid = 3;
            fields.version = receiverImage;
            fields.name = "QV_M03_RX4K";
            WriteFirmwareImage("receiver.bin", fields);
        }
        DeviceLinkFixture link("cable-and-receiver");
        g_ReceiverImageWaiting = false;
        g_MouseImageWaiting = true;
        HubLog log;
        SetUpdateDialogShownQuery([] { return true; });

        DeviceLinkFixture::Choose("mouseA");
        SetUpdateDialogShownQuery(nullptr);
        QDir(ProgramFolder() + "/bin").removeRecursively();

        QCOMPARE(log.Lines({"Setver", "LabelTextB", "CheckUpdate"}),
                 (QStringList{"Setver 4", "LabelTextB v1.1 " + mark, "CheckUpdate"}));
        QCOMPARE(g_ReceiverImageWaiting.load(), mark == "true");
        // Without the folder the flags keep their values; with it the mouse,
        // whose version is not known yet, has nothing waiting.
        QCOMPARE(g_MouseImageWaiting.load(), !binFolder);
    }

    void mouseFlagFollowsAnUpdateThatEndsDuringAQuery_data()
    {
        QTest::addColumn<bool>("endsDuringTheSearch");
        QTest::newRow("the update ends while the images are searched") << true;
        QTest::newRow("the update ends after the query") << false;
    }

    // A hot-plug query for the mouse's image and the end of the mouse's
    // update, on two threads: whichever comes first, the flag is the one of
    // the installed version, and the search is made again for it when it
    // came in the middle.
    void mouseFlagFollowsAnUpdateThatEndsDuringAQuery()
    {
        QFETCH(bool, endsDuringTheSearch);
        DeviceAllInfo mouse;
        mouse.SecondVersion = "v1.2";
        g_CurrentDevice.Set(mouse);
        QStringList searchedFor;
        PublishMouseImageWaiting([&](const QString& version) {
            searchedFor << version;
            if (endsDuringTheSearch && searchedFor.size() == 1)
                StoreUpdatedMouseVersion("v1.3");
            return version == "v1.2";
        });
        if (!endsDuringTheSearch)
            StoreUpdatedMouseVersion("v1.3");

        QVERIFY(!g_MouseImageWaiting);
        const QStringList searches = endsDuringTheSearch ? QStringList{"v1.2", "v1.3"} : QStringList{"v1.2"};
        QCOMPARE(searchedFor, searches);
        QCOMPARE(g_CurrentDevice.Snapshot().SecondVersion, QString("v1.3"));
        g_CurrentDevice.Set(DeviceAllInfo());
    }
};

QTEST_MAIN(TestDeviceDiscovery)
#include "tst_devicediscovery.moc"
