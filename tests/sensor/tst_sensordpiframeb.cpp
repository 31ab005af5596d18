#include "SensorTestKit.h"

#include "pages/sensor/DpiLevelCodec.h"
#include "pages/sensor/SensorDpiFrameB.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

namespace {

QSlider* Slider(SensorDPIB& frame, int level)
{
    return frame.findChild<QSlider*>(QString("horizontalSlider") + QChar('A' + level));
}

QSpinBox* Number(SensorDPIB& frame, int level)
{
    return frame.findChild<QSpinBox*>(QString("spinBox") + QChar('A' + level));
}

QCheckBox* LevelBox(SensorDPIB& frame, int level)
{
    return frame.findChild<QCheckBox*>(QString("M") + QChar('A' + level));
}

QToolButton* Swatch(SensorDPIB& frame, const char* name)
{
    return frame.findChild<QToolButton*>(name);
}

// A frame as an owner would hold it: eight levels with their values in the
// rows, the range up to 26000, and its first (swallowed) change behind it.
void Load(SensorDPIB& frame, int current)
{
    g_SensorPageLoading = true;
    Slider(frame, 7)->setValue(100);
    frame.BlockLevelCountSignals(true);
    for (int i = 0; i < 8; ++i)
        frame.AddLevelCountItem(i, QString::number(i + 1));
    frame.SetLevelCountIndex(7);
    frame.BlockLevelCountSignals(false);
    frame.SetSlidersMaximum(26000);
    frame.BlockSliderSignals(true);
    for (int i = 0; i < 8; ++i) {
        frame.SetLevelValue(i, QString::number(400 * (i + 1)));
        frame.SetLevelColor(i, QString("#%1%1%1").arg(i, 2, 16, QChar('0')));
    }
    frame.BlockSliderSignals(false);
    frame.RestyleAllColorButtons();
    frame.SetCurrentLevelMember(current);
    frame.CheckLevelBox(current);
    g_SensorPageLoading = false;
}

} // namespace

class TestSensorDpiFrameB : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        UseSensorTestDescription();
        g_SensorName = "3950";
        LoadDpiRangeTables(QString("50,10000,50,10100,26000,100,22").split(','), nullptr);
    }

    void firstChangeIsShownThenChangesAreSent()
    {
        SensorFrameDevice device;
        SensorDPIB frame;
        Slider(frame, 0)->setValue(800);
        QCOMPARE(Number(frame, 0)->value(), 800);
        QCOMPARE(device.RecordsSent(), 0);
        Slider(frame, 4)->setValue(1000);
        QCOMPARE(int(device.Record().DpiLevels[4].XCode), 19);
        QCOMPARE(device.RecordsSent(), 1);
    }

    void sliderValuesOnTheRanges_data()
    {
        QTest::addColumn<int>("released");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("pageStep");
        QTest::newRow("in the gap") << 10050 << 10100 << 100;
        QTest::newRow("first range") << 175 << 150 << 50;
    }
    void sliderValuesOnTheRanges()
    {
        QFETCH(int, released);
        QFETCH(int, shown);
        QFETCH(int, pageStep);
        SensorFrameDevice device;
        SensorDPIB frame;
        Load(frame, 0);
        Slider(frame, 2)->setValue(released);
        QCOMPARE(Number(frame, 2)->value(), shown);
        QCOMPARE(Slider(frame, 2)->value(), shown);
        QCOMPARE(Slider(frame, 2)->pageStep(), pageStep);
        QCOMPARE(device.RecordsSent(), 1);
    }

    void valuesPassingTheRangesUnchanged()
    {
        SensorFrameDevice device;
        SensorDPIB frame;
        Load(frame, 0);
        frame.SetSlidersMinimum(10);
        frame.SetSlidersMaximum(30000);
        Slider(frame, 1)->setValue(20);
        QCOMPARE(Number(frame, 1)->value(), 50); // the spin box starts at 50
        Slider(frame, 1)->setValue(28000);
        QCOMPARE(Number(frame, 1)->value(), 28000);
        QCOMPARE(device.RecordsSent(), 2);
    }

    void offlineSliderChange()
    {
        SensorFrameDevice device;
        SensorDPIB frame;
        Load(frame, 0);
        device.GoOffline();
        // The level keeps the value the device holds.
        Slider(frame, 3)->setValue(1234);
        QCOMPARE(Number(frame, 3)->value(), 1600);
        QCOMPARE(Slider(frame, 3)->value(), 1600);
        QCOMPARE(device.OfflineNotices(), 1);
        // With sending disabled the value goes to the encoder, whose sender finds the device away.
        g_SendEnabled = false;
        Slider(frame, 3)->setValue(1260);
        QCOMPARE(Number(frame, 3)->value(), 1600);
        QCOMPARE(device.OfflineNotices(), 2);
        QVERIFY(device.Record() == FlashDataMap{});
    }

    void levelBoxMakesItsLevelCurrent()
    {
        SensorFrameDevice device;
        SensorDPIB frame;
        g_SendEnabled = false;
        QTest::mouseClick(LevelBox(frame, 2), Qt::LeftButton, {}, QPoint(6, 10));
        QCOMPARE(device.RecordsSent(), 0);
        g_SendEnabled = true;
        QTest::mouseClick(LevelBox(frame, 4), Qt::LeftButton, {}, QPoint(6, 10));
        QCOMPARE(int(device.Record().CurrentDpiLevel), 4);
        Slider(frame, 0)->setValue(500);
        QCOMPARE(device.RecordsSent(), 1);
        // SelectLevel holds back the next slider change, not the one after it.
        frame.SelectLevel(1);
        QCOMPARE(int(device.Record().CurrentDpiLevel), 1);
        Slider(frame, 1)->setValue(900);
        QCOMPARE(device.RecordsSent(), 2);
        Slider(frame, 1)->setValue(1000);
        QCOMPARE(device.RecordsSent(), 3);
    }

    void colourGoesToTheSwatchClickedLast()
    {
        SensorFrameDevice device;
        SensorDPIB frame;
        Load(frame, 0);
        Swatch(frame, "RedButtonA")->click();
        Swatch(frame, "GreenButtonA")->click();
        frame.findChild<QColorDialog*>()->hide();
        frame.SetColor(QColor(5, 200, 255));
        QVERIFY(Swatch(frame, "GreenButtonA")->styleSheet().contains("#05c8ff"));
        QVERIFY(Swatch(frame, "RedButtonA")->styleSheet().contains("#020202"));
        const DpiLevelEntry entry = device.Record().DpiLevels[4];
        QCOMPARE(QColor(entry.Red, entry.Green, entry.Blue), QColor(5, 200, 255));
        QCOMPARE(int(device.Record().DpiLevels[2].Red), 0);
        frame.ApplyFixedColorPalette();
        QVERIFY(Swatch(frame, "PurpleButtonA")->styleSheet().contains("#ff557d"));
    }

    void loweringTheCountExchangesRows()
    {
        SensorFrameDevice device;
        device.UseDistinctLevelEntries();
        SensorDPIB frame;
        Load(frame, 5);
        frame.SetLevelCountIndex(2);
        QCOMPARE(Number(frame, 2)->value(), 2400);
        QCOMPARE(Slider(frame, 2)->value(), 2400);
        QCOMPARE(Number(frame, 5)->value(), 1200);
        QVERIFY(Swatch(frame, "RedButtonA")->styleSheet().contains("#050505"));
        QVERIFY(LevelBox(frame, 2)->isChecked());
        for (int level = 0; level < 8; ++level)
            QCOMPARE(Slider(frame, level)->isHidden(), level > 2);
        QCOMPARE(device.LevelSummary(), QString("count 3 current 2 codes 12645378 sent 1"));
    }

    void countChangesWithoutExchange()
    {
        SensorFrameDevice device;
        SensorDPIB frame;
        Load(frame, 1);
        frame.SetLevelCountIndex(2);
        QCOMPARE(Number(frame, 1)->value(), 800);
        QCOMPARE(int(device.Record().DpiLevelCount), 3);
        QCOMPARE(device.RecordsSent(), 1);
        g_SensorPageLoading = true;
        frame.SetLevelCountIndex(0);
        g_SensorPageLoading = false;
        QVERIFY(!Slider(frame, 1)->isHidden());
        frame.findChild<QComboBox*>("ChooseEvent")->clear();
        QCOMPARE(device.RecordsSent(), 1);
        frame.LayoutForLevelCount(0);
        QVERIFY(Slider(frame, 1)->isHidden() && !Slider(frame, 0)->isHidden());
        frame.LayoutForLevelCount(7);
        QVERIFY(!Slider(frame, 7)->isHidden());
    }
};

QTEST_MAIN(TestSensorDpiFrameB)
#include "tst_sensordpiframeb.moc"
