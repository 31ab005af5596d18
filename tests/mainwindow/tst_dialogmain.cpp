#include "common/FileSizeLimit.h"
#include "common/ModalDialogAnswerer.h"
#include "common/TestFolders.h"
#include "common/WorkerThread.h"

#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "core/ProductName.h"
#include "core/Timing.h"
#include "core/UserIni.h"
#include "device/DeviceCache.h"
#include "device/DeviceState.h"
#include "mainwindow/DialogChange.h"
#include "mainwindow/DialogMain.h"
#include "mainwindow/MainWindowTestKit.h"
#include "mainwindow/Ui_DialogChange.h"
#include "pages/buttons/Buttoninterface.h"
#include "pages/macro/Macro.h"
#include "platform/ProgramFolder.h"
#include "platform/UserDataFolder.h"
#include "platform/RegistryValues.h"
#include "settings/FirmwareUpdateState.h"
#include "settings/FormSetting.h"
#include "widgets/MyConmboBox.h"
#include "widgets/NoticeDialogs.h"
#include "widgets/UpDataParam.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLockFile>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {
const QString kLegacyKey = "HKEY_CURRENT_USER\\Software\\Quorvane\\Quorvane\\Quorvane";

// The main window as if the desktop had a system tray.
class DialogMainWithTray : public DialogMain
{
protected:
    bool SystemTrayAvailable() const override { return true; }
};

int PageIndex(DialogMain& window)
{
    return window.findChild<QStackedWidget*>("stackedWidgetMain")->currentIndex();
}
}

class TestDialogMain : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        PrepareMainWindowFolders();
    }

    void init()
    {
        UserIni::GetInstance()->Remove("Language", "Language");
        RemoveRegistryValue(kLegacyKey, "LanguageIndex");
        ResetSimulatedDevices();
    }

    void startsFramelessInTheLegacyLanguage()
    {
        SetRegistryValue(kLegacyKey, "LanguageIndex", 1);
        QObject* hub = PostMsg::GetInstance();
        QSignalSpy sameA(hub, SIGNAL(SigLanguageSameA(int)));
        QSignalSpy sameB(hub, SIGNAL(SigLanguageSameB(int)));
        QSignalSpy all(hub, SIGNAL(SigAllLanguage(int)));

        auto window = NewMainWindow();

        QCOMPARE(g_LanguageIndex, 1);
        QCOMPARE(UserIni::GetInstance()->Value("Language", "Language"), QString("1"));
        QVERIFY(!RegistryValue(kLegacyKey, "LanguageIndex").isValid());
        for (QSignalSpy* spy : {&sameA, &sameB, &all}) {
            QCOMPARE(spy->count(), 1);
            QCOMPARE(spy->at(0).at(0).toInt(), 1);
        }
        QCOMPARE(window->size(), QSize(1020, 700));
        QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(PageIndex(*window), 0);
        QCOMPARE(window->DeviceList()->Form()->label_3->text(), g_LangTextsDialogChange.at(1).at(1));
    }

    // While the per-user file cannot take the legacy language (a folder in
    // its place), the registry keeps it and this run speaks it all the same;
    // the first start after the file is mended moves it.
    void legacyLanguageStaysUntilItIsMoved()
    {
        SetRegistryValue(kLegacyKey, "LanguageIndex", 1);
        const QString settingsPath = UserDataFolder() + "/Macro.ini";
        QFile::remove(settingsPath);
        QVERIFY(QDir().mkpath(settingsPath));
        const auto mend = qScopeGuard([&] { QDir(settingsPath).removeRecursively(); });
        {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("legacy language .* could not be moved"));
            auto window = NewMainWindow();
            QCOMPARE(g_LanguageIndex, 1);
            QCOMPARE(window->DeviceList()->Form()->label_3->text(), g_LangTextsDialogChange.at(1).at(1));
            QCOMPARE(RegistryValue(kLegacyKey, "LanguageIndex").toInt(), 1);
        }

        QVERIFY(QDir(settingsPath).removeRecursively());
        auto window = NewMainWindow();
        QCOMPARE(g_LanguageIndex, 1);
        QCOMPARE(UserIni::GetInstance()->Value("Language", "Language"), QString("1"));
        QVERIFY(!RegistryValue(kLegacyKey, "LanguageIndex").isValid());
    }

    // A legacy language whose removal failed (the registry file could not be
    // written) is not moved again over the language the user chose since.
    void aLaterChoiceOutlivesALegacyLanguageLeftBehind()
    {
        SetRegistryValue(kLegacyKey, "LanguageIndex", 1);
        UserIni::GetInstance()->SetValue("Language", "Language", "0");
        {
            // Held by this process: the registry file takes no change meanwhile.
            QLockFile registryLock(RegistryFilePath() + ".lock");
            QVERIFY(registryLock.tryLock(0));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("stays held by another process"));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("could not be saved"));
            auto window = NewMainWindow();
            QCOMPARE(g_LanguageIndex, 0);
            QCOMPARE(UserIni::GetInstance()->Value("Language", "Language"), QString("0"));
            QCOMPARE(RegistryValue(kLegacyKey, "LanguageIndex").toInt(), 1);
        }

        auto window = NewMainWindow();
        QCOMPARE(g_LanguageIndex, 0);
        QVERIFY(!RegistryValue(kLegacyKey, "LanguageIndex").isValid());
    }

    // The pages are built after the device list is first drawn, without a
    // word to the device, and the list stays in front.
    void pagesAreBuiltOnceTheListIsDrawn()
    {
        auto window = NewMainWindow();
        ClearDeviceJournal();
        QTRY_VERIFY(window->findChild<Dialog*>() && window->findChild<Dialog*>()->Built());
        QCOMPARE(window->PageShell(), window->findChild<Dialog*>());
        QCOMPARE(PageIndex(*window), 0);
        QVERIFY(window->DeviceList()->isVisible());
        QCOMPARE(DeviceJournal(), QStringList());
    }

    // Repair, the first thing the user chooses on the list, finds the update
    // dialog although the settings page that keeps it was not built yet.
    void repairOnTheListBeforeThePagesExist()
    {
        RecordFailedUpdate(210, 4, 18, 3);
        auto window = NewMainWindow();
        QVERIFY(!window->findChild<Dialog*>());
        QPushButton* repair = window->DeviceList()->Form()->Repair;
        QVERIFY(repair->isVisible());
        repair->click();
        QVERIFY(g_UpDateRepairDialog && g_UpDateRepairDialog->isVisible());
        g_UpDateRepairDialog->hide();
        RemoveFailedUpdateRecord();
    }

    void storedLanguageIndexIsChecked_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("Polish") << "1" << 1;
        QTest::newRow("no such row") << "7" << 0;
        QTest::newRow("negative") << "-1" << 0;
        QTest::newRow("not a number") << "Polish" << 0;
    }

    void storedLanguageIndexIsChecked()
    {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        UserIni::GetInstance()->SetValue("Language", "Language", stored);
        auto window = NewMainWindow();
        QCOMPARE(g_LanguageIndex, expected);
    }

    void choosingPolishRetranslatesEveryForm()
    {
        auto window = NewMainWindow();
        QCOMPARE(g_LanguageIndex, 0);
        // The pages come later, after the list is drawn.
        QVERIFY(!window->findChild<Dialog*>());
        QSignalSpy sameB(PostMsg::GetInstance(), SIGNAL(SigLanguageSameB(int)));

        DialogChange* list = window->DeviceList();
        list->Form()->comboBox->setCurrentIndex(1);
        emit list->Form()->comboBox->activated(1);

        QCOMPARE(UserIni::GetInstance()->Value("Language", "Language"), QString("1"));
        QCOMPARE(g_LanguageIndex, 1);
        QCOMPARE(sameB.count(), 1);
        const QStringList polishList = g_LangTextsDialogChange.at(1);
        QCOMPARE(list->Form()->label_3->text(), polishList.at(1));
        QCOMPARE(list->Form()->NoApear->text(), polishList.at(7));
        QCOMPARE(g_DeviceListText8, polishList.at(8));
        const QList<QAction*> trayActions = window->TrayMenu()->actions();
        QCOMPARE(trayActions.first()->text(), g_LangTextsDialogMain.at(1).at(0));
        QCOMPARE(trayActions.last()->text(), g_LangTextsDialogMain.at(1).at(1));

        // A form built after the change takes Polish too, the pages among them.
        MouseOffLine notice;
        QCOMPARE(notice.findChild<QLabel*>("label")->text(), g_LangTextsMouseOffLine.at(1).at(0));
        Dialog* shell = window->PageShell();
        QCOMPARE(shell->ButtonPage()->findChild<QAbstractButton*>("Reset")->text(),
                 g_LangTextsButtoninterface.at(1).at(1));
        QCOMPARE(shell->SettingsPage()->findChild<QComboBox*>("comboBox")->currentIndex(), 1);

        // The settings page moving back to English sets the box without a second emission.
        QSignalSpy all(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)));
        PostMsg::GetInstance()->EmitLanguageSameA(0);
        QCOMPARE(list->Form()->comboBox->currentIndex(), 0);
        QCOMPARE(all.count(), 0);
    }

    // The new-firmware notice starts hidden; when it shows, it is drawn on
    // its panel picture with its check box picture, in the current language.
    // A choice the per-user settings cannot keep (a full disk) is told, in
    // the language now shown; the file keeps what it held.
    void choicesTheSettingsCannotKeepAreTold_data()
    {
        QTest::addColumn<bool>("language");
        QTest::newRow("language box") << true;
        QTest::newRow("don't show again") << false;
    }

    void choicesTheSettingsCannotKeepAreTold()
    {
        QFETCH(bool, language);
        auto window = NewMainWindow();
        DialogChange* list = window->DeviceList();
        QVERIFY(UserIni::GetInstance()->SetValue("FindNew", "IsShow", "0"));
        const QString settingsPath = UserDataFolder() + "/Macro.ini";
        const QByteArray before = FileBytes(settingsPath);
        ModalDialogAnswerer answerer({"NewHong"});
        {
            const FileSizeLimit fullDisk(0);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("per-user settings could not be saved"));
            if (language) {
                list->Form()->comboBox->setCurrentIndex(1);
                emit list->Form()->comboBox->activated(1);
            } else {
                list->Form()->NoApear->click();
            }
        }
        QCOMPARE(answerer.Records().size(), 1);
        QCOMPARE(answerer.Records().at(0).className, QString("SettingNotSaved"));
        QCOMPARE(answerer.Records().at(0).texts.value("label"), g_LangTextsSettingNotSaved.at(language).at(0));
        QCOMPARE(g_LanguageIndex, language ? 1 : 0);
        QCOMPARE(FileBytes(settingsPath), before);
    }

    void firmwareNoticeIsDrawnWhenShown()
    {
        auto window = NewMainWindow();
        Ui_DialogChange* form = window->DeviceList()->Form();
        QVERIFY(!form->FindVer->isVisible());

        form->FindVer->show();
        const QImage drawn = form->FindVer->grab().toImage();
        const QString pictures = ProgramFolder() + "/Picture/WarningDialog/";
        const QImage panel(pictures + "BackGround.png");
        const QPoint clear(20, 80); // no child of the notice covers it
        QCOMPARE(qAlpha(panel.pixel(clear)), 255);
        QCOMPARE(drawn.pixel(clear), panel.pixel(clear));
        QVERIFY(form->NoApear->styleSheet().contains(pictures + "CheckBox.png"));
        QCOMPARE(form->FindVerlaebl->text(), g_LangTextsDialogChange.at(0).at(3));

        // Shown again later, it keeps the one style it was given.
        const QString style = form->FindVer->styleSheet();
        form->FindVer->hide();
        form->FindVer->show();
        QCOMPARE(form->FindVer->styleSheet(), style);
    }

    // Without a system tray (offscreen) minimising asks for the ordinary
    // minimise. The device hears the program left only once the window is
    // really out of sight: without a window manager it stays on screen and
    // usable.
    void minimiseWithoutTrayTellsTheDeviceOnlyWhenOutOfSight_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("sizeIndex");
        QTest::addColumn<bool>("deviceTold");
        QTest::newRow("from the page shell") << 1 << 0 << true;
        QTest::newRow("from the device list") << 0 << 2 << false;
    }

    void minimiseWithoutTrayTellsTheDeviceOnlyWhenOutOfSight()
    {
        QFETCH(int, page);
        QFETCH(int, sizeIndex);
        QFETCH(bool, deviceTold);
        auto window = NewMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        if (page == 1)
            PostMsg::GetInstance()->EmitChangeMainDialog(1);
        ClearDeviceJournal();

        PostMsg::GetInstance()->EmitChangeSize(sizeIndex);
        QVERIFY(window->isMinimized());
        QVERIFY(window->windowHandle()->isExposed());
        QVERIFY(DeviceJournal().isEmpty());

        // A window manager takes the minimised window off the screen.
        window->windowHandle()->hide();
        QTRY_VERIFY(!window->windowHandle()->isExposed());
        QCOMPARE(DeviceJournal(), deviceTold ? QStringList{"UsbServer_SetPCDriverStatus(0)"} : QStringList());
        window->showNormal();
        QTRY_VERIFY(window->windowHandle()->isExposed());
        QCOMPARE(DeviceJournal(), deviceTold ? (QStringList{"UsbServer_SetPCDriverStatus(0)", "UsbServer_SetPCDriverStatus(1)"})
                                             : QStringList());
    }

    void minimiseToTrayAndBack_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("sizeIndex");
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("toldDevice");
        QTest::newRow("page shell, click") << 1 << 0 << int(QSystemTrayIcon::Trigger) << true;
        QTest::newRow("device list, click") << 0 << 2 << int(QSystemTrayIcon::Trigger) << false;
        QTest::newRow("page shell, double click") << 1 << 0 << int(QSystemTrayIcon::DoubleClick) << true;
    }

    void minimiseToTrayAndBack()
    {
        QFETCH(int, page);
        QFETCH(int, sizeIndex);
        QFETCH(int, reason);
        QFETCH(bool, toldDevice);
        auto window = NewMainWindow<DialogMainWithTray>();
        if (page == 1)
            PostMsg::GetInstance()->EmitChangeMainDialog(1);
        QMenu* menu = window->TrayMenu();

        for (int round = 0; round < 2; ++round) {
            ClearDeviceJournal();
            PostMsg::GetInstance()->EmitChangeSize(sizeIndex);
            QVERIFY(!window->isVisible());
            QVERIFY(window->TrayIcon()->isVisible());
            QCOMPARE(DeviceJournalHas("UsbServer_SetPCDriverStatus(0)"), toldDevice);

            window->on_activatedSysTrayIcon(QSystemTrayIcon::ActivationReason(reason));
            QVERIFY(window->isVisible());
            // The activation may come from inside the icon's own mouse event:
            // the icon goes only once control is back in the event loop.
            QVERIFY(window->TrayIcon()->isVisible());
            QTRY_VERIFY(!window->TrayIcon()->isVisible());
            // The double click shows the window without telling the device.
            const bool toldBack = toldDevice && reason == QSystemTrayIcon::Trigger;
            QCOMPARE(DeviceJournalHas("UsbServer_SetPCDriverStatus(1)"), toldBack);
        }
        // One menu for the window's life, whatever the number of hides; the
        // icon opens it itself, with no nested event loop in our slot.
        QCOMPARE(window->TrayMenu(), menu);
        QCOMPARE(window->TrayIcon()->contextMenu(), menu);
        window->on_activatedSysTrayIcon(QSystemTrayIcon::Context);
        QVERIFY(!menu->isVisible());
        QCOMPARE(window->findChildren<QMenu*>().size(), 1);
        QCOMPARE(menu->actions().size(), 3);
    }

    // Hidden to the tray while the pages wait for the device, the window
    // takes the wait dialog along and brings it back while the wait runs; a
    // wait that ends in the tray is over when the window comes back.
    void theWaitDialogGoesToTheTrayWithTheWindow()
    {
        Timings timings = Timings::Scaled(0.01);
        timings.settingsWaitStartMs = 600000;
        ScopedTimings waitingLong(timings);
        auto window = NewMainWindow<DialogMainWithTray>();
        PostMsg::GetInstance()->EmitChangeMainDialog(1);
        Dialog* shell = window->PageShell();
        UpDataParam* wait = shell->WaitDialog();
        // The pages have the device's record: the wait ends without a notice.
        g_SensorPageUpdated = true;
        g_ButtonPageUpdated = true;
        auto shown = [&] { return QString("window %1, wait %2").arg(window->isVisible()).arg(wait->isVisible()); };

        QStringList seen;
        QTimer::singleShot(0, window.get(), [&] {
            // Inside the wait.
            QTimer::singleShot(0, window.get(), [&] {
                seen << shown();
                PostMsg::GetInstance()->EmitChangeSize(0);
                seen << shown();
                window->on_activatedSysTrayIcon(QSystemTrayIcon::Trigger);
                seen << shown();
                PostMsg::GetInstance()->EmitChangeSize(0);
                seen << shown();
                SetTimings(Timings::Scaled(0.01));
                wait->StartTimer();
            });
            shell->SlotUpDataParam(1);
            seen << "wait over";
        });
        QTRY_VERIFY(seen.contains("wait over"));
        QCOMPARE(seen, (QStringList{"window 1, wait 1", "window 0, wait 0", "window 1, wait 1", "window 0, wait 0",
                                    "wait over"}));
        QVERIFY(!shell->WaitingForDevice());
        window->on_activatedSysTrayIcon(QSystemTrayIcon::Trigger);
        QCOMPARE(shown(), QString("window 1, wait 0"));
    }

    // The device list's search and the device thread's search tell the two
    // hot-plug callbacks apart in the journal.
    void pagesSwitchTheHotPlugCallback()
    {
        auto window = NewMainWindow();
        QSignalSpy secondPage(PostMsg::GetInstance(), SIGNAL(SigSecondPageChange()));
        ClearDeviceJournal();
        PostMsg::GetInstance()->EmitChangeMainDialog(1);
        QCOMPARE(PageIndex(*window), 1);
        QVERIFY(FullDeviceJournal().filter("UsbFinderC_FindHidDevicesByDeviceId").size() > 0);
        QCOMPARE(FullDeviceJournal().filter("UsbFinderC_FindHidDevicesByDefaultDeviceId").size(), 0);

        ClearDeviceJournal();
        g_DevicePageShown = true;
        PostMsg::GetInstance()->EmitChangeMainDialog(0);
        QCOMPARE(PageIndex(*window), 0);
        QVERIFY(!g_DevicePageShown);
        QCOMPARE(secondPage.count(), 1);
        QCOMPARE(DeviceJournal().first(), QString("UsbServer_Exit"));
        QVERIFY(FullDeviceJournal().filter("UsbFinderC_FindHidDevicesByDefaultDeviceId").size() > 0);
    }

    // Every way out of the pages ends a recording and keeps the record held
    // as its model's offline copy, as the back arrow does: the device thread's
    // hot-plug handler and the end of a firmware update return to the device
    // list from other threads. (Closing the program ends a recording too: the
    // leaving test sees that in a program that really ends.)
    void leavingForTheDeviceListEndsARecording()
    {
        auto window = NewMainWindow();
        FlashDataMap held{};
        held.SleepTime = 42;
        g_FlashData.Set(held);
        // Chosen and read in full.
        g_DeviceCacheName.Set("Device_CID12_MID03.bin");
        g_DeviceCacheNameRead.Set("Device_CID12_MID03.bin");
        QFile::remove(DeviceCacheFolder() + "Device_CID12_MID03.bin");
        PostMsg::GetInstance()->EmitChangeMainDialog(1);
        auto* macroButton = window->PageShell()->findChild<QToolButton*>("MacroButton");
        g_MacroRecording = true;
        PostMsg::GetInstance()->EmitStartRecord(0);
        QVERIFY(!macroButton->isEnabled());
        QVERIFY(RunOnWorkerThread([] { PostMsg::GetInstance()->EmitChangeMainDialog(0); }));
        QTRY_VERIFY(!g_MacroRecording);
        QVERIFY(macroButton->isEnabled());
        QCOMPARE(PageIndex(*window), 0);
        FlashDataMap kept{};
        QVERIFY(LoadDeviceCache("Device_CID12_MID03.bin", kept));
        QVERIFY(kept == held);
        g_DeviceCacheNameRead.Set(QString());
    }

    void burstOfOfflineReportsShowsOneNotice()
    {
        auto window = NewMainWindow();
        ModalDialogAnswerer answerer({"NewHong", "NewHong"});
        PostMsg::GetInstance()->EmitMouseOffLineo(1);
        PostMsg::GetInstance()->EmitMouseOffLineo(0);
        PostMsg::GetInstance()->EmitMouseOffLineo(0);
        QTRY_COMPARE(answerer.Records().size(), 1);
        QCoreApplication::processEvents(); // a second notice would open and be answered now

        QCOMPARE(answerer.Records().size(), 1);
        const ModalDialogRecord& notice = answerer.Records().at(0);
        QCOMPARE(notice.className, QString("MouseOffLine"));
        QCOMPARE(g_OfflineNoticeKind, 1);
        QVERIFY(g_DeviceOffline && g_RestartRequested);
        const QPoint centre = window->pos() + QPoint((1020 - 300) / 2, (700 - 140) / 2 - 20);
        QCOMPARE(notice.position, centre);

        // Once closed, the next report opens a notice again.
        PostMsg::GetInstance()->EmitMouseOffLineo(0);
        QTRY_COMPARE(answerer.Records().size(), 2);
        QCOMPARE(g_OfflineNoticeKind, 0);
    }

    // Changes refused in a row while the device is read again are told once,
    // from the language file.
    void refusalsWhileTheDeviceIsReadAreToldOnce()
    {
        auto window = NewMainWindow();
        ModalDialogAnswerer answerer({"NewHong", "NewHong"});
        PostMsg::GetInstance()->EmitDeviceBeingRead();
        PostMsg::GetInstance()->EmitDeviceBeingRead();
        QTRY_COMPARE(answerer.Records().size(), 1);
        QCoreApplication::processEvents();

        QCOMPARE(answerer.Records().size(), 1);
        const ModalDialogRecord& notice = answerer.Records().at(0);
        QCOMPARE(notice.className, QString("DeviceBeingRead"));
        QCOMPARE(notice.texts.value("label"), g_LangTextsDeviceBeingRead.value(0).value(0));
        QVERIFY(notice.texts.value("label").contains("being read"));
    }

    void refusalQueuedBeforeTheLeavingIsNotTold_data()
    {
        QTest::addColumn<bool>("offline");
        QTest::newRow("offline") << true;
        QTest::newRow("being read again") << false;
    }

    // The leaving delivers what was queued: no notice opens on the way out.
    void refusalQueuedBeforeTheLeavingIsNotTold()
    {
        QFETCH(bool, offline);
        auto window = NewMainWindow();
        ModalDialogAnswerer answerer({"NewHong"});
        if (offline)
            PostMsg::GetInstance()->EmitMouseOffLineo(0);
        else
            PostMsg::GetInstance()->EmitDeviceBeingRead();
        window->ShutDown();
        QCoreApplication::processEvents();
        QVERIFY(answerer.Records().isEmpty());
    }

    void keysNeverCloseTheWindow()
    {
        auto window = NewMainWindow();
        QSignalSpy enter(PostMsg::GetInstance(), SIGNAL(SigEnterKey()));
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QTest::keyClick(window.get(), Qt::Key_F12);
        QVERIFY(window->isVisible());
        QTest::keyClick(window.get(), Qt::Key_Return);
        QTest::keyClick(window.get(), Qt::Key_Enter);
        QCOMPARE(enter.count(), 2);

        g_MacroRecording = true;
        QTest::keyClick(window.get(), Qt::Key_Return);
        g_MacroRecording = false;
        QCOMPARE(enter.count(), 2);
    }

    void dragsOnlyWithTheLeftButton_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QPoint>("moved");
        QTest::newRow("left") << int(Qt::LeftButton) << QPoint(30, 40);
        QTest::newRow("right") << int(Qt::RightButton) << QPoint(0, 0);
    }

    void dragsOnlyWithTheLeftButton()
    {
        QFETCH(int, button);
        QFETCH(QPoint, moved);
        auto window = NewMainWindow();
        window->move(100, 100);
        const QPoint start = window->pos();
        const Qt::MouseButton held = Qt::MouseButton(button);
        const QPoint local(500, 60);
        QMouseEvent press(QEvent::MouseButtonPress, local, start + local, held, held, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &press);
        QMouseEvent move(QEvent::MouseMove, local, start + local + QPoint(30, 40), Qt::NoButton, held,
                         Qt::NoModifier);
        QApplication::sendEvent(window.get(), &move);
        QCOMPARE(window->pos(), start + moved);
    }

};

QTEST_MAIN(TestDialogMain)
#include "tst_dialogmain.moc"
