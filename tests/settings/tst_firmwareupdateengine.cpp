#include "settings/FirmwareUpdateEngine.h"

#include "FirmwareFlowKit.h"
#include "common/HubLog.h"
#include "core/ConfigIni.h"
#include "core/PostMsg.h"
#include "core/Timing.h"
#include "device/DeviceLinkFixture.h"
#include "device/DeviceState.h"
#include "device/DeviceThreadDiscovery.h"
#include "platform/ProgramFolder.h"
#include "device/FirmwareImages.h"
#include "settings/FirmwareLibrary.h"
#include "settings/FirmwareUpdateState.h"
#include "settings/UpDateRepair.h"
#include "settings/Ui_UpDateRepair.h"
#include "settings/UpdateUpgrade.h"
#include "widgets/FirmwareNotices.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// Positions of the settings page's texts in its language section.
enum { Receive = 7, WiredMode = 14, NoDevice = 15, SameDevice = 17, VerNew = 18, NoRecieve = 23, NoUSB = 24,
       Error = 25, MultiMouse = 26, MultiDongle = 27, ImageDamaged = 44, ReceiverImageDamaged = 45,
       MouseImageDamaged = 46 };
// and of the dialog's.
enum { Ready = 16, UpdateSuccess = 7, UpdateFail = 6, NoAnswer = 17 };

QString PageText(int position)
{
    return TextOf(g_LangTextsFormSetting, position);
}

// The widgets of the settings page that the update drives.
struct SettingsPageStandIn {
    QWidget page;
    QLabel receiverVersion{&page};
    QLabel mouseVersion{&page};
    QToolButton receiverMark{&page};
    QToolButton mouseMark{&page};
    QToolButton updateButton{&page};

    SettingsPageStandIn()
    {
        page.resize(883, 630);
        updateButton.setText(PageText(Receive));
        updateButton.hide();
        receiverMark.hide();
        mouseMark.hide();
    }

    FirmwareUpdateWidgets Widgets()
    {
        return {&page, &receiverVersion, &mouseVersion, &receiverMark, &mouseMark, &updateButton};
    }
};

void ResetUpdateState()
{
    g_ReceiverUpdateState = UpdateStateReset;
    g_MouseUpdateState = UpdateStateReset;
    g_UpdatePartCount = 1;
    g_UpdateTarget = 0;
    g_UpdateDongleKind = 0;
    g_UpdateCid = 0;
    g_UpdateMid = 0;
    g_ReceiverImageWaiting = false;
    g_MouseImageWaiting = false;
    g_UpdateBusy = false;
    g_UpgradeIdle = true;
    g_DeviceList.clear();
    g_CurrentDevice.Set(DeviceAllInfo());
    SetFailedUpdateRecordText(QString());
    QFile::remove(UpdateLogPath());
}

// The page shell shows a simulated device: it is the current device, the
// device thread's hot-plug handler is registered and has found the devices
// around it. A mouse reports its version as the version report would.
void OpenDevice(const char* simId, const QString& mouseVersion)
{
    DeviceAllInfo entry = DeviceLinkFixture::Listed(simId);
    entry.SecondVersion = mouseVersion;
    g_CurrentDevice.Set(entry);
    g_DevicePageShown = true;
    StartUsbChanged(OnUsbChanged, Timing().hotPlugWatchMs);
}

int Firmware(const char* id)
{
    return SimDeviceFixture::Value(id, "fw").toInt();
}

QList<int> ProgressValues(const HubLog& log)
{
    QList<int> values;
    for (const QString& line : log.Lines({"Progress"})) {
        if (line.endsWith(" 0"))
            values << line.section(' ', 1, 1).toInt();
    }
    return values;
}

QString DialogMessage(const FirmwareUpdateEngine& engine)
{
    return engine.Dialog()->Form()->ToolText_2->text();
}

// Two receivers of the 4 kHz class waiting in boot mode beside a wired mouse.
const char* const kTwoBootReceivers = R"({"name": "two-boot-receivers", "devices": [
    {"id": "rxA", "type": "receiver", "class": 4, "rxid": "A1B2C3", "fw": "0x0000", "boot": true},
    {"id": "rxB", "type": "receiver", "class": 4, "rxid": "A1B2C4", "fw": "0x0000", "boot": true},
    {"id": "mouseA", "type": "mouse", "model": "Drive1", "fw": "0x0102", "cable": true}]})";

// The cable mouse beside its receiver, opened on the device pages, and the
// settings page's update of both.
struct CableMouseUpdate
{
    CableMouseUpdate()
    {
        OpenDevice("mouseA", "v1.2");
        engine.SetVer(0);
    }

    // The update button, then the dialog's start button.
    void Start()
    {
        page.updateButton.click();
        engine.Dialog()->Form()->NewHong_2->click();
    }

    SettingsPageStandIn page;
    FirmwareUpdateEngine engine{page.Widgets()};
    HubLog log;
};

} // namespace

Q_DECLARE_METATYPE(QList<DeviceAllInfo>)

class TestFirmwareUpdateEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { PrepareFirmwareFolders(); }
    void init() { ResetUpdateState(); }
    void cleanup() { ResetUpdateState(); }

    void decisions_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QList<DeviceAllInfo>>("present");
        QTest::addColumn<QString>("versions");  // receiver label, mouse label
        QTest::addColumn<int>("message");       // -1: the update can start
        QTest::addColumn<int>("parts");

        const DeviceAllInfo mouse3 = HandEntry(true, 3);
        const DeviceAllInfo receiver3 = HandEntry(false, 3);
        DeviceAllInfo anonymousReceiver = receiver3;
        anonymousReceiver.ReceiverId.clear();
        const auto list = [](std::initializer_list<DeviceAllInfo> entries) { return QList<DeviceAllInfo>(entries); };
        const QString old = "v1.1 v1.2";

        QTest::newRow("nothing present") << "default" << "" << list({}) << old << int(Error) << 1;
        QTest::newRow("two receivers") << "default" << "" << list({receiver3, receiver3}) << old << int(NoUSB) << 1;
        QTest::newRow("different models")
            << "default" << "" << list({mouse3, HandEntry(false, 4)}) << old << int(NoRecieve) << 1;
        QTest::newRow("receiver without identity")
            << "default" << "" << list({mouse3, anonymousReceiver}) << old << int(NoRecieve) << 1;
        QTest::newRow("both images") << "default" << "" << list({mouse3, receiver3}) << old << -1 << 2;
        QTest::newRow("mouse image only") << "default" << "" << list({mouse3, receiver3}) << "v1.2 v1.2" << -1 << 1;
        QTest::newRow("up to date") << "default" << "" << list({mouse3, receiver3}) << "v1.2 v1.3" << int(VerNew) << 1;
        QTest::newRow("two receivers of three")
            << "default" << "" << list({mouse3, receiver3, receiver3}) << old << int(MultiDongle) << 1;
        QTest::newRow("two mice of three")
            << "default" << "" << list({mouse3, mouse3, receiver3}) << old << int(MultiMouse) << 1;
        QTest::newRow("two and two")
            << "default" << "" << list({mouse3, mouse3, receiver3, receiver3}) << old << int(MultiMouse) << 1;
        QTest::newRow("wired alone, no record") << "default" << "" << list({mouse3}) << old << int(NoRecieve) << 1;
        QTest::newRow("receiver alone, no record") << "default" << "" << list({receiver3}) << old << int(NoUSB) << 1;
        QTest::newRow("record of three items")
            << "default" << "211,4,18" << list({mouse3}) << old << int(NoRecieve) << 1;
        QTest::newRow("failed receiver, receiver present")
            << "default" << "211,4,18,3" << list({receiver3}) << old << int(NoUSB) << 1;
        QTest::newRow("failed mouse, mouse present")
            << "default" << "210,4,18,3" << list({mouse3}) << old << int(NoRecieve) << 1;
        QTest::newRow("record of another customer")
            << "boot-receiver" << "211,4,19,3" << list({mouse3}) << old << int(Error) << 1;
        QTest::newRow("unknown target") << "boot-receiver" << "212,4,18,3" << list({mouse3}) << old << int(Error) << 1;
        QTest::newRow("resume, no device in boot mode")
            << "cable-and-receiver" << "211,4,18,3" << list({mouse3}) << old << int(NoDevice) << 1;
        QTest::newRow("resume, two in boot mode")
            << kTwoBootReceivers << "211,4,18,3" << list({mouse3}) << old << int(SameDevice) << 1;
        QTest::newRow("resume of the receiver, mouse image too")
            << "boot-receiver" << "211,4,18,3" << list({mouse3}) << old << -1 << 2;
        QTest::newRow("resume of the mouse, receiver up to date")
            << "boot-mouse" << "210,4,18,3" << list({receiver3}) << "v1.2 v1.2" << -1 << 1;
        // An update cut short before its result left no record: the device
        // in boot mode is resumed all the same.
        QTest::newRow("resume of the receiver without a record")
            << "boot-receiver" << "" << list({mouse3}) << old << -1 << 2;
        QTest::newRow("resume of the mouse without a record")
            << "boot-mouse" << "" << list({receiver3}) << "v1.2 v1.2" << -1 << 1;
    }

    void decisions()
    {
        QFETCH(QString, scenario);
        QFETCH(QString, record);
        QFETCH(QList<DeviceAllInfo>, present);
        QFETCH(QString, versions);
        QFETCH(int, message);
        QFETCH(int, parts);
        QTemporaryFile scenarioFile;
        if (scenario.startsWith('{')) {
            QVERIFY(scenarioFile.open());
            scenarioFile.write(scenario.toUtf8());
            scenarioFile.close();
            scenario = scenarioFile.fileName();
        }
        SimDeviceFixture sim(qPrintable(scenario));
        SetFailedUpdateRecordText(record);
        g_DeviceList = present;
        g_CurrentDevice.Set(present.value(0, HandEntry(true, 3)));
        SettingsPageStandIn page;
        page.receiverVersion.setText(versions.section(' ', 0, 0));
        page.mouseVersion.setText(versions.section(' ', 1, 1));
        FirmwareUpdateEngine engine(page.Widgets());
        engine.Dialog()->ResetView();

        QCOMPARE(engine.ChechIsUpDate(), message < 0);
        QCOMPARE(DialogMessage(engine), message < 0 ? QString() : PageText(message));
        QCOMPARE(int(g_UpdatePartCount), parts);
    }

    // Cut images are passed over: the dialog says they are damaged rather
    // than that the device is up to date, and a resume does not start.
    void damagedImagesAreNamed_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QList<DeviceAllInfo>>("present");
        QTest::newRow("mouse and receiver") << "default" << "" << QList<DeviceAllInfo>{HandEntry(true, 3), HandEntry(false, 3)};
        QTest::newRow("resume of the receiver") << "boot-receiver" << "211,4,18,3" << QList<DeviceAllInfo>{HandEntry(true, 3)};
    }

    void damagedImagesAreNamed()
    {
        QFETCH(QString, scenario);
        QFETCH(QString, record);
        QFETCH(QList<DeviceAllInfo>, present);
        SimDeviceFixture sim(qPrintable(scenario));
        SpoiledFirmwareImage cutReceiver("QV_M03_RX4K.bin");
        SpoiledFirmwareImage cutMouse("QV_M03_MS.bin", 2 * FirmwareImageHeaderSize);
        SetFailedUpdateRecordText(record);
        g_DeviceList = present;
        g_CurrentDevice.Set(present.first());
        SettingsPageStandIn page;
        page.receiverVersion.setText("v1.1");
        page.mouseVersion.setText("v1.2");
        FirmwareUpdateEngine engine(page.Widgets());
        engine.Dialog()->ResetView();

        QVERIFY(!engine.ChechIsUpDate());
        QCOMPARE(DialogMessage(engine), PageText(ImageDamaged));
    }

    // No image for either part: the button says so and stays inert.
    void upToDateButtonDoesNothing()
    {
        SimDeviceFixture sim;
        g_DeviceList = {HandEntry(true, 3), HandEntry(false, 3)};
        g_CurrentDevice.Set(g_DeviceList.first());
        SettingsPageStandIn page;
        page.receiverVersion.setText("v1.2");
        page.mouseVersion.setText("v1.3");
        FirmwareUpdateEngine engine(page.Widgets());

        engine.on_Receive_2_clicked();
        QCOMPARE(page.updateButton.text(), PageText(VerNew));
        QVERIFY(!engine.Dialog()->isVisible());
        g_DeviceList.clear();
        engine.on_Receive_2_clicked();
        QVERIFY(!engine.Dialog()->isVisible());
        QCOMPARE(DialogMessage(engine), PageText(VerNew));
    }

    // With two parts the receiver fills the bar to half and the mouse the
    // rest; one part passes the percentage on.
    void progressReports_data()
    {
        QTest::addColumn<int>("parts");
        QTest::addColumn<bool>("mouseRunning");
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<QStringList>("emitted");
        const auto progress = [](int percent) { return QByteArray("\x07\x01", 2) + char(percent); };
        QTest::newRow("receiver 100 of two") << 2 << false << progress(100) << QStringList{"Progress 50 0"};
        QTest::newRow("mouse 0 of two") << 2 << true << progress(0) << QStringList{"Progress 50 0"};
        QTest::newRow("mouse 100 of two") << 2 << true << progress(100) << QStringList{"Progress 100 0"};
        QTest::newRow("one part unchanged") << 1 << false << progress(37) << QStringList{"Progress 37 0"};
        QTest::newRow("receiver byte 255") << 2 << false << progress(255) << QStringList{"Progress 127 0"};
        QTest::newRow("mouse byte 255") << 2 << true << progress(255) << QStringList{"Progress 177 0"};
        QTest::newRow("not an upgrade report") << 1 << false << QByteArray("\x06\x01\x20", 3) << QStringList();
        QTest::newRow("neither progress nor result") << 1 << false << QByteArray("\x07\x03\x20", 3) << QStringList();
    }

    void progressReports()
    {
        QFETCH(int, parts);
        QFETCH(bool, mouseRunning);
        QFETCH(QByteArray, report);
        QFETCH(QStringList, emitted);
        g_UpdatePartCount = parts;
        (mouseRunning ? g_MouseUpdateState : g_ReceiverUpdateState) = UpdateStateRunning;
        HubLog log;
        ReceiverUpgradeCallback(reinterpret_cast<unsigned char*>(report.data()));
        QCOMPARE(log.Lines(), emitted);
        QCOMPARE(int(mouseRunning ? g_MouseUpdateState : g_ReceiverUpdateState), int(UpdateStateRunning));
    }

    void failureIsLoggedAndRecorded()
    {
        SimDeviceFixture sim;
        g_ReceiverUpdateState = UpdateStateRunning;
        g_MouseUpdateState = UpdateStateSucceeded;
        g_ReceiverImageWaiting = true;
        g_MouseImageWaiting = true;
        g_UpdateTarget = 211;
        g_UpdateDongleKind = 4;
        g_UpdateCid = 2;
        g_UpdateMid = 7;
        HubLog log;
        unsigned char failure[] = {7, 2, 0};
        MouseUpgradeCallback(failure);

        QCOMPARE(log.Lines(), QStringList{"Progress 0 1"});
        QCOMPARE(FailedUpdateRecordText(), QString("211,4,2,7"));
        QCOMPARE(int(g_ReceiverUpdateState), int(UpdateStateFailed));
        QCOMPARE(int(g_MouseUpdateState), int(UpdateStateSucceeded));
        QVERIFY(!g_ReceiverImageWaiting && !g_MouseImageWaiting);
        QFile file(UpdateLogPath());
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QCOMPARE(QString::fromLocal8Bit(file.readAll()), UpgradeLogLines().join('\n') + '\n');
        QCOMPARE(UpgradeLogLines().size(), 8);
    }

    void successStoresTheVersion_data()
    {
        QTest::addColumn<bool>("mouse");
        QTest::addColumn<int>("parts");
        QTest::addColumn<QStringList>("emitted");
        QTest::addColumn<QString>("mouseVersionWhenTold"); // the current device's, as the success is told
        QTest::newRow("receiver of two keeps the progress view") << false << 2 << QStringList{"LabelText 0 v1.3"}
                                                                 << "";
        QTest::newRow("receiver alone") << false << 1 << QStringList{"LabelText 0 v1.3", "Progress 0 2"} << "v1.2";
        QTest::newRow("mouse") << true << 2 << QStringList{"LabelText 1 v1.3", "Progress 0 2"} << "v1.3";
    }

    void successStoresTheVersion()
    {
        QFETCH(bool, mouse);
        QFETCH(int, parts);
        QFETCH(QStringList, emitted);
        QFETCH(QString, mouseVersionWhenTold);
        SimDeviceFixture sim;
        const QString mouseVersionName = "MouseVer183";
        RemoveRegistryValue(MouseDriveTestKey(), mouseVersionName);
        SetFailedUpdateRecordText("210,4,18,3");
        g_UpdatePartCount = parts;
        (mouse ? g_MouseUpdateState : g_ReceiverUpdateState) = UpdateStateRunning;
        SetUpdateImageVersion("v1.3");
        HubLog log;
        g_CurrentDevice.Lock()->SecondVersion = "v1.2";
        g_MouseImageWaiting = mouse;
        QString versionWhenTold;
        QObject told;
        connect(PostMsg::GetInstance(), &PostMsg::SigProgress, &told,
                [&versionWhenTold] { versionWhenTold = g_CurrentDevice.Snapshot().SecondVersion; });
        unsigned char success[] = {7, 2, 1};
        ReceiverUpgradeCallback(success);

        QCOMPARE(log.Lines(), emitted);
        QCOMPARE(versionWhenTold, mouseVersionWhenTold);
        QVERIFY(!g_MouseImageWaiting);
        QCOMPARE(int(mouse ? g_MouseUpdateState : g_ReceiverUpdateState), int(UpdateStateSucceeded));
        QCOMPARE(FailedUpdateRecordText(), QString());
        QCOMPARE(RegistryValue(MouseDriveTestKey(), mouseVersionName).toString(), mouse ? "v1.3" : "");
    }

    void versionLabels()
    {
        SimDeviceFixture sim("cable-and-receiver");
        OpenDevice("mouseA", "v1.2");
        SettingsPageStandIn page;
        FirmwareUpdateEngine engine(page.Widgets());

        engine.SetVer(0);
        QCOMPARE(page.receiverVersion.text(), QString("v1.1"));
        QCOMPARE(page.mouseVersion.text(), QString("v1.2"));
        QVERIFY(g_ReceiverImageWaiting && g_MouseImageWaiting);
        QVERIFY(page.updateButton.isVisibleTo(&page.page));
        QVERIFY(page.updateButton.styleSheet().contains("WaitUpdate.png"));

        // Without the bin folder the labels follow, the flags and look stay.
        QVERIFY(QDir().rename(ProgramFolder() + "/bin", ProgramFolder() + "/bin.off"));
        g_MouseImageWaiting = false;
        g_CurrentDevice.Lock()->SecondVersion = "v1.3";
        engine.SetVer(0);
        QVERIFY(QDir().rename(ProgramFolder() + "/bin.off", ProgramFolder() + "/bin"));
        QCOMPARE(page.mouseVersion.text(), QString("v1.3"));
        QVERIFY(g_ReceiverImageWaiting && !g_MouseImageWaiting);
        QVERIFY(page.updateButton.styleSheet().contains("WaitUpdate.png"));

        // A wired mouse alone has no receiver class: no receiver image waits.
        g_DeviceList.removeLast();
        engine.SetVer(0);
        QCOMPARE(page.receiverVersion.text(), QString());
        QVERIFY(!g_ReceiverImageWaiting);

        page.receiverMark.show();
        page.updateButton.setText(PageText(VerNew));
        engine.SetVer(4);
        QCOMPARE(page.updateButton.text(), PageText(Receive));
        QVERIFY(page.receiverMark.isHidden());
        engine.SetVer(6);
        QCOMPARE(page.mouseVersion.text(), QString());
    }

    // The receiver, then the mouse on its cable: one bar, the new versions
    // on the page, the mouse's also in the registry.
    void updateReceiverAndMouse()
    {
        DeviceLinkFixture link("cable-and-receiver");
        ManualDeviceClock clock;
        CableMouseUpdate update;
        SettingsPageStandIn& page = update.page;
        FirmwareUpdateEngine& engine = update.engine;
        HubLog& log = update.log;

        page.updateButton.click();
        QVERIFY(engine.Dialog()->isVisible());
        QCOMPARE(DialogMessage(engine), TextOf(g_LangTextsAutoRepair, Ready));
        engine.Dialog()->Form()->NewHong_2->click();
        QVERIFY(g_UpdateBusy);
        QVERIFY(ManualDeviceClock::RunUntil([&] { return log.Lines().contains("Progress 0 2"); }));
        // The mouse comes back with its new firmware; the result stays shown.
        QVERIFY(ManualDeviceClock::RunUntil([] { return !g_UpdateBusy && SimCtl_Pending() == 0; }));

        QCOMPARE(Firmware("rx4k"), 0x0102);
        QCOMPARE(Firmware("mouseA"), 0x0103);
        QCOMPARE(log.Lines({"LabelText"}), (QStringList{"LabelText 0 v1.2", "LabelText 1 v1.3"}));
        QCOMPARE(RegistryValue(MouseDriveTestKey(), "MouseVer183").toString(), QString("v1.3"));
        const QList<int> bar = ProgressValues(log);
        QVERIFY(std::is_sorted(bar.begin(), bar.end()));
        QVERIFY(bar.contains(50) && bar.last() == 100);
        QCOMPARE(DialogMessage(engine), TextOf(g_LangTextsAutoRepair, UpdateSuccess));
        QCOMPARE(page.receiverVersion.text(), QString("v1.2"));
        QCOMPARE(page.mouseVersion.text(), QString("v1.3"));
        QVERIFY(g_UpgradeIdle);
        QVERIFY(!g_ReceiverImageWaiting && !g_MouseImageWaiting);
        QCOMPARE(FailedUpdateRecordText(), QString());

        // Closing after the full bar shows the button as up to date.
        engine.Dialog()->Form()->NewHong_2->click();
        QCOMPARE(page.updateButton.text(), PageText(VerNew));
    }

    // A device goes during the update of the receiver and then the mouse,
    // opened on the receiver: the dialog ends with what became of it and can
    // be closed, and the failure record holds only a device left in boot
    // mode mid-write, never one that was not touched.
    void deviceGoneDuringUpdate_data()
    {
        QTest::addColumn<QString>("gone");        // "cable mouseA", or a device unplugged
        QTest::addColumn<QString>("when");        // the part under way: its first report, or the mouse's preparation
        QTest::addColumn<int>("bar");             // the bar under the result; -1 where it stopped
        QTest::addColumn<QString>("record");
        QTest::addColumn<int>("receiverFirmware");
        QTest::addColumn<int>("mouseFirmware");
        QTest::addColumn<QString>("mouseBoot");
        QTest::newRow("mouse cable pulled while the receiver is written")
            << "cable mouseA" << "receiver" << 50 << "" << 0x0102 << 0x0102 << "0";
        QTest::newRow("mouse cable pulled as its part starts")
            << "cable mouseA" << "mouse prepared" << 50 << "" << 0x0102 << 0x0102 << "0";
        QTest::newRow("mouse unplugged while it is written")
            << "mouseA" << "mouse" << -1 << "210,4,18,3" << 0x0102 << 0 << "1";
        QTest::newRow("receiver unplugged while it is written")
            << "rx4k" << "receiver" << -1 << "211,4,18,3" << 0 << 0x0102 << "0";
    }

    void deviceGoneDuringUpdate()
    {
        QFETCH(QString, gone);
        QFETCH(QString, when);
        QFETCH(int, bar);
        QFETCH(QString, record);
        QFETCH(int, receiverFirmware);
        QFETCH(int, mouseFirmware);
        QFETCH(QString, mouseBoot);
        DeviceLinkFixture link("cable-and-receiver");
        ManualDeviceClock clock;
        // Steps of the usual length leave the device list time to follow the
        // cable before the mouse's part counts its devices.
        Timings timings = Timing();
        if (when == "mouse prepared")
            timings.firmwareUpdateStepMs = Timings().firmwareUpdateStepMs;
        ScopedTimings steps(timings);
        OpenDevice("rx4k", "v1.2");
        SettingsPageStandIn page;
        FirmwareUpdateEngine engine(page.Widgets());
        engine.SetVer(0);
        HubLog log;
        page.updateButton.click();
        QCOMPARE(int(g_UpdatePartCount), 2);
        engine.Dialog()->Form()->NewHong_2->click();

        // The mouse part's step timer is the engine's second.
        const QTimer* mouseSteps = engine.findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly).value(1);
        QVERIFY(mouseSteps);
        QVERIFY(ManualDeviceClock::RunUntil([&] {
            if (when == "mouse prepared")
                return mouseSteps->isActive();
            const QList<int> values = ProgressValues(log);
            return std::any_of(values.begin(), values.end(), [&](int v) { return (v > 50) == (when == "mouse"); });
        }, 600000));
        if (gone.startsWith("cable "))
            QVERIFY(SimCtl_SetCable(qPrintable(gone.section(' ', 1)), 0));
        else
            QVERIFY(SimCtl_Plug(qPrintable(gone), 0));
        QVERIFY(ManualDeviceClock::RunUntil([&] { return !g_UpdateBusy && !engine.Dialog()->AwaitsResult(); },
                                            600000));

        QCOMPARE(DialogMessage(engine), TextOf(g_LangTextsAutoRepair, UpdateFail));
        QVERIFY(engine.Dialog()->Form()->CloseButton->isEnabled());
        if (bar >= 0)
            QCOMPARE(engine.Dialog()->Form()->progressBar_2->value(), bar);
        QCOMPARE(FailedUpdateRecordText(), record);
        QCOMPARE(Firmware("rx4k"), receiverFirmware);
        QCOMPARE(Firmware("mouseA"), mouseFirmware);
        QCOMPARE(SimDeviceFixture::Value("mouseA", "boot"), mouseBoot);
        engine.Warning()->close();
        engine.Dialog()->Form()->CloseButton->click();
        QVERIFY(!engine.Dialog()->isVisible());
    }

    // One part's image is damaged, the other's intact: the dialog names the
    // part left as it is (already in the ready view when the program can see
    // the damage, in the result when only the device library's checksum
    // finds it and refuses the start), only the other part is written, no
    // failure is recorded for a device that was not touched, and the page
    // does not call the devices up to date afterwards. With both bodies
    // damaged nothing is written and both are named.
    void damagedPartIsNamedBesideAnIntactOne_data()
    {
        QTest::addColumn<QStringList>("spoiled");  // image file; bytes kept, or "body"
        QTest::addColumn<QList<int>>("notes");
        QTest::addColumn<bool>("namedBeforeStart");
        QTest::addColumn<int>("receiverFirmware");
        QTest::addColumn<int>("mouseFirmware");
        const QList<int> receiver{ReceiverImageDamaged};
        const QList<int> mouse{MouseImageDamaged};
        QTest::newRow("receiver damaged") << QStringList{"QV_M03_RX4K.bin;1500"} << receiver << true << 0x0101
                                          << 0x0103;
        QTest::newRow("cut in its header") << QStringList{"QV_M03_RX4K.bin;200"} << receiver << true << 0x0101
                                           << 0x0103;
        QTest::newRow("mouse damaged") << QStringList{"QV_M03_MS.bin;1500"} << mouse << true << 0x0102 << 0x0102;
        QTest::newRow("receiver body refused") << QStringList{"QV_M03_RX4K.bin;body"} << receiver << false << 0x0101
                                               << 0x0103;
        QTest::newRow("mouse body refused") << QStringList{"QV_M03_MS.bin;body"} << mouse << false << 0x0102
                                            << 0x0102;
        QTest::newRow("both bodies refused") << QStringList{"QV_M03_RX4K.bin;body", "QV_M03_MS.bin;body"}
                                             << receiver + mouse << false << 0x0101 << 0x0102;
    }

    void damagedPartIsNamedBesideAnIntactOne()
    {
        QFETCH(QStringList, spoiled);
        QFETCH(QList<int>, notes);
        QFETCH(bool, namedBeforeStart);
        QFETCH(int, receiverFirmware);
        QFETCH(int, mouseFirmware);
        DeviceLinkFixture link("cable-and-receiver");
        ManualDeviceClock clock;
        std::vector<std::unique_ptr<SpoiledFirmwareImage>> images;
        for (const QString& image : spoiled) {
            const QString how = image.section(';', 1);
            images.push_back(std::make_unique<SpoiledFirmwareImage>(
                image.section(';', 0, 0), how == "body" ? SpoiledFirmwareImage::BodyDamaged : how.toInt()));
        }
        CableMouseUpdate update;
        FirmwareUpdateEngine& engine = update.engine;
        QStringList noteTexts;
        for (int note : notes)
            noteTexts << PageText(note);
        QVERIFY(!noteTexts.contains(QString()));
        const QString noteText = noteTexts.join('\n');
        const bool anyWritten = receiverFirmware != 0x0101 || mouseFirmware != 0x0102;

        update.page.updateButton.click();
        const QString ready = TextOf(g_LangTextsAutoRepair, Ready);
        QCOMPARE(DialogMessage(engine), namedBeforeStart ? ready + "\n" + noteText : ready);
        engine.Dialog()->Form()->NewHong_2->click();
        QVERIFY(ManualDeviceClock::RunUntil(
            [&] { return !g_UpdateBusy && SimCtl_Pending() == 0 && !engine.Dialog()->AwaitsResult(); }));

        const QString success = TextOf(g_LangTextsAutoRepair, UpdateSuccess);
        QCOMPARE(DialogMessage(engine), anyWritten ? success + "\n" + noteText : noteText);
        QVERIFY(engine.Dialog()->Form()->CloseButton->isEnabled());
        QCOMPARE(update.log.Lines({"Progress"}).filter(QRegularExpression(" [^0]$")),
                 QStringList{anyWritten ? "Progress 0 2" : "Progress 0 9"});
        QCOMPARE(FailedUpdateRecordText(), QString());
        QCOMPARE(Firmware("rx4k"), receiverFirmware);
        QCOMPARE(Firmware("mouseA"), mouseFirmware);
        engine.Dialog()->Form()->NewHong_2->click();
        QVERIFY(!engine.Dialog()->isVisible());
        QVERIFY(update.page.updateButton.text() != PageText(VerNew));
    }

    // The receiver is the only part to write and the library refuses its
    // image: the update ends at once with the receiver's image named and the
    // dialog can be closed; the receiver is not tried again behind the user's
    // back, whatever state an earlier mouse update left.
    void refusedOnlyPartEndsNamed()
    {
        DeviceLinkFixture link("cable-and-receiver");
        ManualDeviceClock clock;
        SpoiledFirmwareImage spoiled("QV_M03_RX4K.bin", SpoiledFirmwareImage::BodyDamaged);
        CableMouseUpdate update;
        update.page.mouseVersion.setText("v1.3");
        g_MouseUpdateState = UpdateStateSucceeded;
        update.Start();
        const FirmwareUpdateEngine& engine = update.engine;
        QVERIFY(ManualDeviceClock::RunUntil(
            [&] { return !g_UpdateBusy && SimCtl_Pending() == 0 && !engine.Dialog()->AwaitsResult(); }));

        QCOMPARE(DialogMessage(engine), PageText(ReceiverImageDamaged));
        QVERIFY(engine.Dialog()->Form()->CloseButton->isEnabled());
        QCOMPARE(SimDeviceFixture::Journal().filter("UsbUpgrade_Start").size(), 1);
        QCOMPARE(FailedUpdateRecordText(), QString());
        QCOMPARE(Firmware("rx4k"), 0x0101);
    }

    // The receiver's update fails: the log and the record are written and the
    // receiver stays in boot mode. With only the wired mouse present the next
    // update resumes it and writes the receiver whatever its version, then
    // the mouse.
    void failedReceiverIsResumed()
    {
        DeviceLinkFixture link("cable-and-receiver");
        ManualDeviceClock clock;
        QVERIFY(SimCtl_SetUpgradeOutcome(211, "fail", 40, 0));
        CableMouseUpdate update;
        SettingsPageStandIn& page = update.page;
        FirmwareUpdateEngine& engine = update.engine;
        HubLog& log = update.log;
        update.Start();
        QVERIFY(ManualDeviceClock::RunUntil([&] { return log.Lines().contains("Progress 0 1"); }));
        QVERIFY(ManualDeviceClock::RunUntil([] { return !g_UpdateBusy && SimCtl_Pending() == 0; }));

        QCOMPARE(FailedUpdateRecordText(), QString("211,4,18,3"));
        QCOMPARE(DialogMessage(engine), TextOf(g_LangTextsAutoRepair, UpdateFail));
        QVERIFY(QFile::exists(UpdateLogPath()));
        QCOMPARE(SimDeviceFixture::Value("rx4k", "boot"), QString("1"));
        QCOMPARE(Firmware("mouseA"), 0x0102);

        // Closing after the failure on the device pages returns to the list.
        engine.Dialog()->Form()->NewHong->click();
        QCOMPARE(log.Lines({"ChangeMainDialog"}), QStringList{"ChangeMainDialog 0"});

        log.Clear();
        QVERIFY(ManualDeviceClock::RunUntil([] { return g_DeviceList.size() == 1; }));
        // The failure's report may reach the program after the hot-plug query
        // that followed the receiver into boot mode, and clear what it found:
        // the resume alone decides that the mouse follows.
        g_MouseImageWaiting = false;
        page.updateButton.click();
        QCOMPARE(DialogMessage(engine), TextOf(g_LangTextsAutoRepair, Ready));
        QVERIFY(g_MouseImageWaiting);
        engine.Dialog()->Form()->NewHong_2->click();
        QVERIFY(ManualDeviceClock::RunUntil([&] { return log.Lines().contains("Progress 0 2"); }));
        QVERIFY(ManualDeviceClock::RunUntil([] { return !g_UpdateBusy; }));
        QCOMPARE(Firmware("rx4k"), 0x0102);
        QCOMPARE(Firmware("mouseA"), 0x0103);
        QCOMPARE(FailedUpdateRecordText(), QString());
    }

    // The receiver's upgrade never reports: once the quiet time has passed
    // the part ends as a failure, recorded and logged as a failure report
    // would leave it, so that the resume and the repair take over; the mouse
    // does not follow, and the dialog says that the device stopped answering
    // and can be closed. A result that comes afterwards changes nothing, and
    // the next update resumes the receiver without it being plugged again.
    void silentUpgradeEndsAsFailure()
    {
        DeviceLinkFixture link("cable-and-receiver");
        ManualDeviceClock clock;
        QVERIFY(SimCtl_SetUpgradeOutcome(211, "hang", 40, 0));
        ScopedTimings fast(ShortUpgradeQuietTime());
        CableMouseUpdate update;
        update.Start();
        QTRY_VERIFY(!update.log.Lines({"Progress"}).isEmpty());
        QTRY_VERIFY(!g_UpdateBusy);

        const FirmwareUpdateEngine& engine = update.engine;
        QCOMPARE(update.log.Lines({"Progress"}), QStringList{"Progress 0 7"});
        QCOMPARE(int(g_ReceiverUpdateState), int(UpdateStateFailed));
        QCOMPARE(FailedUpdateRecordText(), QString("211,4,18,3"));
        QVERIFY(QFile::exists(UpdateLogPath()));
        QVERIFY(!g_ReceiverImageWaiting && !g_MouseImageWaiting);
        QVERIFY(g_UpgradeIdle);
        QCOMPARE(SimDeviceFixture::Journal().filter("UsbUpgrade_Start").size(), 1);
        QCOMPARE(DialogMessage(engine), TextOf(g_LangTextsAutoRepair, NoAnswer));
        QVERIFY(!TextOf(g_LangTextsAutoRepair, NoAnswer).isEmpty());
        QVERIFY(engine.Dialog()->Form()->CloseButton->isEnabled());

        update.log.Clear();
        unsigned char lateFailure[] = {7, 2, 0};
        ReceiverUpgradeCallback(lateFailure);
        unsigned char lateSuccess[] = {7, 2, 1};
        ReceiverUpgradeCallback(lateSuccess);
        QCOMPARE(update.log.Lines({"Progress"}), QStringList());
        QCOMPARE(update.log.Lines({"LabelText"}), QStringList());
        QCOMPARE(FailedUpdateRecordText(), QString("211,4,18,3"));
        QCOMPARE(int(g_ReceiverUpdateState), int(UpdateStateFailed));
        engine.Dialog()->Form()->NewHong->click();
        QVERIFY(!engine.Dialog()->isVisible());

        // The receiver, given up in boot mode, leaves the list.
        QVERIFY(ManualDeviceClock::RunUntil([] { return g_DeviceList.size() == 1; }));
        ScopedTimings usualQuietTime(ShortStepsUsualQuietTime());
        update.page.updateButton.click();
        QCOMPARE(DialogMessage(engine), TextOf(g_LangTextsAutoRepair, Ready));
        engine.Dialog()->Form()->NewHong_2->click();
        QVERIFY(ManualDeviceClock::RunUntil([&] { return update.log.Lines().contains("Progress 0 2"); }));
        QVERIFY(ManualDeviceClock::RunUntil([] { return !g_UpdateBusy; }));
        QCOMPARE(Firmware("rx4k"), 0x0102);
        QCOMPARE(FailedUpdateRecordText(), QString());
    }

    // A mouse whose update failed waits in boot mode behind its receiver:
    // with the receiver alone present the update writes a newer receiver
    // image first, then the mouse; also when the update was cut short
    // before it could leave a record.
    void failedMouseIsResumedBehindItsReceiver_data()
    {
        QTest::addColumn<QString>("record");
        QTest::newRow("on record") << "210,4,18,3";
        QTest::newRow("no record") << "";
    }

    void failedMouseIsResumedBehindItsReceiver()
    {
        QFETCH(QString, record);
        DeviceLinkFixture link("boot-mouse");
        ManualDeviceClock clock;
        SetFailedUpdateRecordText(record);
        OpenDevice("rx4k", "v1.2");
        SettingsPageStandIn page;
        FirmwareUpdateEngine engine(page.Widgets());
        engine.SetVer(0);
        QCOMPARE(g_DeviceList.size(), 1);
        HubLog log;

        page.updateButton.click();
        QCOMPARE(int(g_UpdatePartCount), 2);
        engine.Dialog()->Form()->NewHong_2->click();
        QVERIFY(ManualDeviceClock::RunUntil([&] { return log.Lines().contains("Progress 0 2"); }));
        QVERIFY(ManualDeviceClock::RunUntil([] { return !g_UpdateBusy; }));

        QCOMPARE(Firmware("rx4k"), 0x0102);
        QCOMPARE(Firmware("mouseA"), 0x0103);
        QCOMPARE(SimDeviceFixture::Value("mouseA", "boot"), QString("0"));
        QCOMPARE(FailedUpdateRecordText(), QString());
        QCOMPARE(ProgressValues(log).last(), 100);
    }

    // A part continued after the other finds no device: a warning dialog
    // says what to connect. Started directly, the part shows its mark.
    void missingMouseIsShown_data()
    {
        QTest::addColumn<bool>("continued");
        QTest::newRow("continued: warning") << true;
        QTest::newRow("started: mark") << false;
    }

    void missingMouseIsShown()
    {
        QFETCH(bool, continued);
        SimDeviceFixture sim;
        ScopedTimings fast(Timings::Scaled(0.02));
        g_DeviceList = {HandEntry(false, 3)};
        g_CurrentDevice.Set(g_DeviceList.first());
        SettingsPageStandIn page;
        page.mouseVersion.setText("v1.2");
        FirmwareUpdateEngine engine(page.Widgets());
        g_MouseImageWaiting = true;
        g_ReceiverUpdateState = UpdateStateNotRun;
        if (continued)
            engine.SlotContinue(0);
        else
            engine.on_Mouse_clicked();
        QTRY_VERIFY(!g_UpdateBusy);

        QCOMPARE(engine.Warning()->isVisible(), continued);
        QCOMPARE(page.mouseMark.isVisibleTo(&page.page), !continued);
        if (continued)
            QCOMPARE(engine.Warning()->findChild<QLabel*>("label")->text(), PageText(WiredMode));
        QVERIFY(!SimDeviceFixture::Journal().join('\n').contains("UsbUpgrade_Start"));
        engine.Warning()->close();
    }
};

QTEST_MAIN(TestFirmwareUpdateEngine)
#include "tst_firmwareupdateengine.moc"
