#include "MacroTestKit.h"

#include "common/SimDeviceFixture.h"
#include "core/PostMsg.h"
#include "device/DeviceState.h"
#include "core/Timing.h"
#include "device/KeyCodes.h"
#include "pages/buttons/ButtonMacroFiles.h"
#include "platform/UserDataFolder.h"

#include <QSignalSpy>
#include <QTest>

#include <cstring>

namespace {

void IgnoreReports(unsigned char*, int, unsigned char*, int) {}

QByteArray EventBytes(const MacroBlock& block, int i)
{
    return QByteArray(reinterpret_cast<const char*>(&block.Events[i]), sizeof(DeviceEvent));
}

MacroBlock DeviceBlock(const QByteArray& name, const QList<DeviceEvent>& events)
{
    MacroBlock block{};
    std::memcpy(block.Name, name.constData(), static_cast<size_t>(name.size()));
    block.NameLength = static_cast<std::uint8_t>(name.size());
    block.EventCount = static_cast<std::uint8_t>(events.size());
    for (int i = 0; i < events.size() && i < MacroEventsPerBlock; ++i)
        block.Events[i] = events.at(i);
    return block;
}

} // namespace

class TestMacroDevice : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_Folder = FreshMacroFolder(); }
    void cleanup() { g_SendEnabled = false; }

    void blockFromRows_data();
    void blockFromRows();
    void blockNameIsCutToItsField();
    void blockNamesEndOnCharacters();
    void downloadSendsTheRowsAsSaved();
    void refusedDownloadLeavesTheSaveToMake_data();
    void refusedDownloadLeavesTheSaveToMake();
    void downloadsThatAreIgnored_data();
    void downloadsThatAreIgnored();
    void deviceMacroOfAListedName();
    void deviceMacroOfANewName();
    void deviceMacroNamesThatCannotBeFiles();
    void deviceNameCutFromALongerNameWritesNoFile();

private:
    QString m_Folder;
};

void TestMacroDevice::blockFromRows_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("count");
    QTest::addColumn<QByteArray>("event0");
    QTest::addColumn<QByteArray>("event1");
    const QByteArray zero(8, '\0');
    QTest::newRow("press, delay, release") << QStringList({"A+", "30ms", "A-"}) << 2
                                           << QByteArray("\0\1\4\0\x1e\0\0\0", 8) << QByteArray("\1\1\4\0\0\0\0\0", 8);
    QTest::newRow("empty") << QStringList() << 0 << zero << zero;
    QTest::newRow("ends with a delay") << QStringList({"LCtrl+", "7ms"}) << 1
                                       << QByteArray("\0\0\1\0\7\0\0\0", 8) << zero;
    QTest::newRow("two events in a row") << QStringList({"C+", "C-"}) << 2
                                         << QByteArray("\0\1\6\0\0\0\0\0", 8) << QByteArray("\1\1\6\0\0\0\0\0", 8);
    QTest::newRow("delays in a row, and one first") << QStringList({"5ms", "A+", "10ms", "20ms", "A-"}) << 2
                                                    << QByteArray("\0\1\4\0\x1e\0\0\0", 8)
                                                    << QByteArray("\1\1\4\0\0\0\0\0", 8);
    QTest::newRow("unknown name, no number") << QStringList({"Nothing-", "soon ms", "B+"}) << 2
                                             << QByteArray("\1\1\0\0\0\0\0\0", 8) << QByteArray("\0\1\5\0\0\0\0\0", 8);
}

void TestMacroDevice::blockFromRows()
{
    QFETCH(QStringList, rows);
    QFETCH(int, count);
    QFETCH(QByteArray, event0);
    QFETCH(QByteArray, event1);
    QListWidget list;
    SetShortRows(&list, rows);
    const MacroBlock block = BuildMacroBlock("Fire", RowsOf(&list));
    QCOMPARE(int(block.NameLength), 4);
    QCOMPARE(QByteArray(block.Name, 5), QByteArray("Fire\0", 5));
    QCOMPARE(int(block.EventCount), count);
    QCOMPARE(EventBytes(block, 0), event0);
    QCOMPARE(EventBytes(block, 1), event1);
}

void TestMacroDevice::blockNameIsCutToItsField()
{
    QListWidget list;
    QStringList rows;
    for (int i = 0; i < 80; ++i)
        rows << "A+" << "5ms";
    SetShortRows(&list, rows);
    const MacroBlock block = BuildMacroBlock(QString(40, 'x'), RowsOf(&list));
    QCOMPARE(int(block.NameLength), MacroNameBytes);
    QCOMPARE(QByteArray(block.Name, MacroNameBytes), QByteArray(MacroNameBytes, 'x'));
    QCOMPARE(int(block.EventCount), MacroEventsPerBlock);
    QCOMPARE(block.Events[MacroEventsPerBlock - 1].DelayMs, 5u);
}

// The button page asks for the block a while after a save, while the user
// may have picked another macro: the device gets what was saved.
void TestMacroDevice::downloadSendsTheRowsAsSaved()
{
    SimDeviceFixture devices;
    const QByteArray path = SimCtl_PathOf("mouseB");
    UsbServerC_Start(path.constData(), path.constData(), IgnoreReports);
    g_DevicePathC.Set(path);
    FlashDataMap record{};
    record.Buttons[2] = {6, 1, 255};
    record.Macros[2].EventCount = 9;
    g_FlashData.Set(record);
    g_SendEnabled = true;
    Timings timings;
    timings.macroFileRewriteMs = 1;
    ScopedTimings fast(timings);

    MacroPageFixture page;
    page.listWidgetHong->addItems({"Fire", "Other"});
    page.Select("Fire");
    SetShortRows(page.listWidgetKey, {"A+", "30ms", "A-"});
    const QList<MacroRow> saved = RowsOf(page.listWidgetKey);
    page.context.EventsChanged = true;
    page.editor.Save();
    page.Select("Other");
    SetShortRows(page.listWidgetKey, {"Z+"});
    page.transfer.SlotMacroDownLoadData(QString("Fire") + QChar(0) + QChar(0), 2);

    const FlashDataMap sent = g_FlashData.Snapshot();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&sent.Buttons[2]), 3), QByteArray("\6\1\xff", 3));
    const MacroBlock expected = BuildMacroBlock("Fire", saved);
    QCOMPARE(std::memcmp(&sent.Macros[2], &expected, sizeof expected), 0);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(SimDeviceFixture::Record("mouseB").constData()) + 956 + 2 * 592, 5),
             QByteArray("\4Fire", 5));
}

// A saved macro the device does not take (asleep, or read again after a
// profile change) is not written anywhere; the user hears why, and Save stays
// active so that saving again sends it.
void TestMacroDevice::refusedDownloadLeavesTheSaveToMake_data()
{
    QTest::addColumn<bool>("reading");
    QTest::newRow("device asleep") << false;
    QTest::newRow("device read again") << true;
}

void TestMacroDevice::refusedDownloadLeavesTheSaveToMake()
{
    QFETCH(bool, reading);
    SimDeviceFixture devices;
    const QByteArray path = SimCtl_PathOf("mouseB");
    UsbServerC_Start(path.constData(), path.constData(), IgnoreReports);
    g_DevicePathC.Set(reading ? path : QByteArray("simhid://nowhere"));
    g_ReadBackOutstanding = reading;
    g_FlashData.Set(FlashDataMap{});
    g_SendEnabled = true;
    Timings timings;
    timings.macroFileRewriteMs = 1;
    ScopedTimings fast(timings);
    PostMsg* hub = PostMsg::GetInstance();
    QSignalSpy told(hub, reading ? SIGNAL(SigDeviceBeingRead()) : SIGNAL(SigMouseOffLineo(int)));
    QSignalSpy saves(hub, SIGNAL(SigUpDataMacro(QString,int)));

    MacroPageFixture page;
    page.listWidgetHong->addItem("Fire");
    page.Select("Fire");
    SetShortRows(page.listWidgetKey, {"A+", "30ms", "A-"});
    page.context.EventsChanged = true;
    page.editor.Save();
    QVERIFY(!page.Save->isEnabled());
    page.transfer.SlotMacroDownLoadData("Fire", 2);
    g_ReadBackOutstanding = false;

    QCOMPARE(told.count(), 1);
    QVERIFY(g_FlashData.Snapshot() == FlashDataMap{});
    QCOMPARE(SimDeviceFixture::JournalCount("ProtocolDataUpdate("), 0);
    QVERIFY(page.Save->isEnabled());
    page.editor.Save();
    QCOMPARE(saves.count(), 2);
}

void TestMacroDevice::downloadsThatAreIgnored_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("sendEnabled");
    QTest::addColumn<int>("button");
    QTest::newRow("another macro's name") << "fire" << true << 2;
    QTest::newRow("a macro shown but not saved") << "Other" << true << 2;
    QTest::newRow("sending disabled") << "Fire" << false << 2;
    QTest::newRow("no such button") << "Fire" << true << ButtonCount;
    QTest::newRow("negative button") << "Fire" << true << -1;
}

void TestMacroDevice::downloadsThatAreIgnored()
{
    QFETCH(QString, name);
    QFETCH(bool, sendEnabled);
    QFETCH(int, button);
    g_FlashData.Set(FlashDataMap{});
    g_SendEnabled = sendEnabled;
    MacroPageFixture page;
    page.listWidgetHong->addItems({"Fire", "Other"});
    page.context.SavedRows.insert("Fire", {MacroRow{"A", RowKind::Press}});
    page.Select("Other");
    SetShortRows(page.listWidgetKey, {"A+"});
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    page.transfer.SlotMacroDownLoadData(name, button);
    QVERIFY(offline.isEmpty());
    QVERIFY(g_FlashData.Snapshot() == FlashDataMap{});
}

void TestMacroDevice::deviceMacroOfAListedName()
{
    WriteBytes(m_Folder + "/Fire.ini", "254\n");
    WriteBytes(m_Folder + "/Other.ini", "1\n");
    FlashDataMap record{};
    record.Macros[5] = DeviceBlock("Fire", {{0, 1, 0x04, 10}, {0, 1, 0x05, 20}, {1, 1, 0x04, 0}});
    MacroPageFixture page;
    page.Select("Other");
    SetShortRows(page.listWidgetKey, {"Z+"});
    QSignalSpy rebuilds(PostMsg::GetInstance(), SIGNAL(SigAddMacroButton()));
    page.transfer.SlotButtonToMacro(record, 5);

    QCOMPARE(FileBytes(m_Folder + "/Fire.ini"), QByteArray("254\n0x04 1 0\n10ms\n0x05 1 0\n20ms\n0x04 1 1\n"));
    QCOMPARE(FileBytes(m_Folder + "/Other.ini"), QByteArray("1\n"));
    QCOMPARE(page.context.MacroNames(), QStringList({"Fire", "Other"}));
    QCOMPARE(page.listWidgetHong->currentRow(), -1);
    QCOMPARE(page.listWidgetKey->count(), 0);
    QCOMPARE(rebuilds.size(), 1);
}

void TestMacroDevice::deviceMacroOfANewName()
{
    g_MouseButtonNameLeft = "Left";
    for (const char* name : {"a", "b", "c"})
        WriteBytes(m_Folder + "/" + name + ".ini", "1\n");
    WriteBytes(m_Folder + "/Burst.ini", "3\n"); // written by the button page, not yet listed
    FlashDataMap record{};
    record.Macros[0] = DeviceBlock("Burst", {{0, 4, 0x01, 15}, {1, 4, 0x01, 0}});
    MacroPageFixture page;
    delete page.listWidgetHong->takeItem(2); // the page listed the folder before the file came
    page.listWidgetHong->setCurrentRow(1);
    page.transfer.SlotButtonToMacro(record, 0);

    QCOMPARE(page.context.MacroNames(), QStringList({"a", "b", "Burst", "c"}));
    QCOMPARE(FileBytes(m_Folder + "/Burst.ini"), QByteArray("3\n0x01 4 0\n15ms\n0x01 4 1\n"));

    // An empty block adds nothing to the file.
    record.Macros[0] = DeviceBlock("Burst", {});
    page.transfer.SlotButtonToMacro(record, 0);
    QCOMPARE(FileBytes(m_Folder + "/Burst.ini"), QByteArray("3\n0x01 4 0\n15ms\n0x01 4 1\n"));
}

void TestMacroDevice::deviceMacroNamesThatCannotBeFiles()
{
    WriteBytes(UserDataFolder() + "/usersetting/victim.ini", "keep\n");
    MacroPageFixture page;
    QSignalSpy rebuilds(PostMsg::GetInstance(), SIGNAL(SigAddMacroButton()));
    for (const QByteArray& name : {QByteArray("../victim"), QByteArray()}) {
        FlashDataMap record{};
        record.Macros[1] = DeviceBlock(name, {{0, 1, 0x04, 0}});
        page.transfer.SlotButtonToMacro(record, 1);
    }
    QCOMPARE(FileBytes(UserDataFolder() + "/usersetting/victim.ini"), QByteArray("keep\n"));
    QVERIFY(page.context.MacroNames().isEmpty());
    QCOMPARE(rebuilds.size(), 2);
}

// A name longer than the device's field (left from older versions) comes
// back cut; when another macro bears the cut name, the device's block may be
// the long one's and must not replace that macro's file.
void TestMacroDevice::deviceNameCutFromALongerNameWritesNoFile()
{
    const QString longName = "abcdefghijklmnopqrstuvwxyz0123456789";
    const QString cutName = longName.left(MacroNameBytes);
    WriteBytes(m_Folder + "/" + cutName + ".ini", "2\n0x05 1 0\n");
    FlashDataMap record{};
    record.Macros[3] = DeviceBlock(cutName.toLatin1(), {{0, 1, 0x06, 0}});
    MacroPageFixture page;
    // Copied in while the page runs: both pages look at the folder itself.
    WriteBytes(m_Folder + "/" + longName + ".ini", "1\n0x04 1 0\n");
    page.transfer.SlotButtonToMacro(record, 3);
    QCOMPARE(FileBytes(m_Folder + "/" + cutName + ".ini"), QByteArray("2\n0x05 1 0\n"));
    QCOMPARE(FileBytes(m_Folder + "/" + longName + ".ini"), QByteArray("1\n0x04 1 0\n"));
    QCOMPARE(WriteMacroLoopFile(cutName, "5"), false);
    QCOMPARE(FileBytes(m_Folder + "/" + cutName + ".ini"), QByteArray("2\n0x05 1 0\n"));

    // Without the longer name the device's name is the macro's own.
    QFile::remove(m_Folder + "/" + longName + ".ini");
    QVERIFY(WriteMacroLoopFile(cutName, "5"));
    MacroPageFixture alone;
    alone.transfer.SlotButtonToMacro(record, 3);
    QCOMPARE(FileBytes(m_Folder + "/" + cutName + ".ini"), QByteArray("5\n0x06 1 0\n"));
}

// Names are cut between characters: a block never ends inside a character.
void TestMacroDevice::blockNamesEndOnCharacters()
{
    const QString name = QString(14, 'a') + QString(9, QChar(0x017C)); // 14 + 18 bytes
    QListWidget list;
    const MacroBlock block = BuildMacroBlock(name, RowsOf(&list));
    QCOMPARE(int(block.NameLength), 14 + 16);
    QCOMPARE(QString::fromLocal8Bit(block.Name, block.NameLength), name.left(14 + 8));
    MacroBlock renamed{};
    SetMacroBlockName(&renamed, name);
    QCOMPARE(QByteArray(renamed.Name, MacroNameBytes), QByteArray(block.Name, MacroNameBytes));
}

QTEST_MAIN(TestMacroDevice)
#include "tst_macrodevice.moc"
