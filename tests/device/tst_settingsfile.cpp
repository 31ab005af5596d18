#include "common/ProgramFiles.h"
#include "common/TestFolders.h"

#include "device/DeviceState.h"
#include "device/SettingsFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cstring>

namespace {
FlashDataMap SampleRecord(std::uint8_t levels)
{
    FlashDataMap record{};
    auto* bytes = reinterpret_cast<std::uint8_t*>(&record);
    for (std::size_t i = 0; i < sizeof(record); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    record.DpiLevelCount = levels;
    return record;
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
                       "[Drive1]\nSensor=3395\nDPIMaxGrade=5\n"
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
    }

    void importAnswers()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, result);
        const FlashDataMap before = SampleRecord(1);
        FlashDataMap record = before;

        QCOMPARE(ImportSettingsFile(WriteFile("import.bin", content), record), result);
        if (result == 0)
            QVERIFY(record == SampleRecord(5));
        else
            QVERIFY(record == before);
    }

    void importOfAMissingFileAnswersOne()
    {
        FlashDataMap record{};
        QCOMPARE(ImportSettingsFile(m_Files.filePath("none.bin"), record), 1);
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
