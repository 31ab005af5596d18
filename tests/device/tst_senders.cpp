#include "core/PostMsg.h"
#include "device/DeviceLibrary.h"
#include "device/DeviceState.h"
#include "device/Senders.h"
#include "platform/simdevice/SimCtl.h"

#include <QMap>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <functional>

namespace {

// Every byte of the record before a sender runs: a value no case writes, so
// that a byte written with 0 shows as changed.
constexpr std::uint8_t kFill = 0xEE;

struct SenderCase {
    const char* name;
    std::function<bool()> send;
    QMap<int, int> writes;  // record byte -> value after the send
};

FlashDataMap FilledRecord()
{
    FlashDataMap record;
    std::memset(&record, kFill, sizeof record);
    return record;
}

const std::uint8_t* Bytes(const FlashDataMap& record)
{
    return reinterpret_cast<const std::uint8_t*>(&record);
}

// Bytes 1, 2, 3 ... (never kFill) for the sub-records a case copies in.
template <typename Record>
Record Numbered()
{
    Record record;
    auto* bytes = reinterpret_cast<std::uint8_t*>(&record);
    for (std::size_t i = 0; i < sizeof record; ++i)
        bytes[i] = static_cast<std::uint8_t>(i % 200 + 1);
    return record;
}

template <typename Record>
void ExpectCopy(QMap<int, int>& writes, int offset, const Record& record)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&record);
    for (std::size_t i = 0; i < sizeof record; ++i)
        writes[offset + int(i)] = bytes[i];
}

const DpiLevelEntry kEntryA{1, 2, 3, 4, 5, 6};
const DpiLevelEntry kEntryB{7, 8, 9, 10, 11, 12};
const ButtonFunction kKeySequence{5, 0, 0};
const ButtonFunction kMacro{6, 0, 3};
const KeyEventRecord kEvents = Numbered<KeyEventRecord>();
const MacroBlock kBlock = Numbered<MacroBlock>();

QVector<SenderCase> SenderCases()
{
    QVector<SenderCase> cases{
        {"SendReportRate keeps the low byte", [] { return SendReportRate(0x140); }, {{0, 0x40}}},
        {"SendDPILevelCount", [] { return SendDPILevelCount(7); }, {{1, 7}}},
        {"SendCurrentDPILevel", [] { return SendCurrentDPILevel(3); }, {{2, 3}}},
        {"SendFlashByte3", [] { return SendFlashByte3(-1); }, {{3, 0xFF}}},
        {"SendFlashByte4", [] { return SendFlashByte4(9); }, {{4, 9}}},
        {"SendLOD", [] { return SendLOD(3); }, {{5, 3}}},
        {"SendDebounceTime", [] { return SendDebounceTime(19); }, {{6, 19}}},
        {"SendMotionSync", [] { return SendMotionSync(0); }, {{7, 0}}},
        {"SendStopCloseTime", [] { return SendStopCloseTime(240); }, {{8, 240}}},
        {"SendStraightLine", [] { return SendStraightLine(1); }, {{9, 1}}},
        {"SendRippeControl", [] { return SendRippeControl(1); }, {{10, 1}}},
        {"SendLampRippeControl", [] { return SendLampRippeControl(0); }, {{11, 0}}},
        {"SendPerformance", [] { return SendPerformance(1); }, {{12, 1}}},
        {"SendPerformanceOpen", [] { return SendPerformanceOpen(90); }, {{13, 90}}},
        {"SendSensorMode", [] { return SendSensorMode(1); }, {{14, 1}}},
        {"SendDPILevelValue level 7", [] { return SendDPILevelValue(7, 0x12F, 0x30, 0x66); },
         {{57, 0x2F}, {58, 0x30}, {59, 0x66}}},
        {"SendDPILevelColor level 0", [] { return SendDPILevelColor(0, 255, 128, 0); },
         {{18, 255}, {19, 128}, {20, 0}}},
        {"SendDPILevelColor level 7", [] { return SendDPILevelColor(7, 1, 2, 0x103); },
         {{60, 1}, {61, 2}, {62, 3}}},
        {"SendDPILedMode on", [] { return SendDPILedMode(2); }, {{63, 2}, {66, 1}}},
        {"SendDPILedMode off", [] { return SendDPILedMode(0); }, {{66, 0}}},
        {"SendDPILedBrightness", [] { return SendDPILedBrightness(255); }, {{64, 255}}},
        {"SendDPILedSpeed", [] { return SendDPILedSpeed(5); }, {{65, 5}}},
        {"SendLightBarMode on", [] { return SendLightBarMode(4); }, {{67, 4}, {73, 1}}},
        {"SendLightBarMode off", [] { return SendLightBarMode(0); }, {{73, 0}}},
        {"SendLightBarColor", [] { return SendLightBarColor(1, 2, 3); }, {{68, 1}, {69, 2}, {70, 3}}},
        {"SendLightBarSpeed", [] { return SendLightBarSpeed(0); }, {{71, 0}}},
        {"SendLightBarBrightness", [] { return SendLightBarBrightness(9); }, {{72, 9}}},
        {"SendButtonFunction key 15", [] { return SendButtonFunction(15, 10, 0x31F, 0); },
         {{119, 10}, {120, 0x1F}, {121, 0}}},
    };

    SenderCase pair{"SendDPILevelPair", [] { return SendDPILevelPair(&kEntryA, &kEntryB, 1, 4, 4); },
                    {{2, 4}, {1, 5}}};
    ExpectCopy(pair.writes, 15 + 6 * 4, kEntryA);
    ExpectCopy(pair.writes, 15 + 6 * 1, kEntryB);
    cases.append(pair);

    SenderCase keyEvents{"SendButtonKeyEvents key 5",
                         [] { return SendButtonKeyEvents(5, &kKeySequence, &kEvents); }, {}};
    ExpectCopy(keyEvents.writes, 89, kKeySequence);
    ExpectCopy(keyEvents.writes, 384, kEvents);
    cases.append(keyEvents);

    SenderCase macro{"SendButtonMacro key 15", [] { return SendButtonMacro(15, &kMacro, &kBlock); }, {}};
    ExpectCopy(macro.writes, 119, kMacro);
    ExpectCopy(macro.writes, 9836, kBlock);
    cases.append(macro);
    return cases;
}

QStringList Journal()
{
    QStringList lines;
    char line[512];
    for (int i = 0; i < SimCtl_JournalCount(); ++i) {
        SimCtl_JournalLine(i, line, sizeof line);
        lines << QString::fromUtf8(line);
    }
    return lines;
}

int JournalCount(const QString& call)
{
    int count = 0;
    for (const QString& line : Journal())
        count += line.startsWith(call) ? 1 : 0;
    return count;
}

void IgnoreReports(unsigned char*, int, unsigned char*, int) {}

} // namespace

class TestSenders : public QObject
{
    Q_OBJECT

    QTemporaryDir m_state;
    QByteArray m_onlinePath;
    QScopedPointer<QSignalSpy> m_offline;

    void UseDevice(const QByteArray& path)
    {
        g_DevicePathC.Set(path);
        g_FlashData.Set(FilledRecord());
        SimCtl_JournalClear();
        m_offline->clear();
    }

private slots:
    void initTestCase()
    {
        SimCtl_SetPersistence(m_state.path().toUtf8().constData());
        QVERIFY(SimCtl_LoadScenario("default"));
        m_onlinePath = SimCtl_PathOf("mouseB");
        QVERIFY(!m_onlinePath.isEmpty());
        UsbServerC_Start(m_onlinePath.constData(), m_onlinePath.constData(), IgnoreReports);
        m_offline.reset(new QSignalSpy(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int))));
    }

    void cleanupTestCase()
    {
        UsbServer_Exit();
    }

    void cleanup()
    {
        g_ButtonPageLoading = false;
        g_SensorPageLoading = false;
    }

    void onlineWritesExactlyItsBytes_data()
    {
        QTest::addColumn<int>("index");
        const QVector<SenderCase> cases = SenderCases();
        for (int i = 0; i < cases.size(); ++i)
            QTest::newRow(cases[i].name) << i;
    }

    void onlineWritesExactlyItsBytes()
    {
        QFETCH(int, index);
        const SenderCase sender = SenderCases().at(index);
        UseDevice(m_onlinePath);

        QVERIFY(sender.send());

        const FlashDataMap after = g_FlashData.Snapshot();
        for (int i = 0; i < int(sizeof after); ++i) {
            const int expected = sender.writes.value(i, kFill);
            if (Bytes(after)[i] != expected)
                QFAIL(qPrintable(QString("byte %1 is %2, expected %3").arg(i).arg(Bytes(after)[i]).arg(expected)));
        }
        QCOMPARE(JournalCount("ProtocolDataUpdate"), 1);
        QCOMPARE(m_offline->count(), 0);

        // The device holds the record as sent (its macro area is normalised
        // by the device, so only the bytes before it are compared).
        FlashDataMap device{};
        QVERIFY(SimCtl_GetRecord("mouseB", 0, reinterpret_cast<unsigned char*>(&device)));
        QVERIFY(std::memcmp(&device, &after, offsetof(FlashDataMap, Macros)) == 0);
    }

    void offlineWritesNothingAndNotifiesOnce()
    {
        for (const SenderCase& sender : SenderCases()) {
            UseDevice("a");
            QVERIFY2(!sender.send(), sender.name);
            QVERIFY2(g_FlashData.Snapshot() == FilledRecord(), sender.name);
            QCOMPARE(JournalCount("ProtocolDataUpdate"), 0);
            QCOMPARE(m_offline->count(), 1);
            QCOMPARE(m_offline->at(0).at(0).toInt(), 0);
        }
        UseDevice("a");
        QVERIFY(!CheckDeviceOnline());
        QCOMPARE(m_offline->count(), 1);
        QCOMPARE(JournalCount("ProtocolDataUpdate"), 0);
    }

    void offlineIsSilentWhileAPageLoads_data()
    {
        QTest::addColumn<bool>("buttonPage");
        QTest::addColumn<bool>("sensorPage");
        QTest::newRow("button page") << true << false;
        QTest::newRow("sensor page") << false << true;
        QTest::newRow("both") << true << true;
    }

    void offlineIsSilentWhileAPageLoads()
    {
        QFETCH(bool, buttonPage);
        QFETCH(bool, sensorPage);
        g_ButtonPageLoading = buttonPage;
        g_SensorPageLoading = sensorPage;
        UseDevice("a");
        QVERIFY(!SendReportRate(1));
        QVERIFY(!CheckDeviceOnline());
        QCOMPARE(m_offline->count(), 0);
        QVERIFY(g_FlashData.Snapshot() == FilledRecord());
    }

    void checkDeviceOnlineWritesNothing()
    {
        UseDevice(m_onlinePath);
        QVERIFY(CheckDeviceOnline());
        QVERIFY(g_FlashData.Snapshot() == FilledRecord());
        QCOMPARE(JournalCount("UsbFinderC_GetDeviceOnLine"), 1);
        QCOMPARE(JournalCount("ProtocolDataUpdate"), 0);
        QCOMPARE(m_offline->count(), 0);
    }

    void indexOutsideTheRecordWritesNothing_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("button key 16") << 0;
        QTest::newRow("button key -1") << 1;
        QTest::newRow("key events key 16") << 2;
        QTest::newRow("macro key 16") << 3;
        QTest::newRow("level value 8") << 4;
        QTest::newRow("level colour -1") << 5;
        QTest::newRow("pair slot a 8") << 6;
        QTest::newRow("pair slot b -1") << 7;
        QTest::newRow("missing key events") << 8;
    }

    void indexOutsideTheRecordWritesNothing()
    {
        QFETCH(int, index);
        const std::function<bool()> calls[] = {
            [] { return SendButtonFunction(16, 1, 1, 0); },
            [] { return SendButtonFunction(-1, 1, 1, 0); },
            [] { return SendButtonKeyEvents(16, &kKeySequence, &kEvents); },
            [] { return SendButtonMacro(16, &kMacro, &kBlock); },
            [] { return SendDPILevelValue(8, 1, 1, 0); },
            [] { return SendDPILevelColor(-1, 1, 1, 1); },
            [] { return SendDPILevelPair(&kEntryA, &kEntryB, 0, 8, 0); },
            [] { return SendDPILevelPair(&kEntryA, &kEntryB, -1, 0, 0); },
            [] { return SendButtonKeyEvents(0, &kKeySequence, nullptr); },
        };
        UseDevice(m_onlinePath);
        QVERIFY(!calls[index]());
        QVERIFY(g_FlashData.Snapshot() == FilledRecord());
        QVERIFY(Journal().isEmpty());
        QCOMPARE(m_offline->count(), 0);
    }

    void dpiLedOffKeepsTheEffect()
    {
        UseDevice(m_onlinePath);
        const auto led = [] {
            const FlashDataMap record = g_FlashData.Snapshot();
            return qMakePair(int(record.DpiLedEffect), int(record.DpiLedOn));
        };
        QVERIFY(SendDPILedMode(2));
        QCOMPARE(led(), qMakePair(2, 1));
        QVERIFY(SendDPILedMode(0));
        QCOMPARE(led(), qMakePair(2, 0));
        QVERIFY(SendDPILedMode(1));
        QCOMPARE(led(), qMakePair(1, 1));
    }

    void levelPairIntoOneSlotLeavesEntryB()
    {
        UseDevice(m_onlinePath);
        QVERIFY(SendDPILevelPair(&kEntryA, &kEntryB, 3, 3, 3));
        const FlashDataMap record = g_FlashData.Snapshot();
        QVERIFY(std::memcmp(&record.DpiLevels[3], &kEntryB, sizeof kEntryB) == 0);
        QCOMPARE(int(record.CurrentDpiLevel), 3);
        QCOMPARE(int(record.DpiLevelCount), 4);
    }

    // While the device's configuration is read again, what would send the
    // record held sends nothing and says why: that the mouse is being read
    // when it answers, that it is offline when it does not (it fell asleep
    // before its re-read came), never "in a moment" for a mouse that sleeps.
    void refusalWhileReadAgainSaysWhy_data()
    {
        QTest::addColumn<bool>("answers");
        QTest::newRow("device answers") << true;
        QTest::newRow("device asleep") << false;
    }

    void refusalWhileReadAgainSaysWhy()
    {
        QFETCH(bool, answers);
        UseDevice(answers ? m_onlinePath : QByteArray("a"));
        QSignalSpy beingRead(PostMsg::GetInstance(), SIGNAL(SigDeviceBeingRead()));
        g_ReadBackOutstanding = true;
        SendFlashData();
        const bool sent = SendReportRate(1);
        g_ReadBackOutstanding = false;
        QVERIFY(!sent);
        QCOMPARE(JournalCount("ProtocolDataUpdate"), 0);
        QVERIFY(g_FlashData.Snapshot() == FilledRecord());
        QCOMPARE(beingRead.count(), answers ? 2 : 0);
        QCOMPARE(m_offline->count(), answers ? 0 : 2);
    }

    void sendFlashDataSkipsTheOnlineTest()
    {
        UseDevice("a");
        SendFlashData();
        QCOMPARE(JournalCount("ProtocolDataUpdate"), 1);
        QCOMPARE(JournalCount("UsbFinderC_GetDeviceOnLine"), 0);
        QCOMPARE(m_offline->count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSenders)
#include "tst_senders.moc"
