#include "SensorTestKit.h"

#include "common/ModalDialogAnswerer.h"

#include "pages/sensor/DebounceFrames.h"
#include "pages/sensor/StopCloseTimeB.h"
#include "widgets/DialogFamily.h"

#include <QComboBox>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

namespace {

void Drag(QSlider* slider, int position)
{
    slider->setSliderDown(true);
    slider->setSliderPosition(position);
    slider->setSliderDown(false);
}

} // namespace

class TestDebounceAndSleepFrames : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { UseSensorTestDescription(); }

    void debounceChoiceIsSentAndShortOnesWarned_data()
    {
        QTest::addColumn<int>("milliseconds");
        QTest::addColumn<bool>("notice");
        QTest::newRow("0 ms") << 0 << true;
        QTest::newRow("3 ms") << 3 << true;
        QTest::newRow("4 ms") << 4 << false;
        QTest::newRow("20 ms") << 20 << false;
    }
    void debounceChoiceIsSentAndShortOnesWarned()
    {
        QFETCH(int, milliseconds);
        QFETCH(bool, notice);
        SensorFrameDevice device;
        g_FlashData.Lock()->ButtonDebounce = 9;
        DebounceTime frame;
        auto* combo = frame.findChild<QComboBox*>("Debunce");
        g_SendEnabled = false;
        combo->setCurrentIndex(10);
        g_SendEnabled = true;
        ModalDialogAnswerer answerer({"NewHong"});
        combo->setCurrentIndex(milliseconds);
        QCOMPARE(int(device.Record().ButtonDebounce), milliseconds);
        QCOMPARE(device.RecordsSent(), 1);
        QCOMPARE(answerer.Records().size(), notice ? 1 : 0);
        if (notice) {
            const ModalDialogRecord& shown = answerer.Records().first();
            QCOMPARE(shown.className, QString("LessThree"));
            QCOMPARE(shown.position,
                     DialogPosition(frame.mapToGlobal(QPoint(0, 0)), frame.size(), shown.size, -409, -202));
        }
    }

    // A choice the sleeping mouse does not take: one notice, the box back at
    // the time the device holds, and no warning about the refused time.
    void refusedDebounceChoiceIsPutBack_data()
    {
        QTest::addColumn<int>("milliseconds");
        QTest::newRow("8 ms") << 8;
        QTest::newRow("2 ms") << 2;
    }
    void refusedDebounceChoiceIsPutBack()
    {
        QFETCH(int, milliseconds);
        SensorFrameDevice device;
        g_FlashData.Lock()->ButtonDebounce = 4;
        DebounceTime frame;
        auto* combo = frame.findChild<QComboBox*>("Debunce");
        frame.SetCurrentIndexSilently(4);
        device.GoOffline();
        ModalDialogAnswerer answerer({ModalDialogAnswerer::kEscape});
        combo->setCurrentIndex(milliseconds);
        QCOMPARE(combo->currentIndex(), 4);
        QVERIFY(answerer.Records().isEmpty());
        QCOMPARE(device.OfflineNotices(), 1);
        QCOMPARE(device.RecordsSent(), 0);
        QCOMPARE(int(device.Record().ButtonDebounce), 4);
        // The device's time stays the one to go back to.
        combo->setCurrentIndex(9);
        QCOMPARE(combo->currentIndex(), 4);
    }

    // A time shown from a record or the factory look is the device's own:
    // nothing goes back, nothing is warned, and the user's next choice sends.
    void debounceFromARecordIsShownWithoutSending()
    {
        SensorFrameDevice device;
        DebounceTime frame;
        auto* combo = frame.findChild<QComboBox*>("Debunce");
        ModalDialogAnswerer answerer({ModalDialogAnswerer::kEscape});
        frame.SetCurrentIndexSilently(2);
        QCOMPARE(combo->currentIndex(), 2);
        // A record value above 20 has no item.
        frame.SetCurrentIndexSilently(25);
        QCOMPARE(combo->currentIndex(), -1);
        QCOMPARE(device.RecordsSent(), 0);
        QVERIFY(answerer.Records().isEmpty());

        combo->setCurrentIndex(9);
        QCOMPARE(int(device.Record().ButtonDebounce), 9);
        QCOMPARE(device.RecordsSent(), 1);
        frame.SetItemNumberText(3, " ms");
        QCOMPARE(combo->itemText(3), QString("3 ms"));
    }

    void debounceSlider()
    {
        SensorFrameDevice device;
        DebouncetimeB frame;
        auto* slider = frame.findChild<QSlider*>("Debunce");
        auto* number = frame.findChild<QSpinBox*>("spinBoxA");
        slider->setSliderDown(true);
        slider->setSliderPosition(12);
        QCOMPARE(number->value(), 12);
        QCOMPARE(device.RecordsSent(), 0);
        slider->setSliderDown(false);
        QCOMPARE(int(device.Record().ButtonDebounce), 12);
        frame.SetValueSilently(5);
        QCOMPARE(number->value(), 5);
        QCOMPARE(slider->value(), 5);
        QCOMPARE(device.RecordsSent(), 1);
    }

    void debounceSteps_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("sent"); // -1: nothing sent
        QTest::newRow("plus at the start value") << 0 << "AddLevelA" << 1 << 1;
        QTest::newRow("plus at 20") << 20 << "AddLevelA" << 20 << -1;
        QTest::newRow("minus at 1") << 1 << "ReduceLevelA" << 1 << -1;
        QTest::newRow("minus at 0") << 0 << "ReduceLevelA" << 0 << 0;
        QTest::newRow("minus at 7") << 7 << "ReduceLevelA" << 6 << 6;
    }
    void debounceSteps()
    {
        QFETCH(int, start);
        QFETCH(QString, button);
        QFETCH(int, shown);
        QFETCH(int, sent);
        SensorFrameDevice device;
        g_FlashData.Lock()->ButtonDebounce = 99;
        DebouncetimeC frame;
        frame.SetValue(start);
        frame.findChild<QToolButton*>(button)->click();
        QCOMPARE(frame.findChild<QSpinBox*>("spinBoxA")->value(), shown);
        QCOMPARE(device.RecordsSent(), sent < 0 ? 0 : 1);
        QCOMPARE(int(device.Record().ButtonDebounce), sent < 0 ? 99 : sent);
    }

    void sleepTimeSlider_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("units");
        QTest::newRow("30 s") << 2 << "30 sec" << 3;
        QTest::newRow("1 min") << 3 << "1 min" << 6;
        QTest::newRow("40 min") << 11 << "40 min" << 240;
    }
    void sleepTimeSlider()
    {
        QFETCH(int, position);
        QFETCH(QString, shown);
        QFETCH(int, units);
        SensorFrameDevice device;
        StopCloseTimeB frame;
        auto* number = frame.findChild<QSpinBox*>("spinBoxA");
        QCOMPARE(number->suffix(), QString());
        frame.SetItemText(0, "10 sec");
        frame.SetItemText(5, "15 min");
        frame.SetItemText(3, "5 hours");
        Drag(frame.findChild<QSlider*>("StopClose"), position);
        QCOMPARE(number->text(), shown);
        QCOMPARE(int(device.Record().SleepTime), units);
    }

    void sleepTimeSliderShownSilently()
    {
        SensorFrameDevice device;
        StopCloseTimeB frame;
        frame.SetItemText(5, "15 min");
        frame.SetCurrentIndexSilently(2);
        QCOMPARE(frame.findChild<QSpinBox*>("spinBoxA")->text(), QString("1 min"));
        g_ButtonPageLoading = true;
        Drag(frame.findChild<QSlider*>("StopClose"), 8);
        QCOMPARE(frame.findChild<QSpinBox*>("spinBoxA")->text(), QString("25 min"));
        QCOMPARE(device.RecordsSent(), 0);
    }
};

QTEST_MAIN(TestDebounceAndSleepFrames)
#include "tst_debounceandsleepframes.moc"
