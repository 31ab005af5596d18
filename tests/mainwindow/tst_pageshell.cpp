#include "common/SimDeviceFixture.h"
#include "common/TestFolders.h"
#include "common/WorkerThread.h"

#include "core/LanguageLoader.h"
#include "core/PostMsg.h"
#include "core/Timing.h"
#include "device/DeviceState.h"
#include "device/KeyCodes.h"
#include "widgets/UpDataParam.h"
#include "mainwindow/Dialog.h"
#include "pages/buttons/ButtonMacroFiles.h"
#include "pages/buttons/Buttoninterface.h"
#include "pages/macro/Macro.h"
#include "pages/macro/MacroNames.h"
#include "platform/simdevice/HIDUsb.h"
#include "pages/sensor/Sensor.h"
#include "settings/FormSetting.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QThread>
#include <QToolButton>

namespace {

void IgnoreReports(unsigned char*, int, unsigned char*, int) {}

// The main window's place: records the keys the shell passes on.
class ShellHolder : public QWidget
{
public:
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent* event) override { keys << event->key(); }
};

} // namespace

class PageShellTest : public QObject
{
    Q_OBJECT

private:
    SimDeviceFixture* m_Sim = nullptr;
    ShellHolder* m_Holder = nullptr;
    Dialog* m_Shell = nullptr;

    QToolButton* Button(const char* name) { return m_Shell->findChild<QToolButton*>(name); }
    QStackedWidget* Stack() { return m_Shell->findChild<QStackedWidget*>("stackedWidgetDialog"); }

private slots:
    void initTestCase()
    {
        UseTemporaryFolders();
        QVERIFY(CopyShippedFiles("usersetting/Config.ini"));
        QVERIFY(CopyShippedFiles("driver_sensor.h"));
        QVERIFY(CopyShippedFiles("Picture/Dialog"));
        QVERIFY(CopyShippedFiles("Picture/WarningDialog"));
        QVERIFY(CopyShippedFiles("Language"));
        LoadLanguageFiles();
        // The macro page lists the folder's macros when it is built.
        QVERIFY(QDir().mkpath(MacroFolder()));
        QFile macroA(MacroFolder() + "/A.ini");
        QVERIFY(macroA.open(QIODevice::WriteOnly));
        macroA.write("1\n0x04 1 0\n10ms\n0x04 1 1\n");
        macroA.close();
        m_Sim = new SimDeviceFixture;
        m_Holder = new ShellHolder;
        m_Shell = new Dialog(m_Holder);
        m_Shell->FinishBuilding();
        m_Holder->show();
    }

    void cleanupTestCase()
    {
        delete m_Holder;
        delete m_Sim;
    }

    void pagesStackInTheirOrder()
    {
        QCOMPARE(Stack()->count(), 4);
        QCOMPARE(Stack()->widget(0), static_cast<QWidget*>(m_Shell->ButtonPage()));
        QCOMPARE(Stack()->widget(1), static_cast<QWidget*>(m_Shell->SensorPage()));
        QCOMPARE(Stack()->widget(2), static_cast<QWidget*>(m_Shell->MacroPage()));
        QCOMPARE(Stack()->widget(3), static_cast<QWidget*>(m_Shell->SettingsPage()));
        QCOMPARE(Stack()->currentIndex(), 0);
        QVERIFY(Button("ButtonMain")->isChecked());
        QVERIFY(!Button("LightsButton")->isVisibleTo(m_Shell));
    }

    void pageButtonsShowTheirPages_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("index");
        QTest::newRow("sensor") << "SensorButton" << 1;
        QTest::newRow("macro") << "MacroButton" << 2;
        QTest::newRow("settings") << "FormSetting" << 3;
        QTest::newRow("buttons") << "ButtonMain" << 0;
    }

    void pageButtonsShowTheirPages()
    {
        QFETCH(QString, button);
        QFETCH(int, index);
        QTest::mouseClick(Button(qPrintable(button)), Qt::LeftButton);
        QCOMPARE(Stack()->currentIndex(), index);
        QVERIFY(Button(qPrintable(button))->isChecked());
        for (const char* other : {"ButtonMain", "SensorButton", "MacroButton", "FormSetting"})
            QCOMPARE(Button(other)->isChecked(), button == other);
    }

    void backToTheListMakesTheButtonPageCurrent()
    {
        QTest::mouseClick(Button("SensorButton"), Qt::LeftButton);
        PostMsg::GetInstance()->EmitSecondPageChange();
        QCOMPARE(Stack()->currentIndex(), 0);
        QVERIFY(Button("ButtonMain")->isChecked());
    }

    void devicesRecordsReachThePages()
    {
        DeviceAllInfo device;
        device.ModelIndex = 1;
        g_CurrentDevice.Set(device);
        FlashDataMap read{};
        read.SleepTime = 12;
        PostMsg* hub = PostMsg::GetInstance();

        // A full read, from the report thread, waiting for the pages.
        QVERIFY(RunOnWorkerThread([=] {
            hub->EmitUpDataLightUIButton(read);
            hub->EmitUpDataLightSensor(read);
        }));
        QVERIFY(m_Shell->ButtonPage()->ShownRecord() == read);
        QVERIFY(m_Shell->SensorPage()->ShownRecord() == read);
        QVERIFY(g_ButtonPageUpdated && g_SensorPageUpdated);
        QVERIFY(!g_ButtonPageLoading && !g_SensorPageLoading);
        QCOMPARE(m_Shell->ButtonPage()->SensorName(), QString("3950"));

        // The wait dialog's refresh leaves the flags of the full read alone.
        g_ButtonPageUpdated = false;
        g_SensorPageUpdated = false;
        FlashDataMap imported{};
        imported.SleepTime = 30;
        hub->EmitUpDataButtonUIC(imported);
        hub->EmitUpDataSensorUIB(imported);
        QVERIFY(m_Shell->ButtonPage()->ShownRecord() == imported);
        QVERIFY(m_Shell->SensorPage()->ShownRecord() == imported);
        QVERIFY(!g_ButtonPageUpdated && !g_SensorPageUpdated);

        // A device without data: the factory look.
        QVERIFY(RunOnWorkerThread([=] { hub->EmitFormReset(); }));
        QVERIFY(m_Shell->ButtonPage()->ShownRecord() == FlashDataMap{});
        QVERIFY(m_Shell->SensorPage()->ShownRecord() == FlashDataMap{});
    }

    void theMacroPageNamesTheMouseButtons()
    {
        PostMsg::GetInstance()->EmitAllLanguage(0);
        QCOMPARE(g_MouseButtonNameLeft, QString("Left button"));
        QCOMPARE(g_MouseButtonNameBack, QString("Back button"));
    }

    void batteryIsGreyBeforeAnyReport()
    {
        ShellHolder holder;
        Dialog shell(&holder);
        auto* bar = shell.findChild<QProgressBar*>("progressBar");
        QCOMPARE(bar->value(), 100);
        QVERIFY(bar->styleSheet().contains("rgb(191, 191, 191)"));
        QVERIFY(!shell.findChild<QLabel*>("label")->isVisibleTo(&shell));
    }

    void batteryFollowsReports_data()
    {
        QTest::addColumn<bool>("charging");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("percent");
        QTest::addColumn<QString>("colour");
        QTest::addColumn<QString>("text");
        const QString red = "rgb(152, 43, 34)";
        const QString green = "rgb(0, 255, 153)";
        QTest::newRow("15 is low") << false << 15 << true << red << "15%";
        QTest::newRow("16 is not, charging") << true << 16 << false << green << "16";
        QTest::newRow("empty") << false << 0 << true << red << "0%";
        QTest::newRow("full, charging") << true << 100 << true << green << "100%";
    }

    void batteryFollowsReports()
    {
        QFETCH(bool, charging);
        QFETCH(int, level);
        QFETCH(bool, percent);
        QFETCH(QString, colour);
        QFETCH(QString, text);

        // As the report callback does: from another thread, waiting for the shell.
        QVERIFY(RunOnWorkerThread([=] { PostMsg::GetInstance()->EmitBattery(charging, level, percent); }));

        auto* bar = m_Shell->findChild<QProgressBar*>("progressBar");
        QCOMPARE(bar->value(), level);
        QVERIFY2(bar->styleSheet().contains("::chunk {background-color: " + colour), qPrintable(bar->styleSheet()));
        QCOMPARE(m_Shell->findChild<QLabel*>("label")->isVisibleTo(m_Shell), charging);
        auto* number = m_Shell->findChild<QLabel*>("label_2");
        QCOMPARE(number->text(), text);
        QVERIFY(!number->isVisibleTo(m_Shell));
    }

    void recordingLocksThePageButtons()
    {
        const QList<QToolButton*> pageButtons = {Button("ButtonMain"), Button("SensorButton"), Button("MacroButton"),
                                                 Button("FormSetting"), Button("LightsButton")};
        const QList<QToolButton*> windowButtons = {Button("UpArrow"), Button("MinButton"), Button("CloseButton")};

        PostMsg::GetInstance()->EmitStartRecord(0);
        for (QToolButton* button : pageButtons)
            QVERIFY2(!button->isEnabled(), qPrintable(button->objectName()));
        for (QToolButton* button : windowButtons)
            QVERIFY(button->isEnabled());

        PostMsg::GetInstance()->EmitStartRecord(7);
        QVERIFY(!Button("ButtonMain")->isEnabled());

        // Leaving the pages ends the recording, which unlocks them.
        g_MacroRecording = true;
        PostMsg::GetInstance()->EmitSetMacroPage();
        QVERIFY(!g_MacroRecording);
        for (QToolButton* button : pageButtons)
            QVERIFY(button->isEnabled());
    }

    void escapeAndF12GoNowhere()
    {
        m_Holder->keys.clear();
        for (int key : {int(Qt::Key_Escape), int(Qt::Key_F12), int(Qt::Key_A)})
            QTest::keyClick(m_Shell, Qt::Key(key));
        QCOMPARE(m_Holder->keys, QList<int>{Qt::Key_A});
    }

    void aSecondWaitRequestJoinsTheOpenWaitDialog()
    {
        ScopedTimings fast(Timings::Scaled(0.02));
        g_DeviceReachable = true;
        g_SensorPageUpdated = false;
        g_ButtonPageUpdated = false;
        QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
        QList<bool> visibleAtRunStart;
        // While the first run waits, the device thread asks again: a new pass.
        const QMetaObject::Connection runStart =
            connect(PostMsg::GetInstance(), &PostMsg::SigSetver, this, [&](int step) {
                if (step != 4)
                    return;
                visibleAtRunStart << m_Shell->WaitDialog()->isVisible();
                if (visibleAtRunStart.size() == 1) {
                    QThread* pass = QThread::create([] { PostMsg::GetInstance()->EmitUpDataParam(0); });
                    connect(pass, &QThread::finished, pass, &QObject::deleteLater);
                    pass->start();
                }
            });

        // First a requested re-read.
        QVERIFY(RunOnWorkerThread([] { PostMsg::GetInstance()->EmitUpDataParam(1); }));
        QTRY_COMPARE_WITH_TIMEOUT(offline.count(), 2, 5000);
        disconnect(runStart);

        QCOMPARE(offline.at(0).at(0).toInt(), 0); // the wait-only run
        QCOMPARE(offline.at(1).at(0).toInt(), 1); // then the normal run
        QCOMPARE(visibleAtRunStart, (QList<bool>{true, true}));
        QTRY_VERIFY(!m_Shell->WaitDialog()->isVisible());
        g_DeviceReachable = false;
    }

    // Leaves the pages, so it comes last. A macro saved on the macro page
    // waits its download spacing; the back arrow, clicked inside it, sends
    // the saved rows before the device link closes.
    void theBackArrowSendsTheMacroSavedInsideTheWait()
    {
        Timings timings;
        timings.macroFileRewriteMs = 1;
        timings.macroDownloadDelayMs = 60 * 60 * 1000; // the spacing never ends by itself here
        ScopedTimings slow(timings);
        const QByteArray path = SimCtl_PathOf("mouseB");
        QCOMPARE(UsbServerC_Start(path.constData(), path.constData(), IgnoreReports), 1);
        g_DevicePathC.Set(path);
        g_CurrentDevice.Set(DeviceAllInfo{});
        g_SendEnabled = true;

        // A on the right key, then a left click added to its rows and saved.
        Buttoninterface* buttons = m_Shell->ButtonPage();
        QTest::mouseClick(Button("ButtonMain"), Qt::LeftButton);
        buttons->SlotUpDataButtonUIButton(FlashDataMap{});
        buttons->SlotUpDataConfigUI(0, 0, false); // what the cabled mouse reports: no profiles
        buttons->findChild<QToolButton*>("RightKey")->click();
        buttons->MacroButtons.at(0)->click();
        QCOMPARE(int(SimDeviceFixture::FlashRecord("mouseB").Buttons[1].Type), 6);
        QTest::mouseClick(Button("MacroButton"), Qt::LeftButton);
        Macro* macros = m_Shell->MacroPage();
        auto* list = macros->findChild<QListWidget*>("listWidgetHong");
        QListWidgetItem* itemA = list->findItems("A", Qt::MatchExactly).value(0);
        QVERIFY(itemA);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(itemA).center());
        macros->on_ChooseEvent_activated(4);
        macros->findChild<QAbstractButton*>("Save")->click();
        QCOMPARE(int(SimDeviceFixture::FlashRecord("mouseB").Macros[1].EventCount), 2); // the rows before the save

        QTest::mouseClick(Button("UpArrow"), Qt::LeftButton);

        const FlashDataMap device = SimDeviceFixture::FlashRecord("mouseB");
        QCOMPARE(MacroBlockName(device.Macros[1]), QString("A"));
        QCOMPARE(int(device.Macros[1].EventCount), 4);
        QCOMPARE(int(device.Macros[1].Events[3].Kind), int(EventKindMouseButton));
    }
};

QTEST_MAIN(PageShellTest)
#include "tst_pageshell.moc"
