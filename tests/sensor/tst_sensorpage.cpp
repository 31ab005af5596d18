#include "SensorTestKit.h"

#include "common/WorkerThread.h"
#include "core/LanguageTables.h"
#include "pages/sensor/DpiLevelsFrameBase.h"
#include "pages/sensor/Sensor.h"
#include "pages/sensor/SensorDpiFrame.h"
#include "platform/UserDataFolder.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

namespace {

// Every switch lists 3950 and 3315 except angle snapping, which lists only 3395.
const QByteArray kHeader = "#define SUPPORT_SENSOR_MODE_SEL\t3395,3950\n"
                           "#define SUPPORT_LOD_CAL\t3950\n"
                           "#define SUPPORT_RIPPLE\t3950,3315\n"
                           "#define SUPPORT_FIXLINE\t3395\n"
                           "#define SUPPORT_MOTION_SYNC\t3950,3315\n"
                           "#define SENSOR_X1_DPI_400\t7\n";

// The shipped look with model Drive1 described by driveKeys.
void DescribeModel(const QString& driveKeys)
{
    WriteConfigIni("[Option]\nLabelColor=10,20,30\nButtonColor=40,50,60\nSliderColor=0,93,249\n"
                   "ComboxTextColor=255,255,255\nComboxSelectColor=0,93,249\nComboxBackGroundColor=50,55,64\n"
                   "[Drive1]\n"
                   + driveKeys);
}

// The options shown for 3950 by the header above, angle snapping missing.
const QString kFullLayout =
    "frame frame_3 frameLOD label_5 label_11 ModelChoose Performance PerformanceOpen TitleButton_4";

const QString kModel3950 = "Sensor=3950\nDPIMaxGrade=8\nXIn1=1\nDPIRange=50,26000,50,0\n"
                           "DPIGrade=400,800,1600,3200,6400,12800,20000,26000\n";

void UseDevice(int kind)
{
    DeviceAllInfo device;
    device.ModelIndex = 0;
    device.Kind = std::uint8_t(kind);
    device.KindFlag = KindFlagOf(device.Kind);
    g_CurrentDevice.Set(device);
}

// Three levels of 400, 800 and 1600 DPI, the second current, at 500 Hz, and
// every option set to something the factory look does not show.
FlashDataMap SampleRecord()
{
    FlashDataMap record{};
    record.ReportRate = 2;
    record.DpiLevelCount = 3;
    record.CurrentDpiLevel = 1;
    record.LiftOffDistance = 2;
    record.PerformanceMode = 1;
    record.PerformanceSleepTime = 12;
    record.RippleControl = 1;
    record.MotionSync = 1;
    record.SensorMode = 1;
    const std::uint8_t codes[3] = {7, 15, 31};
    for (int i = 0; i < 3; ++i)
        record.DpiLevels[i] = {codes[i], codes[i], 0, std::uint8_t(0x10 * i), 0x80, 0xff};
    record.DpiLedEffect = 1;
    record.DpiLedOn = 1;
    record.DpiLedSpeed = 4;
    record.DpiLedBrightness = 180;
    return record;
}

template <typename T>
T* Child(QWidget* page, const QString& name)
{
    T* child = page->findChild<T*>(name);
    if (!child)
        qFatal("no child %s", qPrintable(name));
    return child;
}

QAbstractButton* LevelButton(QWidget* page, int level)
{
    return Child<QAbstractButton>(page, DpiLevelsFrameBase::LevelButtonName(level));
}

QString ComboItems(QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items.join(',') + " @" + QString::number(combo->currentIndex());
}

// Which of the page's optional widgets are shown: "frame frame_3 label_5 ...".
QString Shown(QWidget* page)
{
    QStringList shown;
    for (const char* name : {"frame", "frame_3", "frame_4", "frameLOD", "label_5", "label_11", "ModelChoose",
                             "Performance", "PerformanceOpen", "TitleButton_4"})
        if (!Child<QWidget>(page, name)->isHidden())
            shown << name;
    return shown.join(' ');
}

} // namespace

class TestSensorPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        UseSensorTestDescription();
        WriteSensorHeader(kHeader);
        DescribeModel(kModel3950);
    }

    void init()
    {
        DescribeModel(kModel3950);
        UseDevice(0);
    }

    void constructionReadsTheHeaderAndHidesTheEffect()
    {
        Sensor page;
        QCOMPARE(g_SensorDefineNames, QStringList{"SENSOR_X1_DPI_400"});
        QCOMPARE(g_SensorDefineValues, QVector<int>{7});
        page.show();
        QVERIFY(!Child<QWidget>(&page, "frameEffect")->isVisible());
        QVERIFY(!Child<QWidget>(&page, "TitleButton_3")->isVisible());
        QVERIFY(!Child<QWidget>(&page, "ModelChoose")->isEnabled());
        QVERIFY(!Child<QWidget>(&page, "PerformanceOpen")->isEnabled());
        QCOMPARE(page.size(), QSize(883, 630));
    }

    void levelIniGivesTheLevelCount_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("count");
        QTest::newRow("no file") << QByteArray() << 1;
        QTest::newRow("empty first line") << QByteArray("\n5") << 1;
        QTest::newRow("a number") << QByteArray("5\n2") << 5;
        QTest::newRow("not a number") << QByteArray("five") << 0;
    }
    void levelIniGivesTheLevelCount()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, count);
        const QString path = UserDataFolder() + "/usersetting/SensorPage/Level.ini";
        QFile::remove(path);
        if (!content.isNull())
            WriteUserFile("usersetting/SensorPage/Level.ini", content);
        Sensor page;
        QCOMPARE(page.findChild<SensorDPI*>("frameDpi")->LevelCountMember(), count);
    }

    void languageTextsReachThePageAndItsFrames()
    {
        QStringList row;
        for (int k = 0; k < 27; ++k)
            row << QString("t%1").arg(k);
        g_LangTextsSensor = {row};
        Sensor page;
        g_LangTextsSensor.clear();
        QCOMPARE(Child<QLabel>(&page, "label_5")->text(), QString("t2"));
        QCOMPARE(Child<QLabel>(&page, "label_11")->toolTip(), QString("t21"));
        QCOMPARE(Child<QCheckBox>(&page, "Performance")->toolTip(), QString("t23"));
        QCOMPARE(ComboItems(Child<QComboBox>(&page, "PerformanceOpen")), QString("t9,t10,t11,t12,t13,t14 @0"));
        QCOMPARE(ComboItems(Child<QComboBox>(&page, "Model")), QString("t16,t17,t18 @0"));
        // The mode names are the same in every language.
        QCOMPARE(ComboItems(Child<QComboBox>(&page, "ModelChoose")), QString("LP,HP,Corded @0"));
    }

    void fullReadFillsThePageWithoutSending()
    {
        SensorFrameDevice device;
        Sensor page;
        const FlashDataMap record = SampleRecord();
        g_SensorPageUpdated = false;
        QVERIFY(RunOnWorkerThread([=] { PostMsg::GetInstance()->EmitUpDataLightSensor(record); }));

        QVERIFY(g_SensorPageUpdated && !g_SensorPageLoading);
        QVERIFY(page.ShownRecord() == record);
        QCOMPARE(g_SensorName, QString("3950"));
        QVERIFY(Child<QAbstractButton>(&page, "Button500HZ")->isChecked());
        QCOMPARE(ComboItems(Child<QComboBox>(&page, "ChooseEvent")), QString("1,2,3,4,5,6,7,8 @2"));
        QCOMPARE(LevelButton(&page, 0)->text() + " " + LevelButton(&page, 1)->text() + " "
                     + LevelButton(&page, 2)->text(),
                 QString("400 800 1600"));
        QVERIFY(LevelButton(&page, 1)->isChecked());
        QVERIFY(!LevelButton(&page, 3)->isVisibleTo(&page));
        QCOMPARE(Child<QSpinBox>(&page, "spinBoxA")->value(), 800);
        QCOMPARE(Child<QSlider>(&page, "horizontalSliderC")->maximum(), 26000);
        QCOMPARE(ComboItems(Child<QComboBox>(&page, "LOD")), QString("0.7mm,1mm,2mm @2"));
        QVERIFY(Child<QWidget>(&page, "LOD")->isEnabled());
        QVERIFY(Child<QCheckBox>(&page, "Performance")->isChecked());
        QCOMPARE(Child<QComboBox>(&page, "PerformanceOpen")->currentIndex(), 2);
        QVERIFY(Child<QWidget>(&page, "PerformanceOpen")->isEnabled());
        QVERIFY(Child<QAbstractButton>(&page, "RippeControl_2")->isChecked());
        QVERIFY(Child<QAbstractButton>(&page, "MotionSync_2")->isChecked());
        QCOMPARE(ComboItems(Child<QComboBox>(&page, "ModelChoose")), QString("LP,HP,Corded @1"));
        QVERIFY(Child<QWidget>(&page, "ModelChoose")->isEnabled());
        QCOMPARE(Child<QComboBox>(&page, "Model")->currentIndex(), 1);
        QCOMPARE(Child<QSlider>(&page, "SpeedH")->value(), 4);
        QCOMPARE(Child<QSlider>(&page, "LightH")->value(), 7);
        // Angle snapping does not list the sensor.
        QCOMPARE(Shown(&page), kFullLayout);
        QCOMPARE(device.RecordsSent(), 0);
        QCOMPARE(device.OfflineNotices(), 0);
    }

    // A sensor whose code is one byte cannot carry more than 12,800 DPI: the
    // slider ends there, whatever the description's range says.
    void sliderEndsWhereTheSensorsCodeEnds()
    {
        DescribeModel("Sensor=3389\nDPIMaxGrade=8\nDPIRange=50,26000,50,0\n");
        Sensor page;
        page.SlotUpDataSenSorUIB(SampleRecord());
        QCOMPARE(Child<QSlider>(&page, "horizontalSliderC")->maximum(), 12800);
    }

    void importedRecordLeavesTheUpdatedFlag()
    {
        Sensor page;
        g_SensorPageUpdated = false;
        PostMsg::GetInstance()->EmitUpDataSensorUIB(SampleRecord());
        QVERIFY(page.ShownRecord() == SampleRecord());
        QVERIFY(!g_SensorPageUpdated);
    }

    void rateOfTheRecord_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("checked");
        QTest::newRow("receiver, 2000 Hz") << 1 << 16 << "Button2000HZ";
        QTest::newRow("cable, 4000 Hz shows 1000 Hz") << 2 << 32 << "Button1000HZ";
        QTest::newRow("cable, 8000 Hz") << 2 << 64 << "Button8000HZ";
        QTest::newRow("cable, 125 Hz") << 3 << 8 << "Button125HZ";
    }
    void rateOfTheRecord()
    {
        QFETCH(int, kind);
        QFETCH(int, code);
        QFETCH(QString, checked);
        UseDevice(kind);
        Sensor page;
        FlashDataMap record = SampleRecord();
        record.ReportRate = std::uint8_t(code);
        page.SlotUpDataSenSorUISensor(record);
        QVERIFY(Child<QAbstractButton>(&page, checked)->isChecked());
    }

    void modelKeysShapeThePage_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("levelCount");
        QTest::addColumn<QString>("levelChoices");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QPoint>("performanceAt");
        QTest::newRow("four levels offered") << "Sensor=3950\nDPIMaxGrade=4\nDPIRange=50,26000,50,0\n" << 3
                                             << "1,2,3,4 @2"
                                             << kFullLayout
                                             << QPoint(430, 360);
        // More levels than the record holds: the eight there are.
        QTest::newRow("twelve levels offered") << "Sensor=3950\nDPIMaxGrade=12\nDPIRange=50,26000,50,0\n" << 8
                                               << "1,2,3,4,5,6,7,8 @7"
                                               << kFullLayout
                                               << QPoint(430, 360);
        // The compact layout hides the options, the header shows the listed ones again.
        QTest::newRow("compact") << "Sensor=3950\nDPIMaxGrade=8\nXIn1=2\nDPIRange=50,26000,50,0\n" << 3
                                 << "1,2,3,4,5,6,7,8 @2" << "frame frame_3" << QPoint(430, 360);
        QTest::newRow("sensor 3315") << "Sensor=3315\nDPIMaxGrade=8\nDPIRange=50,26000,50,0\n" << 3
                                     << "1,2,3,4,5,6,7,8 @2" << "label_5 Performance PerformanceOpen TitleButton_4"
                                     << QPoint(80, 360);
        QTest::newRow("no level count") << kModel3950 << 0 << "1,2,3,4,5,6,7,8 @-1"
                                        << kFullLayout
                                        << QPoint(430, 360);
    }
    void modelKeysShapeThePage()
    {
        QFETCH(QString, model);
        QFETCH(int, levelCount);
        QFETCH(QString, levelChoices);
        QFETCH(QString, shown);
        QFETCH(QPoint, performanceAt);
        DescribeModel(model);
        Sensor page;
        FlashDataMap record = SampleRecord();
        record.DpiLevelCount = std::uint8_t(levelCount);
        page.SlotUpDataSenSorUISensor(record);
        QCOMPARE(ComboItems(Child<QComboBox>(&page, "ChooseEvent")), levelChoices);
        QCOMPARE(Shown(&page), shown);
        QCOMPARE(Child<QWidget>(&page, "Performance")->pos(), performanceAt);
        QVERIFY(Child<QWidget>(&page, "frameEffect")->isHidden());
    }

    // The device tells the page what it did itself: the page shows it and
    // sends nothing back.
    void deviceReportsAreShownNotSentBack()
    {
        SensorFrameDevice device;
        Sensor page;
        page.SlotUpDataSenSorUISensor(SampleRecord());
        g_FlashData.Set(SampleRecord());
        PostMsg* hub = PostMsg::GetInstance();

        FlashDataMap led = SampleRecord();
        led.DpiLedEffect = 2;
        led.DpiLedSpeed = 2;
        led.DpiLedBrightness = 60;
        QVERIFY(RunOnWorkerThread([=] {
            hub->EmitUpDataDPILed(led);
            hub->EmitUpDataDPI(2);
        }));
        QCOMPARE(Child<QComboBox>(&page, "Model")->currentIndex(), 2);
        QCOMPARE(Child<QSlider>(&page, "SpeedH")->value(), 2);
        QCOMPARE(Child<QSlider>(&page, "LightH")->value(), 3);
        QVERIFY(LevelButton(&page, 2)->isChecked());
        QCOMPARE(Child<QSpinBox>(&page, "spinBoxA")->value(), 1600);
        QCOMPARE(device.RecordsSent(), 0);
        QVERIFY(g_SendEnabled && !g_SensorPageLoading);

        // A level the device cannot have moves nothing.
        QVERIFY(RunOnWorkerThread([=] { hub->EmitUpDataDPI(9); }));
        QVERIFY(LevelButton(&page, 2)->isChecked());
        QVERIFY(g_SendEnabled);

        // The LED turned off.
        led.DpiLedOn = 0;
        QVERIFY(RunOnWorkerThread([=] { hub->EmitUpDataDPILed(led); }));
        QCOMPARE(Child<QComboBox>(&page, "Model")->currentIndex(), 0);
        QCOMPARE(device.RecordsSent(), 0);
    }

    void reportedRateIsShown()
    {
        SensorFrameDevice device;
        UseDevice(1);
        Sensor page;
        page.SlotUpDataSenSorUISensor(SampleRecord());
        PostMsg* hub = PostMsg::GetInstance();
        QVERIFY(RunOnWorkerThread([=] { hub->EmitUpDataReportRate(16); }));
        QVERIFY(Child<QAbstractButton>(&page, "Button2000HZ")->isChecked());
        // A high rate fixes the listed sensor to the corded mode.
        QCOMPARE(ComboItems(Child<QComboBox>(&page, "ModelChoose")), QString("LP,HP,Corded @2"));
        QVERIFY(!Child<QWidget>(&page, "ModelChoose")->isEnabled());
        QVERIFY(RunOnWorkerThread([=] { hub->EmitUpDataReportRate(5); }));
        QVERIFY(Child<QAbstractButton>(&page, "Button2000HZ")->isChecked());
        // The frame's own class announcement: back to a standard rate frees the mode.
        hub->EmitHideModel(0);
        QCOMPARE(ComboItems(Child<QComboBox>(&page, "ModelChoose")), QString("LP,HP,Corded @0"));
        QVERIFY(Child<QWidget>(&page, "ModelChoose")->isEnabled());
    }

    void resetShowsTheFactoryLookWithoutSending()
    {
        SensorFrameDevice device;
        UseDevice(2);
        // A default level value other than the factory slider value, which
        // must not be taken for the user's change of that level.
        DescribeModel("Sensor=3950\nDPIMaxGrade=8\nDPIRange=50,26000,50,0\n"
                      "DPIGrade=400,1000,1600,3200,6400,12800,20000,26000\n");
        Sensor page;
        FlashDataMap record = SampleRecord();
        record.CurrentDpiLevel = 2;
        page.SlotUpDataSenSorUISensor(record);
        QVERIFY(RunOnWorkerThread([] { PostMsg::GetInstance()->EmitFormReset(); }));

        QVERIFY(page.ShownRecord() == FlashDataMap{});
        QCOMPARE(ComboItems(Child<QComboBox>(&page, "ChooseEvent")), QString("1,2,3,4 @3"));
        QVERIFY(LevelButton(&page, 1)->isChecked());
        QCOMPARE(LevelButton(&page, 1)->text(), QString("1000"));
        QCOMPARE(Child<QSpinBox>(&page, "spinBoxA")->value(), 800);
        QCOMPARE(Child<QSlider>(&page, "horizontalSliderC")->value(), 800);
        QVERIFY(Child<QAbstractButton>(&page, "Button1000HZ")->isChecked());
        QCOMPARE(Child<QComboBox>(&page, "ModelChoose")->currentIndex(), 2);
        QVERIFY(!Child<QCheckBox>(&page, "Performance")->isChecked());
        QCOMPARE(Child<QComboBox>(&page, "PerformanceOpen")->currentIndex(), 1);
        QVERIFY(!Child<QWidget>(&page, "PerformanceOpen")->isEnabled());
        QVERIFY(Child<QAbstractButton>(&page, "MotionSync_2")->isChecked());
        QVERIFY(!Child<QAbstractButton>(&page, "RippeControl_2")->isChecked());
        QCOMPARE(Child<QComboBox>(&page, "Model")->currentIndex(), 2);
        QCOMPARE(device.RecordsSent(), 0);
        QVERIFY(!g_SensorPageLoading);
    }

    // A choice refused because the device does not answer, or because its
    // configuration is being read again, leaves the options showing the
    // record held at once, or the factory look where nothing of the model is
    // held; nothing is sent, and the hub hears why.
    void refusedChoicesShowWhatIsHeld_data()
    {
        QTest::addColumn<bool>("held");
        QTest::addColumn<bool>("reading");
        QTest::newRow("asleep, the model's record held") << true << false;
        QTest::newRow("asleep, nothing of the model held") << false << false;
        QTest::newRow("read again after a profile change") << true << true;
    }

    void refusedChoicesShowWhatIsHeld()
    {
        QFETCH(bool, held);
        QFETCH(bool, reading);
        SensorFrameDevice device;
        UseDevice(2);
        Sensor page;
        const FlashDataMap record = SampleRecord();
        page.SlotUpDataSenSorUISensor(record);
        g_FlashData.Set(record);
        g_DeviceCacheName.Set("Device_CID12_MID03.bin");
        g_DeviceCacheNameRead.Set(held ? "Device_CID12_MID03.bin" : "");
        if (reading)
            device.StartReadingAgain();
        else
            device.GoOffline();

        QTest::mouseClick(Child<QAbstractButton>(&page, "Button125HZ"), Qt::LeftButton);
        auto* performance = Child<QCheckBox>(&page, "Performance");
        QTest::mouseClick(performance, Qt::LeftButton, {}, QPoint(8, performance->height() / 2));
        g_DeviceCacheName.Set(QString());
        g_DeviceCacheNameRead.Set(QString());

        QVERIFY(!Child<QAbstractButton>(&page, "Button125HZ")->isChecked());
        QVERIFY(Child<QAbstractButton>(&page, held ? "Button500HZ" : "Button1000HZ")->isChecked());
        QCOMPARE(performance->isChecked(), held);
        QCOMPARE(device.OfflineNotices(), reading ? 0 : 2);
        QCOMPARE(device.BeingReadNotices(), reading ? 2 : 0);
        QCOMPARE(device.RecordsSent(), 0);
        QVERIFY(g_FlashData.Snapshot() == record);
    }

    void pageControlsSendTheUsersChoice()
    {
        SensorFrameDevice device;
        Sensor page;
        FlashDataMap record = SampleRecord();
        record.PerformanceMode = 0;
        page.SlotUpDataSenSorUISensor(record);
        auto* performance = Child<QCheckBox>(&page, "Performance");
        QTest::mouseClick(performance, Qt::LeftButton, {}, QPoint(8, performance->height() / 2));
        QCOMPARE(int(device.Record().PerformanceMode), 1);
        QVERIFY(Child<QWidget>(&page, "PerformanceOpen")->isEnabled());
        Child<QComboBox>(&page, "PerformanceOpen")->setCurrentIndex(4);
        QCOMPARE(int(device.Record().PerformanceSleepTime), 60);
        Child<QComboBox>(&page, "ModelChoose")->setCurrentIndex(0);
        QCOMPARE(int(device.Record().SensorMode), 0);
        QCOMPARE(device.RecordsSent(), 3);
    }
};

QTEST_MAIN(TestSensorPage)
#include "tst_sensorpage.moc"
