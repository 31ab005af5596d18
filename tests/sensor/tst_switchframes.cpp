#include "SensorTestKit.h"

#include "pages/sensor/OnOffFrames.h"
#include "pages/sensor/ReportRateFrames.h"

#include <QAbstractButton>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>

Q_DECLARE_METATYPE(std::function<QFrame*()>)

namespace {

using FrameFactory = std::function<QFrame*()>;

template <typename Frame>
FrameFactory Make()
{
    return [] { return new Frame; };
}

std::uint8_t SwitchByte(const FlashDataMap& record, int offset)
{
    return reinterpret_cast<const std::uint8_t*>(&record)[offset];
}

QAbstractButton* RateButton(QFrame* frame, const char* name)
{
    return frame->findChild<QAbstractButton*>(QString::fromLatin1(name));
}

} // namespace

class TestSwitchFrames : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { UseSensorTestDescription(); }

    void onOffFramesSendTheirByte_data()
    {
        QTest::addColumn<FrameFactory>("make");
        QTest::addColumn<QString>("switchName");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("switchX");
        QTest::newRow("ripple control") << Make<RippeControl>() << "RippeControl_2" << 10 << 0;
        QTest::newRow("angle snapping") << Make<StraightLine>() << "StraightLine_2" << 9 << 0;
        QTest::newRow("motion sync") << Make<MotionSync>() << "MotionSync_2" << 7 << 0;
        QTest::newRow("ripple control, second layout") << Make<RippeControlB>() << "RippeControl_2" << 10 << 165;
        QTest::newRow("angle snapping, second layout") << Make<StraightLineB>() << "StraightLine_2" << 9 << 165;
        QTest::newRow("motion sync, second layout") << Make<MotionSyncB>() << "MotionSync_2" << 7 << 165;
    }
    void onOffFramesSendTheirByte()
    {
        QFETCH(FrameFactory, make);
        QFETCH(QString, switchName);
        QFETCH(int, offset);
        QFETCH(int, switchX);
        SensorFrameDevice device;
        std::unique_ptr<QFrame> frame(make());
        auto* toggle = frame->findChild<QToolButton*>(switchName);
        QVERIFY(toggle);
        QCOMPARE(toggle->x(), switchX);

        QTest::mouseClick(toggle, Qt::LeftButton);
        QCOMPARE(int(SwitchByte(device.Record(), offset)), 1);
        // The loading flag does not hold back a click.
        g_SensorPageLoading = true;
        QTest::mouseClick(toggle, Qt::LeftButton);
        QCOMPARE(int(SwitchByte(device.Record(), offset)), 0);
        QCOMPARE(device.RecordsSent(), 2);

        // Set in code or clicked while sending is disabled: shown, not sent.
        static_cast<OnOffFrame*>(frame.get())->SetChecked(true);
        QVERIFY(toggle->isChecked());
        g_SendEnabled = false;
        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(!toggle->isChecked());
        QCOMPARE(device.RecordsSent(), 2);
    }

    void onOffClickWhileOfflineKeepsTheUsersState()
    {
        SensorFrameDevice device;
        device.GoOffline();
        MotionSync frame;
        auto* toggle = frame.findChild<QToolButton*>("MotionSync_2");
        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(toggle->isChecked());
        QCOMPARE(device.OfflineNotices(), 1);
        QVERIFY(device.Record() == FlashDataMap{});
    }

    void rateClickSendsCodeAndClass_data()
    {
        QTest::addColumn<FrameFactory>("make");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("rateClass");
        for (const auto& layout : {qMakePair(QString("tool buttons"), Make<SensorRate>()),
                                   qMakePair(QString("check boxes"), Make<SensorRateB>())}) {
            const QByteArray tag = layout.first.toLatin1();
            QTest::newRow(tag + ", 500 Hz") << layout.second << "Button500HZ" << 2 << 0;
            QTest::newRow(tag + ", 1000 Hz") << layout.second << "Button1000HZ" << 1 << 0;
            QTest::newRow(tag + ", 2000 Hz") << layout.second << "Button2000HZ" << 16 << 1;
            QTest::newRow(tag + ", 8000 Hz") << layout.second << "Button8000HZ" << 64 << 1;
        }
    }
    void rateClickSendsCodeAndClass()
    {
        QFETCH(FrameFactory, make);
        QFETCH(QString, button);
        QFETCH(int, code);
        QFETCH(int, rateClass);
        SensorFrameDevice device;
        std::unique_ptr<QFrame> frame(make());
        QSignalSpy classes(PostMsg::GetInstance(), SIGNAL(SigHideModel(int)));
        QTest::mouseClick(RateButton(frame.get(), button.toLatin1()), Qt::LeftButton);
        QCOMPARE(int(device.Record().ReportRate), code);
        QCOMPARE(classes.count(), 1);
        QCOMPARE(classes.at(0).at(0).toInt(), rateClass);
        // The checked choice clicked again is sent again.
        QTest::mouseClick(RateButton(frame.get(), button.toLatin1()), Qt::LeftButton);
        QCOMPARE(device.RecordsSent(), 2);
        QCOMPARE(classes.count(), 2);
    }

    void rateClickThatIsNotSentAnnouncesNothing()
    {
        SensorFrameDevice device;
        SensorRate frame;
        QSignalSpy classes(PostMsg::GetInstance(), SIGNAL(SigHideModel(int)));
        g_SendEnabled = false;
        QTest::mouseClick(RateButton(&frame, "Button250HZ"), Qt::LeftButton);
        QVERIFY(RateButton(&frame, "Button250HZ")->isChecked());
        g_SendEnabled = true;
        device.GoOffline();
        QTest::mouseClick(RateButton(&frame, "Button4000HZ"), Qt::LeftButton);
        QVERIFY(RateButton(&frame, "Button4000HZ")->isChecked());
        QCOMPARE(device.OfflineNotices(), 1);
        g_ButtonPageLoading = true;
        QTest::mouseClick(RateButton(&frame, "Button125HZ"), Qt::LeftButton);
        QCOMPARE(device.OfflineNotices(), 1);
        QCOMPARE(classes.count(), 0);
        QCOMPARE(device.RecordsSent(), 0);
    }

    void receiverClassShowsTheHighRates_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("highRatesShown"); // 2000, 4000, 8000 Hz
        QTest::newRow("1K receiver") << 0 << "---";
        QTest::newRow("wired kind 2") << 2 << "---";
        QTest::newRow("4K receiver") << 1 << "xx-";
        QTest::newRow("2K receiver") << 4 << "x--";
        QTest::newRow("8K receiver") << 5 << "xxx";
        QTest::newRow("wired kind 3") << 3 << "xxx";
        QTest::newRow("other kind keeps them") << 7 << "x-x";
    }
    void receiverClassShowsTheHighRates()
    {
        QFETCH(int, kind);
        QFETCH(QString, highRatesShown);
        SensorRate frame;
        RateButton(&frame, "Button4000HZ")->hide();
        frame.SetReceiverKind(ReceiverRateClass(kind));
        QString shown;
        for (const char* name : {"Button2000HZ", "Button4000HZ", "Button8000HZ"})
            shown += RateButton(&frame, name)->isHidden() ? '-' : 'x';
        QCOMPARE(shown, highRatesShown);
        QVERIFY(!RateButton(&frame, "Button125HZ")->isHidden());
    }

    void rateIndexChecksWithoutSending()
    {
        SensorFrameDevice device;
        SensorRateB frame;
        frame.SetRateIndex(6);
        frame.SetRateIndex(3);
        QVERIFY(RateButton(&frame, "Button1000HZ")->isChecked());
        QVERIFY(!RateButton(&frame, "Button8000HZ")->isChecked());
        frame.SetRateIndex(7);
        frame.SetRateIndex(-1);
        QVERIFY(RateButton(&frame, "Button1000HZ")->isChecked());
        // A hidden choice stays checked.
        frame.SetRateIndex(5);
        frame.SetReceiverKind(0);
        QVERIFY(RateButton(&frame, "Button4000HZ")->isHidden());
        QVERIFY(RateButton(&frame, "Button4000HZ")->isChecked());
        QCOMPARE(device.RecordsSent(), 0);
        QCOMPARE(ReportRateIndex(32), 5);
        QCOMPARE(ReportRateIndex(3), -1);
        QCOMPARE(ReportRateCode(0), 8);
    }
};

QTEST_MAIN(TestSwitchFrames)
#include "tst_switchframes.moc"
