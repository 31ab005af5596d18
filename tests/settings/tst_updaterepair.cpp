#include "settings/UpDateRepair.h"

#include "FirmwareFlowKit.h"
#include "common/SimDeviceFixture.h"
#include "core/PostMsg.h"
#include "device/DeviceIdentification.h"
#include "device/DeviceState.h"
#include "common/HubLog.h"
#include "mainwindow/DialogChange.h"
#include "mainwindow/Ui_DialogChange.h"
#include "platform/ProgramFolder.h"
#include "device/FirmwareImages.h"
#include "settings/FirmwareUpdateState.h"
#include "settings/RepairUpgrade.h"
#include "settings/Ui_UpDateRepair.h"
#include "settings/UpgradeReport.h"

#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <algorithm>

namespace {

// Positions of the dialog's texts in the language section "AutoRepair".
enum { Cancel = 1, Confirm = 2, Updating = 3, NoDeviceFound = 4, SeveralDevices = 5, UpdateFail = 6,
       UpdateSuccess = 7, Upgrade = 8, NoReceiverFound = 9, NoWiredMouseFound = 10, NoImage = 12,
       SeveralMice = 14, SeveralReceivers = 15, Ready = 16, NoAnswer = 17, ImageDamaged = 18 };

QString T(int position)
{
    return TextOf(g_LangTextsAutoRepair, position);
}

QString ButtonState(const QToolButton* button)
{
    if (button->isHidden())
        return "hidden";
    return button->text() + (button->isEnabled() ? "" : " (disabled)");
}

// What the dialog shows, in one line.
QString ViewState(const UpDateRepair& dialog)
{
    const Ui_UpDateRepair* ui = dialog.Form();
    return QStringList{"start " + ButtonState(ui->NewHong_2),
                       "cancel " + ButtonState(ui->NewHong),
                       "close " + ButtonState(ui->CloseButton),
                       "message " + (ui->ToolText_2->isHidden() ? QString("hidden") : ui->ToolText_2->text()),
                       "bar " + (ui->progressBar_2->isHidden() ? QString("hidden")
                                                               : QString::number(ui->progressBar_2->value()))}
        .join(" | ");
}

QString View(const QString& start, const QString& cancel, const QString& close, const QString& message,
             const QString& bar)
{
    return QStringList{"start " + start, "cancel " + cancel, "close " + close, "message " + message, "bar " + bar}
        .join(" | ");
}

void ResetRepairState()
{
    g_ListedDevices.clear();
    g_ListedDevicesCopy.clear();
    g_RepairRunning = false;
    g_RepairProgressSeen = false;
    g_UpgradeIdle = true;
    g_DevicePageShown = false;
    g_RepairFirmwareImages.clear();
    const ProductIds ids = ReadProductIds();
    g_PidListWireless = ids.wireless;
    g_PidListWireless2 = ids.wireless2;
    g_PidListWireless4 = ids.wireless4;
    g_PidListWireless8 = ids.wireless8;
}

// The devices the device list finds now.
void ListPresentDevices()
{
    OnDeviceListUsbChanged();
}

// The receiver whose update failed waits in boot mode: the dialog's check
// finds it, the dialog shows, and its start button starts the repair.
void StartReceiverRepair(UpDateRepair& dialog)
{
    SetFailedUpdateRecordText("211,4,18,3");
    ListPresentDevices();
    dialog.SlotRepairCheckUpdate();
    dialog.show();
    dialog.Form()->NewHong_2->click();
}

// The firmware version word a simulated device runs.
int Firmware(const char* id)
{
    return SimDeviceFixture::Value(id, "fw").toInt();
}

QList<int> AutoRepairProgress(const HubLog& log)
{
    QList<int> values;
    for (const QString& line : log.Lines({"AutoRepairProgress"}))
        values << line.section(' ', 1).toInt();
    return values;
}

// The repair's thread emits its outcome as AutoRepair, UpDateButton and the
// Progress line of the result (device 0), one after another: the outcome is
// whole once that last line is in. A refused image's own line names its device.
// The repair's thread delivers each hub signal to its listeners in the order
// they connected, waiting on the log's delivery: the dialog is made before
// the log, so that a line in the log means the dialog has heard it too.
bool RepairOutcomeLogged(const HubLog& log)
{
    for (const QString& line : log.Lines({"Progress"})) {
        if (line.startsWith("Progress 0 "))
            return true;
    }
    return false;
}

} // namespace

Q_DECLARE_METATYPE(QList<DeviceAllInfo>)

class TestUpDateRepair : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { PrepareFirmwareFolders(); }

    void init()
    {
        ResetRepairState();
        SetFailedUpdateRecordText(QString());
    }

    void cleanup() { ResetRepairState(); }

    void views_data()
    {
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("expected");
        // Reset keeps the buttons disabled as the update view left them.
        QTest::newRow("reset") << "reset" << View(T(Upgrade), T(Cancel) + " (disabled)", " (disabled)", "", "hidden");
        QTest::newRow("ready") << "ready" << View(T(Upgrade), T(Cancel), "", T(Ready), "hidden");
        QTest::newRow("message keeps its text") << "message" << View(T(Confirm), T(Cancel), "", "why", "hidden");
        QTest::newRow("updating") << "updating" << View("hidden", "hidden", " (disabled)", T(Updating), "0");
    }

    void views()
    {
        QFETCH(QString, view);
        QFETCH(QString, expected);
        UpDateRepair dialog;
        dialog.ShowUpdatingView();
        dialog.Form()->progressBar_2->setValue(40);
        dialog.ResetView();
        if (view == "ready")
            dialog.ShowUpdateReadyView();
        if (view == "message") {
            dialog.SetMessageText("why");
            dialog.ShowMessageView();
        }
        if (view == "updating")
            dialog.ShowUpdatingView();
        QCOMPARE(ViewState(dialog), expected);
        QCOMPARE(dialog.Form()->NewHong_2->shortcut(), QKeySequence(Qt::Key_Return));
        QCOMPARE(dialog.Form()->NewHong->shortcut(), QKeySequence(Qt::Key_Escape));
    }

    // Reports of an update on the dialog's updating view.
    void progressReports_data()
    {
        QTest::addColumn<QList<QPoint>>("reports");  // (value, kind)
        QTest::addColumn<QString>("expected");
        const QString failed = View(T(Confirm), "", "", T(UpdateFail), "60");
        QTest::newRow("progress") << QList<QPoint>{{37, 0}} << View("hidden", "hidden", " (disabled)", T(Updating), "37");
        QTest::newRow("failure") << QList<QPoint>{{60, 0}, {0, 1}} << failed;
        QTest::newRow("success fills the bar")
            << QList<QPoint>{{60, 0}, {0, 2}} << View(T(Confirm), "", "", T(UpdateSuccess), "100");
        QTest::newRow("hide cancel") << QList<QPoint>{{60, 0}, {0, 1}, {0, 3}}
                                     << View(T(Confirm), "hidden", "", T(UpdateFail), "60");
        QTest::newRow("reset bar keeps the texts")
            << QList<QPoint>{{60, 0}, {0, 1}, {0, 4}} << View(T(Confirm), "hidden", "", T(UpdateFail), "0");
        QTest::newRow("no mouse: failure at half")
            << QList<QPoint>{{20, 0}, {0, 5}} << View(T(Confirm), "", "", T(UpdateFail), "50");
        QTest::newRow("failure message leaves the start button")
            << QList<QPoint>{{60, 0}, {0, 6}} << View("hidden", "", "", T(UpdateFail), "60");
        // Damaged images that the library refused are named under the
        // result, each once; with nothing written they are the result.
        const QString receiverNote = TextOf(g_LangTextsFormSetting, 45);
        const QString mouseNote = TextOf(g_LangTextsFormSetting, 46);
        QTest::newRow("refused image named under the success")
            << QList<QPoint>{{211, 8}, {211, 8}, {60, 0}, {0, 2}}
            << View(T(Confirm), "", "", T(UpdateSuccess) + "\n" + receiverNote, "100");
        QTest::newRow("nothing written: the refused images")
            << QList<QPoint>{{211, 8}, {210, 8}, {0, 9}}
            << View(T(Confirm), "", "", receiverNote + "\n" + mouseNote, "hidden");
        QTest::newRow("unknown kind") << QList<QPoint>{{60, 0}, {42, 99}}
                                      << View("hidden", "hidden", " (disabled)", T(Updating), "60");
    }

    void progressReports()
    {
        QFETCH(QList<QPoint>, reports);
        QFETCH(QString, expected);
        UpDateRepair dialog;
        dialog.ResetView();
        dialog.ShowUpdatingView();
        for (const QPoint& report : reports)
            PostMsg::GetInstance()->EmitProgress(report.x(), report.y());
        // The cancel button keeps the text the view gave it.
        QCOMPARE(ViewState(dialog).replace("cancel " + T(Cancel), "cancel "), expected);
    }

    void autoRepairTexts()
    {
        UpDateRepair dialog;
        dialog.ShowUpdatingView();
        PostMsg::GetInstance()->EmitAutoRepair(0);
        QCOMPARE(dialog.Form()->ToolText_2->text(), T(UpdateSuccess));
        QCOMPARE(dialog.Form()->NewHong_2->text(), T(Confirm));
        QVERIFY(!dialog.Form()->NewHong->isHidden());
        PostMsg::GetInstance()->EmitAutoRepair(3);
        QCOMPARE(dialog.Form()->ToolText_2->text(), T(UpdateFail));
        PostMsg::GetInstance()->EmitAutoRepairProgress(33);
        QCOMPARE(dialog.Form()->progressBar_2->value(), 33);
    }

    void closing_data()
    {
        QTest::addColumn<QString>("how");       // close, cancel, escape
        QTest::addColumn<bool>("progressSeen");
        QTest::addColumn<int>("bar");            // -1: hidden
        QTest::addColumn<bool>("devicePages");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QStringList>("emitted");
        QTest::newRow("no bar") << "close" << false << -1 << true << true << QStringList();
        QTest::newRow("full bar: version is new") << "close" << false << 100 << true << true << QStringList{"SetNewVer"};
        QTest::newRow("unfinished on the pages") << "cancel" << false << 40 << true << true
                                                 << QStringList{"ChangeMainDialog 0"};
        QTest::newRow("unfinished on the list") << "close" << false << 40 << false << true << QStringList();
        QTest::newRow("repair under way") << "close" << true << 40 << false << false << QStringList();
        QTest::newRow("escape while updating") << "escape" << false << 40 << true << false << QStringList();
        QTest::newRow("escape cancels") << "escape" << false << -1 << false << true << QStringList();
    }

    void closing()
    {
        QFETCH(QString, how);
        QFETCH(bool, progressSeen);
        QFETCH(int, bar);
        QFETCH(bool, devicePages);
        QFETCH(bool, closes);
        QFETCH(QStringList, emitted);
        UpDateRepair dialog;
        dialog.ResetView();
        if (bar >= 0) {
            dialog.ShowUpdatingView();
            PostMsg::GetInstance()->EmitProgress(bar, 0);
            if (how != "escape")
                dialog.Form()->CloseButton->setEnabled(true);
        }
        g_RepairProgressSeen = progressSeen;
        g_DevicePageShown = devicePages;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        HubLog log;
        if (how == "close")
            dialog.Form()->CloseButton->click();
        else if (how == "cancel")
            dialog.on_NewHong_clicked();
        else
            QTest::keyClick(&dialog, Qt::Key_Escape);
        // A shortcut clicks its button a moment later.
        QTRY_COMPARE(dialog.isVisible(), !closes);
        QTest::qWait(closes ? 0 : 200);
        QCOMPARE(dialog.isVisible(), !closes);
        QCOMPARE(log.Lines({"SetNewVer", "ChangeMainDialog"}), emitted);
    }

    void startButton()
    {
        UpDateRepair dialog;
        dialog.ResetView();
        dialog.ShowUpdateReadyView();
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        HubLog log;
        g_DevicePageShown = true;
        dialog.Form()->NewHong_2->click();
        QCOMPARE(log.Lines({"UpdateStart"}), QStringList{"UpdateStart"});
        QVERIFY(dialog.isVisible());

        dialog.SetMessageText("why");
        dialog.ShowMessageView();
        QTest::keyClick(&dialog, Qt::Key_Return);
        QTRY_VERIFY(!dialog.isVisible());
        QCOMPARE(log.Lines({"UpdateStart"}).size(), 1);
    }

    void check_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QList<DeviceAllInfo>>("listed");
        QTest::addColumn<bool>("repairable");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("endsRunningRepair");

        const DeviceAllInfo mouse3 = HandEntry(true, 3);
        const DeviceAllInfo receiver3 = HandEntry(false, 3);
        DeviceAllInfo receiver3Listed = receiver3;
        receiver3Listed.Pid = ReadProductIds().wireless4.value(0);
        const QString receiverFailed = "211,4,18,3";
        const QString mouseFailed = "210,4,18,3";

        QTest::newRow("no record, nothing in boot mode")
            << "cable-and-receiver" << "" << QList<DeviceAllInfo>{mouse3} << false << "" << false;
        QTest::newRow("three items, nothing in boot mode")
            << "cable-and-receiver" << "211,4,18" << QList<DeviceAllInfo>{mouse3} << false << "" << false;
        // An update cut short before its result leaves no record: the device
        // in boot mode is repaired all the same.
        QTest::newRow("no record, receiver in boot mode")
            << "boot-receiver" << "" << QList<DeviceAllInfo>{mouse3} << true << T(Ready) << false;
        QTest::newRow("three items, receiver in boot mode")
            << "boot-receiver" << "211,4,18" << QList<DeviceAllInfo>{mouse3} << true << T(Ready) << false;
        QTest::newRow("no record, mouse in boot mode")
            << "boot-mouse" << "" << QList<DeviceAllInfo>{receiver3} << true << T(Ready) << false;
        QTest::newRow("no record, mouse in boot mode, no receiver listed")
            << "boot-mouse" << "" << QList<DeviceAllInfo>{mouse3} << false << T(NoReceiverFound) << false;
        QTest::newRow("nothing listed") << "boot-receiver" << receiverFailed << QList<DeviceAllInfo>{} << false
                                        << T(NoDeviceFound) << false;
        QTest::newRow("two mice") << "boot-receiver" << receiverFailed << QList<DeviceAllInfo>{mouse3, mouse3}
                                  << false << T(SeveralMice) << false;
        QTest::newRow("two receivers") << "boot-mouse" << mouseFailed << QList<DeviceAllInfo>{receiver3, receiver3}
                                       << false << T(SeveralReceivers) << false;
        QTest::newRow("mouse of another model")
            << "boot-mouse" << mouseFailed << QList<DeviceAllInfo>{HandEntry(true, 4), receiver3} << false
            << T(SeveralMice) << false;
        QTest::newRow("failed mouse, wired mouse first")
            << "boot-mouse" << mouseFailed << QList<DeviceAllInfo>{mouse3} << false << T(NoReceiverFound) << false;
        QTest::newRow("failed receiver, receiver first")
            << "boot-receiver" << receiverFailed << QList<DeviceAllInfo>{receiver3} << false << T(NoWiredMouseFound) << false;
        QTest::newRow("receiver in boot mode")
            << "boot-receiver" << receiverFailed << QList<DeviceAllInfo>{mouse3} << true << T(Ready) << false;
        QTest::newRow("mouse in boot mode")
            << "boot-mouse" << mouseFailed << QList<DeviceAllInfo>{receiver3} << true << T(Ready) << false;
        QTest::newRow("no device in boot mode")
            << "cable-and-receiver" << receiverFailed << QList<DeviceAllInfo>{mouse3} << false << T(NoDeviceFound) << true;
        QTest::newRow("a second receiver of the class")
            << "boot-receiver" << receiverFailed << QList<DeviceAllInfo>{mouse3, receiver3Listed} << false
            << T(SeveralDevices) << true;
        QTest::newRow("no image for the model")
            << "boot-receiver" << "211,4,18,4" << QList<DeviceAllInfo>{HandEntry(true, 4)} << false << T(NoImage) << false;
    }

    void check()
    {
        QFETCH(QString, scenario);
        QFETCH(QString, record);
        QFETCH(QList<DeviceAllInfo>, listed);
        QFETCH(bool, repairable);
        QFETCH(QString, message);
        QFETCH(bool, endsRunningRepair);
        SimDeviceFixture sim(qPrintable(scenario));
        SetFailedUpdateRecordText(record);
        g_ListedDevices = listed;
        g_ListedDevicesCopy = listed;
        g_RepairRunning = true;
        UpDateRepair dialog;
        dialog.ResetView();

        PostMsg::GetInstance()->EmitRepairCheckUpdate();
        QCOMPARE(dialog.Form()->ToolText_2->text(), message);
        const QString startText = repairable ? T(Upgrade) : message.isEmpty() ? T(Upgrade) : T(Confirm);
        QCOMPARE(dialog.Form()->NewHong_2->text(), startText);
        QVERIFY(!dialog.Form()->NewHong->isHidden());
        // Finding no device, or several, for an image ends a repair left running.
        QCOMPARE(bool(g_RepairRunning), !endsRunningRepair);
        QCOMPARE(FailedUpdateRecordText(), record);
    }

    // A receiver whose update failed waits in boot mode beside its wired
    // mouse: the repair writes the receiver, then the mouse, each filling
    // half of the bar, removes the record and keeps the mouse's new version
    // as an update does. A mouse left in boot mode without a record is
    // repaired the same way behind its receiver.
    void repairWritesReceiverThenMouse_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QString>("record");
        QTest::newRow("receiver on record") << "boot-receiver" << "211,4,18,3";
        QTest::newRow("mouse in boot mode, no record") << "boot-mouse" << "";
    }

    void repairWritesReceiverThenMouse()
    {
        QFETCH(QString, scenario);
        QFETCH(QString, record);
        SimDeviceFixture sim(qPrintable(scenario));
        ManualDeviceClock clock;
        SetFailedUpdateRecordText(record);
        SetRegistryValue(MouseDriveTestKey(), "MouseVer183", "v1.2");
        ListPresentDevices();
        UpDateRepair dialog;
        HubLog log;
        dialog.ResetView();
        dialog.SlotRepairCheckUpdate();
        QCOMPARE(dialog.Form()->ToolText_2->text(), T(Ready));

        dialog.Form()->NewHong_2->click();
        QVERIFY(g_RepairRunning);
        QVERIFY(!g_UpgradeIdle);
        QCOMPARE(ViewState(dialog), View("hidden", "hidden", " (disabled)", T(Updating), "0"));
        QVERIFY(ManualDeviceClock::RunUntil([&] { return RepairOutcomeLogged(log); }));
        QVERIFY(ManualDeviceClock::RunUntil([] { return SimCtl_Pending() == 0; }));

        QCOMPARE(log.Lines({"AutoRepair", "UpDateButton", "Progress"}),
                 (QStringList{"AutoRepair 0", "UpDateButton 1", "Progress 0 2"}));
        const QList<int> bar = AutoRepairProgress(log);
        QVERIFY(bar.contains(0) && bar.contains(50) && bar.contains(100));
        QVERIFY(std::is_sorted(bar.begin(), bar.end()));
        QCOMPARE(Firmware("rx4k"), 0x0102);
        QCOMPARE(Firmware("mouseA"), 0x0103);
        QCOMPARE(FailedUpdateRecordText(), QString());
        QCOMPARE(RegistryValue(MouseDriveTestKey(), "MouseVer183").toString(), QString("v1.3"));
        QVERIFY(!g_RepairRunning);
        QVERIFY(g_UpgradeIdle);
        QCOMPARE(ViewState(dialog), View(T(Confirm), T(Cancel), "", T(UpdateSuccess), "100"));
    }

    void failedRepairRecordsThePart()
    {
        SimDeviceFixture sim("boot-receiver");
        ManualDeviceClock clock;
        QVERIFY(SimCtl_SetUpgradeOutcome(211, "fail", 30, 0));
        SetFailedUpdateRecordText("211,4,18,3");
        ListPresentDevices();
        UpDateRepair dialog;
        HubLog log;
        dialog.SlotRepairCheckUpdate();
        dialog.Form()->NewHong_2->click();
        QVERIFY(ManualDeviceClock::RunUntil([&] { return RepairOutcomeLogged(log); }));

        QCOMPARE(log.Lines({"AutoRepair", "UpDateButton", "Progress"}),
                 (QStringList{"AutoRepair 1", "UpDateButton 0", "Progress 0 6"}));
        QCOMPARE(FailedUpdateRecordText(), QString("211,4,18,3"));
        QVERIFY(!g_RepairRunning);
        QVERIFY(g_UpgradeIdle);
        QVERIFY(!g_RepairProgressSeen);
        QCOMPARE(dialog.Form()->ToolText_2->text(), T(UpdateFail));
        // The dialog can be closed again.
        dialog.show();
        dialog.Form()->NewHong->click();
        QVERIFY(!dialog.isVisible());
    }

    // A repair whose upgrade never reports ends as a failure of the part
    // being written once the quiet time has passed: the record names it, the
    // dialog says the device stopped answering and can be closed, a report
    // that comes afterwards changes nothing, and the repair can be tried
    // again without plugging the device again.
    void silentRepairEndsAsFailure()
    {
        SimDeviceFixture sim("boot-receiver");
        ManualDeviceClock clock;
        QVERIFY(SimCtl_SetUpgradeOutcome(211, "hang", 30, 0));
        ScopedTimings fast(ShortUpgradeQuietTime());
        UpDateRepair dialog;
        HubLog log;
        StartReceiverRepair(dialog);
        QVERIFY(g_RepairRunning);
        QTRY_VERIFY(!log.Lines({"AutoRepair"}).isEmpty());

        QCOMPARE(log.Lines({"AutoRepair", "UpDateButton", "Progress"}),
                 (QStringList{"AutoRepair 1", "UpDateButton 0", "Progress 0 7"}));
        QCOMPARE(FailedUpdateRecordText(), QString("211,4,18,3"));
        QVERIFY(!g_RepairRunning);
        QVERIFY(g_UpgradeIdle);
        QCOMPARE(ViewState(dialog), View(T(Confirm), T(Cancel), "", T(NoAnswer), "0"));
        QVERIFY(!T(NoAnswer).isEmpty());

        log.Clear();
        unsigned char lateFailure[] = {7, 2, 0};
        RepairUpgradeCallback(lateFailure);
        QCOMPARE(log.Lines({"AutoRepair", "UpDateButton", "Progress"}), QStringList());
        dialog.Form()->NewHong->click();
        QVERIFY(!dialog.isVisible());

        // Long enough for the library to give the silent write up.
        QVERIFY(ManualDeviceClock::RunUntil([] { return SimCtl_Pending() == 0; }));
        ScopedTimings usualQuietTime(ShortStepsUsualQuietTime());
        dialog.ResetView();
        StartReceiverRepair(dialog);
        QVERIFY(ManualDeviceClock::RunUntil([&] { return log.Lines({"AutoRepair"}).contains("AutoRepair 0"); }));
        QCOMPARE(Firmware("rx4k"), 0x0102);
        QCOMPARE(FailedUpdateRecordText(), QString());
    }

    // While a part reports progress the dialog cannot be dismissed.
    void progressHoldsTheDialog()
    {
        SimDeviceFixture sim("boot-receiver");
        ManualDeviceClock clock;
        UpDateRepair dialog;
        HubLog log;
        StartReceiverRepair(dialog);
        QVERIFY(ManualDeviceClock::RunUntil([&] { return !AutoRepairProgress(log).isEmpty(); }));
        QVERIFY(g_RepairProgressSeen);
        dialog.on_CloseButton_clicked();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QVERIFY(ManualDeviceClock::RunUntil([&] { return RepairOutcomeLogged(log); }));
    }

    // The receiver is written; the mouse was to follow but its cable is gone:
    // failure at half the bar, and the repair stays marked as running. Without
    // a mouse image the receiver alone was the repair, which then succeeded.
    void mouseCannotFollowTheReceiver_data()
    {
        QTest::addColumn<bool>("mouseImage");
        QTest::addColumn<QStringList>("ending");
        QTest::addColumn<bool>("stillRunning");
        QTest::newRow("both images") << true << QStringList{"AutoRepair 1", "UpDateButton 1", "Progress 0 5"} << true;
        QTest::newRow("receiver image only")
            << false << QStringList{"AutoRepair 0", "UpDateButton 1", "Progress 0 2"} << false;
    }

    void mouseCannotFollowTheReceiver()
    {
        QFETCH(bool, mouseImage);
        QFETCH(QStringList, ending);
        QFETCH(bool, stillRunning);
        SimDeviceFixture sim("boot-receiver");
        ManualDeviceClock clock;
        if (!mouseImage)
            QVERIFY(QFile::rename(ProgramFolder() + "/bin/QV_M03_MS.bin", ProgramFolder() + "/bin/QV_M03_MS.off"));
        SetFailedUpdateRecordText("211,4,18,3");
        ListPresentDevices();
        UpDateRepair dialog;
        HubLog log;
        dialog.SlotRepairCheckUpdate();
        dialog.Form()->NewHong_2->click();
        g_ListedDevices.clear();
        QVERIFY(ManualDeviceClock::RunUntil([&] { return RepairOutcomeLogged(log); }));
        if (!mouseImage)
            QVERIFY(QFile::rename(ProgramFolder() + "/bin/QV_M03_MS.off", ProgramFolder() + "/bin/QV_M03_MS.bin"));

        QCOMPARE(log.Lines({"AutoRepair", "UpDateButton", "Progress"}), ending);
        QCOMPARE(bool(g_RepairRunning), stillRunning);
        QVERIFY(g_UpgradeIdle);
        QCOMPARE(Firmware("rx4k"), 0x0102);
        QCOMPARE(Firmware("mouseA"), 0x0102);
        QCOMPARE(FailedUpdateRecordText(), QString());
        const QList<int> bar = AutoRepairProgress(log);
        QCOMPARE(bar.last(), mouseImage ? 50 : 100);
    }

    // The library refuses the receiver's image at the start (its body is
    // damaged): the repair names it, records no failure for it, and writes
    // the mouse all the same. The record of a failed receiver stays, and so
    // does the Repair button; a failed mouse is repaired.
    void refusedReceiverImageIsPassedOver_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QString>("record");
        QTest::addColumn<bool>("recordRemains");
        QTest::newRow("failed mouse") << "boot-mouse" << "210,4,18,3" << false;
        QTest::newRow("failed receiver") << "boot-receiver" << "211,4,18,3" << true;
    }

    void refusedReceiverImageIsPassedOver()
    {
        QFETCH(QString, scenario);
        QFETCH(QString, record);
        QFETCH(bool, recordRemains);
        SimDeviceFixture sim(qPrintable(scenario));
        ManualDeviceClock clock;
        SpoiledFirmwareImage spoiled("QV_M03_RX4K.bin", SpoiledFirmwareImage::BodyDamaged);
        SetFailedUpdateRecordText(record);
        ListPresentDevices();
        const int receiverFirmware = Firmware("rx4k");
        UpDateRepair dialog;
        HubLog log;
        dialog.ResetView();
        dialog.SlotRepairCheckUpdate();
        dialog.Form()->NewHong_2->click();
        QVERIFY(ManualDeviceClock::RunUntil([&] { return RepairOutcomeLogged(log); }));
        QVERIFY(ManualDeviceClock::RunUntil([] { return SimCtl_Pending() == 0; }));

        QCOMPARE(log.Lines({"AutoRepair", "UpDateButton", "Progress"}),
                 (QStringList{"Progress 211 8", "AutoRepair 0", QString("UpDateButton %1").arg(!recordRemains),
                              "Progress 0 2"}));
        QCOMPARE(FailedUpdateRecordText(), recordRemains ? record : QString());
        QCOMPARE(Firmware("rx4k"), receiverFirmware);
        QCOMPARE(Firmware("mouseA"), 0x0103);
        QCOMPARE(AutoRepairProgress(log).last(), 100);
        QCOMPARE(ViewState(dialog), View(T(Confirm), T(Cancel), "",
                                         T(UpdateSuccess) + "\n" + TextOf(g_LangTextsFormSetting, 45), "100"));
        QVERIFY(!g_RepairRunning);
        QVERIFY(g_UpgradeIdle);
    }

    // The main window's forced repair writes the receiver image its search
    // kept, without the check; with nothing kept it writes nothing.
    // A cut image is never handed to the library: the dialog says it is
    // damaged, and nothing is written.
    void damagedImageIsNamed()
    {
        SimDeviceFixture sim("boot-receiver");
        SpoiledFirmwareImage cut("QV_M03_RX4K.bin");
        SetFailedUpdateRecordText("211,4,18,3");
        g_ListedDevices = {HandEntry(true, 3)};
        g_ListedDevicesCopy = g_ListedDevices;
        UpDateRepair dialog;
        dialog.ResetView();

        PostMsg::GetInstance()->EmitRepairCheckUpdate();
        QCOMPARE(dialog.Form()->ToolText_2->text(), T(ImageDamaged));
        QCOMPARE(dialog.Form()->NewHong_2->text(), T(Confirm));
        QVERIFY(!SimDeviceFixture::Journal().join('\n').contains("UsbUpgrade_Start"));
    }

    void forcedRepair_data()
    {
        QTest::addColumn<bool>("imageKept");
        QTest::newRow("receiver image kept") << true;
        QTest::newRow("nothing kept") << false;
    }

    void forcedRepair()
    {
        QFETCH(bool, imageKept);
        SimDeviceFixture sim("boot-receiver");
        ManualDeviceClock clock;
        ListPresentDevices();
        if (imageKept)
            QVERIFY(FindRepairFirmwareImage(FirmwareTargetReceiver, "v1.1", "QV_M03_RX4K", 18, 3));
        UpDateRepair dialog;
        HubLog log;
        dialog.StartRepairWithMode(0);
        if (!imageKept) {
            QCOMPARE(dialog.Form()->ToolText_2->text(), T(NoImage));
            QVERIFY(!g_RepairRunning);
            QVERIFY(!SimDeviceFixture::Journal().join('\n').contains("UsbUpgrade_Start"));
            return;
        }
        // The outcome is emitted by the repair's thread, the progress line last.
        QVERIFY(ManualDeviceClock::RunUntil([&] { return !log.Lines({"Progress"}).isEmpty(); }));
        QCOMPARE(log.Lines({"AutoRepair", "Progress"}), (QStringList{"AutoRepair 0", "Progress 0 2"}));
        QCOMPARE(Firmware("rx4k"), 0x0102);
        QCOMPARE(AutoRepairProgress(log).last(), 100);
    }

    // The device list offers the repair for a failed update on record and
    // for a device waiting in boot mode without one; its Repair button opens
    // the settings page's dialog over the list with the outcome of the check.
    void repairButtonOfTheDeviceList_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QString>("record");
        QTest::addColumn<bool>("offered");
        QTest::newRow("failed update on record") << "boot-receiver" << "211,4,18,3" << true;
        QTest::newRow("mouse in boot mode, no record") << "boot-mouse" << "" << true;
        QTest::newRow("nothing to repair") << "cable-and-receiver" << "" << false;
    }

    void repairButtonOfTheDeviceList()
    {
        QFETCH(QString, scenario);
        QFETCH(QString, record);
        QFETCH(bool, offered);
        SimDeviceFixture sim(qPrintable(scenario));
        SetFailedUpdateRecordText(record);
        UpDateRepair dialog;
        g_UpDateRepairDialog = &dialog;
        DialogChange list;
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QCOMPARE(list.Form()->Repair->isVisible(), offered);
        if (!offered) {
            g_UpDateRepairDialog = nullptr;
            StopUsbChanged();
            return;
        }

        list.Form()->Repair->click();
        g_UpDateRepairDialog = nullptr;
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.isModal());
        QCOMPARE(dialog.Form()->ToolText_2->text(), T(Ready));
        QCOMPARE(dialog.Form()->NewHong_2->text(), T(Upgrade));
        const QPoint centred((list.width() - dialog.width()) / 2, (list.height() - dialog.height()) / 2);
        QCOMPARE(dialog.pos(), list.mapToGlobal(centred));
        dialog.close();
        StopUsbChanged();
    }
};

QTEST_MAIN(TestUpDateRepair)
#include "tst_updaterepair.moc"
