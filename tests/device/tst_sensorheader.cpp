#include "device/SensorHeader.h"
#include "platform/ProgramFolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// "name=value" per definition, joined with ";", to compare whole tables at once.
QString DefinesText(const SensorDefines& defines)
{
    QStringList items;
    for (const SensorDefine& define : defines)
        items << define.name + "=" + QString::number(define.value);
    return items.join(';');
}

} // namespace

class TestSensorHeader : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;

    SensorHeader ReadText(const QByteArray& text,
                          SwitchNamedDefines switchNamed = SwitchNamedDefines::Keep)
    {
        const QString path = m_folder.filePath("driver_sensor.h");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write the fixture");
        file.write(text);
        file.close();
        return ReadSensorHeader(path, switchNamed);
    }

private slots:
    void lineForms_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("defines");
        QTest::addColumn<QString>("rippleList");

        QTest::newRow("switch list") << QByteArray("#define SUPPORT_RIPPLE\t3950,3395\n") << "" << "3950,3395";
        QTest::newRow("switch list ends at a tab") << QByteArray("#define SUPPORT_RIPPLE\t3950\t3395\n") << "" << "3950";
        QTest::newRow("switch line, first part not examined") << QByteArray("#undef SUPPORT_RIPPLE\t3395\n") << "" << "3395";
        QTest::newRow("switch without list") << QByteArray("#define SUPPORT_RIPPLE\n") << "" << "";
        QTest::newRow("tab, hexadecimal") << QByteArray("#define SENSOR_3395_DPI_800\t0x10\n") << "SENSOR_3395_DPI_800=16" << "";
        QTest::newRow("tab, decimal") << QByteArray("#define A\t16\n") << "A=16" << "";
        QTest::newRow("tab, not a number") << QByteArray("#define A\tabc\n") << "A=0" << "";
        QTest::newRow("tab, then another field") << QByteArray("#define A\t16\t//note\n") << "" << "";
        QTest::newRow("space, hexadecimal") << QByteArray("#define A 0x10\n") << "A=16" << "";
        QTest::newRow("space, decimal") << QByteArray("#define A 16\n") << "A=16" << "";
        QTest::newRow("tab value, one-word comment") << QByteArray("#define A\t16 //note\n") << "A=16" << "";
        QTest::newRow("tab hex value, comment: read decimal") << QByteArray("#define A\t0x10 //note\n") << "A=0" << "";
        QTest::newRow("comment with spaces") << QByteArray("#define A\t16 // a note\n") << "" << "";
        QTest::newRow("space value and comment") << QByteArray("#define A 0x10 //note\n") << "" << "";
        QTest::newRow("three words, first not examined") << QByteArray("#undef A 16\n") << "A=16" << "";
        QTest::newRow("comment of three words") << QByteArray("// word word\n") << "word=0" << "";
        QTest::newRow("comment of one word") << QByteArray("//word\n") << "" << "";
        QTest::newRow("comment of two words") << QByteArray("// word\n") << "" << "";
        QTest::newRow("comment of four words") << QByteArray("// a b c\n") << "" << "";
        QTest::newRow("name only") << QByteArray("#define A\n") << "" << "";
        QTest::newRow("tabs only") << QByteArray("#define\tA\t16\n") << "" << "";
        QTest::newRow("empty line") << QByteArray("\n") << "" << "";
        QTest::newRow("last line, tab form") << QByteArray("#define A\t16") << "" << "";
        QTest::newRow("last line, space form") << QByteArray("#define A 16") << "" << "";
        QTest::newRow("switch name in a three-part line") << QByteArray("#define SUPPORT_RIPPLE\t3950 //x\n") << "SUPPORT_RIPPLE=3950" << "";
    }

    void lineForms()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, defines);
        QFETCH(QString, rippleList);
        const SensorHeader header = ReadText(line);
        QCOMPARE(DefinesText(header.defines), defines);
        QCOMPARE(header.SwitchList(SensorSwitch::Ripple), rippleList);
    }

    void fileOrderCrlfAndLastLine()
    {
        const SensorHeader header = ReadText(
            "#define SUPPORT_LOD_CAL\t3950\r\n"
            "#define SENSOR_3950_DPI_400\t0x07\r\n"
            "#define SENSOR_3950_DPI_800 15\r\n"
            "#define SUPPORT_MOTION_SYNC\t3395,3950\r\n"
            "#define SUPPORT_LOD_CAL\t3395\r\n"
            "#define SENSOR_3950_DPI_1200\t23\r\n"
            "#define SUPPORT_FIXLINE\tOM76");
        QCOMPARE(DefinesText(header.defines),
                 QString("SENSOR_3950_DPI_400=7;SENSOR_3950_DPI_800=15;SENSOR_3950_DPI_1200=23"));
        QCOMPARE(header.SwitchList(SensorSwitch::LodCal), QString("3395"));
        QCOMPARE(header.SwitchList(SensorSwitch::MotionSync), QString("3395,3950"));
        QCOMPARE(header.SwitchList(SensorSwitch::FixLine), QString("OM76"));
        QCOMPARE(header.SwitchList(SensorSwitch::Ripple), QString());
    }

    void switchNamesAreTestedInOrder()
    {
        // The first switch of the list that occurs in the piece decides.
        const SensorHeader header = ReadText("#define SUPPORT_RIPPLE_SUPPORT_LOD_CAL\t3395\n");
        QCOMPARE(header.SwitchList(SensorSwitch::LodCal), QString("3395"));
        QCOMPARE(header.SwitchList(SensorSwitch::Ripple), QString());
    }

    void membershipBySubstring_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<bool>("listed");
        QTest::newRow("listed") << "3395,3950" << "3950" << true;
        QTest::newRow("piece of a name") << "3395,3950" << "395" << true;
        QTest::newRow("case-sensitive") << "S312" << "s312" << false;
        QTest::newRow("absent") << "3395,3950" << "OM76" << false;
        QTest::newRow("empty name") << "3395" << "" << true;
        QTest::newRow("empty name, empty list") << "" << "" << true;
    }

    void membershipBySubstring()
    {
        QFETCH(QString, list);
        QFETCH(QString, sensor);
        QFETCH(bool, listed);
        SensorHeader header;
        header.switchLists[static_cast<int>(SensorSwitch::MotionSync)] = list;
        QCOMPARE(header.IsListed(SensorSwitch::MotionSync, sensor), listed);
    }

    void buttonPageDropsSwitchNamedDefines()
    {
        const QByteArray text = "#define SUPPORT_RIPPLE\t3950 //x\n#define A 16\n";
        QCOMPARE(DefinesText(ReadText(text, SwitchNamedDefines::Drop).defines), QString("A=16"));
        QCOMPARE(DefinesText(ReadText(text, SwitchNamedDefines::Keep).defines),
                 QString("SUPPORT_RIPPLE=3950;A=16"));
    }

    void missingFileGivesEmptyResults()
    {
        SetProgramFolder(m_folder.filePath("nowhere"));
        const SensorHeader header = ReadSensorHeader(SensorHeaderPath());
        QVERIFY(header.defines.isEmpty());
        for (const QString& list : header.switchLists)
            QVERIFY(list.isEmpty());
        QVERIFY(!header.IsListed(SensorSwitch::Ripple, "3395"));
        SetProgramFolder(QString());
    }
};

QTEST_GUILESS_MAIN(TestSensorHeader)
#include "tst_sensorheader.moc"
