#include "LightingTestKit.h"

#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "device/DeviceState.h"
#include "lighting/LampLight.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <memory>

Q_DECLARE_METATYPE(QList<QColor>)

namespace {

// Light bytes of a record: brightness, speed, colour, on, effect, switch, sleep.
struct LightBytes
{
    int brightness = 4;
    int speed = 2;
    QColor colour{1, 2, 3};
    int on = 1;
    int effect = 2;
    int lightsOffMoving = 1;
    int sleepUnits = 30;
};

FlashDataMap RecordWith(const LightBytes& bytes)
{
    FlashDataMap record{};
    record.LightBarBrightness = std::uint8_t(bytes.brightness);
    record.LightBarSpeed = std::uint8_t(bytes.speed);
    record.LightBarRed = std::uint8_t(bytes.colour.red());
    record.LightBarGreen = std::uint8_t(bytes.colour.green());
    record.LightBarBlue = std::uint8_t(bytes.colour.blue());
    record.LightBarOn = std::uint8_t(bytes.on);
    record.LightBarEffect = std::uint8_t(bytes.effect);
    record.LightBarRipple = std::uint8_t(bytes.lightsOffMoving);
    record.SleepTime = std::uint8_t(bytes.sleepUnits);
    return record;
}

QColor RecordColour()
{
    const FlashDataMap record = g_FlashData.Snapshot();
    return QColor(record.LightBarRed, record.LightBarGreen, record.LightBarBlue);
}

} // namespace

class TestLampLight : public QObject
{
    Q_OBJECT

    std::unique_ptr<SimDeviceFixture> m_Sim;
    std::unique_ptr<LampLight> m_Page;
    std::unique_ptr<QSignalSpy> m_Offline;

    QSpinBox* Spin(const char* name) { return Child<QSpinBox>(m_Page.get(), name); }
    QComboBox* Effects() { return Child<QComboBox>(m_Page.get(), "LightMod"); }
    QComboBox* SleepTimes() { return Child<QComboBox>(m_Page.get(), "StopClose"); }
    QSlider* Slider(const char* name) { return Child<QSlider>(m_Page.get(), name); }
    QToolButton* Button(const char* name) { return Child<QToolButton>(m_Page.get(), name); }
    QColor SpinColour() { return QColor(Spin("RSpinBox")->value(), Spin("GSpinBox")->value(), Spin("BSpinBox")->value()); }

    void UseOfflineDevice() { g_DevicePathC.Set("no such device"); }

private slots:
    void initTestCase()
    {
        QVERIFY(UseShippedTextsAndPictures({"Light"}));
    }

    void init()
    {
        m_Sim.reset(new SimDeviceFixture);
        g_DevicePathC.Set(SimCtl_PathOf("mouseB"));
        g_FlashData.Set(FlashDataMap{});
        g_SendEnabled = true;
        m_Page.reset(new LampLight);
        m_Offline.reset(new QSignalSpy(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int))));
        SimCtl_JournalClear();
    }

    void cleanup()
    {
        m_Offline.reset();
        m_Page.reset();
        g_SendEnabled = false;
        g_DevicePathC.Set(QByteArray());
        m_Sim.reset();
    }

    void recordFillsTheControlsAndSendsNothing()
    {
        m_Page->SlotUpDataLightUILight(RecordWith({}));

        QCOMPARE(Slider("horizontalLight")->value(), 5);
        QCOMPARE(Slider("horizontalSpeed")->value(), 3);
        QCOMPARE(Spin("LightSpinBox_2")->value(), 5);
        QCOMPARE(Spin("SpeedSpinBox_2")->value(), 3);
        QCOMPARE(SpinColour(), QColor(1, 2, 3));
        QCOMPARE(Child<QLabel>(m_Page.get(), "labelPreView")->styleSheet(),
                 QString("QLabel{background-color: rgb(1,2,3);border: 2px solid  rgb(220,220,220);}"));
        QCOMPARE(Effects()->currentIndex(), 2);
        QVERIFY(!Spin("RSpinBox")->isHidden());
        QVERIFY(Button("RippeControl")->isChecked());
        QCOMPARE(SleepTimes()->currentIndex(), 3);
        QVERIFY(Slider("horizontalLight")->isEnabled());
        QCOMPARE(RecordSends(), 0);
        QCOMPARE(m_Offline->count(), 0);
        QVERIFY(!g_LightPageLoading);
    }

    void recordBytesBecomeSteps_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("step");
        QTest::newRow("0 is the first step") << 0 << 1;
        QTest::newRow("9 is the last step") << 9 << 10;
        QTest::newRow("10 shows the last step") << 10 << 10;
        QTest::newRow("255 shows the last step") << 255 << 10;
    }

    void recordBytesBecomeSteps()
    {
        QFETCH(int, byte);
        QFETCH(int, step);
        LightBytes bytes;
        bytes.brightness = byte;
        bytes.speed = byte;
        m_Page->SlotUpDataLightUILight(RecordWith(bytes));
        QCOMPARE(Slider("horizontalLight")->value(), step);
        QCOMPARE(Slider("horizontalSpeed")->value(), step);
        QCOMPARE(Spin("LightSpinBox_2")->value(), step);
    }

    void recordEffectAndSleepTime_data()
    {
        QTest::addColumn<int>("on");
        QTest::addColumn<int>("effect");
        QTest::addColumn<int>("sleepUnits");
        QTest::addColumn<int>("shownEffect");
        QTest::addColumn<int>("shownSleepTime");
        QTest::newRow("light bar off shows off whatever the effect") << 0 << 3 << 240 << 0 << 10;
        QTest::newRow("effect 5") << 1 << 5 << 1 << 5 << 0;
        QTest::newRow("unknown effect leaves no item current") << 1 << 6 << 30 << -1 << 3;
        QTest::newRow("unknown sleep time leaves the list") << 1 << 1 << 7 << 1 << 2;
    }

    void recordEffectAndSleepTime()
    {
        QFETCH(int, on);
        QFETCH(int, effect);
        QFETCH(int, sleepUnits);
        QFETCH(int, shownEffect);
        QFETCH(int, shownSleepTime);
        m_Page->SlotFormResetLight(); // effect 1 (no colour controls), sleep time item 2
        LightBytes bytes;
        bytes.on = on;
        bytes.effect = effect;
        bytes.sleepUnits = sleepUnits;
        m_Page->SlotUpDataLightUILight(RecordWith(bytes));
        QCOMPARE(Effects()->currentIndex(), shownEffect);
        QCOMPARE(SleepTimes()->currentIndex(), shownSleepTime);
        if (shownEffect < 0)
            QVERIFY(Spin("RSpinBox")->isHidden()); // what effect 1 showed stays
        QCOMPARE(RecordSends(), 0);
    }

    void importedRecordLeavesTheSlidersDisabledUntilAFullRead()
    {
        m_Page->SlotUpDataLightUIA(RecordWith({}));
        QVERIFY(!Slider("horizontalLight")->isEnabled());
        QVERIFY(!Slider("horizontalSpeed")->isEnabled());
        QCOMPARE(SpinColour(), QColor(1, 2, 3));
        m_Page->SlotUpDataLightUILight(RecordWith({}));
        QVERIFY(Slider("horizontalLight")->isEnabled());
        QVERIFY(Slider("horizontalSpeed")->isEnabled());
        QCOMPARE(RecordSends(), 0);
    }

    void resetShowsTheDefaultsAndSendsNothing()
    {
        m_Page->SlotUpDataLightUILight(RecordWith({}));
        m_Page->SlotFormResetLight();
        QCOMPARE(Effects()->currentIndex(), 1);
        QCOMPARE(Slider("horizontalLight")->value(), 10);
        QCOMPARE(Slider("horizontalSpeed")->value(), 8);
        QCOMPARE(Spin("LightSpinBox_2")->value(), 10);
        QCOMPARE(Spin("SpeedSpinBox_2")->value(), 8);
        QVERIFY(Button("RippeControl")->isChecked());
        QCOMPARE(SleepTimes()->currentIndex(), 2);
        QCOMPARE(SpinColour(), QColor(1, 2, 3));
        QCOMPARE(RecordSends(), 0);
    }

    // Which widgets each effect shows: the lines stand in for hidden sliders.
    void effectChoiceSendsAndShows_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<int>("onByte");
        QTest::addColumn<int>("effectByte");
        QTest::addColumn<QString>("shown"); // line, line_2, colour, brightness, speed
        QTest::newRow("off keeps the last effect byte") << 0 << 0 << 1 << "11000";
        QTest::newRow("colour flow") << 1 << 1 << 1 << "00011";
        QTest::newRow("single-colour breathing") << 2 << 1 << 2 << "00111";
        QTest::newRow("mixed colours steady") << 3 << 1 << 3 << "01110";
        QTest::newRow("neon") << 4 << 1 << 4 << "00011";
        QTest::newRow("mixed-colour breathing") << 5 << 1 << 5 << "00011";
    }

    void effectChoiceSendsAndShows()
    {
        QFETCH(int, effect);
        QFETCH(int, onByte);
        QFETCH(int, effectByte);
        QFETCH(QString, shown);
        LightBytes bytes;
        bytes.on = 0;
        bytes.effect = 3;
        const FlashDataMap record = RecordWith(bytes);
        g_FlashData.Set(record);
        m_Page->SlotUpDataLightUILight(record); // shows effect 0
        if (effect == 0)
            Effects()->setCurrentIndex(1); // a choice changes the effect
        Effects()->setCurrentIndex(effect);

        const FlashDataMap sent = g_FlashData.Snapshot();
        QCOMPARE(int(sent.LightBarOn), onByte);
        QCOMPARE(int(sent.LightBarEffect), effectByte);
        const auto isShown = [&](int i) { return shown.at(i) == '1'; };
        QCOMPARE(!Child<QWidget>(m_Page.get(), "line")->isHidden(), isShown(0));
        QCOMPARE(!Child<QWidget>(m_Page.get(), "line_2")->isHidden(), isShown(1));
        for (const char* name : {"label_6", "label_7", "labelPreView", "AddB", "BSpinBox", "toolButtonColorN"})
            QCOMPARE(!Child<QWidget>(m_Page.get(), name)->isHidden(), isShown(2));
        QCOMPARE(!Slider("horizontalLight")->isHidden(), isShown(3));
        QCOMPARE(!Spin("LightSpinBox_2")->isHidden(), isShown(3));
        QCOMPARE(!Slider("horizontalSpeed")->isHidden(), isShown(4));
        QCOMPARE(!Spin("SpeedSpinBox_2")->isHidden(), isShown(4));
        for (const char* name : {"label", "label_2", "label_3", "label_4", "label_5", "RippeControl", "frameClose"})
            QVERIFY2(!Child<QWidget>(m_Page.get(), name)->isHidden(), name);
    }

    void theBuiltPageShowsWhatItsEffectUses()
    {
        QCOMPARE(Effects()->currentIndex(), 0);
        QVERIFY(Spin("RSpinBox")->isHidden());
        QVERIFY(Slider("horizontalLight")->isHidden());
        QVERIFY(!Child<QWidget>(m_Page.get(), "line")->isHidden());
    }

    // A drag moves the mirror only; the let-go sends the step - 1.
    void sliderSendsWhenLetGo()
    {
        QSlider* slider = Slider("horizontalLight");
        slider->setSliderDown(true);
        slider->setSliderPosition(4);
        slider->setSliderPosition(6);
        QCOMPARE(Spin("LightSpinBox_2")->value(), 6);
        QCOMPARE(RecordSends(), 0);
        slider->setSliderDown(false);
        QCOMPARE(RecordSends(), 1);
        QCOMPARE(int(g_FlashData.Snapshot().LightBarBrightness), 5);

        Slider("horizontalSpeed")->setValue(10);
        QCOMPARE(Spin("SpeedSpinBox_2")->value(), 10);
        QCOMPARE(int(g_FlashData.Snapshot().LightBarSpeed), 9);
    }

    void switchSendsItsState()
    {
        Button("RippeControl")->click();
        QCOMPARE(int(g_FlashData.Snapshot().LightBarRipple), 1);
        Button("RippeControl")->click();
        QCOMPARE(int(g_FlashData.Snapshot().LightBarRipple), 0);
        QCOMPARE(RecordSends(), 2);
    }

    void plusAndMinusStopAtTheLimits()
    {
        Spin("RSpinBox")->setValue(254);
        SimCtl_JournalClear();
        Button("AddR")->click();
        QCOMPARE(RecordColour(), QColor(255, 0, 0));
        Button("AddR")->click();
        Spin("GSpinBox")->setValue(0);
        Button("ReduceG")->click();
        QCOMPARE(Spin("RSpinBox")->value(), 255);
        QCOMPARE(Spin("GSpinBox")->value(), 0);
        QCOMPARE(RecordSends(), 1);
    }

    // Each channel that a preset changes sends the colour of that moment.
    void presetSendsEachChannelThatChanges_data()
    {
        QTest::addColumn<QColor>("before");
        QTest::addColumn<QList<QColor>>("sent");
        QTest::newRow("from black") << QColor(0, 0, 0) << QList<QColor>{QColor(255, 0, 0)};
        QTest::newRow("from cyan") << QColor(0, 255, 255)
                                   << QList<QColor>{QColor(255, 255, 255), QColor(255, 0, 255), QColor(255, 0, 0)};
        QTest::newRow("already red") << QColor(255, 0, 0) << QList<QColor>{};
    }

    void presetSendsEachChannelThatChanges()
    {
        QFETCH(QColor, before);
        QFETCH(QList<QColor>, sent);
        LightBytes bytes;
        bytes.colour = before;
        m_Page->SlotUpDataLightUILight(RecordWith(bytes));
        QList<QColor> seen;
        for (const char* name : {"RSpinBox", "GSpinBox", "BSpinBox"})
            connect(Spin(name), QOverload<int>::of(&QSpinBox::valueChanged), this, [&] { seen << RecordColour(); });

        Button("toolButtonColorA")->click();

        QCOMPARE(seen, sent);
        QCOMPARE(RecordSends(), sent.size());
        QCOMPARE(SpinColour(), QColor(255, 0, 0));
    }

    void offlineDeviceTakesNoColourButton()
    {
        UseOfflineDevice();
        Button("AddR")->click();
        Button("ReduceG")->click();
        Button("toolButtonColorK")->click();
        QCOMPARE(m_Offline->count(), 3);
        QCOMPARE(SpinColour(), QColor(0, 0, 0));
        QCOMPARE(RecordSends(), 0);

        // With sending off nothing is asked and the buttons act.
        g_SendEnabled = false;
        Button("toolButtonColorK")->click();
        QCOMPARE(SpinColour(), QColor(255, 255, 255));
        QCOMPARE(m_Offline->count(), 3);
        QCOMPARE(SimDeviceFixture::JournalCount("UsbFinderC_GetDeviceOnLine"), 3);
    }

    // The colour spin boxes keep what the user typed; the sender raises the notice.
    void offlineSpinBoxKeepsTheValue()
    {
        UseOfflineDevice();
        Spin("BSpinBox")->setValue(77);
        QCOMPARE(Spin("BSpinBox")->value(), 77);
        QCOMPARE(m_Offline->count(), 1);
        QCOMPARE(RecordColour(), QColor(0, 0, 0));
    }

    void colourBoardPicksOnlineOrWithSendingOff()
    {
        FakeScreen screen;
        Effects()->setCurrentIndex(2);
        QWidget* board = Child<QWidget>(m_Page.get(), "label_7");
        PressOn(m_Page.get(), board);
        QCOMPARE(SpinColour(), QColor(12, 34, 56));
        QCOMPARE(RecordColour(), QColor(12, 34, 56));

        UseOfflineDevice();
        screen.colour = QColor(200, 100, 50);
        PressOn(m_Page.get(), board);
        QCOMPARE(m_Offline->count(), 1);
        QCOMPARE(SpinColour(), QColor(12, 34, 56));

        g_SendEnabled = false;
        PressOn(m_Page.get(), board);
        QCOMPARE(SpinColour(), QColor(200, 100, 50));
        QCOMPARE(m_Offline->count(), 1);
    }

    // The board is hidden with the colour controls; the press lands on the page.
    void hiddenColourBoardPicksNothing()
    {
        FakeScreen screen;
        Effects()->setCurrentIndex(1);
        PressOn(m_Page.get(), Child<QWidget>(m_Page.get(), "label_7"));
        QVERIFY(screen.grabs.isEmpty());
        QCOMPARE(SpinColour(), QColor(0, 0, 0));
    }

    void languageTextsTakeTheirPlaces_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("lastEffect");
        QTest::addColumn<QString>("brightness");
        QTest::addColumn<QString>("lastSleepTime");
        QTest::addColumn<QString>("blue");
        QTest::newRow("English") << 0 << "Light mode" << "Mixed-colour breathing" << "Brightness" << "40 min" << "B:";
        QTest::newRow("Polish") << 1 << QString::fromUtf8("Tryb podświetlenia")
                                << QString::fromUtf8("Oddychanie wieloma kolorami") << QString::fromUtf8("Jasność")
                                << "40 min" << "B:";
    }

    void languageTextsTakeTheirPlaces()
    {
        QFETCH(int, language);
        QFETCH(QString, title);
        QFETCH(QString, lastEffect);
        QFETCH(QString, brightness);
        QFETCH(QString, lastSleepTime);
        QFETCH(QString, blue);
        m_Page->SlotAllLanguage(language);
        QCOMPARE(Child<QLabel>(m_Page.get(), "label")->text(), title);
        QCOMPARE(Effects()->count(), 6);
        QCOMPARE(Effects()->itemText(5), lastEffect);
        QCOMPARE(Child<QLabel>(m_Page.get(), "label_2")->text(), brightness);
        QCOMPARE(SleepTimes()->itemText(10), lastSleepTime);
        QCOMPARE(Child<QLabel>(m_Page.get(), "label_12")->text(), blue);
    }
};

QTEST_MAIN(TestLampLight)
#include "tst_lamplight.moc"
