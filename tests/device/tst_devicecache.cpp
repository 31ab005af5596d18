#include "device/DeviceCache.h"
#include "platform/UserDataFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

namespace {

FlashDataMap PatternRecord()
{
    FlashDataMap record{};
    auto* bytes = reinterpret_cast<unsigned char*>(&record);
    for (size_t i = 0; i < sizeof(record); ++i)
        bytes[i] = static_cast<unsigned char>(i * 7 + 3);
    return record;
}

QByteArray RawBytes(const FlashDataMap& record)
{
    return QByteArray(reinterpret_cast<const char*>(&record), int(sizeof(record)));
}

QByteArray LengthField(quint32 length)
{
    QByteArray field(4, '\0');
    field[0] = char(length >> 24);
    field[1] = char(length >> 16);
    field[2] = char(length >> 8);
    field[3] = char(length);
    return field;
}

}  // namespace

class TestDeviceCache : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

    void WriteCacheFile(const QString& name, const QByteArray& content)
    {
        QFile file(DeviceCacheFolder() + name);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        SetUserDataFolder(m_home.path());
        QVERIFY(QDir().mkpath(DeviceCacheFolder()));
    }

    void fileNameOfIdentity_data()
    {
        QTest::addColumn<int>("identity");
        QTest::addColumn<QString>("name");
        QTest::newRow("CID 0A, MID 05") << 0x050A << "Device_CID0A_MID05.bin";
        QTest::newRow("leading zeros and upper case") << 0xFF00 << "Device_CID00_MIDFF.bin";
        QTest::newRow("sample model") << 0x0312 << "Device_CID12_MID03.bin";
    }

    void fileNameOfIdentity()
    {
        QFETCH(int, identity);
        QFETCH(QString, name);
        QCOMPARE(DeviceCacheFileName(std::uint16_t(identity)), name);
    }

    void savedRecordLoadsBackWhole()
    {
        const FlashDataMap record = PatternRecord();
        QVERIFY(SaveDeviceCache("Device_CID0A_MID05.bin", record));

        QFile file(DeviceCacheFolder() + "Device_CID0A_MID05.bin");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        QCOMPARE(content.size(), 10432);
        QCOMPARE(content.left(4), QByteArray::fromHex("000028bc"));
        QCOMPARE(content.mid(4), RawBytes(record));

        FlashDataMap loaded{};
        QVERIFY(LoadDeviceCache("Device_CID0A_MID05.bin", loaded));
        QVERIFY(loaded == record);
    }

    void longerStoredLengthGivesFirstRecordBytes()
    {
        const QByteArray body = RawBytes(PatternRecord()) + QByteArray(20000 - 10428, '\x77');
        WriteCacheFile("long.bin", LengthField(20000) + body);
        FlashDataMap loaded{};
        QVERIFY(LoadDeviceCache("long.bin", loaded));
        QVERIFY(loaded == PatternRecord());
    }

    // A file that cannot supply a whole record is refused, and the caller's
    // record stays exactly as it was.
    void incompleteFileIsRefused_data()
    {
        const QByteArray record = RawBytes(PatternRecord());
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("content");  // null: no file
        QTest::newRow("cut record") << "bad.bin" << LengthField(10428) + record.left(5000);
        QTest::newRow("short stored length") << "bad.bin" << LengthField(100) + record;
        QTest::newRow("cut length field") << "bad.bin" << QByteArray::fromHex("0000");
        QTest::newRow("empty file") << "bad.bin" << QByteArray("");
        QTest::newRow("missing file") << "Device_CID77_MID77.bin" << QByteArray();
        QTest::newRow("no name yet") << "" << QByteArray();
    }

    void incompleteFileIsRefused()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        if (!content.isNull())
            WriteCacheFile(fileName, content);
        FlashDataMap loaded = PatternRecord();
        QVERIFY(!LoadDeviceCache(fileName, loaded));
        QVERIFY(loaded == PatternRecord());
    }

    // Before the first full read the name is empty; without its folder the
    // cache writes nothing and says so.
    void unwritableSaveFails()
    {
        QVERIFY(!SaveDeviceCache(QString(), PatternRecord()));
        QVERIFY(QDir().rename(DeviceCacheFolder(), m_home.path() + "/moved"));
        const bool saved = SaveDeviceCache("Device_CID0A_MID05.bin", PatternRecord());
        QVERIFY(QDir().rename(m_home.path() + "/moved", DeviceCacheFolder()));
        QVERIFY(!saved);
    }
};

QTEST_GUILESS_MAIN(TestDeviceCache)
#include "tst_devicecache.moc"
