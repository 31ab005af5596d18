#include "common/ProgramFiles.h"
#include "common/TestFolders.h"
#include "device/DeviceCache.h"
#include "device/DeviceState.h"
#include "platform/UserDataFolder.h"

#include <QDir>
#include <QFile>
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

// A configuration the pages could have made, as a model's file keeps one.
FlashDataMap KeptRecord()
{
    FlashDataMap record{};
    // 500 Hz, four levels with the second current, 2 mm, a minute's sleep.
    const unsigned char settings[9] = {2, 4, 1, 0, 0, 2, 0, 0, 6};
    std::memcpy(&record, settings, sizeof(settings));
    record.PerformanceSleepTime = 30;
    record.DpiLedEffect = 1;
    record.DpiLedBrightness = 128;
    record.DpiLedSpeed = 3;
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
    void WriteCacheFile(const QString& name, const QByteArray& content)
    {
        QFile file(DeviceCacheFolder() + name);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

private slots:
    void initTestCase()
    {
        UseTemporaryFolders();
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

    // While its device is offline a model shows its newest record, and the
    // record held becomes that one, so that an export or the save on leaving
    // writes what is shown: the record held when it is this model's (the
    // file is older) and not awaiting a re-read (it may be another
    // profile's), else the model's file. With neither, the record held
    // (another model's) stays and is not taken for this one.
    // A file of values no page could set (damaged, or of another model with
    // more levels) counts as none.
    void offlineRecordIsTheModelsNewest_data()
    {
        QTest::addColumn<QString>("heldModel");  // whose record is held
        QTest::addColumn<QString>("file");       // "kept", "damaged", "wider" or none
        QTest::addColumn<QString>("shown");      // "held", "file" or none
        QTest::addColumn<bool>("reReadOutstanding");
        const QString model = "Device_CID12_MID03.bin";
        const QString other = "Device_CID12_MID04.bin";
        QTest::newRow("held is this model's") << model << "kept" << "held" << false;
        QTest::newRow("held awaits its re-read") << model << "kept" << "file" << true;
        QTest::newRow("held is another model's") << other << "kept" << "file" << false;
        QTest::newRow("nothing read since the start") << QString() << "kept" << "file" << false;
        QTest::newRow("another model's, no file") << other << QString() << QString() << false;
        QTest::newRow("damaged file") << QString() << "damaged" << QString() << false;
        QTest::newRow("more levels than the model has") << other << "wider" << QString() << false;
    }

    void offlineRecordIsTheModelsNewest()
    {
        QFETCH(QString, heldModel);
        QFETCH(QString, file);
        QFETCH(QString, shown);
        QFETCH(bool, reReadOutstanding);
        WriteConfigIni("[Option]\nDeviceTotal=1\n[Drive1]\nDPIMaxGrade=6\n");
        g_CurrentDevice.Set(DeviceAllInfo());
        const QString model = "Device_CID12_MID03.bin";
        QFile::remove(DeviceCacheFolder() + model);
        FlashDataMap wider = KeptRecord();
        wider.DpiLevelCount = 8;
        if (file == "kept")
            QVERIFY(SaveDeviceCache(model, KeptRecord()));
        else if (file == "damaged")
            QVERIFY(SaveDeviceCache(model, PatternRecord()));
        else if (file == "wider")
            QVERIFY(SaveDeviceCache(model, wider));
        FlashDataMap held{};
        held.ReportRate = 4;
        g_FlashData.Set(held);
        g_DeviceCacheName.Set(model);
        g_DeviceCacheNameRead.Set(heldModel);
        g_ReadBackOutstanding = reReadOutstanding;

        FlashDataMap record{};
        const bool found = TakeOfflineRecord(record);
        g_ReadBackOutstanding = false;
        const FlashDataMap expected = shown == "file" ? KeptRecord() : held;
        QCOMPARE(found, !shown.isEmpty());
        QVERIFY(g_FlashData.Snapshot() == expected);
        if (found)
            QVERIFY(record == expected);
        QCOMPARE(HoldsCurrentModelRecord(), found);
        QCOMPARE(g_DeviceCacheNameRead.Snapshot(), found ? model : heldModel);
    }

    // Before the first full read the name is empty; without its folder the
    // cache writes nothing and says so.
    void unwritableSaveFails()
    {
        QVERIFY(!SaveDeviceCache(QString(), PatternRecord()));
        QVERIFY(QDir().rename(DeviceCacheFolder(), UserDataFolder() + "/moved"));
        const bool saved = SaveDeviceCache("Device_CID0A_MID05.bin", PatternRecord());
        QVERIFY(QDir().rename(UserDataFolder() + "/moved", DeviceCacheFolder()));
        QVERIFY(!saved);
    }
};

QTEST_GUILESS_MAIN(TestDeviceCache)
#include "tst_devicecache.moc"
