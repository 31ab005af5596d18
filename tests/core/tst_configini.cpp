#include "core/ConfigIni.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {
QByteArray Coded(const char* text)
{
    return QByteArray(text).toBase64();
}

// A device description with one case per line; the store reads it once per
// process, so every test shares it.
QByteArray DeviceDescription()
{
    return "[Option]\n"
           "CID=" + Coded("12") + "\n"
           "USB_PID=" + Coded("123") + "," + Coded("456") + "\n"
           "VID=" + Coded("0x1A2B") + "\n"
           "DeviceTotal=2\n"
           "LabelColor=255,128,0\n"
           "ButtonColor=10,20\n"
           "SliderColor=red,green,blue\n"
           "ComboxTextColor=300,0,0\n"
           "[Drive1]\n"
           "CID=" + Coded("1 2\n") + "\n"
           "Sensor=" + Coded("PAW 3395") + "\n"
           "MM=" + Coded("Mysz ł") + "\n"
           "DM=M!T@I=\n"
           "DPIRange=100,26000,50,0x3c\n"
           "[Drive2]\n"
           "sensor=" + Coded("PAW3395") + "\n"
           "Adveanced=1\n";
}
}

class TestConfigIni : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_ProgramFolder.isValid());
        QDir().mkpath(m_ProgramFolder.path() + "/usersetting");
        QFile file(m_ProgramFolder.path() + "/usersetting/Config.ini");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(DeviceDescription());
        file.close();
        // The description is only read: a FIFO where a writer's lock would
        // go changes nothing, and every case below reads through it.
        QCOMPARE(::mkfifo(QFile::encodeName(file.fileName() + ".lock").constData(), 0600), 0);
        SetProgramFolder(m_ProgramFolder.path());
    }

    // First, so that the first calls of GetInstance race as well.
    void concurrentReadsAgree()
    {
        std::atomic<int> wrong{0};
        std::vector<ConfigIni*> instances(3);
        std::vector<std::thread> readers;
        for (int reader = 0; reader < 3; ++reader) {
            readers.emplace_back([&, reader] {
                instances[reader] = ConfigIni::GetInstance();
                for (int round = 0; round < 2000; ++round) {
                    ConfigIni* config = ConfigIni::GetInstance();
                    if (config->Value("Option", "CID") != "12"
                        || config->ValueList("Option", "USB_PID") != QStringList({"123", "456"})
                        || config->Value("Drive1", "Sensor") != "PAW3395"
                        || config->ValueList("Option", "LabelColor").size() != 3)
                        ++wrong;
                }
            });
        }
        for (std::thread& reader : readers)
            reader.join();
        QCOMPARE(wrong.load(), 0);
        QCOMPARE(instances[1], instances[0]);
        QCOMPARE(instances[2], instances[0]);
    }

    void value_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("coded number") << "Option" << "CID" << "12";
        QTest::newRow("coded, space and line feed dropped") << "Drive1" << "CID" << "12";
        QTest::newRow("coded Sensor in a model group") << "Drive1" << "Sensor" << "PAW3395";
        QTest::newRow("lower-case sensor is not coded") << "Drive2" << "sensor" << QString(Coded("PAW3395"));
        QTest::newRow("coded UTF-8 text") << "Drive1" << "MM" << "Myszł";
        QTest::newRow("characters outside Base64 skipped") << "Drive1" << "DM" << "12";
        QTest::newRow("plain number") << "Option" << "DeviceTotal" << "2";
        QTest::newRow("list read as text is empty") << "Option" << "LabelColor" << "";
        QTest::newRow("missing key") << "Drive1" << "XIn1" << "";
        QTest::newRow("missing coded key") << "Drive2" << "MM" << "";
    }

    void value()
    {
        QFETCH(QString, group);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QCOMPARE(ConfigIni::GetInstance()->Value(group, key), expected);
    }

    void valueList_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("coded list item by item") << "Option" << "USB_PID" << QStringList({"123", "456"});
        QTest::newRow("coded single value") << "Option" << "VID" << QStringList({"0x1A2B"});
        QTest::newRow("colour list") << "Option" << "LabelColor" << QStringList({"255", "128", "0"});
        QTest::newRow("plain list") << "Drive1" << "DPIRange" << QStringList({"100", "26000", "50", "0x3c"});
        QTest::newRow("missing Adveanced") << "Drive1" << "Adveanced" << QStringList();
        QTest::newRow("one-item Adveanced") << "Drive2" << "Adveanced" << QStringList({"1"});
    }

    void valueList()
    {
        QFETCH(QString, group);
        QFETCH(QString, key);
        QFETCH(QStringList, expected);
        QCOMPARE(ConfigIni::GetInstance()->ValueList(group, key), expected);
    }

    void listItemNeverReadsPastTheEnd()
    {
        const QStringList list = {"a", "b"};
        QCOMPARE(ListItem(list, 1), QString("b"));
        QCOMPARE(ListItem(list, 2, "none"), QString("none"));
        QCOMPARE(ListItem(list, -1, "none"), QString("none"));
        QCOMPARE(ListItem(QStringList(), 0), QString());
    }

    void optionColor_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QColor>("expected");
        const QColor fallback(1, 2, 3);
        QTest::newRow("three numbers") << "LabelColor" << QColor(255, 128, 0);
        QTest::newRow("two items") << "ButtonColor" << fallback;
        QTest::newRow("not numbers") << "SliderColor" << fallback;
        QTest::newRow("out of range") << "ComboxTextColor" << fallback;
        QTest::newRow("missing") << "LinEditColor" << fallback;
    }

    void optionColor()
    {
        QFETCH(QString, key);
        QFETCH(QColor, expected);
        QCOMPARE(OptionColor(key, QColor(1, 2, 3)), expected);
    }

private:
    QTemporaryDir m_ProgramFolder;
};

QTEST_GUILESS_MAIN(TestConfigIni)
#include "tst_configini.moc"
