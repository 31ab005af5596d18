#include "SensorTestKit.h"

#include "pages/sensor/DpiLedFrames.h"
#include "pages/sensor/LiftOffFrames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

namespace {

// A drag of a slider whose tracking is off: only the shown number follows
// until the handle is let go.
void Drag(QSlider* slider, const QList<int>& positions)
{
    slider->setSliderDown(true);
    for (int position : positions)
        slider->setSliderPosition(position);
    slider->setSliderDown(false);
}

// A click on a check box's indicator.
void ClickBox(QCheckBox* box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

// Which of the speed and brightness rows show their slider ('s', 'b') or
// their rule ('-').
QString RowsShown(QFrame* frame)
{
    const auto shown = [frame](const char* name) { return !frame->findChild<QWidget*>(name)->isHidden(); };
    QString rows;
    rows += shown("SpeedH") && shown("SpeedSpinBox") && !shown("line") ? 's' : '-';
    rows += shown("LightH") && shown("LightSpinBox") && !shown("line_2") ? 'b' : '-';
    return rows;
}

} // namespace

class TestLiftOffAndLedFrames : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { UseSensorTestDescription(); }

    void liftOffChoiceSendsItsCode_data()
    {
        QTest::addColumn<bool>("subMillimetre");
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("code");
        QTest::newRow("0.7mm of three") << true << 0 << 3;
        QTest::newRow("1mm of three") << true << 1 << 1;
        QTest::newRow("2mm of three") << true << 2 << 2;
        QTest::newRow("2mm of two") << false << 1 << 2;
    }
    void liftOffChoiceSendsItsCode()
    {
        QFETCH(bool, subMillimetre);
        QFETCH(int, item);
        QFETCH(int, code);
        SensorLOD frame;
        auto* combo = frame.findChild<QComboBox*>("LOD");
        if (subMillimetre)
            frame.AddSubMillimetreItem();
        combo->setCurrentIndex(-1);
        SensorFrameDevice device;
        combo->setCurrentIndex(item);
        QCOMPARE(int(device.Record().LiftOffDistance), code);
        QCOMPARE(device.RecordsSent(), 1);
    }

    void liftOffItemsAndIndexes()
    {
        SensorFrameDevice device;
        g_SensorPageLoading = true;
        SensorLOD frame;
        auto* combo = frame.findChild<QComboBox*>("LOD");
        QVERIFY(!combo->isEnabled());
        frame.AddSubMillimetreItem();
        frame.AddSubMillimetreItem();
        QCOMPARE(combo->count(), 3);
        frame.SetLodIndex(2);
        QCOMPARE(combo->currentText(), QString("0.7mm"));
        frame.SetLodIndex(5);
        QCOMPARE(combo->currentText(), QString("0.7mm"));
        frame.RemoveSubMillimetreItem();
        frame.RemoveSubMillimetreItem();
        QCOMPARE(combo->count(), 2);
        QCOMPARE(device.RecordsSent(), 0);

        // A record code without an item: no item current, and nothing sent
        // even once the page is not loading.
        g_SensorPageLoading = false;
        frame.SetLodIndex(5);
        QCOMPARE(combo->currentIndex(), -1);
        QCOMPARE(device.RecordsSent(), 0);
        g_SendEnabled = false;
        combo->setCurrentIndex(1);
        QCOMPARE(device.RecordsSent(), 0);
    }

    void addingOrRemovingTheFirstItemSendsTheShiftedChoice()
    {
        SensorLOD frame;
        auto* combo = frame.findChild<QComboBox*>("LOD");
        combo->setCurrentIndex(1);
        SensorFrameDevice device;
        frame.AddSubMillimetreItem();
        QCOMPARE(int(device.Record().LiftOffDistance), 2);
        combo->setCurrentIndex(0);
        frame.RemoveSubMillimetreItem();
        QCOMPARE(int(device.Record().LiftOffDistance), 1);
        QCOMPARE(device.RecordsSent(), 3);
    }

    void liftOffBoxes()
    {
        SensorFrameDevice device;
        SensorLODB frame;
        frame.show();
        const auto box = [&frame](const char* name) { return frame.findChild<QCheckBox*>(name); };
        frame.SetLodIndex(2);
        QVERIFY(!box("MM0")->isChecked());
        frame.ShowSubMillimetreBox();
        frame.SetLodIndex(2);
        QVERIFY(box("MM0")->isChecked());
        frame.SetLodIndex(3);
        frame.SetLodIndex(-1);
        QVERIFY(box("MM0")->isChecked());
        QCOMPARE(device.RecordsSent(), 0);

        ClickBox(box("MM2"));
        QCOMPARE(int(device.Record().LiftOffDistance), 2);
        ClickBox(box("MM0"));
        ClickBox(box("MM0"));
        QCOMPARE(int(device.Record().LiftOffDistance), 3);
        QCOMPARE(device.RecordsSent(), 3);

        frame.SetBoxesEnabled(false);
        QVERIFY(box("MM0")->isEnabled() && !box("MM1")->isEnabled());
        frame.HideSubMillimetreBox();
        QVERIFY(box("MM0")->isHidden() && box("MM0")->isChecked());
        QCOMPARE(box("MM1")->x(), 80);
    }

    void chosenModeShowsItsRowAndIsSent_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<int>("effect");
        QTest::addColumn<int>("on");
        QTest::newRow("steady") << 1 << "-b" << 1 << 1;
        QTest::newRow("breathing") << 2 << "s-" << 2 << 1;
        QTest::newRow("off keeps the last effect") << 0 << "--" << 2 << 0;
    }
    void chosenModeShowsItsRowAndIsSent()
    {
        QFETCH(int, mode);
        QFETCH(QString, rows);
        QFETCH(int, effect);
        QFETCH(int, on);
        SensorFrameDevice device;
        g_FlashData.Lock()->DpiLedEffect = 2;
        SensorEffect frame;
        auto* combo = frame.findChild<QComboBox*>("Model");
        g_SendEnabled = false;
        combo->setCurrentIndex(mode == 0 ? 1 : 0);
        g_SendEnabled = true;
        combo->setCurrentIndex(mode);
        QCOMPARE(RowsShown(&frame), rows);
        QCOMPARE(int(device.Record().DpiLedEffect), effect);
        QCOMPARE(int(device.Record().DpiLedOn), on);
    }

    void setModeSendsOnlyAChangeOutsideLoading()
    {
        SensorFrameDevice device;
        SensorEffect frame;
        frame.SetMode(0);
        QCOMPARE(device.RecordsSent(), 0);
        g_SensorPageLoading = true;
        frame.SetMode(2);
        QCOMPARE(RowsShown(&frame), QString("s-"));
        QCOMPARE(device.RecordsSent(), 0);
        g_SensorPageLoading = false;
        frame.SetMode(1);
        QCOMPARE(device.RecordsSent(), 1);
        QCOMPARE(int(device.Record().DpiLedEffect), 1);
    }

    void brightnessPositionsSendTheirBytes_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("byte");
        QTest::newRow("1") << 1 << 16;
        QTest::newRow("5") << 5 << 128;
        QTest::newRow("7") << 7 << 180;
        QTest::newRow("10") << 10 << 255;
    }
    void brightnessPositionsSendTheirBytes()
    {
        QFETCH(int, position);
        QFETCH(int, byte);
        SensorFrameDevice device;
        SensorEffect frame;
        auto* slider = frame.findChild<QSlider*>("LightH");
        slider->setValue(position == 1 ? 2 : 1);
        Drag(slider, {position});
        QCOMPARE(frame.findChild<QSpinBox*>("LightSpinBox")->value(), position);
        QCOMPARE(int(device.Record().DpiLedBrightness), byte);
        QCOMPARE(DpiLedBrightnessPosition(byte), position);
    }

    void draggedSpeedIsShownAtOnceAndSentOnRelease()
    {
        SensorFrameDevice device;
        SensorEffect frame;
        auto* slider = frame.findChild<QSlider*>("SpeedH");
        auto* number = frame.findChild<QSpinBox*>("SpeedSpinBox");
        slider->setSliderDown(true);
        for (int position : {2, 3, 4}) {
            slider->setSliderPosition(position);
            QCOMPARE(number->value(), position);
        }
        QCOMPARE(device.RecordsSent(), 0);
        slider->setSliderDown(false);
        QCOMPARE(int(device.Record().DpiLedSpeed), 4);
        QCOMPARE(device.RecordsSent(), 1);

        // The sensor page's loading holds back every send; the number still follows.
        g_SensorPageLoading = true;
        frame.SetSpeedSliderValue(2);
        frame.SetBrightnessSliderValue(100);
        QCOMPARE(number->value(), 2);
        QCOMPARE(frame.findChild<QSpinBox*>("LightSpinBox")->value(), 10);
        QCOMPARE(device.RecordsSent(), 1);
        QCOMPARE(DpiLedBrightnessPosition(100), 100);
    }

    void modeBoxesOfTheSecondLayout()
    {
        SensorFrameDevice device;
        SensorEffectB frame;
        const auto box = [&frame](const char* name) { return frame.findChild<QCheckBox*>(name); };
        // As built, both rows show their sliders and their rules.
        for (const char* name : {"SpeedH", "LightH", "line", "line_2", "SpeedSpinBox", "LightSpinBox"})
            QVERIFY(!frame.findChild<QWidget*>(name)->isHidden());
        frame.SetMode(1);
        QVERIFY(box("MM1")->isChecked());
        QCOMPARE(RowsShown(&frame), QString("-b"));
        frame.SetMode(3);
        QVERIFY(box("MM1")->isChecked());
        QCOMPARE(device.RecordsSent(), 0);

        ClickBox(box("MM2"));
        QCOMPARE(RowsShown(&frame), QString("s-"));
        QCOMPARE(int(device.Record().DpiLedEffect), 2);
        ClickBox(box("MM2"));
        QCOMPARE(device.RecordsSent(), 2);
        ClickBox(box("MM3"));
        QCOMPARE(RowsShown(&frame), QString("--"));
        QCOMPARE(int(device.Record().DpiLedOn), 0);

        frame.SetSpeedSliderValue(2);
        const int sent = device.RecordsSent();
        frame.SetSpeedSliderValue(4);
        frame.SetSpeedSliderValue(4);
        QCOMPARE(int(device.Record().DpiLedSpeed), 4);
        QCOMPARE(device.RecordsSent(), sent + 1);
        Drag(frame.findChild<QSlider*>("LightH"), {7});
        QCOMPARE(int(device.Record().DpiLedBrightness), 180);
    }
};

QTEST_MAIN(TestLiftOffAndLedFrames)
#include "tst_liftoffandledframes.moc"
