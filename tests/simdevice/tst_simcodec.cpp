#include "ReportRecorder.h"
#include "common/SimDeviceFixture.h"

#include <QtTest>

namespace {

constexpr int kMacroBase = 956;
constexpr int kMacroSize = 592;

void SetMacro(QByteArray& record, int key, int nameLength, int eventCount)
{
    char block[kMacroSize] = {};
    block[0] = char(nameLength);
    for (int i = 0; i < nameLength && i < 30; ++i)
        block[1 + i] = char('a' + (key + i) % 26);
    block[31] = char(eventCount);
    for (int j = 0; j < eventCount && j < 70; ++j)
        for (int b = 0; b < 8; ++b)
            block[32 + 8 * j + b] = char(key * 7 + j + b + 1);
    record.replace(kMacroBase + kMacroSize * key, kMacroSize, QByteArray(block, kMacroSize));
}

// Writes the record to the served mouse and reads the flash back as the
// program does: the full-read report, decoded.
QByteArray WrittenAndReadBack(const QByteArray& record)
{
    ReportRecorder::Clear();
    ProtocolDataUpdate(reinterpret_cast<const FlashDataMap*>(record.constData()));
    UsbServer_ReadAllFlashData();
    if (!QTest::qWaitFor([] { return ReportRecorder::Count() == 1; }, 5000))
        return QByteArray();
    const RecordedReport report = ReportRecorder::Reports().first();
    if (report.cls != 8 || report.sub != 0 || report.payload.size() != HIDUSB_FLASH_IMAGE_SIZE)
        return QByteArray();
    QByteArray parsed(HIDUSB_RECORD_SIZE, '\x77');
    if (ProtocolDataParser(reinterpret_cast<const unsigned char*>(report.payload.constData()),
                           reinterpret_cast<FlashDataMap*>(parsed.data())) != 1)
        return QByteArray();
    return parsed;
}

}

class SimCodecTest : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        SimDeviceFixture sim;
        const QByteArray factory = SimDeviceFixture::Record("mouseB");
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<bool>("macroDropped");

        QTest::newRow("factory record") << factory << factory << false;

        QByteArray macros = factory;
        for (int key = 0; key < 6; ++key)
            SetMacro(macros, key, 30, 70);
        QTest::newRow("full macros on keys 0-5") << macros << macros << false;

        QByteArray reserved = factory;
        for (int offset : {3, 4, 122, 123})
            reserved[offset] = char(0xA5);
        QTest::newRow("reserved bytes") << reserved << reserved << false;

        QByteArray tenFull = factory;
        for (int key = 0; key < 10; ++key)
            SetMacro(tenFull, key, 30, 70);
        QTest::newRow("ten full macros fit") << tenFull << tenFull << false;

        QByteArray elevenFull = tenFull;
        SetMacro(elevenFull, 10, 30, 70);
        QTest::newRow("an eleventh full macro is left out") << elevenFull << tenFull << true;

        QByteArray messy = factory;
        SetMacro(messy, 2, 3, 2);
        messy[kMacroBase + kMacroSize * 2 + 10] = 'x';                  // name byte beyond the length
        messy[kMacroBase + kMacroSize * 2 + 32 + 8 * 5] = char(0x99);   // event beyond the count
        QByteArray normalised = factory;
        SetMacro(normalised, 2, 3, 2);
        SetMacro(messy, 4, 45, 90);                                     // lengths beyond the limits
        SetMacro(normalised, 4, 30, 70);
        QTest::newRow("non-canonical blocks are normalised") << messy << normalised << false;
    }

    void roundTrip()
    {
        QFETCH(QByteArray, record);
        QFETCH(QByteArray, expected);
        QFETCH(bool, macroDropped);
        SimDeviceFixture sim;
        UsbServerC_Start(SimCtl_PathOf("mouseB"), SimCtl_PathOf("mouseB"), ReportRecorder::Callback);

        const QByteArray readBack = WrittenAndReadBack(record);

        QCOMPARE(readBack.size(), HIDUSB_RECORD_SIZE);
        for (int i = 0; i < HIDUSB_RECORD_SIZE; ++i)
            if (readBack[i] != expected[i])
                QFAIL(qPrintable(QString("byte %1 differs").arg(i)));
        QCOMPARE(SimDeviceFixture::Journal().contains("flash full: macro 10"), macroDropped);
    }

    void damagedImageLeavesRecordUntouched_data()
    {
        QTest::addColumn<int>("offset");
        QTest::newRow("checksummed byte") << 100;
        QTest::newRow("magic") << 0;
        QTest::newRow("macro entry count") << 5;
    }

    void damagedImageLeavesRecordUntouched()
    {
        QFETCH(int, offset);
        SimDeviceFixture sim;
        ReportRecorder::Clear();
        UsbServerC_Start(SimCtl_PathOf("mouseB"), SimCtl_PathOf("mouseB"), ReportRecorder::Callback);
        UsbServer_ReadAllFlashData();
        QTRY_COMPARE(ReportRecorder::Count(), 1);
        QByteArray image = ReportRecorder::Reports().first().payload;
        image[offset] = char(image[offset] ^ 0x5A);
        QByteArray record(HIDUSB_RECORD_SIZE, '\x33');

        QCOMPARE(ProtocolDataParser(reinterpret_cast<const unsigned char*>(image.constData()),
                                    reinterpret_cast<FlashDataMap*>(record.data())),
                 0);
        QCOMPARE(record, QByteArray(HIDUSB_RECORD_SIZE, '\x33'));
    }

    void smallReportDecodersWriteOnlyTheirBytes()
    {
        QByteArray record(HIDUSB_RECORD_SIZE, '\x11');
        const unsigned char dpiLed[8] = {2, 90, 4, 1, 9, 9, 9, 9};
        const unsigned char ledBar[9] = {3, 10, 20, 30, 4, 5, 1, 9, 9};
        auto* bytes = reinterpret_cast<unsigned char*>(record.data());
        BufferToDPILed(dpiLed, bytes + 63);
        BufferToLedBar(ledBar, bytes + 67);

        QByteArray expected(HIDUSB_RECORD_SIZE, '\x11');
        expected.replace(63, 11, QByteArray::fromHex("025a0401030a141e040501"));
        QCOMPARE(record.toHex(), expected.toHex());

        const unsigned char battery[4] = {76, 1, 0, 0};
        unsigned char levelAndCharging[2] = {};
        GetDeviceBatteryStatus(battery, levelAndCharging);
        QCOMPARE(levelAndCharging[0], 76);
        QCOMPARE(levelAndCharging[1], 1);

        const unsigned char status[2] = {0x45, 0};
        unsigned char flags[7] = {9, 9, 9, 9, 9, 9, 9};
        GetDeviceStatusChanged(status, flags);
        QCOMPARE(QByteArray(reinterpret_cast<char*>(flags), 7), QByteArray::fromHex("01000100000001"));
    }
};

QTEST_GUILESS_MAIN(SimCodecTest)
#include "tst_simcodec.moc"
