// The macro page and the button page together, over the simulated library:
// what a save or an opened device does to the macro files and to the mouse.

#include "MacroTestKit.h"

#include "common/ChildProcess.h"
#include "common/ProgramFiles.h"
#include "common/SimDeviceFixture.h"
#include "core/PostMsg.h"
#include "core/Timing.h"
#include "device/DeviceState.h"
#include "device/KeyCodes.h"
#include "device/Worker.h"
#include "pages/buttons/ButtonMacroFiles.h"
#include "pages/buttons/Buttoninterface.h"
#include "pages/buttons/KeptMacroSaves.h"
#include "pages/macro/Macro.h"
#include "pages/macro/MacroFile.h"
#include "pages/macro/MacroNotice.h"
#include "platform/UserDataFolder.h"

#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <sys/stat.h>

namespace {

void IgnoreReports(unsigned char*, int, unsigned char*, int) {}

const QByteArray kMacroA = "1\n0x04 1 0\n10ms\n0x04 1 1\n";
const QByteArray kMacroB = "1\n0x05 1 0\n10ms\n0x05 1 1\n";
// A with the left click that AddALeftClickToBoundMacroA adds, as saved.
const QByteArray kSavedA = "1\n0x04 1 0\n10ms\n0x04 1 1\n10ms\n0x01 4 0\n10ms\n0x01 4 1\n";
const char* const kSaved = "saved";

// The models of the default scenario's mice, and of the wireless one's.
constexpr std::uint16_t kModelA = 0x0312;
constexpr std::uint16_t kModelB = 0x0413;

// The device the pages show: its model and the receiver identity it reports.
void ShowMouse(std::uint16_t model, const char* receiverHex)
{
    auto device = g_CurrentDevice.Lock();
    *device = DeviceAllInfo{};
    device->Identity = model;
    device->ReceiverId = QByteArray::fromHex(receiverHex);
}

QStringList KeptNames()
{
    QStringList names;
    for (const KeptMacroSave& save : ReadKeptMacroSaves())
        names << save.name;
    return names;
}

} // namespace

int FirstRunChild(int argc, char* argv[]);

class TestMacroButtons : public QObject
{
    Q_OBJECT
    friend int FirstRunChild(int argc, char* argv[]);

private slots:
    void initTestCase()
    {
        FreshMacroFolder();
        QVERIFY(CopyShippedFiles("Picture/Buttoninterface"));
        WriteConfigIni("[Option]\nButtonColor=200,200,200\n[Drive1]\nSensor=3395\nKeyNumber=6\n");
        g_SendEnabled = true;
    }

    void init()
    {
        m_Folder = FreshMacroFolder();
        WriteBytes(m_Folder + "/A.ini", kMacroA);
        WriteBytes(m_Folder + "/B.ini", kMacroB);
        m_Sim = std::make_unique<SimDeviceFixture>();
        m_MouseId = "mouseB";
        const QByteArray path = SimCtl_PathOf("mouseB");
        UsbServerC_Start(path.constData(), path.constData(), IgnoreReports);
        g_FlashData.Set(FlashDataMap{});
        m_Buttons = std::make_unique<Buttoninterface>();
        if (g_OnlineCheckTimer)
            g_OnlineCheckTimer->stop();
        g_DevicePathC.Set(path);
        ShowMouse(kModelB, "000000"); // the cabled mouse, never paired
        m_Buttons->SlotUpDataConfigUI(0, 0, false); // what the cabled mouse reports: no profiles
        m_Macro = std::make_unique<Macro>();
        m_Macro->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_Macro.get()));
    }

    void cleanup()
    {
        m_Macro.reset();
        m_Buttons.reset();
        m_Sim.reset();
    }

    // A's download waits its spacing; the user meanwhile picks B, ticks
    // "repeat while held" and saves B. Each save sends its own change: A's
    // rows, B's loop.
    void saveDuringAnotherSavesWaitSendsItsOwnLoop()
    {
        ScopedTimings fast(QuickSaves(300));
        AddALeftClickToBoundMacroA();
        Widget<QAbstractButton>("Save")->click();
        ClickMacro("B");
        Widget<QAbstractButton>("ReUntilLoose")->click();
        QVERIFY(Widget<QAbstractButton>("Save")->isEnabled());
        Widget<QAbstractButton>("Save")->click();

        QTRY_COMPARE(int(SimDeviceFixture::FlashRecord("mouseB").Macros[1].EventCount), 4);
        const FlashDataMap device = SimDeviceFixture::FlashRecord("mouseB");
        QCOMPARE(int(device.Buttons[1].Param2), 1);
        QCOMPARE(int(device.Buttons[2].Param2), kLoopWhileHeld);
        QCOMPARE(int(device.Macros[2].EventCount), 2);
        QVERIFY(FileBytes(m_Folder + "/B.ini").startsWith("254\n"));
    }

    void savedEditSurvivesLeavingInsideTheWait_data()
    {
        QTest::addColumn<QString>("renamedTo"); // empty: not renamed
        QTest::addColumn<bool>("readAgain");    // the device's record fills the page inside the wait
        QTest::addColumn<bool>("unplugged");    // the device is away while the pages are left
        QTest::newRow("leave") << QString() << false << false;
        QTest::newRow("rename, then leave") << "delta" << false << false;
        QTest::newRow("read again, then leave") << QString() << true << false;
        QTest::newRow("leave while unplugged, then open again") << QString() << false << true;
        QTest::newRow("rename, leave while unplugged, open again") << "delta" << false << true;
    }

    // A's saved rows reach the device although the pages are left (or the
    // macro renamed, or the device's record shown again) before the
    // download's spacing ends; a device that missed them gets them when it is
    // opened again, and the saved file is never rebuilt from the device's
    // older copy.
    void savedEditSurvivesLeavingInsideTheWait()
    {
        QFETCH(QString, renamedTo);
        QFETCH(bool, readAgain);
        QFETCH(bool, unplugged);
        ScopedTimings slow(QuickSaves(60 * 60 * 1000)); // the spacing never ends by itself here
        AddALeftClickToBoundMacroA();
        Widget<QAbstractButton>("Save")->click();
        const QString name = renamedTo.isEmpty() ? QString("A") : renamedTo;
        if (!renamedTo.isEmpty()) {
            DialogScript script{{"NewHong", renamedTo}};
            m_Macro->RenameMacro();
        }
        const QByteArray saved = FileBytes(m_Folder + "/" + name + ".ini");
        QCOMPARE(saved, QByteArray("1\n0x04 1 0\n10ms\n0x04 1 1\n10ms\n0x01 4 0\n10ms\n0x01 4 1\n"));
        if (readAgain) {
            m_Buttons->SlotUpDataButtonUIButton(SimDeviceFixture::FlashRecord("mouseB"));
            QCOMPARE(FileBytes(m_Folder + "/" + name + ".ini"), saved);
        }

        if (unplugged)
            QVERIFY(SimCtl_Plug("mouseB", 0));
        m_Buttons->SendMacrosBeforeLeaving();
        if (unplugged) {
            QVERIFY(SimCtl_Plug("mouseB", 1));
            m_Buttons->SlotDeviceChosen();
            m_Buttons->SlotUpDataConfigUI(0, 0, false);
            m_Buttons->SlotUpDataButtonUIButton(SimDeviceFixture::FlashRecord("mouseB"));
            QCOMPARE(FileBytes(m_Folder + "/" + name + ".ini"), saved);
            m_Buttons->SendMacrosBeforeLeaving();
        }

        const FlashDataMap device = SimDeviceFixture::FlashRecord("mouseB");
        QCOMPARE(MacroBlockName(device.Macros[1]), name);
        QCOMPARE(int(device.Macros[1].EventCount), 4);
        QCOMPARE(int(device.Macros[1].Events[3].Kind), int(EventKindMouseButton));
        m_Buttons->SlotDeviceChosen();
        m_Buttons->SlotUpDataConfigUI(0, 0, false);
        m_Buttons->SlotUpDataButtonUIButton(device);
        QCOMPARE(FileBytes(m_Folder + "/" + name + ".ini"), saved);
        QCOMPARE(m_Macro->findChild<QListWidget*>("listWidgetHong")->findItems("A", Qt::MatchExactly).size(),
                 renamedTo.isEmpty() ? 1 : 0);
    }

    void savedEditWaitsForTheProfileItWasSavedOn_data()
    {
        QTest::addColumn<bool>("secondProfileShowsA"); // the older A is bound to the right key there too
        QTest::newRow("another function on the second profile") << false;
        QTest::newRow("the older A on the second profile") << true;
    }

    // A's rows are saved on the first profile and the mouse changes profile
    // before the download's spacing ends. No profile's older copy of A ever
    // rebuilds the saved file: each profile that shows A gets the saved rows
    // when it is shown, the first one when the mouse comes back to it.
    void savedEditWaitsForTheProfileItWasSavedOn()
    {
        QFETCH(bool, secondProfileShowsA);
        ScopedTimings slow(QuickSaves(60 * 60 * 1000)); // the spacing never ends by itself here
        ServeMouseA();
        AddALeftClickToBoundMacroA();
        if (secondProfileShowsA)
            SimDeviceFixture::SetFlashRecord("mouseA", SimDeviceFixture::FlashRecord("mouseA", 0), 1);
        Widget<QAbstractButton>("Save")->click();
        const QByteArray saved = FileBytes(m_Folder + "/A.ini");
        QCOMPARE(saved, QByteArray("1\n0x04 1 0\n10ms\n0x04 1 1\n10ms\n0x01 4 0\n10ms\n0x01 4 1\n"));

        QVERIFY(SimCtl_Press("mouseA", "profile"));
        ShowProfileOfMouseA(1);
        QCOMPARE(FileBytes(m_Folder + "/A.ini"), saved);
        m_Buttons->SendMacrosBeforeLeaving();
        const FlashDataMap second = SimDeviceFixture::FlashRecord("mouseA", 1);
        QCOMPARE(int(second.Buttons[1].Type), secondProfileShowsA ? 6 : 1);
        QCOMPARE(int(second.Macros[1].EventCount), secondProfileShowsA ? 4 : 0);
        QCOMPARE(int(SimDeviceFixture::FlashRecord("mouseA", 0).Macros[1].EventCount), 2);

        for (int press = 0; press < 3; ++press) // round to the first profile
            QVERIFY(SimCtl_Press("mouseA", "profile"));
        for (int shown = 0; shown < 2; ++shown) {
            m_Buttons->SlotDeviceChosen();
            ShowProfileOfMouseA(0);
            QCOMPARE(FileBytes(m_Folder + "/A.ini"), saved);
            m_Buttons->SendMacrosBeforeLeaving();
        }
        const FlashDataMap first = SimDeviceFixture::FlashRecord("mouseA", 0);
        QCOMPARE(int(first.Macros[1].EventCount), 4);
        QCOMPARE(int(first.Macros[1].Events[3].Kind), int(EventKindMouseButton));
    }

    void savedEditReachesTheDeviceAfterARestart_data()
    {
        QTest::addColumn<QString>("miss");   // why the device did not take the save
        QTest::addColumn<QString>("ending"); // how the program ended inside the download's wait
        QTest::newRow("asleep, then closed") << "asleep" << "close";
        QTest::newRow("unplugged inside the wait, then closed") << "unplugged" << "close";
        QTest::newRow("profile changed inside the wait, then closed") << "profile" << "close";
        QTest::newRow("exit() inside the wait") << QString() << "exit";
        QTest::newRow("killed inside the wait") << QString() << "killed";
    }

    // A save the device did not take, then the end of the program: a child
    // process saves A's edit and ends. A new start over the same per-user
    // folder and device state never rebuilds A's file from the device's
    // older copy; the device gets the saved rows once it is shown, and once
    // every profile has been shown nothing is kept of the save any more.
    void savedEditReachesTheDeviceAfterARestart()
    {
        QFETCH(QString, miss);
        QFETCH(QString, ending);
        m_Macro.reset();
        m_Buttons.reset();
        QTemporaryDir dataHome;
        std::unique_ptr<QProcess> first(
            StartChild({UserDataFolder(), m_Sim->StateFolder(), miss, ending}, dataHome.path()));
        while (!first->canReadLine())
            QVERIFY2(first->waitForReadyRead(60000), qPrintable(first->readAllStandardError()));
        QCOMPARE(QString::fromUtf8(first->readLine()).trimmed(), QString(kSaved));
        if (ending == "killed")
            QCOMPARE(::kill(static_cast<pid_t>(first->processId()), SIGKILL), 0);
        QVERIFY(first->waitForFinished(60000));
        if (ending == "killed") {
            QCOMPARE(first->exitStatus(), QProcess::CrashExit);
        } else {
            QCOMPARE(first->exitStatus(), QProcess::NormalExit);
            QCOMPARE(first->exitCode(), ending == "exit" ? 1 : 0);
        }
        QCOMPARE(FileBytes(m_Folder + "/A.ini"), kSavedA);

        // The device as the first run left it, awake and plugged in again.
        QVERIFY(SimCtl_LoadScenario("default"));
        QCOMPARE(int(SimDeviceFixture::FlashRecord("mouseA", 0).Buttons[1].Type), 6);
        QCOMPARE(int(SimDeviceFixture::FlashRecord("mouseA", 0).Macros[1].EventCount), 2);
        const int active = SimDeviceFixture::Value("mouseA", "active_profile").toInt();
        QCOMPARE(active, miss == "profile" ? 1 : 0);

        ScopedTimings quick(QuickSaves(1));
        StartPages();
        ServeMouseA();
        m_Buttons->SlotDeviceChosen();
        for (int shown = 0; shown < 4; ++shown) {
            const int profile = (active + shown) % 4;
            if (shown > 0)
                QVERIFY(SimCtl_Press("mouseA", "profile"));
            ShowProfileOfMouseA(profile);
            QCOMPARE(FileBytes(m_Folder + "/A.ini"), kSavedA);
            if (profile == 0)
                QTRY_COMPARE(int(SimDeviceFixture::FlashRecord("mouseA", 0).Macros[1].EventCount), 4);
        }
        const FlashDataMap device = SimDeviceFixture::FlashRecord("mouseA", 0);
        QCOMPARE(int(device.Macros[1].Events[3].Kind), int(EventKindMouseButton));
        QCOMPARE(int(device.Buttons[1].Type), 6);
        ClickMacro("A");
        QCOMPARE(Widget<QListWidget>("listWidgetKey")->count(), 7);
        QVERIFY(ReadKeptMacroSaves().isEmpty());

        // Shown again, the device's copy is the save: the file follows it.
        m_Buttons->SlotDeviceChosen();
        ShowProfileOfMouseA(0);
        QCOMPARE(FileBytes(m_Folder + "/A.ini"), kSavedA);
    }

    void keptSaveWithoutItsWholeFileLeavesTheDeviceCopy_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("file removed") << "removed";
        QTest::newRow("file renamed by hand") << "renamed";
        QTest::newRow("file emptied") << "emptied";
        QTest::newRow("file cut inside a row") << "cut";
        QTest::newRow("file cut after a delay") << "cut after a delay";
        QTest::newRow("rows out of turn") << "out of turn";
        QTest::newRow("a FIFO in its place") << "fifo";
        QTest::newRow("a folder in its place") << "folder";
    }

    // A save of an earlier run that the device lacks, whose file is gone or
    // damaged by the next start: the device never gets what is left of it
    // (no empty or cut macro, no loop byte read from nothing) and keeps its
    // copy; a file that is missing or damaged is rebuilt from that copy, and
    // nothing is kept of the save any more.
    void keptSaveWithoutItsWholeFileLeavesTheDeviceCopy()
    {
        QFETCH(QString, damage);
        const QByteArray older = "254\n0x04 1 0\n10ms\n0x04 1 1\n";
        const QString path = m_Folder + "/A.ini";
        WriteBytes(path, older);
        ServeMouseA();
        ShowProfileOfMouseA(0);
        BindAToRightKeyAndBToBackKey();
        const FlashDataMap before = SimDeviceFixture::FlashRecord("mouseA", 0);
        QCOMPARE(int(before.Buttons[1].Param2), kLoopWhileHeld);

        m_Macro.reset();
        m_Buttons.reset();
        QVERIFY(WriteKeptMacroSaves({KeptSaveOfShownMouse("A", {0})}));
        QVERIFY(QFile::remove(path));
        if (damage == "renamed")
            WriteBytes(m_Folder + "/Z.ini", kSavedA);
        else if (damage == "emptied")
            WriteBytes(path, QByteArray());
        else if (damage == "cut")
            WriteBytes(path, kSavedA.left(kSavedA.size() - 4));
        else if (damage == "cut after a delay")
            WriteBytes(path, "1\n0x04 1 0\n25ms\n");
        else if (damage == "out of turn") // the page shows C pressed and released, with nothing between
            WriteBytes(path, "1\nhello there\n0x06 1 0\n999999999999ms\n0x06 1 1\nrm -rf x y\n");
        else if (damage == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (damage == "folder")
            QVERIFY(QDir().mkdir(path));

        ScopedTimings quick(QuickSaves(1));
        StartPages();
        m_Buttons->SlotDeviceChosen();
        ShowProfileOfMouseA(0);
        m_Buttons->SendMacrosBeforeLeaving();
        QCOMPARE(SimDeviceFixture::FlashRecord("mouseA", 0), before);
        QVERIFY(ReadKeptMacroSaves().isEmpty());
        const QFileInfo file(path);
        if (damage == "fifo" || damage == "folder")
            QCOMPARE(file.isFile(), false);
        else
            QCOMPARE(FileBytes(path), older);
        if (damage == "renamed")
            QCOMPARE(FileBytes(m_Folder + "/Z.ini"), kSavedA);
    }

    void keptSaveGoesOnlyToItsMouse_data()
    {
        QTest::addColumn<QString>("receiver"); // the other mouse's, in the wireless scenario
        QTest::addColumn<QString>("mouse");
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("receiverHex");
        QTest::addColumn<int>("profiles");
        QTest::newRow("a mouse of the same model") << "rx1k" << "mouse1" << int(kModelA) << "A10001" << 4;
        QTest::newRow("a mouse of another model") << "rx2k" << "mouse2" << int(kModelB) << "A20002" << 1;
    }

    // A save the sleeping mouse missed is kept for that mouse. Another
    // mouse that shows an older copy of the macro, and then every profile
    // without it, neither receives the save, nor rebuilds the file from its
    // copy, nor counts for the sleeping mouse; after a restart the sleeping
    // mouse gets the save when it is shown, and nothing is kept any more.
    void keptSaveGoesOnlyToItsMouse()
    {
        QFETCH(QString, receiver);
        QFETCH(QString, mouse);
        QFETCH(int, model);
        QFETCH(QString, receiverHex);
        QFETCH(int, profiles);
        const QByteArray otherReceiver = receiver.toLatin1();
        const QByteArray otherMouse = mouse.toLatin1();
        const QByteArray otherHex = receiverHex.toLatin1();
        m_Sim.reset();
        m_Sim = std::make_unique<SimDeviceFixture>("wireless");
        ScopedTimings quick(QuickSaves(1));
        Serve("rx4k", "mouse3", kModelA, "A40004");
        ShowProfileOfMouseA(0);
        AddALeftClickToBoundMacroA();
        // The other mouse holds the older A on its right key as well.
        const FlashDataMap olderA = SimDeviceFixture::FlashRecord("mouse3", 0);
        SimDeviceFixture::SetFlashRecord(otherMouse.constData(), olderA, 0);
        SaveWhileTheMouseSleeps();
        const KeptMacroSaves kept = ReadKeptMacroSaves();
        QCOMPARE(KeptNames(), QStringList({"A"}));

        Serve(otherReceiver.constData(), otherMouse.constData(), std::uint16_t(model), otherHex.constData());
        for (int profile = 0; profile < profiles; ++profile) {
            if (profile > 0)
                QVERIFY(SimCtl_Press(otherMouse.constData(), "profile"));
            OpenMouse(profile, profiles);
            m_Buttons->SendMacrosBeforeLeaving();
        }
        QCOMPARE(FileBytes(m_Folder + "/A.ini"), kSavedA);
        QCOMPARE(SimDeviceFixture::FlashRecord(otherMouse.constData(), 0), olderA);
        QCOMPARE(ReadKeptMacroSaves(), kept);

        QVERIFY(SimCtl_SetAwake("mouse3", 1));
        StartAgain();
        Serve("rx4k", "mouse3", kModelA, "A40004");
        OpenMouse(0);
        m_Buttons->SendMacrosBeforeLeaving();
        const FlashDataMap device = SimDeviceFixture::FlashRecord("mouse3", 0);
        QCOMPARE(int(device.Macros[1].EventCount), 4);
        QCOMPARE(int(device.Macros[1].Events[3].Kind), int(EventKindMouseButton));
        QCOMPARE(FileBytes(m_Folder + "/A.ini"), kSavedA);
        QVERIFY(ReadKeptMacroSaves().isEmpty());
    }

    void openingsAfterAReceivedSaveWriteNothing_data()
    {
        QTest::addColumn<bool>("newerElsewhere"); // another per-user folder saved a newer A to the mouse since
        QTest::addColumn<bool>("noteLeft");       // the program ended before it struck out the save's note
        QTest::newRow("nothing changed since") << false << false;
        QTest::newRow("a newer copy saved from another folder") << true << false;
        QTest::newRow("ended between the download and the note") << false << true;
    }

    // A save the mouse received is not sent again: the openings of a new
    // start write nothing to the mouse, and a newer copy that another
    // per-user folder saved to it meanwhile stays, the file following it.
    void openingsAfterAReceivedSaveWriteNothing()
    {
        QFETCH(bool, newerElsewhere);
        QFETCH(bool, noteLeft);
        ScopedTimings quick(QuickSaves(1));
        ServeMouseA();
        ShowProfileOfMouseA(0);
        AddALeftClickToBoundMacroA();
        Widget<QAbstractButton>("Save")->click();
        QTRY_COMPARE(int(SimDeviceFixture::FlashRecord("mouseA", 0).Macros[1].EventCount), 4);
        m_Buttons->SendMacrosBeforeLeaving();
        QByteArray file = kSavedA;
        if (newerElsewhere) {
            FlashDataMap newer = SimDeviceFixture::FlashRecord("mouseA", 0);
            newer.Macros[1].EventCount = 1;
            newer.Macros[1].Events[0].DelayMs = 0;
            SimDeviceFixture::SetFlashRecord("mouseA", newer, 0);
            file = "1\n0x04 1 0\n";
        }
        if (noteLeft)
            QVERIFY(WriteKeptMacroSaves({KeptSaveOfShownMouse("A", {0})}));
        const FlashDataMap before = SimDeviceFixture::FlashRecord("mouseA", 0);
        StartAgain();
        ServeMouseA();
        SimCtl_JournalClear();
        for (int opening = 0; opening < 2; ++opening) {
            OpenMouse(0);
            m_Buttons->SendMacrosBeforeLeaving();
        }
        QCOMPARE(SimDeviceFixture::JournalCount("ProtocolDataUpdate("), 0);
        QCOMPARE(SimDeviceFixture::FlashRecord("mouseA", 0), before);
        QCOMPARE(FileBytes(m_Folder + "/A.ini"), file);
        QVERIFY(ReadKeptMacroSaves().isEmpty());
    }

    // A save the sleeping mouse missed, a new start while it still sleeps,
    // and a rename: once shown, the mouse gets the saved rows under the new
    // name, and no file comes back under the old one.
    void keptSaveReachesTheMouseUnderItsNewName()
    {
        ScopedTimings quick(QuickSaves(1));
        ServeMouseA();
        ShowProfileOfMouseA(0);
        AddALeftClickToBoundMacroA();
        SaveWhileTheMouseSleeps();
        StartAgain();
        ServeMouseA();
        m_Buttons->SlotDeviceChosen();
        m_Buttons->SlotUpDataButtonUIB(SimDeviceFixture::FlashRecord("mouseA", 0)); // the offline copy
        ClickMacro("A");
        {
            // The rename waits with the save: told as the save was.
            DialogScript script{{"NewHong", "delta"}, {"NewHong", QString()}};
            m_Macro->RenameMacro();
            QTRY_COMPARE(script.shown, QStringList({"QuestionDialog", "MacroNotice"}));
            QCOMPARE(script.labels.last(), MacroMessageText(MacroMessage::SavedHereForTheMouse));
        }
        QVERIFY(SimCtl_SetAwake("mouseA", 1));
        ShowDeviceRecord(0); // the mouse is read again once it wakes
        m_Buttons->SlotUpDataConfigUI(4, 0, true);
        m_Buttons->SendMacrosBeforeLeaving();

        const FlashDataMap device = SimDeviceFixture::FlashRecord("mouseA", 0);
        QCOMPARE(MacroBlockName(device.Macros[1]), QString("delta"));
        QCOMPARE(int(device.Macros[1].EventCount), 4);
        QVERIFY(m_Buttons->findChild<QToolButton*>("RightKey")->text().endsWith("delta"));
        QCOMPARE(FileBytes(m_Folder + "/delta.ini"), kSavedA);
        QVERIFY(!QFile::exists(m_Folder + "/A.ini"));
        QVERIFY(ReadKeptMacroSaves().isEmpty());
    }

    // The note that the mouse lacks a save is on disk before the save's
    // file is written: however the program ends between the two, the saved
    // file has its note.
    void noteOfASaveComesBeforeItsFile()
    {
        ScopedTimings slow(QuickSaves(60 * 60 * 1000)); // the spacing never ends by itself here
        AddALeftClickToBoundMacroA();
        QStringList keptWhenNoted;
        QByteArray fileWhenNoted;
        const QMetaObject::Connection noted =
            connect(PostMsg::GetInstance(), &PostMsg::SigMacroSaving, this, [&] {
                keptWhenNoted = KeptNames();
                fileWhenNoted = FileBytes(m_Folder + "/A.ini");
            });
        Widget<QAbstractButton>("Save")->click();
        disconnect(noted);
        QCOMPARE(keptWhenNoted, QStringList({"A"}));
        QCOMPARE(fileWhenNoted, kMacroA);
        QCOMPARE(FileBytes(m_Folder + "/A.ini"), kSavedA);
    }

    void bindingTakesOnlyAFileAsThePageShowsIt_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("events"); // -1: refused as damaged
        QTest::newRow("as the page writes it") << QByteArray("1\n0x04 1 0\n10ms\n0x04 1 1\n") << 2;
        QTest::newRow("a new macro's empty file") << QByteArray() << 0;
        QTest::newRow("rows out of turn")
            << QByteArray("1\nhello there\n0x06 1 0\n999999999999ms\n0x06 1 1\nrm -rf x y\n") << -1;
        QTest::newRow("cut after a delay") << QByteArray("1\n0x04 1 0\n25ms\n") << -1;
        QTest::newRow("cut inside a row") << QByteArray("1\n0x04 1 0\n10ms\n0x04 1") << -1;
    }

    // A macro goes onto a button as the macro page shows it; a file the
    // page would show otherwise than it is written is refused and told.
    void bindingTakesOnlyAFileAsThePageShowsIt()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, events);
        WriteBytes(m_Folder + "/lp.ini", file);
        m_Buttons->SlotAddMacroButton();
        m_Buttons->SlotUpDataButtonUIButton(FlashDataMap{});
        const FlashDataMap before = SimDeviceFixture::FlashRecord("mouseB");
        m_Buttons->findChild<QToolButton*>("RightKey")->click();
        QCOMPARE(m_Buttons->MacroButtons.at(2)->text(), QString("lp"));
        DialogScript script{{"NewHong", QString()}};
        m_Buttons->MacroButtons.at(2)->click();
        const FlashDataMap device = SimDeviceFixture::FlashRecord("mouseB");
        if (events < 0) {
            QCOMPARE(script.labels, QStringList({MacroMessageText(MacroMessage::FileDamaged)}));
            QCOMPARE(device, before);
            return;
        }
        QVERIFY(script.shown.isEmpty());
        QCOMPARE(int(device.Buttons[1].Type), 6);
        QCOMPARE(int(device.Macros[1].EventCount), events);
    }

    // What is kept of a save the device has not received follows a rename
    // of its macro, and goes with its deletion.
    void keptSaveFollowsRenameAndDelete()
    {
        ScopedTimings slow(QuickSaves(60 * 60 * 1000)); // the spacing never ends by itself here
        AddALeftClickToBoundMacroA();
        QVERIFY(SimCtl_Plug("mouseB", 0));
        Widget<QAbstractButton>("Save")->click();
        QCOMPARE(KeptNames(), QStringList({"A"}));
        {
            // The renamed macro is sent at once, and missed: that is told.
            DialogScript script{{"NewHong", "delta"}, {"NewHong", QString()}};
            m_Macro->RenameMacro();
            QTRY_COMPARE(script.shown, QStringList({"QuestionDialog", "MacroNotice"}));
        }
        QCOMPARE(KeptNames(), QStringList({"delta"}));
        {
            DialogScript script{{"NewHong", QString()}};
            m_Macro->DeleteMacro();
        }
        QVERIFY(ReadKeptMacroSaves().isEmpty());
    }

    // A save the sleeping mouse cannot take is told once, while its download
    // is asked again and again: the macro waits on this computer.
    void saveTheMouseMissesIsToldOnce()
    {
        ScopedTimings quick(QuickSaves(20));
        ServeMouseA();
        ShowProfileOfMouseA(0);
        AddALeftClickToBoundMacroA();
        QVERIFY(SimCtl_SetAwake("mouseA", 0));
        DialogScript script{{"NewHong", QString()}, {"NewHong", QString()}};
        SimCtl_JournalClear();
        Widget<QAbstractButton>("Save")->click();
        QTRY_COMPARE(script.labels, QStringList({MacroMessageText(MacroMessage::SavedHereForTheMouse)}));
        const int asked = SimDeviceFixture::JournalCount("UsbFinderC_GetDeviceOnLine(");
        QTRY_VERIFY(SimDeviceFixture::JournalCount("UsbFinderC_GetDeviceOnLine(") > asked + 3);
        QCOMPARE(script.shown.size(), 1);
        QCOMPARE(FileBytes(m_Folder + "/A.ini"), kSavedA);

        QVERIFY(SimCtl_SetAwake("mouseA", 1));
        QTRY_COMPARE(int(SimDeviceFixture::FlashRecord("mouseA", 0).Macros[1].EventCount), 4);
        QCOMPARE(script.shown.size(), 1);
    }

    void saveTheMouseMissesWithoutItsNoteIsToldSo_data()
    {
        QTest::addColumn<QString>("inPlace"); // what lies where the note of unsent saves is written
        QTest::newRow("a folder") << "folder";
        QTest::newRow("a FIFO") << "fifo";
    }

    // The note that the mouse lacks a save cannot be written: the save
    // would not outlive the program, and the user is told so instead of
    // being promised the mouse gets it later. This run still sends it.
    void saveTheMouseMissesWithoutItsNoteIsToldSo()
    {
        QFETCH(QString, inPlace);
        ScopedTimings quick(QuickSaves(20));
        ServeMouseA();
        ShowProfileOfMouseA(0);
        AddALeftClickToBoundMacroA();
        const QString note = KeptMacroSavesPath();
        QVERIFY(QDir().mkpath(QFileInfo(note).absolutePath()));
        if (inPlace == "folder")
            QVERIFY(QDir().mkdir(note));
        else
            QCOMPARE(::mkfifo(QFile::encodeName(note).constData(), 0600), 0);
        QVERIFY(SimCtl_SetAwake("mouseA", 0));
        DialogScript script{{"NewHong", QString()}, {"NewHong", QString()}};
        Widget<QAbstractButton>("Save")->click();
        QTRY_COMPARE(script.labels, QStringList({MacroMessageText(MacroMessage::SavedHereWhileOpen)}));
        QCOMPARE(FileBytes(m_Folder + "/A.ini"), kSavedA);

        QVERIFY(SimCtl_SetAwake("mouseA", 1));
        QTRY_COMPARE(int(SimDeviceFixture::FlashRecord("mouseA", 0).Macros[1].EventCount), 4);
        QCOMPARE(script.shown.size(), 1);
    }

    void loopLineIsSentAsThePageShowsIt_data()
    {
        QTest::addColumn<QByteArray>("loopLine");
        QTest::addColumn<int>("shown");
        QTest::newRow("300") << QByteArray("300") << 1;
        QTest::newRow("-2") << QByteArray("-2") << 1;
        QTest::newRow("0") << QByteArray("0") << 1;
        QTest::newRow("251") << QByteArray("251") << 1;
        QTest::newRow("252") << QByteArray("252") << 1;
        QTest::newRow("text") << QByteArray("often") << 1;
        QTest::newRow("a count") << QByteArray("250") << 250;
        QTest::newRow("until stopped") << QByteArray("253") << int(kLoopUntilStopped);
    }

    // A hand-edited loop line: the device's repeat byte is what the macro
    // page shows, on binding and when a save sends the loop again.
    void loopLineIsSentAsThePageShowsIt()
    {
        QFETCH(QByteArray, loopLine);
        QFETCH(int, shown);
        WriteBytes(m_Folder + "/lp.ini", loopLine + "\n0x04 1 0\n20ms\n0x04 1 1\n");
        m_Buttons->SlotAddMacroButton();
        m_Buttons->SlotUpDataButtonUIButton(FlashDataMap{});
        m_Buttons->findChild<QToolButton*>("RightKey")->click();
        m_Buttons->MacroButtons.at(2)->click();
        QCOMPARE(m_Buttons->MacroButtons.at(2)->text(), QString("lp"));
        QCOMPARE(int(SimDeviceFixture::FlashRecord("mouseB").Buttons[1].Param2), shown);

        m_Macro = std::make_unique<Macro>(); // lists the new file
        m_Macro->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_Macro.get()));
        ClickMacro("lp");
        QCOMPARE(ShownLoopValue(), shown);
        m_Buttons->SlotUpDataMacro("lp", 1);
        QCOMPARE(int(SimDeviceFixture::FlashRecord("mouseB").Buttons[1].Param2), shown);
    }

    void refusedNameBoundToAButtonSurvivesAReopen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("a reserved name") << "aux";
        QTest::newRow("ends in a dot") << "end.";
        QTest::newRow("holds a colon") << "a:b";
    }

    // A file kept from an earlier version under a name the page refuses now
    // is never rebuilt from the device, so opening the device never empties it.
    void refusedNameBoundToAButtonSurvivesAReopen()
    {
        QFETCH(QString, name);
        WriteBytes(m_Folder + "/" + name + ".ini", kMacroA);
        FlashDataMap record{};
        record.Buttons[1] = {6, 1, 3};
        MacroBlock& block = record.Macros[1];
        const QByteArray bytes = name.toLocal8Bit();
        std::memcpy(block.Name, bytes.constData(), size_t(bytes.size()));
        block.NameLength = std::uint8_t(bytes.size());
        block.EventCount = 2;
        block.Events[0] = {0, 1, 0x04, 10};
        block.Events[1] = {1, 1, 0x04, 0};
        for (int opening = 0; opening < 2; ++opening)
            m_Buttons->SlotUpDataButtonUIButton(record);
        QCOMPARE(FileBytes(m_Folder + "/" + name + ".ini"), kMacroA);
    }

    // A save whose file cannot be written (here the macro folder has become a
    // file; a full disk fails the same write) is told, leaves Save active and
    // sends nothing; the next save that can write sends the change.
    void failedSaveIsToldAndSendsNothing()
    {
        ScopedTimings fast(QuickSaves(1));
        AddALeftClickToBoundMacroA();
        const FlashDataMap before = SimDeviceFixture::FlashRecord("mouseB");
        SimCtl_JournalClear();
        QVERIFY(QDir().rename(m_Folder, m_Folder + ".away"));
        WriteBytes(m_Folder, "not a folder");
        {
            DialogScript script{{"NewHong", QString()}};
            Widget<QAbstractButton>("Save")->click();
            QCOMPARE(script.labels, QStringList({MacroMessageText(MacroMessage::SaveFailed)}));
        }
        QVERIFY(Widget<QAbstractButton>("Save")->isEnabled());
        QCOMPARE(SimDeviceFixture::JournalCount("ProtocolDataUpdate("), 0);
        QCOMPARE(SimDeviceFixture::FlashRecord("mouseB"), before);

        QVERIFY(QFile::remove(m_Folder));
        QVERIFY(QDir().rename(m_Folder + ".away", m_Folder));
        QCOMPARE(FileBytes(m_Folder + "/A.ini"), kMacroA);
        Widget<QAbstractButton>("Save")->click();
        QTRY_COMPARE(int(SimDeviceFixture::FlashRecord("mouseB").Macros[1].EventCount), 4);
    }

private:
    template <typename T>
    T* Widget(const char* name) const
    {
        return m_Macro->findChild<T*>(name);
    }

    int ShownLoopValue() const
    {
        if (Widget<QAbstractButton>("ReUntilLoose")->isChecked())
            return kLoopWhileHeld;
        if (Widget<QAbstractButton>("ReUntilClick")->isChecked())
            return kLoopUntilNextClick;
        if (Widget<QAbstractButton>("ReUntil")->isChecked())
            return kLoopUntilStopped;
        return Widget<QSpinBox>("NumberEdit")->value();
    }

    void ClickMacro(const QString& name)
    {
        auto* macros = Widget<QListWidget>("listWidgetHong");
        QListWidgetItem* item = macros->findItems(name, Qt::MatchExactly).value(0);
        QTest::mouseClick(macros->viewport(), Qt::LeftButton, {}, macros->visualItemRect(item).center());
    }

    static Timings QuickSaves(int downloadDelayMs)
    {
        Timings timings;
        timings.macroFileRewriteMs = 1;
        timings.macroDownloadDelayMs = downloadDelayMs;
        return timings;
    }

    // The first run of savedEditReachesTheDeviceAfterARestart: A's edit saved
    // while the device misses it, the device state kept in stateFolder, then
    // the end. Prints "saved" once the save is made.
    int SaveAndEnd(const QString& stateFolder, const QString& miss, const QString& ending)
    {
        SimCtl_SetPersistence(QFile::encodeName(stateFolder).constData());
        ScopedTimings slow(QuickSaves(60 * 60 * 1000)); // the spacing never ends by itself here
        ServeMouseA();
        ShowProfileOfMouseA(0);
        AddALeftClickToBoundMacroA();
        if (miss == "asleep")
            SimCtl_SetAwake("mouseA", 0);
        Widget<QAbstractButton>("Save")->click();
        if (miss == "unplugged") {
            SimCtl_Plug("rx4k", 0);
        } else if (miss == "profile") {
            SimCtl_Press("mouseA", "profile");
            ShowProfileOfMouseA(1);
        }
        SimCtl_Flush();
        std::printf("%s\n", kSaved);
        std::fflush(stdout);
        if (ending == "exit")
            std::exit(1); // as Qt's X11 platform does when its connection breaks
        if (ending == "killed")
            return QCoreApplication::exec(); // until the test kills it
        m_Buttons->SendMacrosBeforeLeaving();
        cleanup();
        return 0;
    }

    // A save of macro name kept for the mouse shown, which its profiles
    // lacking lack.
    static KeptMacroSave KeptSaveOfShownMouse(const QString& name, const QSet<int>& lacking)
    {
        const DeviceAllInfo device = g_CurrentDevice.Snapshot();
        KeptMacroSave save;
        save.mouse = {device.Identity, device.ReceiverId};
        save.name = name;
        save.nameOnMouse = name;
        save.lacking = lacking;
        return save;
    }

    // The shown mouse falls asleep and the edit is saved: the user is told
    // that the save waits on this computer; then the pages are left.
    void SaveWhileTheMouseSleeps()
    {
        QVERIFY(SimCtl_SetAwake(m_MouseId, 0));
        {
            DialogScript script{{"NewHong", QString()}};
            Widget<QAbstractButton>("Save")->click();
            QTRY_COMPARE(script.labels, QStringList({MacroMessageText(MacroMessage::SavedHereForTheMouse)}));
        }
        m_Buttons->SendMacrosBeforeLeaving();
    }

    // The program ends and starts again.
    void StartAgain()
    {
        m_Macro.reset();
        m_Buttons.reset();
        StartPages();
    }

    // The pages of a new start, over the per-user folder as it is.
    void StartPages()
    {
        // The page's new device thread forgets the device served; it stays.
        const QByteArray path = g_DevicePathC.Snapshot();
        m_Buttons = std::make_unique<Buttoninterface>();
        g_DevicePathC.Set(path);
        m_Macro = std::make_unique<Macro>();
        m_Macro->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_Macro.get()));
    }

    // The page works with the receiver's mouse, whose profiles keep their
    // own records, in place of the cabled one.
    void ServeMouseA() { Serve("rx4k", "mouseA", kModelA, "A1B2C3"); }

    // The page works with the mouse behind receiver, which reports
    // receiverHex as its identity.
    void Serve(const char* receiver, const char* mouse, std::uint16_t model, const char* receiverHex)
    {
        UsbServer_Exit();
        const QByteArray path = SimCtl_PathOf(receiver);
        UsbServerC_Start(path.constData(), path.constData(), IgnoreReports);
        g_DevicePathC.Set(path);
        ShowMouse(model, receiverHex);
        m_MouseId = mouse;
    }

    // What the device's reports do once the mouse has changed profile: the
    // profile is reported, then the profile's record is read and shown.
    void ShowProfileOfMouseA(int profile)
    {
        m_Buttons->SlotUpDataConfigUI(4, profile, true);
        ShowDeviceRecord(profile);
    }

    // What an opening of the mouse shows: its record comes before the
    // report of its active profile among profiles (1: a mouse of one profile).
    void OpenMouse(int profile, int profiles = 4)
    {
        m_Buttons->SlotDeviceChosen();
        ShowDeviceRecord(profile);
        if (profiles > 1)
            m_Buttons->SlotUpDataConfigUI(profiles, profile, true);
        else
            m_Buttons->SlotUpDataConfigUI(0, 0, false);
    }

    void ShowDeviceRecord(int profile)
    {
        const FlashDataMap record = SimDeviceFixture::FlashRecord(m_MouseId, profile);
        g_FlashData.Set(record);
        m_Buttons->SlotUpDataButtonUIButton(record);
    }

    // Binds macro A to the right key and B to the back key, shows A and
    // adds a left click to its rows.
    void AddALeftClickToBoundMacroA()
    {
        BindAToRightKeyAndBToBackKey();
        ClickMacro("A");
        m_Macro->on_ChooseEvent_activated(4);
    }

    void BindAToRightKeyAndBToBackKey()
    {
        m_Buttons->SlotAddMacroButton();
        m_Buttons->SlotUpDataButtonUIButton(FlashDataMap{});
        m_Buttons->findChild<QToolButton*>("RightKey")->click();
        m_Buttons->MacroButtons.at(0)->click();
        m_Buttons->findChild<QToolButton*>("BackKey")->click();
        m_Buttons->MacroButtons.at(1)->click();
        const FlashDataMap device = SimDeviceFixture::FlashRecord(m_MouseId);
        QCOMPARE(int(device.Buttons[1].Type), 6);
        QCOMPARE(int(device.Buttons[2].Type), 6);
    }

    QString m_Folder;
    const char* m_MouseId = "mouseB";
    std::unique_ptr<SimDeviceFixture> m_Sim;
    std::unique_ptr<Buttoninterface> m_Buttons;
    std::unique_ptr<Macro> m_Macro;
};

// The child of savedEditReachesTheDeviceAfterARestart: the per-user folder,
// the device state folder, the miss and the ending.
int FirstRunChild(int argc, char* argv[])
{
    if (argc < 4)
        return 2;
    char name[] = "first-run";
    char* applicationArguments[] = {name, nullptr};
    int applicationArgumentCount = 1;
    QApplication application(applicationArgumentCount, applicationArguments);
    UseTemporaryFolders();
    SetUserDataFolder(QString::fromLocal8Bit(argv[0]));
    TestMacroButtons test;
    test.initTestCase();
    test.init();
    return test.SaveAndEnd(QString::fromLocal8Bit(argv[1]), QString::fromUtf8(argv[2]), QString::fromUtf8(argv[3]));
}

QUORVANE_TEST_MAIN_WITH_CHILD_APP(TestMacroButtons, FirstRunChild, QApplication)
#include "tst_macrobuttons.moc"
