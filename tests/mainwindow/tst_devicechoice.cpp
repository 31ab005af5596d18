#include "common/ModalDialogAnswerer.h"
#include "common/ProgramFiles.h"
#include "common/SimDeviceFixture.h"
#include "common/TestFolders.h"
#include "mainwindow/ClickRecorder.h"

#include "core/LanguageLoader.h"
#include "core/PostMsg.h"
#include "core/RegistryKeys.h"
#include "core/Timing.h"
#include "device/DeviceListDiscovery.h"
#include "device/DeviceState.h"
#include "device/DeviceThreadDiscovery.h"
#include "device/Worker.h"
#include "mainwindow/DeviceChoice.h"
#include "pages/buttons/Buttoninterface.h"
#include "platform/ProgramFolder.h"
#include "platform/RegistryValues.h"
#include "settings/FirmwareUpdateState.h"
#include "settings/Match.h"

#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

// The click's hub traffic; then, as the main window does when it shows the
// page shell, the device thread's hot-plug handler.
class HubRecorder : public ClickRecorder
{
public:
    HubRecorder()
    {
        connect(PostMsg::GetInstance(), &PostMsg::SigChangeMainDialog, this, [](int index) {
            if (index == 1)
                StartUsbChanged(OnUsbChanged, Timing().hotPlugWatchMs);
        });
    }
};

int ListedIndexOf(const char* simId)
{
    const QString path = QString::fromUtf8(SimCtl_PathOf(simId));
    for (int i = 0; i < g_ListedDevices.size(); ++i)
        if (g_ListedDevices.at(i).Path == path)
            return i;
    return -1;
}

const QString UnknownModelVersion = "MouseVer18"; // the unknown model has no MID

// A 4 kHz receiver image of the first model in "bin".
void WriteReceiverImage(quint32 version)
{
    FirmwareImageFields image;
    image.target = 211;
    image.cid = 18;
    image.mid = 3;
    image.version = version;
    image.name = "QV_M03_RX4K";
    WriteFirmwareImage("receiver.bin", image);
}

QStringList DialogsShown(const ModalDialogAnswerer& answerer)
{
    QStringList shown;
    for (const ModalDialogRecord& record : answerer.Records())
        shown << record.className;
    return shown;
}

} // namespace

class DeviceChoiceTest : public QObject
{
    Q_OBJECT

private:
    Worker* m_Worker = nullptr;
    QWidget* m_ListPage = nullptr;

    // The device list as the grid shows it for the scenario.
    static void ListDevices() { OnDeviceListUsbChanged(); }

    void Click(const char* simId) { ChooseListedDevice(m_ListPage, ListedIndexOf(simId)); }

private slots:
    void initTestCase()
    {
        UseTemporaryFolders();
        QVERIFY(CopyShippedFiles("usersetting/Config.ini"));
        QVERIFY(CopyShippedFiles("Language"));
        LoadLanguageFiles();
        SetTimings(Timings::Scaled(0.02));
        m_Worker = new Worker();
        m_ListPage = new QWidget;
        m_ListPage->resize(1020, 700);
    }

    void cleanupTestCase()
    {
        delete m_Worker;
        delete m_ListPage;
        SetTimings(Timings());
    }

    void init()
    {
        g_DevicePageShown = false;
        g_PairChosenDevice = false;
        QDir(ProgramFolder() + "/bin").removeRecursively();
        RemoveRegistryValue(MouseDriveTestKey(), UnknownModelVersion);
        RemoveRegistryValue(MouseDriveTestKey(), MouseVersionValueName("18", "3"));
    }

    void aKnownWiredMouseOpensAtOnce()
    {
        SimDeviceFixture sim("default");
        ListDevices();
        QSignalSpy passes(PostMsg::GetInstance(), SIGNAL(SigUpDataParam(int)));
        g_ReceiverImageWaiting = true; // left by a device opened before
        HubRecorder hub;

        Click("mouseB");

        QCOMPARE(hub.signals_, ClickRecorder::OpeningOrder(1));
        QCOMPARE(hub.selected.Path, QString::fromUtf8(SimCtl_PathOf("mouseB")));
        QCOMPARE(hub.imageMark, QString());
        QVERIFY(!g_ReceiverImageWaiting);
        QCOMPARE(g_OpenedModelMid, 4);
        QVERIFY(g_DevicePageShown);
        // The device thread made its first pass for the device.
        QTRY_COMPARE(passes.count(), 1);
        QCOMPARE(g_CurrentDevice.Snapshot().Path, QString::fromUtf8(SimCtl_PathOf("mouseB")));
    }

    void aNewerReceiverImageIsMarked()
    {
        SimDeviceFixture sim("default");
        WriteReceiverImage(0x0102);
        ListDevices();
        HubRecorder hub;

        Click("rx4k");

        QVERIFY(hub.Opened());
        QCOMPARE(hub.labelText, QString("v1.1"));
        QCOMPARE(hub.imageMark, QString("true"));
        QVERIFY(g_ReceiverImageWaiting);
        QCOMPARE(g_OpenedModelMid, 3);
    }

    void anUnknownReceiverWithoutARecordedMouseIsPaired()
    {
        SimDeviceFixture sim("unpaired");
        ListDevices();
        HubRecorder hub;
        ModalDialogAnswerer answerer({"CloseButton"});

        Click("rx2k");

        QCOMPARE(DialogsShown(answerer), QStringList{"Match"});
        QVERIFY(g_PairChosenDevice);
        QCOMPARE(g_ChosenDevice.Path, QString::fromUtf8(SimCtl_PathOf("rx2k")));
        QVERIFY(!hub.Opened());
        QVERIFY(!g_DevicePageShown);
    }

    void anUnknownReceiverWithARecordedMouseAsksFirst_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("dialogs");
        QTest::newRow("cancelled") << QStringList{"Cancel"} << QStringList{"RePair"};
        QTest::newRow("confirmed") << QStringList{"OK", "CloseButton"} << QStringList{"RePair", "Match"};
    }

    void anUnknownReceiverWithARecordedMouseAsksFirst()
    {
        QFETCH(QStringList, answers);
        QFETCH(QStringList, dialogs);
        SimDeviceFixture sim("unpaired");
        SetRegistryValue(MouseDriveTestKey(), UnknownModelVersion, "v1.2");
        ListDevices();
        HubRecorder hub;
        ModalDialogAnswerer answerer(answers);

        Click("rx2k");

        QCOMPARE(DialogsShown(answerer), dialogs);
        QVERIFY(!hub.Opened());
    }

    void theListShrinkingUnderTheQuestionEndsTheClick()
    {
        SimDeviceFixture sim("unpaired");
        SetRegistryValue(MouseDriveTestKey(), UnknownModelVersion, "v1.2");
        ListDevices();
        QStringList shown;
        QTimer answerer;
        connect(&answerer, &QTimer::timeout, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            shown << dialog->metaObject()->className();
            g_ListedDevices.clear(); // a USB change while the question is open
            g_ListedDevicesCopy.clear();
            QTest::mouseClick(dialog->findChild<QWidget*>("OK"), Qt::LeftButton);
        });
        answerer.start(5);
        HubRecorder hub;

        ChooseListedDevice(m_ListPage, 0);

        QCOMPARE(shown, QStringList{"RePair"});
        QVERIFY(!hub.Opened());
    }

    void aStaleButtonDoesNothing()
    {
        SimDeviceFixture sim("default");
        ListDevices();
        HubRecorder hub;
        ChooseListedDevice(m_ListPage, g_ListedDevices.size());
        QVERIFY(!hub.Opened());
    }

    void theOfflineTwinOfAMouse_data()
    {
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<bool>("receiverImage");
        QTest::addColumn<QStringList>("dialogs");
        QTest::addColumn<bool>("opened");
        QTest::newRow("receiver clicked, only its image differs") << "rx4k" << true << QStringList() << true;
        QTest::newRow("receiver clicked, nothing differs") << "rx4k" << false << QStringList{"RePair"} << false;
        QTest::newRow("cable clicked") << "mouseA" << false << QStringList() << true;
    }

    void theOfflineTwinOfAMouse()
    {
        QFETCH(QString, clicked);
        QFETCH(bool, receiverImage);
        QFETCH(QStringList, dialogs);
        QFETCH(bool, opened);
        SimDeviceFixture sim("cable-and-receiver");
        SetRegistryValue(MouseDriveTestKey(), MouseVersionValueName("18", "3"), "v1.2");
        if (receiverImage)
            WriteReceiverImage(0x0105);
        ListDevices();
        QCOMPARE(g_ListedDevices.size(), 2);
        HubRecorder hub;
        ModalDialogAnswerer answerer({"Cancel"});

        Click(qPrintable(clicked));

        QCOMPARE(DialogsShown(answerer), dialogs);
        QCOMPARE(hub.Opened(), opened);
        if (opened)
            QCOMPARE(hub.selected.Path, QString::fromUtf8(SimCtl_PathOf(qPrintable(clicked))));
    }
};

QTEST_MAIN(DeviceChoiceTest)
#include "tst_devicechoice.moc"
