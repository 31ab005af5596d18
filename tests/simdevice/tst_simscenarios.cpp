#include "common/ChildProcess.h"
#include "common/FifoWatchdog.h"
#include "common/SimDeviceFixture.h"
#include "platform/UserDataFolder.h"

#include <QtTest>

#include <cstdlib>
#include <sys/stat.h>

namespace {

const QStringList kProductIds = {"5001", "5002", "5101", "5102", "5104", "5108"};

int DevicesOnTheBus()
{
    int total = 0;
    for (const QString& pid : kProductIds) {
        int count = 5;
        UsbFinderC_FindHidDevicesByDefaultDeviceId("2F1E", pid.toLatin1().constData(), &count);
        total += count;
    }
    return total;
}

QString WriteFile(const QString& folder, const QString& name, const QByteArray& content)
{
    const QString path = folder + "/" + name;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    return path;
}

// Run in a child process with a per-user folder of its own: changes the
// settings of mouseB and puts the receiver into boot mode, then leaves as the
// tray's exit does, without closing anything.
int ChangeStateAndExit(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    SimCtl_LoadScenario("default");
    UsbServerC_Start(SimCtl_PathOf("mouseB"), SimCtl_PathOf("mouseB"), nullptr);
    QByteArray record = SimDeviceFixture::Record("mouseB");
    record[5] = 3;
    record[122] = char(0x5A);
    ProtocolDataUpdate(reinterpret_cast<const FlashDataMap*>(record.constData()));
    SimCtl_SetBootMode("rx4k", 1);
    std::exit(0);
}

}

class SimScenariosTest : public QObject {
    Q_OBJECT

private slots:
    void builtInScenarios_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<int>("onTheBus");
        QTest::newRow("default") << "default" << 2;
        QTest::newRow("wireless") << "wireless" << 4;
        QTest::newRow("cable-and-receiver") << "cable-and-receiver" << 2;
        QTest::newRow("unpaired") << "unpaired" << 1;
        QTest::newRow("asleep") << "asleep" << 1;
        QTest::newRow("boot-receiver") << "boot-receiver" << 1;
        QTest::newRow("boot-mouse") << "boot-mouse" << 1;
        QTest::newRow("duplicate") << "duplicate" << 2;
        QTest::newRow("unknown") << "unknown" << 2;
        QTest::newRow("empty") << "empty" << 0;
    }

    void builtInScenarios()
    {
        QFETCH(QString, scenario);
        QFETCH(int, onTheBus);
        SimDeviceFixture sim;
        QCOMPARE(SimCtl_LoadScenario(scenario.toLatin1().constData()), 1);
        QCOMPARE(DevicesOnTheBus(), onTheBus);
    }

    void scenarioFromAFile()
    {
        SimDeviceFixture sim;
        const QString path = WriteFile(sim.StateFolder(), "mine.json", R"({
            "name": "mine", "devices": [
              {"id": "rx", "type": "receiver", "class": 8, "rxid": "0A0B0C", "fw": "0x0203", "paired": "m"},
              {"id": "m", "type": "mouse", "cid": 18, "mid": 4, "fw": 512, "battery": 33}]})");
        QCOMPARE(SimCtl_LoadScenario(path.toLocal8Bit().constData()), 1);

        QCOMPARE(QString(SimCtl_PathOf("rx")), QString("simhid://2f1e/5108/rx"));
        QVERIFY(UsbFinderC_GetDeviceOnLine(SimCtl_PathOf("rx")));
        const UsbDeviceInfo info = UsbFinderC_GetDeviceInfo(SimCtl_PathOf("rx"));
        QCOMPARE(info.identity, 0x0412);
        QCOMPARE(info.kind, 5);
        QCOMPARE(SimDeviceFixture::Value("m", "fw"), QString("512"));
    }

    void screenDeviceEchoesAValidClockPacket()
    {
        SimDeviceFixture sim;
        const QString path = WriteFile(sim.StateFolder(), "screen.json", R"({"devices": [
            {"id": "s", "type": "mouse", "model": "Drive1", "cable": true, "screen": true}]})");
        QCOMPARE(SimCtl_LoadScenario(path.toLocal8Bit().constData()), 1);
        QVERIFY(UsbFinderC_OpenDevice(SimCtl_PathOf("s")));
        unsigned char request[40] = {0x0A, 0x00, 0x10, 0x07, 0xEA, 0x0C, 0x08, 0x12, 0x1E, 0x05, 0x02};
        unsigned sum = 0;
        for (int i = 0; i < 39; ++i)
            sum += request[i];
        request[39] = uchar(0x55 - sum);
        unsigned char answer[40];

        QVERIFY(UsbFinderC_ReadWriteDeviceData(request, answer, 40));
        QCOMPARE(QByteArray(reinterpret_cast<char*>(answer), 40), QByteArray(reinterpret_cast<char*>(request), 40));
        request[39] ^= 1;
        QVERIFY(UsbFinderC_ReadWriteDeviceData(request, answer, 40));
        QCOMPARE(QByteArray(reinterpret_cast<char*>(answer), 40), QByteArray(40, '\0'));
    }

    void badScenarioFallsBackToDefault_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("not JSON") << QByteArray("{devices: [") << "not a JSON object";
        QTest::newRow("device without id") << QByteArray(R"({"devices": [{"type": "mouse", "model": "Drive1"}]})")
                                           << "every device needs an id";
        QTest::newRow("unknown model") << QByteArray(R"({"devices": [{"id": "m", "type": "mouse", "model": "Drive9"}]})")
                                       << "is not in the device description";
        QTest::newRow("paired with nobody") << QByteArray(R"({"devices": [{"id": "r", "type": "receiver",
                                                          "rxid": "010203", "paired": "ghost"}]})")
                                            << "does not exist";
        QTest::newRow("no such file") << QByteArray() << "neither a built-in scenario nor a readable file";
        // Which "cable" would count is a guess (and Qt's parser loses memory
        // on some such files).
        QTest::newRow("a key given twice")
            << QByteArray(R"({"devices": [{"id": "m", "type": "mouse", "cable": [true], "model": "Drive1", "cable": false}]})")
            << "the key \"cable\" is given twice in one object";
        QTest::newRow("an escaped key given twice")
            << QByteArray(R"({"devices": [], "n\u0061me": "a", "name": "b"})") << "the key \"name\" is given twice";
    }

    void badScenarioFallsBackToDefault()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        SimDeviceFixture sim("empty");
        const QString path = content.isEmpty() ? sim.StateFolder() + "/missing.json"
                                               : WriteFile(sim.StateFolder(), "bad.json", content);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^HIDUsb simulation: .*" + QRegularExpression::escape(message)
                                                + ".*; using the default scenario$"));

        QCOMPARE(SimCtl_LoadScenario(path.toLocal8Bit().constData()), 0);
        QCOMPARE(DevicesOnTheBus(), 2);
    }

    void stateSurvivesANewProcess()
    {
        SimDeviceFixture sim;
        std::unique_ptr<QProcess> child(StartChild({}, sim.StateFolder()));
        QVERIFY(child->waitForFinished(20000));
        QCOMPARE(child->exitCode(), 0);

        SimCtl_SetPersistence((sim.StateFolder() + "/Quorvane/SimDevices").toLocal8Bit().constData());
        SimCtl_LoadScenario("default");
        const QByteArray record = SimDeviceFixture::Record("mouseB");
        QCOMPARE(int(record[5]), 3);
        QCOMPARE(uchar(record[122]), uchar(0x5A));
        QCOMPARE(SimDeviceFixture::Value("rx4k", "boot"), QString("1"));

        SimCtl_LoadScenario("asleep");   // another scenario keeps its own state
        QCOMPARE(SimDeviceFixture::Value("rx4k", "boot"), QString("0"));
    }

    void damagedStateFileIsIgnored_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("cut short") << QByteArray("{\"format\": 7, \"mice\": [");
        QTest::newRow("a key given twice") << QByteArray(R"({"format": "quorvane-simdevices-state-1",
            "mice": {"mouseB": {"images": ["AAAA"], "fw": 1, "images": "x"}}})");
    }

    void damagedStateFileIsIgnored()
    {
        QFETCH(QByteArray, content);
        SimDeviceFixture sim;
        const QByteArray factory = SimDeviceFixture::Record("mouseB");
        WriteFile(sim.StateFolder(), "state-default.json", content);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ignoring the damaged state file"));

        QCOMPARE(SimCtl_LoadScenario("default"), 1);
        QCOMPARE(SimDeviceFixture::Record("mouseB"), factory);
    }

    // A FIFO there would block the library's start for good.
    void stateFileThatIsNoRegularFileIsIgnored()
    {
        SimDeviceFixture sim;
        const QByteArray factory = SimDeviceFixture::Record("mouseB");
        const QString path = sim.StateFolder() + "/state-default.json";
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ignoring the state file .* not a regular file"));

        QVERIFY(!ActionWaitedOnFifo(path, [] { SimCtl_LoadScenario("default"); }));
        QCOMPARE(SimDeviceFixture::Record("mouseB"), factory);
    }

    void commands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("sleep") << "sleep mouseA" << "mouseA" << "awake" << "0";
        QTest::newRow("battery") << "battery mouseA 12 charging" << "mouseA" << "charging" << "1";
        QTest::newRow("cable") << "cable mouseA on" << "mouseA" << "cable" << "1";
        QTest::newRow("unplug") << "unplug rx4k" << "rx4k" << "plugged" << "0";
        QTest::newRow("boot mode") << "bootmode rx4k on" << "rx4k" << "boot" << "1";
        QTest::newRow("press") << "press mouseA profile" << "mouseA" << "active_profile" << "1";
        QTest::newRow("scenario") << "scenario unpaired" << "mouseC" << "awake" << "1";
    }

    void commands()
    {
        QFETCH(QString, command);
        QFETCH(QString, id);
        QFETCH(QString, key);
        QFETCH(QString, value);
        SimDeviceFixture sim;
        QCOMPARE(SimCtl_Command(command.toLatin1().constData()), 1);
        QCOMPARE(SimDeviceFixture::Value(id.toLatin1().constData(), key.toLatin1().constData()), value);
    }

    void badCommandsAreRefused_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("unknown verb") << "fly mouseA";
        QTest::newRow("unknown device") << "sleep nobody";
        QTest::newRow("bad switch") << "cable mouseA maybe";
        QTest::newRow("bad number") << "battery mouseA lots";
        QTest::newRow("bad outcome") << "upgrade-outcome explode";
    }

    void badCommandsAreRefused()
    {
        QFETCH(QString, command);
        SimDeviceFixture sim;
        QTest::ignoreMessage(QtWarningMsg, qPrintable("HIDUsb simulation: command not understood: " + command));
        QCOMPARE(SimCtl_Command(command.toLatin1().constData()), 0);
    }

    void commandFileDrivesTheRunningLibrary()
    {
        SimDeviceFixture sim;
        QFile commands(UserDataFolder() + "/SimDevices/commands.txt");
        QVERIFY(commands.open(QIODevice::Append));
        commands.write("# a person's note\nsleep mouseA\nbattery mouseB 40");
        commands.flush();
        QTRY_COMPARE(SimDeviceFixture::Value("mouseA", "awake"), QString("0"));

        QTest::qWait(700);   // an unfinished line waits for its end
        QCOMPARE(SimDeviceFixture::Value("mouseB", "battery"), QString("100"));
        commands.write("\n");
        commands.flush();
        QTRY_COMPARE(SimDeviceFixture::Value("mouseB", "battery"), QString("40"));
    }
};

QUORVANE_TEST_MAIN_WITH_CHILD(SimScenariosTest, ChangeStateAndExit)

#include "tst_simscenarios.moc"
