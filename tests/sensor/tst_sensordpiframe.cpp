#include "SensorTestKit.h"

#include "pages/sensor/DpiLevelCodec.h"
#include "pages/sensor/DpiSegmentRule.h"
#include "pages/sensor/SensorDpiFrame.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

namespace {

const QList<int> kLevelDpis = {400, 800, 1600, 3200, 6400, 12800, 20000, 26000};
const char* const kLevelButtons[8] = {"BlueButton",  "BrightRedButton", "RedButton",      "YellowButton",
                                      "GreenButton", "PurpleButton",    "LightBlueButton", "LightYellowButton"};

// The 3950 sensor by formula, with two DPI ranges of class 22.
void UseTwoRanges()
{
    g_SensorName = "3950";
    g_SensorDefineNames.clear();
    g_SensorDefineValues.clear();
    LoadDpiRangeTables(QString("50,10000,50,10100,26000,100,22").split(','), nullptr);
}

// The frame filled from a record in the order the sensor page fills it, with
// the page's loading flag set and the slider's signals blocked throughout.
void FillLikeThePage(SensorDPI& frame, int count, int current, const QList<int>& dpis = kLevelDpis)
{
    g_SensorPageLoading = true;
    frame.ClearLevelCountCombo();
    frame.BlockSliderSignals(true);
    frame.SetSliderEnabled(true);
    frame.SetLevelCountMember(count);
    frame.SetCurrentLevelMember(current);
    frame.BlockLevelCountSignals(true);
    for (int i = 0; i < 8; ++i) {
        QString colour = QString("#%1%1%1").arg(i, 2, 16, QChar('0'));
        StoreLevelColor(&frame, i, colour);
        frame.AddLevelCountItem(i, QString::number(i + 1));
    }
    frame.BlockLevelCountSignals(false);
    frame.RestyleAllLevelButtons(current);
    frame.SetSliderMaximum(26000);
    frame.SetSliderMinimum(50);
    for (int i = 0; i < 8; ++i) {
        frame.SetLevelText(i, QString::number(dpis.at(i)));
        if (i == current) {
            frame.SetSliderValue(dpis.at(i));
            frame.SetSpinValue(dpis.at(i));
        }
    }
    frame.LayoutForLevelCount(count - 1);
    frame.SetLevelCountIndex(count - 1);
    frame.MoveMarkerToLevel(current + 1);
    frame.CheckLevelButton(current);
    frame.BlockSliderSignals(false);
    g_SensorPageLoading = false;
}

QToolButton* LevelButton(SensorDPI& frame, int level)
{
    return frame.findChild<QToolButton*>(kLevelButtons[level]);
}

QToolButton* ColourButton(SensorDPI& frame, int level)
{
    return frame.findChild<QToolButton*>(QString(kLevelButtons[level]) + "A");
}

QSlider* Slider(SensorDPI& frame)
{
    return frame.findChild<QSlider*>("horizontalSliderC");
}

QSpinBox* Spin(SensorDPI& frame)
{
    return frame.findChild<QSpinBox*>("spinBoxA");
}

QLabel* Marker(SensorDPI& frame)
{
    return frame.findChild<QLabel*>("label_8");
}

void SendMouse(QWidget* widget, QEvent::Type type, const QPoint& at, Qt::MouseButtons held)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Grabs the marker, drags it along and lets go at x.
void DragMarkerTo(SensorDPI& frame, int x)
{
    const QPoint grab = Marker(frame)->pos() + QPoint(5, 5);
    SendMouse(&frame, QEvent::MouseButtonPress, grab, Qt::LeftButton);
    SendMouse(&frame, QEvent::MouseMove, QPoint(x, grab.y()), Qt::LeftButton);
    SendMouse(&frame, QEvent::MouseButtonRelease, QPoint(x, grab.y()), Qt::NoButton);
}

// Lets the slider go as high as maximum, as the page does, and clicks the
// last pixel of its groove.
void ClickGrooveEnd(SensorDPI& frame, int maximum)
{
    frame.SetSliderMaximum(maximum);
    QSlider* slider = Slider(frame);
    const QPoint end(slider->width() - 1, slider->height() / 2);
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, end);
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, end);
}

} // namespace

class TestSensorDpiFrame : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        UseSensorTestDescription();
        UseTwoRanges();
    }
    void cleanup() { UseTwoRanges(); }

    void markerDrop_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("releaseX");
        QTest::addColumn<int>("markerX");
        QTest::addColumn<int>("currentSent"); // the level the records carry
        QTest::addColumn<int>("sent");
        QTest::newRow("one level on") << 8 << 105 << 118 << 1 << 1;
        QTest::newRow("one pixel short") << 8 << 104 << 27 << 0 << 0;
        QTest::newRow("two levels on") << 8 << 195 << 209 << 2 << 1;
        QTest::newRow("beyond the last of three") << 3 << 252 << 27 << 0 << 1;
        QTest::newRow("at the last of three's limit") << 3 << 251 << 27 << 0 << 0;
        QTest::newRow("left edge") << 8 << 14 << 27 << 0 << 0;
        QTest::newRow("right edge") << 8 << 707 << 27 << 0 << 0;
        QTest::newRow("over the seventh, beyond its limit") << 7 << 613 << 27 << 0 << 1;
    }
    void markerDrop()
    {
        QFETCH(int, count);
        QFETCH(int, releaseX);
        QFETCH(int, markerX);
        QFETCH(int, currentSent);
        QFETCH(int, sent);
        SensorFrameDevice device;
        SensorDPI frame;
        FillLikeThePage(frame, count, 0);
        DragMarkerTo(frame, releaseX);
        QCOMPARE(Marker(frame)->x(), markerX);
        QCOMPARE(device.RecordsSent(), sent);
        QCOMPARE(int(device.Record().CurrentDpiLevel), currentSent);
        QVERIFY(LevelButton(frame, currentSent)->isChecked());
    }

    // A drop the device does not take: one notice, and the marker goes back
    // under the level the device holds.
    void markerDropWhileOffline()
    {
        SensorFrameDevice device;
        SensorDPI frame;
        FillLikeThePage(frame, 8, 0);
        device.GoOffline();
        DragMarkerTo(frame, 105);
        QCOMPARE(Marker(frame)->x(), 27);
        QVERIFY(LevelButton(frame, 0)->isChecked());
        QCOMPARE(Slider(frame)->value(), 400);
        QCOMPARE(device.OfflineNotices(), 1);
        // The next drop starts from that level.
        device.GoOnline();
        DragMarkerTo(frame, 27 + 171);
        QCOMPARE(int(device.Record().CurrentDpiLevel), 2);
        QCOMPARE(device.RecordsSent(), 1);
    }

    // A refused drop changes nothing the next change depends on: set while
    // the mouse still sleeps, the slider is refused with its own notice; once
    // the mouse is back and its record shown again, it is sent once.
    void changeAfterARefusedDrop_data()
    {
        QTest::addColumn<bool>("woken");
        QTest::addColumn<int>("notices");
        QTest::addColumn<int>("sent");
        QTest::addColumn<int>("shown");
        QTest::newRow("still asleep") << false << 2 << 0 << 400;
        QTest::newRow("woken and read again") << true << 1 << 1 << 3000;
    }
    void changeAfterARefusedDrop()
    {
        QFETCH(bool, woken);
        QFETCH(int, notices);
        QFETCH(int, sent);
        QFETCH(int, shown);
        SensorFrameDevice device;
        SensorDPI frame;
        FillLikeThePage(frame, 8, 0);
        device.GoOffline();
        DragMarkerTo(frame, 105);
        if (woken) {
            device.GoOnline();
            FillLikeThePage(frame, 8, 0);
        }
        Slider(frame)->setValue(3000);
        QCOMPARE(device.OfflineNotices(), notices);
        QCOMPARE(device.RecordsSent(), sent);
        QCOMPARE(LevelButton(frame, 0)->text(), QString::number(shown));
        QCOMPARE(Spin(frame)->value(), shown);
        QCOMPARE(int(device.Record().DpiLevels[0].XCode), woken ? 3000 / 50 - 1 : 0);
    }

    // Every user change the device does not take: one notice, and the frame
    // shows again what the device holds.
    void refusedChangesAreUndone()
    {
        SensorFrameDevice device;
        device.UseDistinctLevelEntries();
        SensorDPI frame;
        FillLikeThePage(frame, 8, 1);
        const FlashDataMap before = device.Record();
        device.GoOffline();

        QTest::mouseClick(LevelButton(frame, 4), Qt::LeftButton);
        QVERIFY(LevelButton(frame, 1)->isChecked());
        QCOMPARE(Marker(frame)->x(), 118);
        QCOMPARE(Slider(frame)->value(), 800);
        QCOMPARE(device.OfflineNotices(), 1);

        QTest::mouseClick(ColourButton(frame, 6), Qt::LeftButton);
        QVERIFY(LevelButton(frame, 1)->isChecked());
        // The colour dialog is built when a colour is first picked: a refused
        // pick must neither build nor show it.
        const QColorDialog* colours = frame.findChild<QColorDialog*>();
        QVERIFY(!colours || !colours->isVisible());
        QCOMPARE(device.OfflineNotices(), 2);

        frame.SetColor(QColor(5, 200, 255));
        QVERIFY(!ColourButton(frame, 1)->styleSheet().contains("rgb(5,200,255)"));
        QCOMPARE(device.OfflineNotices(), 3);

        QCOMPARE(device.Record(), before);
        QCOMPARE(device.RecordsSent(), 0);
    }

    // Lowering the count from 4 to 1 or raising it while the mouse sleeps:
    // one notice, the combo back at the count the device holds, nothing else
    // changed.
    void countChangeWhileOffline_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("newIndex");
        QTest::newRow("below the current level") << 3 << 0;
        QTest::newRow("raised") << 1 << 6;
    }
    void countChangeWhileOffline()
    {
        QFETCH(int, current);
        QFETCH(int, newIndex);
        SensorFrameDevice device;
        device.UseDistinctLevelEntries();
        SensorDPI frame;
        FillLikeThePage(frame, 4, current);
        device.GoOffline();
        auto* combo = frame.findChild<QComboBox*>("ChooseEvent");
        combo->setCurrentIndex(newIndex);
        QCOMPARE(combo->currentIndex(), 3);
        QCOMPARE(device.OfflineNotices(), 1);
        QVERIFY(LevelButton(frame, current)->isChecked());
        QCOMPARE(LevelButton(frame, current)->text(), QString::number(kLevelDpis.at(current)));
        for (int level = 0; level < 8; ++level)
            QCOMPARE(LevelButton(frame, level)->isHidden(), level > 3);
        QCOMPARE(device.RecordsSent(), 0);
    }

    // A click on the slider's groove is one record, at the clicked value,
    // when the button is let go; holding it drifts nowhere.
    void grooveClickSendsTheClickedValueOnce()
    {
        SensorFrameDevice device;
        SensorDPI frame;
        FillLikeThePage(frame, 8, 0);
        QSlider* slider = Slider(frame);
        const QPoint at(slider->width() / 4, slider->height() / 2);
        QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(device.RecordsSent(), 0);
        QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(device.RecordsSent(), 1);
        const int clicked = 50 + (26000 - 50) * at.x() / slider->width();
        const int shown = clicked - clicked % 50;
        QCOMPARE(LevelButton(frame, 0)->text(), QString::number(shown));
        QCOMPARE(int(device.Record().DpiLevels[0].XCode), (shown / 50 - 1) & 0xFF);
    }

    void sliderValueIsKeptOnTheRanges_data()
    {
        QTest::addColumn<int>("released");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("pageStep");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("flags");
        QTest::newRow("in the gap") << 10050 << 10100 << 100 << 100 << 0x22;
        QTest::newRow("first range") << 175 << 150 << 50 << 2 << 0;
        QTest::newRow("second range") << 12345 << 12300 << 100 << 122 << 0x22;
    }
    void sliderValueIsKeptOnTheRanges()
    {
        QFETCH(int, released);
        QFETCH(int, shown);
        QFETCH(int, pageStep);
        QFETCH(int, code);
        QFETCH(int, flags);
        SensorFrameDevice device;
        SensorDPI frame;
        FillLikeThePage(frame, 8, 3);
        // The first change after a fill is the user's and reaches the device.
        Slider(frame)->setValue(released);
        QCOMPARE(Slider(frame)->value(), shown);
        QCOMPARE(Spin(frame)->value(), shown);
        QCOMPARE(LevelButton(frame, 3)->text(), QString::number(shown));
        QCOMPARE(Slider(frame)->pageStep(), pageStep);
        QCOMPARE(int(device.Record().DpiLevels[3].XCode), code);
        QCOMPARE(int(device.Record().DpiLevels[3].RangeBits), flags);
        QCOMPARE(device.RecordsSent(), 1);
    }

    // A sensor whose codes come from a table, or whose description steps
    // finer than its code: the slider and the step buttons land only on
    // values the record keeps, the nearest one, so what the level shows is
    // what the device reads back, and the handle stands on it.
    void levelValuesRoundTripThroughTheCodec_data()
    {
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<QString>("dpiRange");
        QTest::addColumn<bool>("withTable");
        // A slider value, "up", "down", or "end": a click at the far end of
        // the groove, the slider going as high as the page lets it.
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("before"); // the level's value before
        QTest::addColumn<int>("shown");
        const QString single = "50,26000,50,0";
        QTest::newRow("table, above the last entry") << "3311" << single << true << "3550" << 400 << 3200;
        QTest::newRow("table, nearer the entry below") << "3311" << single << true << "2350" << 400 << 1600;
        QTest::newRow("table, nearer the entry above") << "3311" << single << true << "2450" << 400 << 3200;
        QTest::newRow("table, the far end of the groove") << "3311" << single << true << "end" << 400 << 3200;
        QTest::newRow("table, below the first entry") << "3311" << single << true << "100" << 800 << 400;
        QTest::newRow("table, an entry") << "3311" << single << true << "1600" << 400 << 1600;
        QTest::newRow("table, step up past a gap") << "3311" << single << true << "up" << 1600 << 3200;
        QTest::newRow("table, step down past a gap") << "3311" << single << true << "down" << 3200 << 1600;
        QTest::newRow("finer step than the code") << "3955" << "1,26000,1,0" << false << "12770" << 400 << 12750;
        QTest::newRow("finer step, nearer above") << "3955" << "1,26000,1,0" << false << "12779" << 400 << 12800;
        QTest::newRow("finer step, step up") << "3955" << "1,26000,1,0" << false << "up" << 12750 << 12800;
        QTest::newRow("finer step, step down") << "3955" << "1,26000,1,0" << false << "down" << 12750 << 12700;
    }
    void levelValuesRoundTripThroughTheCodec()
    {
        QFETCH(QString, sensor);
        QFETCH(QString, dpiRange);
        QFETCH(bool, withTable);
        QFETCH(QString, action);
        QFETCH(int, before);
        QFETCH(int, shown);
        g_SensorName = sensor;
        g_SensorDefineNames.clear();
        g_SensorDefineValues.clear();
        if (withTable) {
            g_SensorDefineNames << "SENSOR_3311_DPI_400" << "SENSOR_3311_DPI_800" << "SENSOR_3311_DPI_1600"
                                << "SENSOR_3311_DPI_3200" << "SENSOR_OTHER";
            g_SensorDefineValues << 7 << 15 << 31 << 63 << 71;
        }
        LoadDpiRangeTables(dpiRange.split(','), nullptr);
        SensorFrameDevice device;
        SensorDPI frame;
        FillLikeThePage(frame, 8, 0, {before, 800, 1600, 3200, 6400, 12800, 20000, 26000});
        if (action == "up")
            frame.findChild<QToolButton*>("AddLevelA")->click();
        else if (action == "down")
            frame.findChild<QToolButton*>("ReduceLevelA")->click();
        else if (action == "end")
            ClickGrooveEnd(frame, LargestKeptDpi(50, 26000));
        else
            Slider(frame)->setValue(action.toInt());
        QCOMPARE(Slider(frame)->value(), shown);
        QCOMPARE(Spin(frame)->value(), shown);
        QCOMPARE(LevelButton(frame, 0)->text(), QString::number(shown));
        QCOMPARE(device.RecordsSent(), 1);
        const DpiLevelEntry stored = device.Record().DpiLevels[0];
        QCOMPARE(DecodeLevelDpi(stored.XCode, stored.RangeBits), shown);
    }

    // The title is whole and keeps clear of the count combo in every
    // language; a short one leaves the combo where the form puts it.
    void titleKeepsClearOfTheCountCombo_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("short") << "DPI";
        QTest::newRow("Polish") << "Poziomy DPI";
        QTest::newRow("longer than its label") << "Poziomy DPI myszy bezprzewodowej";
    }
    void titleKeepsClearOfTheCountCombo()
    {
        QFETCH(QString, title);
        SensorDPI frame;
        frame.SetTitleText(title);
        const QLabel* label = frame.findChild<QLabel*>("label");
        const QComboBox* combo = frame.findChild<QComboBox*>("ChooseEvent");
        const int textWidth = label->fontMetrics().horizontalAdvance(title);
        QVERIFY(label->width() >= textWidth);
        QVERIFY(combo->x() >= label->x() + textWidth + 8);
        if (label->x() + textWidth + 8 < 115)
            QCOMPARE(combo->x(), 115);
    }

    void stepButtons()
    {
        SensorFrameDevice device;
        SensorDPI frame;
        FillLikeThePage(frame, 8, 1, {400, 10000, 1600, 3200, 6400, 26000, 20000, 26000});
        frame.findChild<QToolButton*>("AddLevelA")->click();
        QCOMPARE(Spin(frame)->value(), 10100);
        QCOMPARE(LevelButton(frame, 1)->text(), QString("10100"));
        frame.findChild<QToolButton*>("ReduceLevelA")->click();
        QCOMPARE(Spin(frame)->value(), 10000);
        QCOMPARE(device.RecordsSent(), 2);
        QCOMPARE(int(device.Record().DpiLevels[1].XCode), 199);

        // At the top of the last range the slider is at its maximum already.
        QTest::mouseClick(LevelButton(frame, 5), Qt::LeftButton);
        const int sent = device.RecordsSent();
        frame.findChild<QToolButton*>("AddLevelA")->click();
        QCOMPARE(Spin(frame)->value(), 26000);
        QCOMPARE(device.RecordsSent(), sent);

        device.GoOffline();
        frame.findChild<QToolButton*>("ReduceLevelA")->click();
        QCOMPARE(Spin(frame)->value(), 26000);
        QCOMPARE(device.OfflineNotices(), 1);
    }

    void choosingALevelShowsItsValueWithoutSendingIt()
    {
        SensorFrameDevice device;
        SensorDPI frame;
        FillLikeThePage(frame, 8, 0);
        QTest::mouseClick(LevelButton(frame, 2), Qt::LeftButton);
        QCOMPARE(Slider(frame)->value(), 1600);
        QCOMPARE(int(device.Record().CurrentDpiLevel), 2);
        QCOMPARE(device.RecordsSent(), 1);
        QCOMPARE(Marker(frame)->x(), 209);
        Slider(frame)->setValue(3000);
        QCOMPARE(int(device.Record().DpiLevels[2].XCode), 59);
        QCOMPARE(device.RecordsSent(), 2);
    }

    void changeAfterChoosingALevelOfTheSameValueIsSent()
    {
        SensorFrameDevice device;
        SensorDPI frame;
        FillLikeThePage(frame, 8, 0, {800, 800, 1600, 3200, 6400, 12800, 20000, 26000});
        QTest::mouseClick(ColourButton(frame, 1), Qt::LeftButton);
        auto* dialog = frame.findChild<QColorDialog*>();
        QVERIFY(dialog->isVisible());
        dialog->hide();
        QVERIFY(LevelButton(frame, 1)->isChecked());
        Slider(frame)->setValue(1200);
        QCOMPARE(LevelButton(frame, 1)->text(), QString("1200"));
        QCOMPARE(int(device.Record().DpiLevels[1].XCode), 23);
    }

    void heldBackLevelValues()
    {
        SensorFrameDevice device;
        SensorDPI frame;
        FillLikeThePage(frame, 8, 0);
        g_SuppressApplyNotice = true;
        Slider(frame)->setValue(5000);
        QCOMPARE(LevelButton(frame, 0)->text(), QString("5000"));
        QCOMPARE(device.RecordsSent(), 0);
        g_SuppressApplyNotice = false;

        device.GoOffline();
        Slider(frame)->setValue(1234);
        QCOMPARE(Spin(frame)->value(), 5000);
        QCOMPARE(Slider(frame)->value(), 5000);
        QCOMPARE(LevelButton(frame, 0)->text(), QString("5000"));
        QCOMPARE(device.OfflineNotices(), 1);
        QCOMPARE(device.RecordsSent(), 0);
    }

    void loweringTheCountBelowTheCurrentLevelExchangesThem()
    {
        SensorFrameDevice device;
        device.UseDistinctLevelEntries();
        SensorDPI frame;
        FillLikeThePage(frame, 8, 5);
        frame.SetLevelCountIndex(2);

        QCOMPARE(LevelButton(frame, 2)->text(), QString("12800"));
        QCOMPARE(LevelButton(frame, 5)->text(), QString("1600"));
        QVERIFY(ColourButton(frame, 2)->styleSheet().contains("rgb(5,5,5)"));
        QVERIFY(ColourButton(frame, 5)->styleSheet().contains("rgb(2,2,2)"));
        QVERIFY(LevelButton(frame, 2)->isChecked());
        QCOMPARE(Marker(frame)->x(), 209);
        for (int level = 0; level < 8; ++level)
            QCOMPARE(LevelButton(frame, level)->isHidden(), level > 2);

        // One record carries the exchange, the current level and the count.
        QCOMPARE(device.LevelSummary(), QString("count 3 current 2 codes 12645378 sent 1"));
    }

    void loweringTheCountAboveTheCurrentLevel()
    {
        SensorFrameDevice device;
        device.UseDistinctLevelEntries();
        SensorDPI frame;
        FillLikeThePage(frame, 8, 1);
        frame.SetLevelCountIndex(2);
        QCOMPARE(LevelButton(frame, 1)->text(), QString("800"));
        QVERIFY(LevelButton(frame, 3)->isHidden());
        QCOMPARE(device.LevelSummary(), QString("count 3 current 0 codes 12345678 sent 1"));
    }

    void countChangesThatChangeNothing()
    {
        SensorFrameDevice device;
        SensorDPI frame;
        FillLikeThePage(frame, 8, 5);
        g_SensorPageLoading = true;
        frame.SetLevelCountIndex(2);
        g_SensorPageLoading = false;
        QVERIFY(!LevelButton(frame, 7)->isHidden());
        QCOMPARE(LevelButton(frame, 5)->text(), QString("12800"));
        // The combo emptied with its signals live reports no count at all.
        frame.findChild<QComboBox*>("ChooseEvent")->clear();
        QVERIFY(!LevelButton(frame, 7)->isHidden());
        QCOMPARE(device.RecordsSent(), 0);
        QCOMPARE(int(device.Record().DpiLevelCount), 0);
        // A current level the record cannot hold is not taken.
        frame.SetCurrentLevelMember(9);
        DragMarkerTo(frame, 483 + 80);
        QCOMPARE(int(device.Record().CurrentDpiLevel), 6);
    }

    void confirmedColourGoesToTheCurrentLevel()
    {
        SensorFrameDevice device;
        SensorDPI frame;
        FillLikeThePage(frame, 8, 3);
        frame.SetColor(QColor(5, 200, 255));
        QVERIFY(ColourButton(frame, 3)->styleSheet().contains("rgb(5,200,255)"));
        const DpiLevelEntry entry = device.Record().DpiLevels[3];
        QCOMPARE(QColor(entry.Red, entry.Green, entry.Blue), QColor(5, 200, 255));
        QCOMPARE(device.RecordsSent(), 1);
    }

    // The colour dialog opens on the colour of the level it is opened for,
    // not on the colour picked last.
    void colourDialogOpensOnTheLevelsColour()
    {
        SensorFrameDevice device;
        SensorDPI frame;
        FillLikeThePage(frame, 8, 3);
        QTest::mouseClick(ColourButton(frame, 3), Qt::LeftButton);
        auto* colours = frame.findChild<QColorDialog*>();
        QVERIFY(colours && colours->isVisible());
        QCOMPARE(colours->currentColor(), QColor(3, 3, 3));
        frame.SetColor(QColor(5, 200, 255));
        QTest::mouseClick(ColourButton(frame, 6), Qt::LeftButton);
        QTest::mouseClick(ColourButton(frame, 6), Qt::LeftButton);
        QCOMPARE(colours->currentColor(), QColor(6, 6, 6));
        QTest::mouseClick(ColourButton(frame, 3), Qt::LeftButton);
        QTest::mouseClick(ColourButton(frame, 3), Qt::LeftButton);
        QCOMPARE(colours->currentColor(), QColor(5, 200, 255));
        colours->close();
    }

    void defaultsAndStoredColours()
    {
        SensorFrameDevice device;
        SensorDPI frame;
        // Every colour button is red until the levels are shown.
        QVERIFY(ColourButton(frame, 4)->styleSheet().contains("rgb(255, 0, 0)"));
        // DPIColor holds two whole triplets and one number.
        frame.LoadDefaultLevels();
        QVERIFY(ColourButton(frame, 0)->styleSheet().contains("rgb(1,2,3)"));
        QVERIFY(ColourButton(frame, 1)->styleSheet().contains("rgb(4,5,6)"));
        QVERIFY(ColourButton(frame, 2)->styleSheet().contains("rgb(0,0,255)"));
        QCOMPARE(LevelButton(frame, 7)->text(), QString("26000"));
        frame.RestyleAllLevelButtons(7);
        QVERIFY(ColourButton(frame, 7)->styleSheet().contains("MaxB.png"));
        QVERIFY(ColourButton(frame, 6)->styleSheet().contains("MinB.png"));
        QCOMPARE(device.RecordsSent(), 0);

        QString colour = "#05c8ff";
        StoreLevelColor(&frame, 1, colour);
        QCOMPARE(colour, QString("5,200,255"));
        QString other = "#010101";
        StoreLevelColor(&frame, 8, other);
        QCOMPARE(other, QString("#010101"));
    }
};

QTEST_MAIN(TestSensorDpiFrame)
#include "tst_sensordpiframe.moc"
