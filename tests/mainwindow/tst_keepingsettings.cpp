#include "common/ModalDialogAnswerer.h"
#include "common/SimDeviceFixture.h"
#include "mainwindow/MainWindowTestKit.h"

#include "core/PostMsg.h"
#include "device/DeviceCache.h"
#include "device/DeviceLibrary.h"
#include "device/DeviceState.h"
#include "device/Senders.h"
#include "device/SettingsFile.h"
#include "mainwindow/Dialog.h"
#include "mainwindow/DialogChange.h"
#include "mainwindow/DialogMain.h"
#include "widgets/UpDataParam.h"
#include "pages/buttons/Buttoninterface.h"
#include "pages/sensor/DpiLevelsFrameBase.h"
#include "pages/sensor/Sensor.h"
#include "pages/sensor/SensorDpiFrame.h"
#include "settings/FormSetting.h"
#include "widgets/NoticeDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>
#include <QToolButton>

#include <cstring>

namespace {

// The library calls that change what the device or the receiver holds.
const QStringList DeviceWrites{"ProtocolDataUpdate", "UsbFinderC_Set4KDongleRGB", "UsbFinderC_SetLongRangeMode"};

// The selectors of device keys 0 to 5, and the function buttons that name
// the factory functions of those keys.
const char* const Selectors[] = {"FireKey", "RightKey", "BackKey", "TopMusic", "StartPause", "BackMusic"};
const char* const FactoryFunctions[] = {"LeftKey_3", "RightKey_3", "MidKey", "BackKey_2", "ForWardKey", "VolumeUp_8"};

QStringList WritesInJournal()
{
    QStringList writes;
    for (const QString& line : FullDeviceJournal()) {
        for (const QString& call : DeviceWrites) {
            if (line.startsWith(call))
                writes << line.section('(', 0, 0);
        }
    }
    return writes;
}

QByteArray Bytes(const void* data, int size)
{
    return QByteArray(static_cast<const char*>(data), size);
}

// Key 4 presses Ctrl+C, key 3 plays the macro "Zoom".
FlashDataMap WithCombinationAndMacro(FlashDataMap record)
{
    record.Buttons[4] = {5, 0, 0};
    KeyEventRecord& keys = record.KeyEvents[4];
    keys = KeyEventRecord{};
    keys.EventCount = 4;
    keys.Events[0] = {0, 0, 0x01, 10};
    keys.Events[1] = {0, 1, 0x06, 10};
    keys.Events[2] = {1, 1, 0x06, 10};
    keys.Events[3] = {1, 0, 0x01, 10};
    record.Buttons[3] = {6, 0, 1};
    MacroBlock& macro = record.Macros[3];
    macro = MacroBlock{};
    macro.NameLength = 4;
    std::memcpy(macro.Name, "Zoom", 4);
    macro.EventCount = 2;
    macro.Events[0] = {0, 1, 0x1E, 20};
    macro.Events[1] = {1, 1, 0x1E, 20};
    return record;
}

} // namespace

// What the user set survives sleep, wake and opening another device, and
// what a device reports is shown without being written back to it. Over the
// simulated default devices: the 4 kHz receiver with mouseA (receiver LED 1,
// long range off), and mouseB on its cable (full and charging).
class KeepingSettingsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DialogMain> m_Window;
    QStringList m_WritesWhileOpening;

    Dialog* Shell() const { return m_Window->PageShell(); }

    template <typename Widget>
    Widget* Find(const char* name) const
    {
        Widget* widget = Shell()->findChild<Widget*>(name);
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }

    QString SelectorText(int key) const { return Find<QToolButton>(Selectors[key])->text(); }

    QToolButton* DeviceButton(const char* simId) const
    {
        const QString path = QString::fromUtf8(SimCtl_PathOf(simId));
        for (int i = 0; i < g_ListedDevices.size(); ++i) {
            if (g_ListedDevices.at(i).Path == path)
                return m_Window->DeviceList()->findChild<QToolButton*>("btn" + QString::number(i));
        }
        return nullptr;
    }

    // Opens an answering device and waits until its pages show its record.
    bool OpenAnswering(const char* simId)
    {
        QToolButton* button = DeviceButton(simId);
        if (!button)
            return false;
        button->click();
        return QTest::qWaitFor([this] {
            return Shell()->isVisible() && !Shell()->WaitDialog()->isVisible() && SimCtl_Pending() == 0
                   && g_FlashData.Snapshot() != FlashDataMap{}
                   && Shell()->ButtonPage()->ShownRecord() == g_FlashData.Snapshot();
        });
    }

    void GoBack()
    {
        QTest::mouseClick(Find<QToolButton>("UpArrow"), Qt::LeftButton);
        QTRY_VERIFY(!g_DevicePageShown);
    }

    // Asks the device for its whole configuration and waits until the pages
    // have taken it and every report that follows it.
    static bool ReadBack()
    {
        QSignalSpy shown(PostMsg::GetInstance(), SIGNAL(SigForm()));
        UsbServer_ReadAllFlashData();
        return QTest::qWaitFor([&] { return shown.count() == 1 && SimCtl_Pending() == 0; });
    }

    static bool Inject(int reportClass, int subCommand, const QByteArray& payload)
    {
        SimCtl_Inject(reportClass, subCommand, 0, reinterpret_cast<const unsigned char*>(payload.constData()),
                      payload.size());
        return QTest::qWaitFor([] { return SimCtl_Pending() == 0; });
    }

private slots:
    void initTestCase()
    {
        PrepareMainWindowFolders();
        LoadSimulatedScenario("default");
        QFile::remove(DeviceCacheFolder() + DeviceCacheFileName(0x0312));
        m_Window = NewMainWindow();
        ClearDeviceJournal();
        QVERIFY(OpenAnswering("rx4k"));
        m_WritesWhileOpening = WritesInJournal();
    }

    void cleanupTestCase()
    {
        m_Window.reset();
    }

    // Opening and reading the receiver shows what it holds; at most the
    // record goes back once, the receiver's own options never.
    void openingTheReceiverWritesNothingBack()
    {
        QVERIFY(m_WritesWhileOpening.count("ProtocolDataUpdate") <= 1);
        QCOMPARE(m_WritesWhileOpening.filter("UsbFinderC_").size(), 0);
        QVERIFY(Find<QCheckBox>("ReUntil")->isChecked());
        QVERIFY(!Find<QCheckBox>("checkBox_2")->isChecked());
    }

    void reportsAreShownNotWrittenBack_data()
    {
        QTest::addColumn<QString>("report");
        QTest::newRow("receiver LED 3 read back") << "led";
        QTest::newRow("long range on read back") << "long range on";
        QTest::newRow("long range off reported") << "long range off";
        QTest::newRow("debounce 2 ms read back") << "debounce";
        QTest::newRow("DPI-LED reported") << "dpi led";
    }

    void reportsAreShownNotWrittenBack()
    {
        QFETCH(QString, report);
        const QByteArray path = g_DevicePathC.Snapshot();
        if (report == "led") {
            DongleRGB led{};
            led.Mode = 3;
            UsbFinderC_Set4KDongleRGB(path.constData(), &led);
            ClearDeviceJournal();
            QVERIFY(ReadBack());
            QVERIFY(Find<QCheckBox>("ReUntil_3")->isChecked());
            QVERIFY(!Find<QCheckBox>("ReUntil")->isChecked());
        } else if (report == "long range on") {
            UsbFinderC_SetLongRangeMode(path.constData(), 1);
            ClearDeviceJournal();
            QVERIFY(ReadBack());
            QVERIFY(Find<QCheckBox>("checkBox_2")->isChecked());
        } else if (report == "long range off") {
            QVERIFY(Find<QCheckBox>("checkBox_2")->isChecked());
            ClearDeviceJournal();
            QVERIFY(Inject(23, 0, QByteArray(10, '\0')));
            QVERIFY(!Find<QCheckBox>("checkBox_2")->isChecked());
        } else if (report == "debounce") {
            FlashDataMap record = SimDeviceFixture::FlashRecord("mouseA");
            record.ButtonDebounce = 2;
            SimDeviceFixture::SetFlashRecord("mouseA", record);
            ClearDeviceJournal();
            QVERIFY(ReadBack());
            QCOMPARE(Find<QComboBox>("Debunce")->currentIndex(), 2);
        } else if (report == "dpi led") {
            ClearDeviceJournal();
            QVERIFY(Inject(8, 0x4C, QByteArray::fromHex("0180050100000000")));
            QCOMPARE(int(g_FlashData.Snapshot().DpiLedEffect), 1);
            QCOMPARE(int(g_FlashData.Snapshot().DpiLedSpeed), 5);
        }
        QCOMPARE(WritesInJournal(), QStringList());
    }

    // A key combination and a macro stay on the device and on the page over
    // the mouse's sleep, and so does the user's long-range choice.
    void sleepAndWakeKeepWhatTheUserSet()
    {
        SimDeviceFixture::SetFlashRecord("mouseA", WithCombinationAndMacro(SimDeviceFixture::FlashRecord("mouseA")));
        QVERIFY(ReadBack());
        const QString combination = SelectorText(4);
        const QString macro = SelectorText(3);
        QVERIFY(macro.endsWith("Zoom"));
        QVERIFY(combination.contains("+"));
        const FlashDataMap before = SimDeviceFixture::FlashRecord("mouseA");
        UsbFinderC_SetLongRangeMode(g_DevicePathC.Snapshot().constData(), 0);
        QVERIFY(Inject(23, 0, QByteArray(10, '\0')));
        Find<QCheckBox>("checkBox_2")->click();
        QCOMPARE(SimDeviceFixture::Value("rx4k", "long_range"), QString("1"));

        QSignalSpy shown(PostMsg::GetInstance(), SIGNAL(SigForm()));
        QVERIFY(SimCtl_SetAwake("mouseA", 0));
        QTRY_VERIFY(!UsbFinderC_GetDeviceOnLine(g_DevicePathC.Snapshot().constData()));
        QVERIFY(SimCtl_SetAwake("mouseA", 1));
        QTRY_VERIFY(shown.count() >= 1 && SimCtl_Pending() == 0 && !Shell()->WaitDialog()->isVisible());

        const FlashDataMap after = SimDeviceFixture::FlashRecord("mouseA");
        QCOMPARE(Bytes(&after.KeyEvents[4], sizeof(KeyEventRecord)), Bytes(&before.KeyEvents[4], sizeof(KeyEventRecord)));
        QCOMPARE(Bytes(&after.Macros[3], sizeof(MacroBlock)), Bytes(&before.Macros[3], sizeof(MacroBlock)));
        QCOMPARE(SelectorText(4), combination);
        QCOMPARE(SelectorText(3), macro);
        QCOMPARE(SimDeviceFixture::Value("rx4k", "long_range"), QString("1"));
        QVERIFY(Find<QCheckBox>("checkBox_2")->isChecked());
    }

    // Whatever reaches the device and its record reaches the model's offline
    // copy a moment later, with no leaving or shutdown: a program killed then
    // shows the device's settings when it next starts offline.
    void theOfflineCopyFollowsTheDeviceWithoutAShutdown()
    {
        const QString model = DeviceCacheFileName(0x0312);
        auto copyHoldsTheRecord = [&model] {
            FlashDataMap copy{};
            return LoadDeviceCache(model, copy) && copy == g_FlashData.Snapshot();
        };
        QTRY_VERIFY(copyHoldsTheRecord());
        const std::uint8_t rate = g_FlashData.Snapshot().ReportRate == 2 ? 4 : 2;
        QVERIFY(SendReportRate(rate));
        QTRY_VERIFY(copyHoldsTheRecord());
        QCOMPARE(SimDeviceFixture::FlashRecord("mouseA").ReportRate, rate);

        // The mouse's own DPI button.
        const std::uint8_t level = g_FlashData.Snapshot().CurrentDpiLevel;
        QVERIFY(SimCtl_Press("mouseA", "dpi-up"));
        QTRY_VERIFY(g_FlashData.Snapshot().CurrentDpiLevel != level && SimCtl_Pending() == 0);
        QTRY_VERIFY(copyHoldsTheRecord());
    }

    // The mouse's own button chooses another profile and the mouse falls
    // asleep before its re-read answers. While it sleeps, an export writes
    // the offline record, as after any sleep, with no notice; once it wakes,
    // its new profile is read whole, and nothing of the profile it left is
    // written to it or to the offline copy on the way.
    void exportWhileTheReReadIsLostToSleep()
    {
        const QString model = DeviceCacheFileName(0x0312);
        FlashDataMap kept{};
        QTRY_VERIFY(LoadDeviceCache(model, kept) && kept == g_FlashData.Snapshot());
        const int chosen = (SimDeviceFixture::Value("mouseA", "active_profile").toInt() + 1) % 4;
        FlashDataMap chosenRecord = SimDeviceFixture::FlashRecord("mouseA", chosen);
        chosenRecord.ReportRate = kept.ReportRate == 8 ? 4 : 8;
        chosenRecord.SleepTime = std::uint8_t(kept.SleepTime + 1);
        SimDeviceFixture::SetFlashRecord("mouseA", chosenRecord, chosen);
        ModalDialogAnswerer answerer({ModalDialogAnswerer::kEscape, ModalDialogAnswerer::kEscape});
        QSignalSpy beingRead(PostMsg::GetInstance(), SIGNAL(SigDeviceBeingRead()));
        ClearDeviceJournal();

        QVERIFY(SimCtl_Press("mouseA", "profile"));
        QVERIFY(SimCtl_SetAwake("mouseA", 0));
        QTRY_VERIFY(FullDeviceJournal().contains("UsbServer_ReadAllFlashData -> no answer: offline")
                    && SimCtl_Pending() == 0);
        QTemporaryDir folder;
        const QString path = folder.filePath("asleep.bin");
        Shell()->ButtonPage()->SaveSettingsFile(path);
        QCoreApplication::processEvents(); // a notice would open and be answered now
        QCOMPARE(beingRead.count(), 0);
        FlashDataMap exported{};
        QCOMPARE(ImportSettingsFile(path, exported), int(SettingsImported));
        QVERIFY(exported == kept);

        QVERIFY(SimCtl_SetAwake("mouseA", 1));
        QTRY_VERIFY(g_FlashData.Snapshot() == chosenRecord && SimCtl_Pending() == 0);
        QVERIFY(!g_ReadBackOutstanding);
        QCOMPARE(WritesInJournal().count("ProtocolDataUpdate"), 0);
        QVERIFY(SimDeviceFixture::FlashRecord("mouseA", chosen) == chosenRecord);
        FlashDataMap copy{};
        QTRY_VERIFY(LoadDeviceCache(model, copy) && copy == chosenRecord);
        QVERIFY(answerer.Records().isEmpty());
    }

    void aRefusedChangeIsPutBackBeforeTheNoticeOpens_data()
    {
        QTest::addColumn<QString>("pageButton");
        QTest::addColumn<QString>("box");
        QTest::newRow("lift-off distance, put back by its page") << "SensorButton" << "LOD";
        QTest::newRow("debounce time, put back by itself") << "ButtonMain" << "Debunce";
    }

    // A change the sleeping mouse cannot take shows the device's value again
    // at once: the offline notice opens over the box as it is, not over the
    // refused value.
    void aRefusedChangeIsPutBackBeforeTheNoticeOpens()
    {
        QFETCH(QString, pageButton);
        QFETCH(QString, box);
        QTest::mouseClick(Find<QToolButton>(qPrintable(pageButton)), Qt::LeftButton);
        auto* choice = Find<QComboBox>(qPrintable(box));
        QVERIFY(choice->isVisible());
        const int held = choice->currentIndex();
        QVERIFY(SimCtl_SetAwake("mouseA", 0));
        QTRY_VERIFY(!UsbFinderC_GetDeviceOnLine(g_DevicePathC.Snapshot().constData()));
        ClearDeviceJournal();

        int shownBehindNotice = -1;
        QTimer noticeWatch;
        connect(&noticeWatch, &QTimer::timeout, [&] {
            auto* notice = qobject_cast<MouseOffLine*>(QApplication::activeModalWidget());
            if (!notice || shownBehindNotice != -1)
                return;
            shownBehindNotice = choice->currentIndex();
            notice->findChild<QAbstractButton*>("NewHong")->click();
        });
        noticeWatch.start(5);
        choice->setCurrentIndex((held + 1) % choice->count());
        QTRY_VERIFY(shownBehindNotice != -1);

        QCOMPARE(shownBehindNotice, held);
        QCOMPARE(choice->currentIndex(), held);
        QCOMPARE(WritesInJournal(), QStringList());
        QVERIFY(SimCtl_SetAwake("mouseA", 1));
        QTRY_VERIFY(UsbFinderC_GetDeviceOnLine(g_DevicePathC.Snapshot().constData()) && SimCtl_Pending() == 0
                    && !Shell()->WaitDialog()->isVisible());
        QTest::mouseClick(Find<QToolButton>("ButtonMain"), Qt::LeftButton);
    }

    // The receiver opened while its mouse sleeps, with no cache of its model,
    // after mouseB: nothing of mouseB shows.
    void openingAnOfflineDeviceAfterAnother()
    {
        GoBack();
        FlashDataMap mouseB = WithCombinationAndMacro(SimDeviceFixture::FlashRecord("mouseB"));
        mouseB.DpiLevelCount = 6;
        mouseB.CurrentDpiLevel = 5;
        SimDeviceFixture::SetFlashRecord("mouseB", mouseB);
        QVERIFY(OpenAnswering("mouseB"));
        QTRY_VERIFY(Find<QLabel>("label")->isVisible());  // charging
        QVERIFY(SelectorText(3).endsWith("Zoom"));
        GoBack();

        QVERIFY(SimCtl_SetAwake("mouseA", 0));
        QFile::remove(DeviceCacheFolder() + DeviceCacheFileName(0x0312));
        ModalDialogAnswerer answerer({ModalDialogAnswerer::kEscape, ModalDialogAnswerer::kEscape});
        QSignalSpy reset(PostMsg::GetInstance(), SIGNAL(SigFormReset()));
        DeviceButton("rx4k")->click();
        QTRY_COMPARE(reset.count(), 1);

        auto* bar = Find<QProgressBar>("progressBar");
        QVERIFY(!Find<QLabel>("label")->isVisible());
        QCOMPARE(bar->value(), 100);
        QVERIFY(bar->styleSheet().contains("191, 191, 191"));
        for (int key = 0; key < 6; ++key)
            QCOMPARE(SelectorText(key), Find<QToolButton>(FactoryFunctions[key])->text());

        // A press and release on the DPI marker, without moving it, leaves
        // the shown level where it is.
        auto* dpi = Shell()->SensorPage()->findChild<SensorDPI*>();
        QCOMPARE(dpi->LevelCountMember(), 4);
        auto* marker = dpi->findChild<QLabel*>("label_8");
        const QPoint place = marker->pos();
        QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
        QTest::mousePress(dpi, Qt::LeftButton, Qt::NoModifier, marker->geometry().center());
        QTest::mouseRelease(dpi, Qt::LeftButton, Qt::NoModifier, marker->geometry().center());
        QCOMPARE(marker->pos(), place);
        QVERIFY(dpi->findChild<QAbstractButton*>(DpiLevelsFrameBase::LevelButtonName(1))->isChecked());
        QVERIFY(offline.count() <= 1);
        QVERIFY(SimCtl_SetAwake("mouseA", 1));
    }
};

QTEST_MAIN(KeepingSettingsTest)
#include "tst_keepingsettings.moc"
