#include "common/FifoWatchdog.h"
#include "common/ProgramFiles.h"
#include "common/TestFolders.h"

#include "device/DeviceState.h"
#include "device/SettingsFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cstring>

#include <sys/stat.h>

namespace {
// A record of values the pages can set, every byte they do not judge
// (reserved bytes, colours, the light bar, events) a pattern of its own.
FlashDataMap SampleRecord(std::uint8_t levels)
{
    FlashDataMap record{};
    auto* bytes = reinterpret_cast<std::uint8_t*>(&record);
    for (std::size_t i = 0; i < sizeof(record); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    const std::uint8_t settings[15] = {32, levels, 0, 0xA3, 0xA4, 3, 20, 1, 240, 0, 1, 0x77, 1, 12, 2};
    std::memcpy(bytes, settings, sizeof(settings));
    for (DpiLevelEntry& level : record.DpiLevels) {
        level.XCode = level.YCode = 15;  // 800 DPI
        level.RangeBits = 0;
    }
    record.DpiLedEffect = 2;
    record.DpiLedBrightness = 230;
    record.DpiLedSpeed = 5;
    record.DpiLedOn = 0;
    for (int k = 0; k < ButtonCount; ++k) {
        record.Buttons[k].Type = static_cast<std::uint8_t>(k % 12);
        record.KeyEvents[k].EventCount = static_cast<std::uint8_t>(k % 7);
        record.Macros[k].NameLength = static_cast<std::uint8_t>(k * 2);
        record.Macros[k].EventCount = static_cast<std::uint8_t>(k * 4);
    }
    return record;
}

QByteArray RecordBytes(const FlashDataMap& record)
{
    return QByteArray(reinterpret_cast<const char*>(&record), sizeof(record));
}

QByteArray LengthPrefix(quint32 length)
{
    uchar prefix[4];
    qToBigEndian(length, prefix);
    return QByteArray(reinterpret_cast<const char*>(prefix), 4);
}

QByteArray Block(const QByteArray& bytes)
{
    return LengthPrefix(bytes.size()) + bytes;
}

QByteArray Padded(const QByteArray& text, int size)
{
    return text + QByteArray(size - text.size(), '\0');
}
} // namespace

class SettingsFileTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_Files;

    QString WriteFile(const QString& name, const QByteArray& content)
    {
        const QString path = m_Files.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(content);
        return path;
    }

    QByteArray Exported(const FlashDataMap& record)
    {
        const QString path = m_Files.filePath("exported.bin");
        if (!ExportSettingsFile(path, record))
            return QByteArray();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

private slots:
    void initTestCase()
    {
        UseTemporaryFolders();
        WriteConfigIni("[Option]\nDeviceTotal=2\n"
                       "[Drive1]\nSensor=3395\nDPIMaxGrade=5\nDPIRange=50,10000,50,10100,26000,100,22\n"
                       "[Drive2]\nSensor=PAW3950HS-long\nDPIMaxGrade=8\n");
        DeviceAllInfo device;
        device.ModelIndex = 0;
        g_CurrentDevice.Set(device);
    }

    void exportWritesTheThreeBlocks()
    {
        const FlashDataMap record = SampleRecord(4);
        const QByteArray file = Exported(record);

        QCOMPARE(file.size(), 10464);
        QCOMPARE(file.left(4), QByteArray::fromHex("0000000C"));
        QCOMPARE(file.mid(4, 12), Padded("Trelv", 12));
        QCOMPARE(file.mid(16, 16), LengthPrefix(12) + Padded("3395", 12));
        QCOMPARE(file.mid(32, 4), QByteArray::fromHex("000028BC"));
        QVERIFY(std::memcmp(file.constData() + 36, &record, sizeof(record)) == 0);
    }

    void exportReportsAPathItCannotWrite()
    {
        QVERIFY(!ExportSettingsFile(m_Files.filePath("missing-folder/settings.bin"), SampleRecord(4)));
        QVERIFY(!QFile::exists(m_Files.filePath("missing-folder/settings.bin")));
    }

    void importAnswers_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("result");

        const QByteArray tag = Block(Padded("Trelv", 12));
        const QByteArray sensor = Block(Padded("3395", 12));
        const FlashDataMap fits = SampleRecord(5);
        const QByteArray record = Block(QByteArray(reinterpret_cast<const char*>(&fits), sizeof(fits)));
        const FlashDataMap tooMany = SampleRecord(6);
        const QByteArray recordTooMany = Block(QByteArray(reinterpret_cast<const char*>(&tooMany), sizeof(tooMany)));

        QTest::newRow("fits") << tag + sensor + record << 0;
        QTest::newRow("foreign tag") << Block(Padded("Other", 12)) + sensor + record << 1;
        QTest::newRow("other sensor") << tag + Block(Padded("3950", 12)) + record << 2;
        QTest::newRow("more DPI levels than the model") << tag + sensor + recordTooMany << 2;
        QTest::newRow("empty file") << QByteArray() << 1;
        QTest::newRow("record cut short") << (tag + sensor + record).left(10000) << 1;
        QTest::newRow("record block too short")
            << tag + sensor + Block(QByteArray(reinterpret_cast<const char*>(&fits), 10000)) << 1;
        QTest::newRow("huge length prefix") << tag + sensor + LengthPrefix(0x7FFFFFF0) + QByteArray(64, 'x') << 1;
        QTest::newRow("huge tag length") << LengthPrefix(0xFFFFFFFF) + QByteArray(64, 'x') << 1;
        QTest::newRow("bytes after the last block") << tag + sensor + record + QByteArray(1, '\0') << 1;

        // Values no page can set are refused, whatever the model.
        const auto changed = [&](const std::function<void(FlashDataMap&)>& change) {
            FlashDataMap values = fits;
            change(values);
            return tag + sensor + Block(RecordBytes(values));
        };
        QTest::newRow("no DPI level") << changed([](FlashDataMap& r) { r.DpiLevelCount = 0; }) << 1;
        QTest::newRow("current level past the count") << changed([](FlashDataMap& r) { r.CurrentDpiLevel = 5; }) << 1;
        QTest::newRow("report rate 99") << changed([](FlashDataMap& r) { r.ReportRate = 99; }) << 1;
        QTest::newRow("debounce 250") << changed([](FlashDataMap& r) { r.ButtonDebounce = 250; }) << 1;
        QTest::newRow("lift-off 0") << changed([](FlashDataMap& r) { r.LiftOffDistance = 0; }) << 1;
        QTest::newRow("sleep time 7") << changed([](FlashDataMap& r) { r.SleepTime = 7; }) << 1;
        QTest::newRow("motion sync 2") << changed([](FlashDataMap& r) { r.MotionSync = 2; }) << 1;
        QTest::newRow("sensor mode 3") << changed([](FlashDataMap& r) { r.SensorMode = 3; }) << 1;
        QTest::newRow("DPI-LED brightness 17") << changed([](FlashDataMap& r) { r.DpiLedBrightness = 17; }) << 1;
        QTest::newRow("DPI-LED speed 6") << changed([](FlashDataMap& r) { r.DpiLedSpeed = 6; }) << 1;
        QTest::newRow("button type 12") << changed([](FlashDataMap& r) { r.Buttons[15].Type = 12; }) << 1;
        QTest::newRow("key sequence of 7 events")
            << changed([](FlashDataMap& r) { r.KeyEvents[3].EventCount = 7; }) << 1;
        QTest::newRow("macro name of 31 bytes") << changed([](FlashDataMap& r) { r.Macros[0].NameLength = 31; }) << 1;
        QTest::newRow("macro of 71 events") << changed([](FlashDataMap& r) { r.Macros[9].EventCount = 71; }) << 1;
        QTest::newRow("the values of the report")
            << changed([](FlashDataMap& r) {
                   r.DpiLevelCount = 0;
                   r.CurrentDpiLevel = 200;
                   r.ReportRate = 99;
                   r.ButtonDebounce = 250;
               })
            << 1;
        // A DPI above the model's ranges fits another model at best.
        QTest::newRow("level in use above the ranges")
            << changed([](FlashDataMap& r) { r.DpiLevels[4].RangeBits = 0xFF; }) << 2;
        QTest::newRow("level not in use above the ranges")
            << changed([](FlashDataMap& r) {
                   r.DpiLevelCount = 4;
                   r.DpiLevels[4].RangeBits = 0xFF;
               })
            << 0;
        QTest::newRow("top of the ranges")
            << changed([](FlashDataMap& r) {
                   r.DpiLevels[0].XCode = 0x03;  // (3 + 256 + 1) x 100 = 26000
                   r.DpiLevels[0].RangeBits = 0x22 | 0x40 | 0x04;
               })
            << 0;
    }

    void importAnswers()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, result);
        const FlashDataMap before = SampleRecord(1);
        FlashDataMap record = before;

        QCOMPARE(ImportSettingsFile(WriteFile("import.bin", content), record), result);
        if (result == 0)
            QCOMPARE(RecordBytes(record), content.mid(36));
        else
            QVERIFY(record == before);
    }

    void importOfAMissingFileAnswersOne()
    {
        FlashDataMap record{};
        QCOMPARE(ImportSettingsFile(m_Files.filePath("none.bin"), record), 1);
    }

    // A named pipe is refused without waiting for a writer.
    void importOfANamedPipeIsRefusedAtOnce()
    {
        const QString path = m_Files.filePath("pipe.bin");
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        FlashDataMap record{};
        int result = 0;
        QVERIFY(!ActionWaitedOnFifo(path, [&] { result = ImportSettingsFile(path, record); }));
        QCOMPARE(result, 1);
        QVERIFY(record == FlashDataMap{});
    }

    void exportedFileImportsAgainWithALongSensorName()
    {
        DeviceAllInfo device;
        device.ModelIndex = 1;
        g_CurrentDevice.Set(device);
        const FlashDataMap record = SampleRecord(8);
        QVERIFY(ExportSettingsFile(m_Files.filePath("long.bin"), record));

        FlashDataMap imported{};
        QCOMPARE(ImportSettingsFile(m_Files.filePath("long.bin"), imported), 0);
        QVERIFY(imported == record);
        device.ModelIndex = 0;
        g_CurrentDevice.Set(device);
    }
};

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "tst_settingsfile.moc"
