#include "SensorTestKit.h"

#include "pages/sensor/SensorModeOptions.h"
#include "widgets/MyConmboBox.h"

#include <QCheckBox>
#include <QListView>
#include <QTest>

namespace {

// The page's three controls as its form builds them, wired to the options the
// way the page's slots hand them over.
struct ModeControls
{
    MyConmboBox mode;
    QListView* modeList = new QListView;
    QCheckBox performance;
    MyConmboBox performanceOpen;
    std::unique_ptr<SensorModeOptions> options;

    ModeControls()
    {
        mode.addItems({"LP", "HP", "Corded"});
        mode.setView(modeList);
        mode.setEnabled(false);
        performanceOpen.addItems({"30 s", "1 min", "2 min", "5 min", "10 min", "15 min"});
        performanceOpen.setEnabled(false);
        options.reset(new SensorModeOptions(&mode, modeList, &performance, &performanceOpen));
        QObject::connect(&mode, QOverload<int>::of(&QComboBox::currentIndexChanged),
                         [this](int index) { options->ModeIndexChanged(index); });
        QObject::connect(&performance, &QCheckBox::clicked, [this](bool on) { options->PerformanceClicked(on); });
        QObject::connect(&performance, &QCheckBox::toggled, [this](bool on) { options->PerformanceToggled(on); });
        QObject::connect(&performanceOpen, QOverload<int>::of(&QComboBox::currentIndexChanged),
                         [this](int index) { options->PerformanceOpenIndexChanged(index); });
    }

    // "enabled item row": the combo's state, e.g. "on 1 hidden".
    QString ModeState() const
    {
        return QString("%1 %2 %3")
            .arg(mode.isEnabled() ? "on" : "off")
            .arg(mode.currentIndex())
            .arg(modeList->isRowHidden(2) ? "hidden" : "shown");
    }
};

DeviceAllInfo Device(int kind)
{
    DeviceAllInfo device;
    device.Kind = std::uint8_t(kind);
    device.KindFlag = KindFlagOf(device.Kind);
    return device;
}

} // namespace

class TestSensorModeOptions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { UseSensorTestDescription(); }

    void recordRule_data()
    {
        QTest::addColumn<bool>("listed");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("rate");
        QTest::addColumn<QString>("state");
        QTest::newRow("not listed") << false << 0 << 1 << "off 0 shown";
        QTest::newRow("cable") << true << 2 << 1 << "off 2 shown";
        QTest::newRow("4K receiver at 2000 Hz") << true << 1 << 16 << "off 2 shown";
        QTest::newRow("1K receiver at 2000 Hz") << true << 0 << 16 << "on 1 hidden";
        QTest::newRow("8K receiver at 1000 Hz") << true << 5 << 1 << "on 1 hidden";
    }
    void recordRule()
    {
        QFETCH(bool, listed);
        QFETCH(int, kind);
        QFETCH(int, rate);
        QFETCH(QString, state);
        SensorFrameDevice device;
        ModeControls controls;
        g_SensorPageLoading = true;
        controls.options->ApplyRecordRule(listed, Device(kind), rate, 1);
        g_SensorPageLoading = false;
        QCOMPARE(controls.ModeState(), state);
        QCOMPARE(device.RecordsSent(), 0);
    }

    void reportsOfTheRate()
    {
        SensorFrameDevice device;
        g_FlashData.Lock()->SensorMode = 1;
        ModeControls controls;
        g_SensorPageLoading = true;
        controls.options->ApplyRecordRule(true, Device(0), 1, 0);
        g_SensorPageLoading = false;
        // 2000 Hz on a 1K receiver: the announced class changes nothing, the report fixes Corded.
        controls.options->ApplyRateClassRule(true, Device(0), 1);
        QCOMPARE(controls.ModeState(), QString("on 0 hidden"));
        controls.options->ApplyReportRateRule(true, Device(0), 16);
        QCOMPARE(controls.ModeState(), QString("off 2 shown"));
        QCOMPARE(device.RecordsSent(), 0);
        // Back to 1000 Hz: free on the record's mode, which is sent once more.
        g_FlashData.Lock()->SensorMode = 1;
        controls.options->ApplyReportRateRule(true, Device(0), 1);
        QCOMPARE(controls.ModeState(), QString("on 1 hidden"));
        QCOMPARE(int(device.Record().SensorMode), 1);
        QCOMPARE(device.RecordsSent(), 1);
        // A wired mouse ignores rate reports.
        controls.options->ApplyReportRateRule(true, Device(3), 64);
        QCOMPARE(controls.ModeState(), QString("on 1 hidden"));
    }

    void rateClassOfAFastReceiver()
    {
        SensorFrameDevice device;
        ModeControls controls;
        controls.options->ApplyRateClassRule(true, Device(4), 1);
        QCOMPARE(controls.ModeState(), QString("off 2 shown"));
        controls.options->ApplyRateClassRule(true, Device(4), 0);
        QCOMPARE(controls.ModeState(), QString("on 0 hidden"));
        controls.options->ApplyRateClassRule(false, Device(4), 1);
        QCOMPARE(controls.ModeState(), QString("on 0 hidden"));
        // Item 2 is never sent; the return to LP is.
        QCOMPARE(device.RecordsSent(), 1);
    }

    // The factory look after a device whose sensor had free modes: the item
    // by kind, and never a usable "Corded".
    void resetRule_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QString>("state");
        QTest::newRow("1K receiver") << 0 << true << "on 0 hidden";
        QTest::newRow("1K receiver, sensor without modes") << 0 << false << "off 0 hidden";
        QTest::newRow("4K receiver") << 1 << true << "off 2 hidden";
        QTest::newRow("cable") << 2 << true << "off 2 hidden";
        QTest::newRow("other kind") << 9 << true << "off 2 hidden";
    }
    void resetRule()
    {
        QFETCH(int, kind);
        QFETCH(bool, listed);
        QFETCH(QString, state);
        ModeControls controls;
        controls.options->ApplyRecordRule(true, Device(0), 8, 1);
        QCOMPARE(controls.ModeState(), QString("on 1 hidden"));
        SensorFrameDevice device;
        controls.options->ApplyResetRule(listed, Device(kind));
        QCOMPARE(controls.ModeState(), state);
        QCOMPARE(device.RecordsSent(), 0);
    }

    void performance()
    {
        SensorFrameDevice device;
        ModeControls controls;
        controls.performanceOpen.setCurrentIndex(1);
        controls.performance.click();
        QCOMPARE(int(device.Record().PerformanceMode), 1);
        QVERIFY(controls.performanceOpen.isEnabled());
        controls.performanceOpen.setCurrentIndex(2);
        QCOMPARE(int(device.Record().PerformanceSleepTime), 12);
        QCOMPARE(PerformanceOpenItem(12), 2);
        controls.performance.click();
        QCOMPARE(int(device.Record().PerformanceMode), 0);
        QVERIFY(!controls.performanceOpen.isEnabled());
        QCOMPARE(controls.performanceOpen.currentIndex(), 2);
        const int sent = device.RecordsSent();

        // A fill sets both without sending.
        g_SensorPageLoading = true;
        controls.performance.setChecked(true);
        controls.performanceOpen.setCurrentIndex(5);
        g_SensorPageLoading = false;
        QVERIFY(controls.performanceOpen.isEnabled());
        controls.performance.blockSignals(true);
        controls.performance.setChecked(false);
        controls.performance.blockSignals(false);
        controls.options->SyncPerformanceOpen();
        QVERIFY(!controls.performanceOpen.isEnabled());
        QCOMPARE(device.RecordsSent(), sent);
        QCOMPARE(PerformanceOpenItem(120), -1);
    }
};

QTEST_MAIN(TestSensorModeOptions)
#include "tst_sensormodeoptions.moc"
