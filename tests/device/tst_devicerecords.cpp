#include "device/DeviceRecords.h"

#include <QTest>

#include <cstring>

namespace {

const FlashDataMap probe{};

int ByteOf(const void* field)
{
    return int(static_cast<const char*>(field) - reinterpret_cast<const char*>(&probe));
}

QByteArray RawBytes(const FlashDataMap& map)
{
    return QByteArray(reinterpret_cast<const char*>(&map), int(sizeof(map)));
}

}  // namespace

class TestDeviceRecords : public QObject
{
    Q_OBJECT

private slots:
    void fieldsSitAtTheirBytes_data()
    {
        QTest::addColumn<int>("actual");
        QTest::addColumn<int>("expected");
        QTest::newRow("reserved 3") << ByteOf(&probe.Reserved3) << 3;
        QTest::newRow("reserved 4") << ByteOf(&probe.Reserved4) << 4;
        QTest::newRow("sensor mode") << ByteOf(&probe.SensorMode) << 14;
        QTest::newRow("DPI level 7 ends") << ByteOf(&probe.DpiLevels[7].Blue) << 62;
        QTest::newRow("DPI-LED effect") << ByteOf(&probe.DpiLedEffect) << 63;
        QTest::newRow("light-bar blue") << ByteOf(&probe.LightBarBlue) << 70;
        QTest::newRow("light-bar on") << ByteOf(&probe.LightBarOn) << 73;
        QTest::newRow("button 15 ends") << ByteOf(&probe.Buttons[15].Param2) << 121;
        QTest::newRow("reserved 122, 123") << ByteOf(&probe.Reserved122[1]) << 123;
        QTest::newRow("key sequence 1 first event") << ByteOf(&probe.KeyEvents[1].Events[0]) << 124 + 52 + 4;
        QTest::newRow("key sequence 15 ends") << ByteOf(&probe.KeyEvents[15].Events[5].DelayMs) + 3 << 955;
        QTest::newRow("macro 1 name") << ByteOf(&probe.Macros[1].Name) << 956 + 592 + 1;
        QTest::newRow("macro 15 ends") << ByteOf(&probe.Macros[15].Events[69].DelayMs) + 3 << 10427;
    }

    void fieldsSitAtTheirBytes()
    {
        QFETCH(int, actual);
        QFETCH(int, expected);
        QCOMPARE(actual, expected);
    }

    void multiByteNumbersAreLittleEndian()
    {
        FlashDataMap map{};
        map.KeyEvents[0].Events[0].Code = 0x1234;
        map.KeyEvents[0].Events[0].DelayMs = 0x0A0B0C0D;
        QCOMPARE(RawBytes(map).mid(124 + 4 + 2, 6), QByteArray::fromHex("34120d0c0b0a"));
    }

    void equalityComparesEveryByte()
    {
        FlashDataMap left{};
        FlashDataMap right{};
        QVERIFY(left == right);
        right.Reserved122[1] = 1;
        QVERIFY(left != right);
        std::memset(&right, 0xA5, sizeof(right));
        std::memset(&left, 0xA5, sizeof(left));
        QVERIFY(left == right);
    }

    void deviceDefaultsAreDefined()
    {
        const DeviceAllInfo info;
        QVERIFY(info.Path.isEmpty());
        QCOMPARE(info.Vid, QString("0"));
        QCOMPARE(info.Pid, QString("0"));
        QCOMPARE(int(info.Identity), 0);
        QCOMPARE(int(info.Kind), 0);
        QCOMPARE(info.ModelIndex, 0);
        QVERIFY(!info.Online && !info.KindFlag);
        QVERIFY(info.Version.isEmpty() && info.SecondVersion.isEmpty() && info.ReceiverId.isEmpty());

        DeviceAllInfo identified;
        identified.Identity = 0x050A;
        QCOMPARE(int(identified.Cid()), 0x0A);
        QCOMPARE(int(identified.Mid()), 0x05);
    }

    void kindFlagMarksWiredKinds_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("wired");
        for (int kind : {0, 1, 4, 5})
            QTest::addRow("receiver kind %d", kind) << kind << false;
        for (int kind : {2, 3, 6, 7, 8, 255})
            QTest::addRow("wired kind %d", kind) << kind << true;
    }

    void kindFlagMarksWiredKinds()
    {
        QFETCH(int, kind);
        QFETCH(bool, wired);
        QCOMPARE(KindFlagOf(std::uint8_t(kind)), wired);
    }

    void versionText_data()
    {
        QTest::addColumn<int>("word");
        QTest::addColumn<QString>("text");
        QTest::newRow("minor 0x10 in hex") << 0x0210 << "v2.10";
        QTest::newRow("single digits") << 0x0105 << "v1.5";
        QTest::newRow("minor 10 as a letter") << 0x010A << "v1.a";
        QTest::newRow("minor 12 as a letter") << 0x020C << "v2.c";
        QTest::newRow("zero") << 0x0000 << "v0.0";
        QTest::newRow("largest") << 0xFFFF << "v255.ff";
    }

    void versionText()
    {
        QFETCH(int, word);
        QFETCH(QString, text);
        QCOMPARE(VersionText(std::uint16_t(word)), text);
    }
};

QTEST_GUILESS_MAIN(TestDeviceRecords)
#include "tst_devicerecords.moc"
