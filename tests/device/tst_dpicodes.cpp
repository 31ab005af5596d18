#include "device/DpiCodes.h"

#include <QTest>

namespace {

// "name=value;name=value" as a define table in file order.
SensorDefines Defines(const QString& text)
{
    SensorDefines defines;
    for (const QString& item : text.split(';', Qt::SkipEmptyParts)) {
        const QStringList pair = item.split('=');
        defines.append({pair.at(0), pair.at(1).toInt()});
    }
    return defines;
}

} // namespace

class TestDpiCodes : public QObject
{
    Q_OBJECT

private slots:
    // DpiToSensorCode(dpi) gives code; SensorCodeToDpi(code) gives back.
    void conversions_data()
    {
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<QString>("defines");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("back");

        QTest::newRow("3395") << "3395" << "" << 800 << 15 << 800;
        QTest::newRow("3950") << "3950" << "" << 800 << 15 << 800;
        QTest::newRow("3315") << "3315" << "" << 800 << 15 << 800;
        QTest::newRow("3955 above a byte") << "3955" << "" << 800 << 799 << 800;
        QTest::newRow("S312") << "S312" << "" << 800 << 16 << 800;
        QTest::newRow("OM76") << "OM76" << "" << 800 << 79 << 800;
        QTest::newRow("OM76 code past a byte") << "OM76" << "" << 2570 << 0 << 10;
        QTest::newRow("unknown model as 3395") << "PMW9" << "" << 100 << 1 << 100;
        QTest::newRow("another sensor's table") << "3395" << "SENSOR_3950_DPI_800=99" << 800 << 15 << 800;

        const QString table = "SENSOR_3395_DPI_400=7;SENSOR_3395_DPI_800=12";
        QTest::newRow("table, exact entry") << "3395" << table << 800 << 12 << 800;
        QTest::newRow("table, no entry, code unknown") << "3395" << table << 1000 << 20 << 0;
        QTest::newRow("table marker without entries") << "S312" << "SENSOR_S312_DPI=3" << 800 << 16 << 0;
        QTest::newRow("table, two entries of one value")
            << "3395" << "SENSOR_3395_DPI_700=14;SENSOR_3395_DPI_750=14" << 750 << 14 << 700;
        QTest::newRow("table of a name with I")
            << "PIXI" << "SENSOR_PIXI_DPI_800=33" << 800 << 33 << 800;
    }

    void conversions()
    {
        QFETCH(QString, sensor);
        QFETCH(QString, defines);
        QFETCH(int, dpi);
        QFETCH(int, code);
        QFETCH(int, back);
        QCOMPARE(DpiToSensorCode(sensor, Defines(defines), dpi), code);
        QCOMPARE(SensorCodeToDpi(sensor, Defines(defines), code), back);
    }

    void formulasInvertEachOtherForEveryLockValue()
    {
        for (const QString sensor : {"3395", "3950", "3955", "3315", "S312", "OM76", ""}) {
            for (int dpi = 100; dpi <= 1200; dpi += 100) {
                const int code = DpiToSensorCode(sensor, {}, dpi);
                QVERIFY2(SensorCodeToDpi(sensor, {}, code) == dpi,
                         qPrintable(sensor + " " + QString::number(dpi)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestDpiCodes)
#include "tst_dpicodes.moc"
