#include "common/ModalDialogAnswerer.h"
#include "common/SimDeviceFixture.h"
#include "mainwindow/ClickRecorder.h"
#include "mainwindow/MainWindowTestKit.h"

#include "device/DeviceCache.h"
#include "device/DeviceState.h"
#include "widgets/UpDataParam.h"
#include "mainwindow/Dialog.h"
#include "mainwindow/DialogChange.h"
#include "mainwindow/DialogMain.h"
#include "pages/buttons/Buttoninterface.h"
#include "pages/sensor/Sensor.h"
#include "settings/Match.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>


namespace {

int PageIndex(DialogMain& window)
{
    return window.findChild<QStackedWidget*>("stackedWidgetMain")->currentIndex();
}

int CountOf(const QStringList& lines, const QString& start)
{
    int count = 0;
    for (const QString& line : lines)
        count += line.startsWith(start) ? 1 : 0;
    return count;
}

// Runs open, which shows the pairing dialog with exec, as its user: starts
// the pairing and, once it has ended, calls ended with the pairing state (2
// paired, 3 failed) and closes the dialog.
void PairAsTheUser(const std::function<void()>& open, const std::function<void(int)>& ended)
{
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        auto* pairing = qobject_cast<Match*>(QApplication::activeModalWidget());
        if (!pairing)
            return;
        if (g_PairState == 0) {
            pairing->findChild<QPushButton*>("MatchButton")->click();
        } else if (!g_Pairing && g_PairState != 1) {
            ended(g_PairState);
            pairing->findChild<QToolButton*>("CloseButton")->click();
        }
    });
    user.start(5);
    open();
}

} // namespace

// From the device list to the receiver's pages and back, over the simulated
// default devices: the 4 kHz receiver with its wireless mouse (battery 76).
class OpeningADeviceTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        PrepareMainWindowFolders();
        LoadSimulatedScenario("default");
    }

    void openTheReceiverAndGoBack()
    {
        auto window = NewMainWindow();
        QFile::remove(DeviceCacheFolder() + "/" + DeviceCacheFileName(0x0312));
        QToolButton* button = DeviceButtonOf(*window, "rx4k");
        QVERIFY(button);
        ClickRecorder hub;
        ClearDeviceJournal();

        button->click();

        QCOMPARE(hub.signals_, ClickRecorder::OpeningOrder(0));
        QCOMPARE(hub.selected.Path, QString::fromUtf8(SimCtl_PathOf("rx4k")));
        QCOMPARE(PageIndex(*window), 1);
        Dialog* shell = window->PageShell();
        QVERIFY(shell->isVisible());

        // The device thread reads the mouse behind the receiver, once.
        QTRY_VERIFY(FlashDataIsTheMouseRecord("mouseA"));
        QCOMPARE(CountOf(FullDeviceJournal(), "UsbServerC_Start("), 1);
        QTRY_VERIFY(shell->ButtonPage()->ShownRecord() == g_FlashData.Snapshot());

        // Its battery, as a number with the percent sign (ShowBatteryValue 1).
        auto* bar = shell->findChild<QProgressBar*>("progressBar");
        QTRY_COMPARE(bar->value(), 76);
        QCOMPARE(shell->findChild<QLabel*>("label_2")->text(), QString("76%"));
        QVERIFY(bar->styleSheet().contains("rgb(0, 255, 153)"));
        QTRY_VERIFY(!shell->WaitDialog()->isVisible());

        // Space pairs the open receiver; afterwards the device has its report
        // callback and the device thread its hot-plug watch again.
        ClearDeviceJournal();
        ModalDialogAnswerer answerer({"CloseButton"});
        QTest::keyClick(window.get(), Qt::Key_Space);
        QCOMPARE(answerer.Records().size(), 1);
        QCOMPARE(answerer.Records().at(0).className, QString("Match"));
        // Only the device thread's watch is registered again: the hidden
        // grid is not rebuilt.
        QCOMPARE(CountOf(FullDeviceJournal(), "StartUsbChanged("), 1);
        QCOMPARE(CountOf(FullDeviceJournal(), "UsbFinderC_FindHidDevicesByDefaultDeviceId"), 0);
        QVERIFY(CountOf(FullDeviceJournal(), "UsbFinderC_FindHidDevicesByDeviceId") > 0);
        QVERIFY(FullDeviceJournal().contains("UsbServerC_Start(" + QString::fromUtf8(SimCtl_PathOf("rx4k")) + ")"));

        ClearDeviceJournal();
        QTest::mouseClick(shell->findChild<QToolButton*>("UpArrow"), Qt::LeftButton);

        QCOMPARE(DeviceJournal().mid(0, 2), (QStringList{"UsbServer_SetPCDriverStatus(0)", "UsbServer_Exit"}));
        FlashDataMap cached{};
        QVERIFY(LoadDeviceCache(DeviceCacheFileName(0x0312), cached));
        QVERIFY(cached == g_FlashData.Snapshot());
        QCOMPARE(PageIndex(*window), 0);
        QVERIFY(!g_DevicePageShown);
    }

    // The receiver is unplugged while it pairs from the pages: the dialog
    // shows the failure, the window is back on the list once the dialog has
    // closed, and the list keeps following USB (the receiver plugged in again
    // shows), with no device server started for the receiver that is gone.
    void unplugWhilePairingLeavesTheListFollowingUsb()
    {
        auto window = NewMainWindow();
        QVERIFY(OpenListedDevice(*window, "rx4k"));
        QVERIFY(FlashDataIsTheMouseRecord("mouseA"));
        SimCtl_SetPairOutcome("rx4k", "unplug", 2000);

        int journalAtClose = -1;
        int endState = 0;
        PairAsTheUser([&] { QTest::keyClick(window.get(), Qt::Key_Space); },
                      [&](int state) {
                          endState = state;
                          journalAtClose = SimCtl_JournalCount();
                      });

        QCOMPARE(endState, 3);
        QCOMPARE(PageIndex(*window), 0);
        const QStringList afterClose = FullDeviceJournal().mid(journalAtClose);
        QCOMPARE(CountOf(afterClose, "UsbServerC_Start("), 0);
        SimCtl_Plug("rx4k", 1);
        QTRY_VERIFY(DeviceButtonOf(*window, "rx4k"));
    }

    // The open receiver pairs another mouse: the pairing keeps its answer
    // while the receiver changes, and afterwards the pages read the new mouse,
    // or, for another model, the window goes back to the device list.
    void pairingAnotherMouseFromThePages_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<bool>("leavesPages");
        QTest::newRow("same model") << "Drive1" << false;
        QTest::newRow("another model") << "Drive2" << true;
    }

    void pairingAnotherMouseFromThePages()
    {
        QFETCH(QString, model);
        QFETCH(bool, leavesPages);
        QTemporaryFile scenario;
        QVERIFY(scenario.open());
        scenario.write(QString(R"({"name": "another-mouse", "devices": [
            {"id": "rx4k", "type": "receiver", "class": 4, "rxid": "A1B2C3", "paired": "mouseA"},
            {"id": "mouseA", "type": "mouse", "model": "Drive1"},
            {"id": "mouseN", "type": "mouse", "model": "%1", "pairing_mode": true,
             "flash_overrides": {"6": 12}}]})").arg(model).toUtf8());
        scenario.close();
        LoadSimulatedScenario(qPrintable(scenario.fileName()));
        auto window = NewMainWindow();
        QVERIFY(OpenListedDevice(*window, "rx4k"));
        QVERIFY(FlashDataIsTheMouseRecord("mouseA"));
        SimCtl_SetPairOutcome("rx4k", "natural", 500);

        int endState = 0;
        PairAsTheUser([&] { QTest::keyClick(window.get(), Qt::Key_Space); }, [&](int state) { endState = state; });

        QCOMPARE(endState, 2);
        QCOMPARE(SimDeviceFixture::Value("rx4k", "paired"), QString("mouseN"));
        QCOMPARE(PageIndex(*window), leavesPages ? 0 : 1);
        if (!leavesPages)
            QTRY_VERIFY(FlashDataIsTheMouseRecord("mouseN"));
        LoadSimulatedScenario("default");
    }

    // The mouse holds values no control can show: a report rate of 99, no
    // DPI level yet level 200 current, debounce 250 and a first level whose
    // code reads 204,800 DPI. The pages show what their controls can, and
    // showing it sends nothing back to the mouse.
    void valuesBeyondTheControlsStayWithinThem()
    {
        QTemporaryFile scenario;
        QVERIFY(scenario.open());
        scenario.write(R"({"name": "beyond", "devices": [
            {"id": "rx4k", "type": "receiver", "class": 4, "rxid": "A1B2C3", "paired": "mouseA", "auto_pair": true},
            {"id": "mouseA", "type": "mouse", "model": "Drive1", "awake": true,
             "flash_overrides": {"0": 99, "1": 0, "2": 200, "6": 250, "15": 255, "16": 255, "17": 255}}]})");
        scenario.close();
        LoadSimulatedScenario(qPrintable(scenario.fileName()));
        auto window = NewMainWindow();
        QToolButton* button = DeviceButtonOf(*window, "rx4k");
        QVERIFY(button);
        ClearDeviceJournal();

        button->click();
        Dialog* shell = window->PageShell();
        QTRY_COMPARE(int(shell->SensorPage()->ShownRecord().ButtonDebounce), 250);
        QTRY_VERIFY(!shell->WaitDialog()->isVisible());

        auto* slider = shell->SensorPage()->findChild<QSlider*>("horizontalSliderC");
        for (const char* name : {"BlueButton", "spinBoxA"}) {
            QWidget* shown = shell->SensorPage()->findChild<QWidget*>(name);
            QVERIFY2(shown, name);
            const QString text = shown->property("text").isValid() ? shown->property("text").toString()
                                                                    : shown->property("value").toString();
            QVERIFY2(text.toInt() <= slider->maximum(), qPrintable(QString(name) + " shows " + text));
        }
        QCOMPARE(CountOf(FullDeviceJournal(), "ProtocolDataUpdate("), 0);
        LoadSimulatedScenario("default");
    }

    // The receiver is unplugged while a dialog of the pages is open: the
    // dialog closes with the pages, and nothing it was opened for reaches the
    // receiver that is gone. A dialog still open over the list is answered
    // with OK, as a user would.
    void anUnplugClosesTheOpenPageDialog_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("dialogClass");
        QTest::newRow("reset question") << "Reset" << "ContainReset";
        QTest::newRow("fire-key dialog") << "DPI_6" << "FireKey";
        QTest::newRow("import file dialog") << "ImportData" << "QFileDialog";
    }

    void anUnplugClosesTheOpenPageDialog()
    {
        QFETCH(QString, opener);
        QFETCH(QString, dialogClass);
        LoadSimulatedScenario("default");
        auto window = NewMainWindow();
        QVERIFY(OpenListedDevice(*window, "rx4k"));
        QAbstractButton* button = window->PageShell()->ButtonPage()->findChild<QAbstractButton*>(opener);
        QVERIFY(button);

        bool opened = false;
        QStringList openOverTheList;
        QTimer user;
        connect(&user, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!opened) {
                if (modal && modal->inherits(qPrintable(dialogClass))) {
                    opened = true;
                    SimCtl_Plug("rx4k", 0);
                }
                return;
            }
            if (!modal || PageIndex(*window) != 0)
                return;
            openOverTheList << modal->metaObject()->className();
            if (auto* ok = modal->findChild<QAbstractButton*>("NewHong"))
                ok->click();
            else
                modal->close();
        });
        user.start(5);
        ClearDeviceJournal();
        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_COMPARE(PageIndex(*window), 0);
        user.stop();

        QVERIFY(opened);
        QCOMPARE(openOverTheList, QStringList());
        QCOMPARE(CountOf(FullDeviceJournal(), "ProtocolDataUpdate("), 0);
        QCOMPARE(CountOf(FullDeviceJournal(), "UsbServer_SetClearSetting"), 0);
        QVERIFY(!QApplication::activeModalWidget());
        LoadSimulatedScenario("default");
    }

    // The receiver is unplugged while the wait after a confirmed Reset is
    // under way: the wait box ends with the pages, and no notice that the
    // mouse is offline follows over the device list.
    void anUnplugEndsTheWaitAfterReset()
    {
        LoadSimulatedScenario("default");
        auto window = NewMainWindow();
        QVERIFY(OpenListedDevice(*window, "rx4k"));
        // The wait starts at once and lasts as long as it usually does.
        Timings timings = Timing();
        timings.settingsWaitStartMs = 10;
        timings.pageWaitStepMs = Timings().pageWaitStepMs;
        timings.pageWaitSettleMs = Timings().pageWaitSettleMs;
        ScopedTimings usualWait(timings);
        auto* reset = window->PageShell()->ButtonPage()->findChild<QAbstractButton*>("Reset");
        QVERIFY(reset);

        bool unplugged = false;
        QStringList openOverTheList;
        QTimer user;
        connect(&user, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            if (PageIndex(*window) == 0) {
                openOverTheList << modal->metaObject()->className();
                modal->close();
            } else if (modal->inherits("ContainReset")) {
                modal->findChild<QAbstractButton*>("OK")->click();
            } else if (modal->inherits("UpDataParam") && !unplugged) {
                unplugged = true;
                SimCtl_Plug("rx4k", 0);
            }
        });
        user.start(5);
        QTest::mouseClick(reset, Qt::LeftButton);
        QTRY_COMPARE(PageIndex(*window), 0);
        user.stop();

        QVERIFY(unplugged);
        QCOMPARE(openOverTheList, QStringList());
        QVERIFY(!QApplication::activeModalWidget());
        LoadSimulatedScenario("default");
    }
};

QTEST_MAIN(OpeningADeviceTest)
#include "tst_openingadevice.moc"
