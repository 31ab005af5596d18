#include "SensorTestKit.h"

#include "pages/sensor/DpiLevelCodec.h"
#include "pages/sensor/DpiSegmentRule.h"

#include <QTest>

#include <limits>

namespace {

void UseSensor(const QString& sensor, const QString& dpiRange, const QList<QPair<QString, int>>& defines = {})
{
    g_SensorName = sensor;
    g_SensorDefineNames.clear();
    g_SensorDefineValues.clear();
    for (const auto& define : defines) {
        g_SensorDefineNames << define.first;
        g_SensorDefineValues << define.second;
    }
    LoadDpiRangeTables(dpiRange.split(','), nullptr);
}

const QList<QPair<QString, int>> k3311Table = {
    {"SENSOR_3311_DPI_400", 7}, {"SENSOR_3311_DPI_800", 15}, {"SENSOR_3311_DPI_1600", 31}, {"SENSOR_OTHER", 99}};

} // namespace

class TestDpiLevelCodec : public QObject
{
    Q_OBJECT

private slots:
    void loadsRangeTables_data()
    {
        QTest::addColumn<QString>("dpiRange");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<int>("rangeCode");
        QTest::addColumn<int>("segments");
        QTest::addColumn<QString>("overall");
        QTest::newRow("one range, no class") << "50,26000,50,0" << true << 0 << 1 << "50-26000";
        QTest::newRow("two ranges, class 22") << "50,10000,50,10100,30000,100,22" << true << 0x22 << 2 << "50-30000";
        QTest::newRow("four ranges, class 33")
            << "100,1000,50,1100,5000,100,5200,10000,200,10400,26000,400,33" << true << 0x33 << 4 << "100-26000";
        QTest::newRow("five ranges") << "1,2,1,3,4,1,5,6,1,7,8,1,9,10,1,11" << false << 0x11 << 5 << "kept";
        QTest::newRow("only a class") << "22" << false << 0x22 << 0 << "kept";
        QTest::newRow("empty") << "" << false << 0 << 0 << "kept";
    }
    void loadsRangeTables()
    {
        QFETCH(QString, dpiRange);
        QFETCH(bool, loaded);
        QFETCH(int, rangeCode);
        QFETCH(int, segments);
        QFETCH(QString, overall);
        LoadDpiRangeTables({"7", "70", "7", "77", "700", "70", "11"}, nullptr);
        DpiOverallRange range{"kept", "kept"};
        const QStringList items = dpiRange.isEmpty() ? QStringList() : dpiRange.split(',');
        QCOMPARE(LoadDpiRangeTables(items, &range), loaded);
        QCOMPARE(g_DpiRangeCode, rangeCode);
        QCOMPARE(g_DpiSegmentCount, segments);
        if (overall == "kept") {
            QCOMPARE(range.minimum, overall);
            QVERIFY(g_DpiRangeMins.isEmpty() && g_DpiRangeMaxes.isEmpty());
            QCOMPARE(g_DpiSeg2Max, QString("700")); // texts of the last good list stay
            return;
        }
        QCOMPARE(range.minimum + "-" + range.maximum, overall);
        QCOMPARE(g_DpiRangeMins.size(), segments);
        QCOMPARE(g_DpiRangeMins.first(), items.at(0).toInt());
        QCOMPARE(g_DpiRangeMaxes.last(), items.at(3 * segments - 2).toInt());
        QCOMPARE(DpiSegmentValues(segments).step, items.at(3 * segments - 1).toInt());
    }

    // Encoding, the byte pair the record keeps, and reading it back.
    void encodesAndDecodes_data()
    {
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<QString>("dpiRange");
        QTest::addColumn<bool>("withTable");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("codeByte");
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("readBack");
        const QString single = "50,26000,50,0";
        QTest::newRow("3950 800") << "3950" << single << false << 800 << 15 << 0 << 800;
        QTest::newRow("3950 25600 carries bit 8") << "3950" << "50,60000,50,0" << false << 25600 << 255 << 68 << 25600;
        QTest::newRow("3950 largest code") << "3950" << "50,60000,50,0" << false << 51200 << 255 << 204 << 51200;
        QTest::newRow("3950 beyond ten bits keeps the class bits")
            << "3950" << "50,10000,50,10100,200000,100,22" << false << 150000 << 255 << 0xEE << 102400;
        QTest::newRow("class 11 at range 1 maximum") << "3395" << "50,10000,50,10100,26000,100,11" << false << 10000
                                                     << 199 << 0 << 10000;
        QTest::newRow("class 11 above range 1") << "3395" << "50,10000,50,10100,26000,100,11" << false << 10050
                                                << 99 << 17 << 10000;
        QTest::newRow("class 22 above range 1") << "PMW" << "50,10000,50,10100,26000,100,22" << false << 12000
                                                << 119 << 0x22 << 12000;
        QTest::newRow("class 33 range 4")
            << "PMW" << "50,2000,50,2100,5000,100,5200,10000,100,10200,26000,200,33" << false << 12000 << 59
            << 0x33 << 12000;
        QTest::newRow("class 33 range 2") << "PMW" << "50,2000,50,2100,5000,100,5200,10000,100,10200,26000,200,33"
                                          << false << 3000 << 29 << 0x22 << 3000;
        QTest::newRow("no class, below 50") << "PMW" << single << false << 0 << 0 << 0 << 50;
        QTest::newRow("S312 reads back what is sent") << "S312" << single << false << 800 << 16 << 0 << 800;
        QTest::newRow("S312 class 22") << "S312" << "50,10000,50,10100,26000,100,22" << false << 20000 << 144
                                       << 0x66 << 20000;
        QTest::newRow("OM76") << "OM76" << single << false << 800 << 79 << 0 << 800;
        QTest::newRow("OM76 class 22") << "OM76" << "50,10000,50,10100,26000,100,22" << false << 20000 << 200
                                       << 0x22 << 20000;
        QTest::newRow("table entry") << "3311" << single << true << 800 << 15 << 0 << 800;
        QTest::newRow("table entry above range 1, halved")
            << "3311" << "50,1000,50,1100,3200,100,22" << true << 1600 << 15 << 0x22 << 1600;
        QTest::newRow("not in table: preliminary code") << "3311" << single << true << 850 << 17 << 0 << 0;
        QTest::newRow("not in table, its code listed") << "3311" << single << true << 750 << 15 << 0 << 800;
    }
    void encodesAndDecodes()
    {
        QFETCH(QString, sensor);
        QFETCH(QString, dpiRange);
        QFETCH(bool, withTable);
        QFETCH(int, dpi);
        QFETCH(int, codeByte);
        QFETCH(int, flags);
        QFETCH(int, readBack);
        UseSensor(sensor, dpiRange, withTable ? k3311Table : QList<QPair<QString, int>>());
        const DpiLevelCode encoded = EncodeLevelDpi(dpi, 0);
        QCOMPARE(encoded.code & 0xFF, codeByte);
        QCOMPARE(int(encoded.flags), flags);
        QCOMPARE(DecodeLevelDpi(encoded.code & 0xFF, encoded.flags), readBack);
    }

    // The DPI slider ends where a sensor's code still carries the value to the
    // device and back.
    void largestKeptDpi_data()
    {
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<QString>("dpiRange");
        QTest::addColumn<bool>("withTable");
        QTest::addColumn<int>("largest");
        const QString single = "50,26000,50,0";
        QTest::newRow("one code byte") << "3389" << single << false << 12800;
        QTest::newRow("one code byte, 3955") << "3955" << single << false << 12800;
        QTest::newRow("one code byte, doubled range") << "3389" << "50,10000,50,10100,26000,100,22" << false << 25600;
        QTest::newRow("ten-bit code") << "3395" << single << false << 26000;
        QTest::newRow("OM76 ten bits of 10 DPI") << "OM76" << single << false << 10200;
        QTest::newRow("code table") << "3311" << single << true << 1600;
    }
    void largestKeptDpi()
    {
        QFETCH(QString, sensor);
        QFETCH(QString, dpiRange);
        QFETCH(bool, withTable);
        QFETCH(int, largest);
        UseSensor(sensor, dpiRange, withTable ? k3311Table : QList<QPair<QString, int>>());
        QCOMPARE(LargestKeptDpi(50, 26000), largest);
        QVERIFY(LevelKeepsDpi(largest));
    }

    // A description's range of two billion in steps of 1: the slider's end is
    // found among what a level can hold, not by walking the range.
    void largestKeptDpiOfAHugeRange()
    {
        UseSensor("3395", "1,2000000000,1,0");
        QCOMPARE(LargestKeptDpi(1, 2000000000), 51200);
        QCOMPARE(LargestKeptDpi(60000, 2000000000), 2000000000);
    }

    void preliminaryCodeFollowsTheLevelsClass()
    {
        UseSensor("3311", "50,26000,50,0", k3311Table);
        QCOMPARE(EncodeLevelDpi(900, 0x22).code, 9);
        QCOMPARE(EncodeLevelDpi(900, 0x11).code, 18);
    }

    void decodesTables_data()
    {
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("dpi");
        QTest::newRow("high class doubles") << "3311" << 15 << 0x22 << 1600;
        QTest::newRow("both classes") << "3311" << 15 << 0x33 << 3200;
        QTest::newRow("unknown code") << "3311" << 16 << 0 << 0;
        QTest::newRow("3315 takes the second entry of the code") << "3315" << 15 << 0x22 << 2000;
        QTest::newRow("3315 without a second entry") << "3315" << 7 << 0x22 << 400;
        QTest::newRow("sensor name with an I") << "PIXI" << 15 << 0 << 800;
        // A header whose number cannot be doubled within an int.
        QTest::newRow("huge entry, both classes") << "3311" << 40 << 0x33 << std::numeric_limits<int>::max();
        QTest::newRow("huge entry, plain") << "3311" << 40 << 0 << 2000000000;
    }
    void decodesTables()
    {
        QFETCH(QString, sensor);
        UseSensor(sensor, "50,26000,50,0",
                  {{"SENSOR_" + sensor + "_DPI_400", 7}, {"SENSOR_" + sensor + "_DPI_800", 15},
                   {"SENSOR_" + sensor + "_DPI_2000", 15}, {"SENSOR_" + sensor + "_DPI_2000000000", 40}});
        QFETCH(int, code);
        QFETCH(int, flags);
        QFETCH(int, dpi);
        QCOMPARE(DecodeLevelDpi(code, flags), dpi);
    }

    void sendsTheLevelEntry()
    {
        SensorFrameDevice device;
        UseSensor("3950", "50,10000,50,10100,30000,100,22");
        EncodeAndSendLevelDpi(3, 12000);
        const DpiLevelEntry entry = device.Record().DpiLevels[3];
        QCOMPARE(int(entry.XCode), 119);
        QCOMPARE(int(entry.YCode), 119);
        QCOMPARE(int(entry.RangeBits), 0x22);
        QCOMPARE(device.RecordsSent(), 1);
    }

    void noLevelSendsNothing()
    {
        SensorFrameDevice device;
        UseSensor("3950", "50,26000,50,0");
        for (int level : {-1, 8}) {
            EncodeAndSendLevelDpi(level, 800);
            QCOMPARE(device.RecordsSent(), 0);
        }
        QVERIFY(device.Record() == FlashDataMap{});
        QCOMPARE(device.OfflineNotices(), 0);
    }

    void offlineLevelRaisesTheNotice()
    {
        SensorFrameDevice device;
        device.GoOffline();
        UseSensor("3950", "50,26000,50,0");
        EncodeAndSendLevelDpi(0, 800);
        QCOMPARE(device.OfflineNotices(), 1);
        QVERIFY(device.Record() == FlashDataMap{});
    }
};

QTEST_GUILESS_MAIN(TestDpiLevelCodec)
#include "tst_dpilevelcodec.moc"
