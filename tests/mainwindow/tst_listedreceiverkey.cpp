#include "common/ModalDialogAnswerer.h"
#include "common/SimDeviceFixture.h"
#include "mainwindow/MainWindowTestKit.h"

#include "core/LanguageTables.h"
#include "core/RegistryKeys.h"
#include "device/DeviceState.h"
#include "mainwindow/DialogChange.h"
#include "platform/ProgramFolder.h"
#include "platform/RegistryValues.h"
#include "settings/FormSetting.h"
#include "settings/UpDateRepair.h"
#include "settings/Ui_UpDateRepair.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// The mouse firmware a mouse of the receiver's model (customer 18, model 3)
// reported last; empty: none ever did.
void RecordMouseVersion(const QString& version)
{
    if (version.isEmpty())
        RemoveRegistryValue(MouseDriveTestKey(), MouseVersionValueName("18", "3"));
    else
        SetRegistryValue(MouseDriveTestKey(), MouseVersionValueName("18", "3"), version);
}

// Confirms the update dialog once it shows the end of its update, moving
// device time on meanwhile so that the upgrade's own delays pass at once.
class RepairDialogCloser : public QObject
{
public:
    RepairDialogCloser()
    {
        SimCtl_SetManualClock(1);
        connect(&m_Poll, &QTimer::timeout, this, [this] {
            SimCtl_Advance(50);
            auto* dialog = qobject_cast<UpDateRepair*>(QApplication::activeModalWidget());
            if (!dialog || dialog->Form()->NewHong_2->isHidden())
                return;
            m_Message = dialog->Form()->ToolText_2->text();
            m_CancelText = dialog->Form()->NewHong->text();
            dialog->Form()->NewHong_2->click();
        });
        m_Poll.start(2);
    }
    ~RepairDialogCloser() override { SimCtl_SetManualClock(0); }

    QString Message() const { return m_Message; }
    QString CancelText() const { return m_CancelText; }

private:
    QTimer m_Poll;
    QString m_Message;
    QString m_CancelText;
};

} // namespace

// Space on the device list while it holds one receiver: pairing, a warning
// that the mouse firmware needs the cable, or a confirmed rewrite of the
// receiver's firmware. The boot-mouse scenario lists the 4 kHz receiver alone
// (v1.1; its mouse waits in boot mode); bin holds receiver v1.2, mouse v1.3.
class ListedReceiverKeyTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        PrepareMainWindowFolders();
        QVERIFY(CopyShippedFiles("bin"));
    }

    void init()
    {
        LoadSimulatedScenario("boot-mouse");
    }

    void outcomes_data()
    {
        QTest::addColumn<QString>("recordedVersion");
        QTest::addColumn<bool>("receiverImage");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("no mouse version recorded: pairing") << "" << true << "Match";
        QTest::newRow("both images differ: pairing") << "v1.2" << true << "Match";
        QTest::newRow("neither differs: pairing") << "v1.3" << false << "Match";
        QTest::newRow("mouse image only: cable warning") << "v1.2" << false << "UpDateWarning";
        QTest::newRow("receiver image only: reset question") << "v1.3" << true << "ContainReset";
    }

    void outcomes()
    {
        QFETCH(QString, recordedVersion);
        QFETCH(bool, receiverImage);
        QFETCH(QString, dialog);
        RecordMouseVersion(recordedVersion);
        if (!receiverImage)
            QVERIFY(QFile::rename(ProgramFolder() + "/bin/QV_M03_RX4K.bin", ProgramFolder() + "/bin/RX4K.off"));
        auto window = NewMainWindow();
        QCOMPARE(g_ListedDevices.size(), 1);

        ModalDialogAnswerer answerer({"CloseButton"});
        ClearDeviceJournal();
        QTest::keyClick(window.get(), Qt::Key_Space);
        if (!receiverImage)
            QVERIFY(QFile::rename(ProgramFolder() + "/bin/RX4K.off", ProgramFolder() + "/bin/QV_M03_RX4K.bin"));

        QCOMPARE(answerer.Records().size(), 1);
        const ModalDialogRecord& shown = answerer.Records().first();
        QCOMPARE(shown.className, dialog);
        if (dialog == "Match") {
            // No device is open: no device server starts afterwards.
            QVERIFY(FullDeviceJournal().filter("UsbServerC_Start(").isEmpty());
            return;
        }
        // The notices sit 20 pixels left of the window's centre.
        const QPoint centre((window->width() - shown.size.width()) / 2, (window->height() - shown.size.height()) / 2);
        QCOMPARE(shown.position, window->pos() + centre - QPoint(20, 0));
        const QString text = dialog == "UpDateWarning" ? g_UpdateWarningText : g_DeviceListText8;
        QCOMPARE(shown.texts.value("label"), text);
        QVERIFY(!text.isEmpty());
    }

    // Confirmed, the receiver gets its image again in the update dialog; the
    // mouse behind it does not follow, so the rewrite is the whole repair.
    void resetQuestionRewritesTheReceiver()
    {
        RecordMouseVersion("v1.3");
        auto window = NewMainWindow();
        ModalDialogAnswerer answerer({"OK"});
        RepairDialogCloser closer;
        QTest::keyClick(window.get(), Qt::Key_Space);

        QCOMPARE(answerer.Records().size(), 1);
        QCOMPARE(closer.Message(), LanguageText(g_LangTextsAutoRepair, 7, QString()));
        QCOMPARE(closer.CancelText(), LanguageText(g_LangTextsAutoRepair, 1, QString()));
        QCOMPARE(SimDeviceFixture::Value("rx4k", "fw").toInt(), 0x0102);
        QCOMPARE(SimDeviceFixture::Value("mouseA", "boot"), QString("1"));
        QVERIFY(g_UpgradeIdle);
    }
};

QTEST_MAIN(ListedReceiverKeyTest)
#include "tst_listedreceiverkey.moc"
