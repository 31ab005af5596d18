// The macro page and the button page together, over the simulated library:
// what a save or an opened device does to the macro files and to the mouse.

#include "MacroTestKit.h"

#include "common/ProgramFiles.h"
#include "common/SimDeviceFixture.h"
#include "core/Timing.h"
#include "device/DeviceState.h"
#include "device/Worker.h"
#include "pages/buttons/Buttoninterface.h"
#include "pages/macro/Macro.h"
#include "pages/macro/MacroFile.h"
#include "pages/macro/MacroNotice.h"

#include <QTest>

#include <cstring>
#include <memory>

namespace {

void IgnoreReports(unsigned char*, int, unsigned char*, int) {}

const QByteArray kMacroA = "1\n0x04 1 0\n10ms\n0x04 1 1\n";
const QByteArray kMacroB = "1\n0x05 1 0\n10ms\n0x05 1 1\n";

} // namespace

class TestMacroButtons : public QObject
{
    Q_OBJECT

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
        const QByteArray path = SimCtl_PathOf("mouseB");
        UsbServerC_Start(path.constData(), path.constData(), IgnoreReports);
        g_FlashData.Set(FlashDataMap{});
        m_Buttons = std::make_unique<Buttoninterface>();
        if (g_OnlineCheckTimer)
            g_OnlineCheckTimer->stop();
        g_DevicePathC.Set(path);
        g_CurrentDevice.Set(DeviceAllInfo{});
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

    // A's save waits for the button page's download; the user meanwhile
    // picks B, ticks "repeat while held" and saves B after the wait. Each
    // save sends its own change: A's rows, B's loop.
    void saveDuringAnotherSavesWaitSendsItsOwnLoop()
    {
        ScopedTimings fast(QuickSaves(300));
        AddALeftClickToBoundMacroA();
        QTimer::singleShot(50, this, [this] {
            ClickMacro("B");
            Widget<QAbstractButton>("ReUntilLoose")->click();
        });
        Widget<QAbstractButton>("Save")->click();
        QVERIFY(Widget<QAbstractButton>("Save")->isEnabled());
        Widget<QAbstractButton>("Save")->click();

        const FlashDataMap device = SimDeviceFixture::FlashRecord("mouseB");
        QCOMPARE(int(device.Buttons[1].Param2), 1);
        QCOMPARE(int(device.Macros[1].EventCount), 4);
        QCOMPARE(int(device.Buttons[2].Param2), kLoopWhileHeld);
        QCOMPARE(int(device.Macros[2].EventCount), 2);
        QVERIFY(FileBytes(m_Folder + "/B.ini").startsWith("254\n"));
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
        QCOMPARE(int(SimDeviceFixture::FlashRecord("mouseB").Macros[1].EventCount), 4);
    }

private:
    template <typename T>
    T* Widget(const char* name) const
    {
        return m_Macro->findChild<T*>(name);
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
        const FlashDataMap device = SimDeviceFixture::FlashRecord("mouseB");
        QCOMPARE(int(device.Buttons[1].Type), 6);
        QCOMPARE(int(device.Buttons[2].Type), 6);
    }

    QString m_Folder;
    std::unique_ptr<SimDeviceFixture> m_Sim;
    std::unique_ptr<Buttoninterface> m_Buttons;
    std::unique_ptr<Macro> m_Macro;
};

QTEST_MAIN(TestMacroButtons)
#include "tst_macrobuttons.moc"
