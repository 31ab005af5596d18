#include "common/FileSizeLimit.h"
#include "common/ModalDialogAnswerer.h"
#include "pages/sensor/DebounceFrames.h"
#include "common/ProgramFiles.h"
#include "common/SimDeviceFixture.h"
#include "common/TestFolders.h"

#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "core/Timing.h"
#include "device/DeviceLibrary.h"
#include "device/DeviceState.h"
#include "device/SettingsFile.h"
#include "device/Worker.h"
#include "pages/buttons/ButtonMacroFiles.h"
#include "pages/buttons/Buttoninterface.h"
#include "pages/buttons/Ui_Buttoninterface.h"
#include "pages/macro/MacroNames.h"
#include "platform/UserDataFolder.h"
#include "widgets/MyConmboBox.h"
#include "widgets/MyToolButton.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cstring>
#include <memory>

namespace {

void IgnoreReports(unsigned char*, int, unsigned char*, int) {}

KeyEventRecord Events(std::initializer_list<DeviceEvent> events)
{
    KeyEventRecord record{};
    record.EventCount = static_cast<std::uint8_t>(events.size());
    int i = 0;
    for (const DeviceEvent& event : events)
        record.Events[i++] = event;
    return record;
}

void WriteMacro(const QString& name, const QByteArray& content)
{
    QDir().mkpath(MacroFolder());
    QFile file(MacroFilePath(MacroFolder(), name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QString Text(const Buttoninterface& page, const char* name)
{
    return page.findChild<QToolButton*>(name)->text();
}

void Click(Buttoninterface& page, const char* name)
{
    page.findChild<QToolButton*>(name)->click();
}

// An earlier export, "old", named kept.bin in folder; its path.
QString EarlierExport(const QTemporaryDir& folder)
{
    const QString path = folder.filePath("kept.bin");
    QFile old(path);
    if (old.open(QIODevice::WriteOnly))
        old.write("old");
    return path;
}

QByteArray FileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool Idle(const Buttoninterface& page)
{
    return page.ui->stackedWidget->currentWidget() == page.ui->page
           && page.ui->stackedWidget_2->currentWidget() == page.ui->page_9;
}

} // namespace

class TestButtonPage : public QObject
{
    Q_OBJECT

    std::unique_ptr<SimDeviceFixture> m_Sim;
    std::unique_ptr<Buttoninterface> m_Page;
    QByteArray m_OnlinePath;

    void UseOnlineDevice() { g_DevicePathC.Set(m_OnlinePath); }
    void UseOfflineDevice() { g_DevicePathC.Set("no such device"); }

private slots:
    void initTestCase()
    {
        UseTemporaryFolders();
        QVERIFY(CopyShippedFiles("Picture/Buttoninterface"));
        QVERIFY(CopyShippedFiles("Picture/WarningDialog"));
        WriteConfigIni("[Option]\nButtonColor=200,200,200\n"
                       "[Drive1]\nSensor=3395\nKeyNumber=6\nKeyParam1=0x01,0x01\nKeyParam6=0x05,0x00,0xE9\n"
                       "[Drive2]\nSensor=3955\nKeyNumber=6\n");
        g_SendEnabled = true;
    }

    void init()
    {
        QDir(MacroFolder()).removeRecursively();
        QDir().mkpath(MacroFolder());
        m_Sim.reset(new SimDeviceFixture());
        m_OnlinePath = SimCtl_PathOf("mouseB");
        UsbServerC_Start(m_OnlinePath.constData(), m_OnlinePath.constData(), IgnoreReports);
        g_FlashData.Set(FlashDataMap{});
        m_Page.reset(new Buttoninterface());
        if (g_OnlineCheckTimer)
            g_OnlineCheckTimer->stop();
        UseOnlineDevice();
        g_CurrentDevice.Set(DeviceAllInfo{});
    }

    void cleanup()
    {
        m_Page.reset();
        m_Sim.reset();
    }

    // A record reaches the selectors by device key, in the page's texts.
    void fillShowsEveryKindOfFunction()
    {
        FlashDataMap record{};
        record.SleepTime = 6;
        record.ButtonDebounce = 4;
        record.Buttons[0] = {1, 16, 0};  // forward button
        record.Buttons[1] = {1, 32, 0};  // no such mouse button: RightKey keeps its text
        record.Buttons[2] = {5, 0, 0};   // Ctrl+Shift+A and its releases
        record.KeyEvents[2] = Events({{0, 0, 1, 10}, {0, 0, 2, 10}, {0, 1, 0x04, 10},
                                      {1, 1, 0x04, 10}, {1, 0, 2, 10}, {1, 0, 1, 10}});
        record.Buttons[3] = {10, 7, 0};  // DPI lock, sensor 3395: (7 + 1) * 50
        record.Buttons[4] = {5, 0, 0};   // consumer 0x1E9: only the low byte counts
        record.KeyEvents[4] = Events({{0, 2, 0x1E9, 10}, {1, 2, 0x1E9, 10}});
        record.Buttons[5] = {6, 5, 3};   // macro with a full 30-byte name
        std::memset(record.Macros[5].Name, 'm', MacroNameBytes);
        const QString rightBefore = Text(*m_Page, "RightKey");
        QSignalSpy sleep(PostMsg::GetInstance(), SIGNAL(SigLightToFrom(int)));
        QSignalSpy toMacro(PostMsg::GetInstance(), SIGNAL(SigButtonToMacro(FlashDataMap, int)));

        m_Page->SlotUpDataButtonUIButton(record);

        QCOMPARE(Text(*m_Page, "FireKey"), Text(*m_Page, "ForWardKey"));
        QCOMPARE(Text(*m_Page, "RightKey"), rightBefore);
        QCOMPARE(Text(*m_Page, "BackKey"), QString("Ctrl+Shift+A"));
        QCOMPARE(Text(*m_Page, "TopMusic"), Text(*m_Page, "DPI_4") + "-400");
        QCOMPARE(Text(*m_Page, "StartPause"), Text(*m_Page, "VolumeDown"));
        QCOMPARE(Text(*m_Page, "BackMusic"), QString(30, 'm'));
        QCOMPARE(m_Page->KeyTypes, QVector<int>({1, 1, 5, 10, 5, 6}));
        QCOMPARE(m_Page->KeyExtras.at(5), 3);
        QCOMPARE(ReadMacroLoopValue(QString(30, 'm')), 3);
        QCOMPARE(toMacro.count(), 1);
        QCOMPARE(sleep.count(), 1);
        QCOMPARE(sleep.at(0).at(0).toInt(), 60);
        QVERIFY(g_ButtonPageUpdated);
        QVERIFY(!g_ButtonPageLoading);
    }

    // A name from the device never becomes a path outside the macro folder.
    void macroNameFromDeviceCannotLeaveTheFolder()
    {
        FlashDataMap record{};
        record.Buttons[0] = {6, 0, 9};
        std::strcpy(record.Macros[0].Name, "../../escape");
        m_Page->SlotUpDataButtonUIButton(record);
        QVERIFY(!QFile::exists(UserDataFolder() + "/escape.ini"));
        QVERIFY(!QFile::exists(MacroFolder() + "/../../escape.ini"));
    }

    void assignmentsWriteTheRecord()
    {
        m_Page->SlotUpDataButtonUIButton(FlashDataMap{});
        Click(*m_Page, "TopMusic");
        Click(*m_Page, "DPI_9");
        Click(*m_Page, "VolumeUp_6");
        const FlashDataMap record = g_FlashData.Snapshot();
        QCOMPARE(int(record.Buttons[3].Type), 8);
        QCOMPARE(int(record.Buttons[3].Param1), 3);
        QCOMPARE(Text(*m_Page, "TopMusic"), Text(*m_Page, "VolumeUp_6"));
        QVERIFY(m_Page->ui->VolumeUp_6->isChecked());
        QVERIFY(Idle(*m_Page));

        Click(*m_Page, "RightKey");
        Click(*m_Page, "VolumeDown");
        const KeyEventRecord media = g_FlashData.Snapshot().KeyEvents[1];
        QCOMPARE(int(g_FlashData.Snapshot().Buttons[1].Type), 5);
        QCOMPARE(int(media.EventCount), 2);
        QCOMPARE(int(media.Events[0].Kind), 2);
        QCOMPARE(int(media.Events[0].Code), 0xE9);
        QCOMPARE(int(media.Events[1].Direction), 1);
        QCOMPARE(Text(*m_Page, "RightKey"), Text(*m_Page, "VolumeDown"));

        m_Page->AssignKeyCombination(5, "Shift+Ctrl+A");
        QCOMPARE(int(g_FlashData.Snapshot().KeyEvents[5].EventCount), 6);
        QCOMPARE(Text(*m_Page, "BackMusic"), QString("Shift+Ctrl+A"));
        QCOMPARE(m_Page->ui->stackedWidget->currentWidget(), m_Page->ui->page_2);

        m_Page->AssignConsumerKey(3, 0x1CD);  // not a low byte: nothing
        QCOMPARE(int(g_FlashData.Snapshot().Buttons[3].Type), 8);
    }

    void dpiLockSendsTheSensorCode()
    {
        m_Page->SlotUpDataButtonUIButton(FlashDataMap{});
        Click(*m_Page, "BackKey");
        Click(*m_Page, "VolumeUp_18");  // 900 DPI on sensor 3395: 900 / 50 - 1
        QCOMPARE(int(g_FlashData.Snapshot().Buttons[2].Type), 10);
        QCOMPARE(int(g_FlashData.Snapshot().Buttons[2].Param1), 17);
        QCOMPARE(Text(*m_Page, "BackKey"), Text(*m_Page, "DPI_4") + "-900");
        Click(*m_Page, "BackKey");
        QVERIFY(m_Page->ui->VolumeUp_18->isChecked());
        QCOMPARE(m_Page->ui->stackedWidget_2->currentWidget(), m_Page->ui->page_8);
        QCOMPARE(m_Page->ui->scrollArea_10->verticalScrollBar()->value(), 120);
    }

    void offlineAssignmentChangesNothing()
    {
        m_Page->SlotUpDataButtonUIButton(FlashDataMap{});
        UseOfflineDevice();
        QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
        Click(*m_Page, "BackMusic");
        const QString before = Text(*m_Page, "BackMusic");
        Click(*m_Page, "MidKey");
        QCOMPARE(g_FlashData.Snapshot(), FlashDataMap{});
        QCOMPARE(Text(*m_Page, "BackMusic"), before);
        QCOMPARE(offline.count(), 1);
        QVERIFY(Idle(*m_Page));
    }

    void noSelectorSendsNothing()
    {
        m_Page->SlotUpDataButtonUIButton(FlashDataMap{});
        Click(*m_Page, "MidKey");
        QCOMPARE(g_FlashData.Snapshot(), FlashDataMap{});
        QVERIFY(Idle(*m_Page));
    }

    void lastLeftClickKeyIsKept()
    {
        FlashDataMap record{};
        record.Buttons[0] = {1, 1, 0};
        record.Buttons[1] = {1, 2, 0};
        m_Page->SlotUpDataButtonUIButton(record);
        ModalDialogAnswerer answerer({ModalDialogAnswerer::kEscape});
        Click(*m_Page, "FireKey");
        QCOMPARE(answerer.Records().size(), 1);
        QCOMPARE(answerer.Records().at(0).className, QString("LeftButtonOnly"));
        QVERIFY(!m_Page->ui->FireKey->isChecked());
        QVERIFY(Idle(*m_Page));

        record.Buttons[1] = {1, 1, 0};  // a second left button: the click opens the list
        m_Page->SlotUpDataButtonUIButton(record);
        Click(*m_Page, "FireKey");
        QCOMPARE(m_Page->ui->stackedWidget->currentWidget(), m_Page->ui->page_2);
        QVERIFY(m_Page->ui->LeftKey_3->isChecked());
    }

    // However the key was chosen (here by its badge while the category list is
    // open) and whatever would replace it, the last left-click key keeps left
    // click: the notice, nothing sent, no key selected.
    void lastLeftClickKeyRefusesEveryOtherFunction_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("middle button") << "MidKey";
        QTest::newRow("no function") << "DPI_5";
        QTest::newRow("DPI lock") << "VolumeUp_12";
        QTest::newRow("multimedia key") << "VolumeDown";
        QTest::newRow("key combination") << "DPI_8";
        QTest::newRow("fire key") << "DPI_6";
        QTest::newRow("macro") << "";
    }
    void lastLeftClickKeyRefusesEveryOtherFunction()
    {
        QFETCH(QString, button);
        WriteMacro("M", "1\n");
        m_Page->SlotAddMacroButton();
        FlashDataMap record{};
        record.Buttons[0] = {1, 1, 0};
        record.Buttons[1] = {1, 2, 0};
        g_FlashData.Set(record);
        m_Page->SlotUpDataButtonUIButton(record);
        Click(*m_Page, "RightKey");
        m_Page->on_Number1_clicked();
        QVERIFY(m_Page->ui->FireKey->isChecked());
        SimCtl_JournalClear();

        ModalDialogAnswerer answerer({ModalDialogAnswerer::kEscape});
        if (button.isEmpty())
            m_Page->MacroButtons.at(0)->click();
        else
            Click(*m_Page, qPrintable(button));

        QCOMPARE(answerer.Records().size(), 1);
        QCOMPARE(answerer.Records().at(0).className, QString("LeftButtonOnly"));
        QCOMPARE(g_FlashData.Snapshot(), record);
        QCOMPARE(SimDeviceFixture::JournalCount("ProtocolDataUpdate("), 0);
        QCOMPARE(Text(*m_Page, "FireKey"), Text(*m_Page, "LeftKey_3"));
        QVERIFY(!m_Page->ui->FireKey->isChecked());
        QVERIFY(Idle(*m_Page));
    }

    // A sensor whose lock code does not fit the record's byte (3955: code
    // DPI - 1) offers only the locks it keeps; what it offers reads back alike.
    void dpiLocksOfferWhatTheRecordKeeps()
    {
        DeviceAllInfo device{};
        device.ModelIndex = 1;
        g_CurrentDevice.Set(device);
        m_Page->SlotUpDataButtonUIButton(FlashDataMap{});
        QStringList offered;
        for (const char* name : {"VolumeUp_11", "VolumeUp_12", "VolumeUp_13", "VolumeUp_22", "VolumeUp_21"})
            if (!m_Page->findChild<QToolButton*>(name)->isHidden())
                offered << name;
        QCOMPARE(offered, QStringList({"VolumeUp_11", "VolumeUp_12"}));
        Click(*m_Page, "BackKey");
        Click(*m_Page, "VolumeUp_12");
        QCOMPARE(int(g_FlashData.Snapshot().Buttons[2].Param1), 199);
        m_Page->SlotUpDataButtonUIButton(g_FlashData.Snapshot());
        QCOMPARE(Text(*m_Page, "BackKey"), Text(*m_Page, "DPI_4") + "-200");

        g_CurrentDevice.Set(DeviceAllInfo{});
        m_Page->SlotUpDataButtonUIButton(FlashDataMap{});
        QVERIFY(!m_Page->ui->VolumeUp_21->isHidden());
    }

    // Offline with no record of the shown model (nothing read from it, no
    // file kept for it), an export would write another model's or an empty
    // record under this model's name: the offline notice instead, no dialog.
    void exportWithoutTheModelsRecordShowsOffline()
    {
        UseOfflineDevice();
        g_DeviceCacheName.Set("Device_CID12_MID03.bin");
        g_DeviceCacheNameRead.Set("Device_CID12_MID04.bin");
        QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
        bool dialogOpened = false;
        // A file dialog that opens after all is closed, so that the test fails
        // instead of waiting for it.
        QTimer::singleShot(0, [&dialogOpened] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                dialogOpened = true;
                dialog->close();
            }
        });
        m_Page->on_OutputData_clicked();
        QCoreApplication::processEvents();
        QVERIFY(!dialogOpened);
        QCOMPARE(offline.count(), 1);
        g_DeviceCacheName.Set(QString());
        g_DeviceCacheNameRead.Set(QString());
        UseOnlineDevice();
    }

    // An export keeps the ".bin" the import looks for, and one that cannot be
    // written tells the user so, in the user's language.
    void exportSuffixAndFailure()
    {
        QTemporaryDir folder;
        m_Page->SaveSettingsFile(folder.filePath("export1"));
        QCOMPARE(QFileInfo(folder.filePath("export1.bin")).size(), qint64(SettingsFileSize));
        m_Page->SaveSettingsFile(folder.filePath("kept.BIN"));
        QVERIFY(QFile::exists(folder.filePath("kept.BIN")));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 2);

        const QList<QStringList> saved = g_LangTextsExportFail;
        const int language = g_LanguageIndex;
        g_LangTextsExportFail = {{"not saved", "OK"}, {"nie zapisano", "OK"}};
        g_LanguageIndex = 1;
        ModalDialogAnswerer answerer({"NewHong"});
        m_Page->SaveSettingsFile(folder.filePath("no such folder/export2"));
        g_LangTextsExportFail = saved;
        g_LanguageIndex = language;
        QCOMPARE(answerer.Records().size(), 1);
        QCOMPARE(answerer.Records().at(0).className, QString("ExportFail"));
        QCOMPARE(answerer.Records().at(0).texts.value("label"), QString("nie zapisano"));
    }

    // An export that the disk cannot hold keeps the earlier file whole and
    // tells the user.
    void exportToAFullDiskKeepsTheOldFile()
    {
        QTemporaryDir folder;
        const QString path = EarlierExport(folder);
        ModalDialogAnswerer answerer({"NewHong"});
        {
            const FileSizeLimit fullDisk(1024);
            m_Page->SaveSettingsFile(path);
        }
        QCOMPARE(answerer.Records().size(), 1);
        QCOMPARE(answerer.Records().at(0).className, QString("ExportFail"));
        QCOMPARE(FileContent(path), QByteArray("old"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"kept.bin"});
    }

    // The mouse changes profile: until its configuration has been read
    // again, the record held may be another profile's or a mix. An export
    // then writes nothing, whether the re-read began before the file dialog
    // or while it was open; the file chosen keeps what it held and the user
    // is told the device is being read.
    void exportWhileTheDeviceIsReadAgainWritesNothing()
    {
        QTemporaryDir folder;
        const QString kept = EarlierExport(folder);
        QSignalSpy beingRead(PostMsg::GetInstance(), SIGNAL(SigDeviceBeingRead()));
        {
            ModalDialogAnswerer answerer({"NewHong"}); // a failure notice would be closed and counted
            g_ReadBackOutstanding = true;
            m_Page->SaveSettingsFile(kept);
            g_ReadBackOutstanding = false;
            QVERIFY(answerer.Records().isEmpty());
        }
        QCOMPARE(beingRead.count(), 1);
        QCOMPARE(FileContent(kept), QByteArray("old"));

        const QString chosen = folder.filePath("chosen.bin");
        QTimer user;
        connect(&user, &QTimer::timeout, [&user, &chosen] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            user.stop();
            g_ReadBackOutstanding = true; // the mouse changes profile meanwhile
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(chosen);
            static_cast<QDialog*>(dialog)->accept();
        });
        user.start(10);
        m_Page->on_OutputData_clicked();
        g_ReadBackOutstanding = false;
        QCOMPARE(beingRead.count(), 2);
        QVERIFY(!QFile::exists(chosen));
        m_Page->SaveSettingsFile(chosen); // read again: the export goes
        QCOMPARE(QFileInfo(chosen).size(), qint64(SettingsFileSize));
    }

    // The wheel page is a function page like the tilt page: the same place,
    // size and button look.
    void wheelPageLooksLikeTheOtherFunctionPages()
    {
        m_Page->show();
        const auto look = [this](QWidget* page, QToolButton* button) {
            m_Page->ui->stackedWidget_2->setCurrentWidget(page);
            const QImage image = button->grab().toImage();
            return QList<QVariant>{page->geometry(), button->mapTo(page, QPoint(0, 0)), image.pixel(3, 3),
                                   image.pixel(button->width() / 2, 1)};
        };
        QCOMPARE(look(m_Page->ui->page_10, m_Page->ui->VolumeUp_14), look(m_Page->ui->page_4, m_Page->ui->VolumeUp_2));
        QCOMPARE(m_Page->ui->VolumeUp_14->palette().color(QPalette::ButtonText),
                 m_Page->ui->VolumeUp_2->palette().color(QPalette::ButtonText));
    }

    void selectorOpensTheMultimediaKey()
    {
        FlashDataMap record{};
        record.Buttons[3] = {5, 0, 0};
        record.KeyEvents[3] = Events({{0, 2, 0xEA, 10}, {1, 2, 0xEA, 10}});
        record.Buttons[4] = {5, 0, 0};
        record.KeyEvents[4] = Events({{0, 1, 0x24, 10}, {1, 1, 0x24, 10}});  // the key "7"
        g_FlashData.Set(record);
        m_Page->SlotUpDataButtonUIButton(record);
        Click(*m_Page, "TopMusic");  // row 5: device key 3
        QVERIFY(m_Page->ui->VolumeDown_4->isChecked());
        QCOMPARE(m_Page->ui->stackedWidget_2->currentWidget(), m_Page->ui->page_3);
        QCOMPARE(m_Page->ui->scrollArea_3->verticalScrollBar()->value(), 7 * 15);
        Click(*m_Page, "StartPause");  // row 4: device key 4
        QVERIFY(m_Page->ui->DPI_8->isChecked());
        QCOMPARE(m_Page->ui->stackedWidget_2->currentWidget(), m_Page->ui->page_9);
    }

    void macroListAndBinding()
    {
        WriteMacro("b", "1\n");
        WriteMacro("A", "3\n0x04 1 0\n10ms\n0x04 1 1\n");
        WriteMacro("x.xml", "");
        m_Page->SlotAddMacroButton();
        QCOMPARE(m_Page->MacroButtons.size(), 7);
        QCOMPARE(m_Page->MacroButtons.at(0)->text(), QString("A"));
        QCOMPARE(m_Page->MacroButtons.at(1)->text(), QString("b"));
        QVERIFY(m_Page->MacroButtons.at(2)->isHidden());

        m_Page->SlotUpDataButtonUIButton(FlashDataMap{});
        Click(*m_Page, "RightKey");
        m_Page->MacroButtons.at(0)->click();
        const FlashDataMap record = g_FlashData.Snapshot();
        QCOMPARE(int(record.Buttons[1].Type), 6);
        QCOMPARE(int(record.Buttons[1].Param1), 1);
        QCOMPARE(int(record.Buttons[1].Param2), 3);
        const MacroBlock& block = record.Macros[1];
        QCOMPARE(int(block.EventCount), 2);
        QCOMPARE(int(block.Events[0].Code), 0x04);
        QCOMPARE(int(block.Events[0].Direction), 0);
        QCOMPARE(int(block.Events[0].DelayMs), 10);
        QCOMPARE(int(block.Events[1].Direction), 1);
        QCOMPARE(MacroBlockName(block), QString("A"));
        QCOMPARE(Text(*m_Page, "RightKey"), m_Page->MacroPrefix + "A");
    }

    // A file in the macro folder beyond the device's 70 events would reach
    // the device cut, and the device's copy read back would cut the file.
    void macroBeyondTheDeviceBlockIsNotBound()
    {
        QByteArray file = "1\n0x04 1 0\n";
        for (int event = 1; event <= MacroEventsPerBlock; ++event)
            file += "5ms\n0x04 1 0\n";
        WriteMacro("Long", file);
        m_Page->SlotAddMacroButton();
        m_Page->SlotUpDataButtonUIButton(FlashDataMap{});
        const QString shown = Text(*m_Page, "RightKey");
        Click(*m_Page, "RightKey");
        ModalDialogAnswerer answerer({ModalDialogAnswerer::kEscape});
        m_Page->MacroButtons.at(0)->click();
        QCOMPARE(answerer.Records().size(), 1);
        QCOMPARE(answerer.Records().at(0).className, QString("MacroNotice"));
        QCOMPARE(int(g_FlashData.Snapshot().Buttons[1].Type), 0);
        QCOMPARE(Text(*m_Page, "RightKey"), shown);
        QCOMPARE(FileBytes(MacroFilePath(MacroFolder(), "Long")), file);
    }

    void onlyOddFilesMeanNoMacro()
    {
        WriteMacro("one.xml", "");
        WriteMacro("two.xml", "");
        m_Page->SlotAddMacroButton();
        QVERIFY(m_Page->MacroButtons.isEmpty());
        ModalDialogAnswerer answerer({ModalDialogAnswerer::kEscape});
        Click(*m_Page, "DPI_10");
        QCOMPARE(answerer.Records().size(), 1);
        QCOMPARE(answerer.Records().at(0).className, QString("MakeMacro"));
    }

    void deletedMacroRestoresTheDefaults()
    {
        WriteMacro("M", "1\n");
        m_Page->SlotAddMacroButton();
        m_Page->SlotUpDataButtonUIButton(FlashDataMap{});
        for (const char* selector : {"FireKey", "BackMusic"}) {
            Click(*m_Page, selector);
            m_Page->MacroButtons.at(0)->click();
        }
        m_Page->SlotDeleteMacroButton(m_Page->MacroPrefix + "M");
        const FlashDataMap record = g_FlashData.Snapshot();
        QCOMPARE(int(record.Buttons[0].Type), 1);   // left button
        QCOMPARE(int(record.Buttons[0].Param1), 1);
        QCOMPARE(int(record.Buttons[5].Type), 5);   // the model's volume-up default
        QCOMPARE(int(record.KeyEvents[5].Events[0].Code), 0xE9);
        QCOMPARE(Text(*m_Page, "BackMusic"), Text(*m_Page, "VolumeDown"));
        QVERIFY(!m_Page->ui->FireKey->isChecked() && !m_Page->ui->BackMusic->isChecked());
    }

    void fiveKeyModelLayout()
    {
        g_OpenedModelMid = 6;
        m_Page->SlotMouseIndex(3);
        QVERIFY(m_Page->ui->BackMusic->isHidden());
        QVERIFY(m_Page->ui->Number6->isHidden());
        QCOMPARE(m_Page->ui->RightKey->y(), 47);
        QCOMPARE(m_Page->ui->TopMusic->y(), 168);
        g_OpenedModelMid = 4;
        m_Page->SlotMouseIndex(1);
        QVERIFY(!m_Page->ui->BackMusic->isHidden());
        QCOMPARE(m_Page->ui->TopMusic->y(), 144);
    }

    void profileListAndChoice()
    {
        m_Page->SlotUpDataConfigUI(0, 3, false);
        QCOMPARE(m_Page->ui->ProjectChoose->count(), 1);
        QVERIFY(!m_Page->ui->ProjectChoose->isEnabled());
        m_Page->SlotUpDataConfigUI(4, 2, true);
        QCOMPARE(m_Page->ui->ProjectChoose->count(), 4);
        QCOMPARE(m_Page->ui->ProjectChoose->currentIndex(), 2);

        SimCtl_JournalClear();
        m_Page->on_ProjectChoose_activated(3);
        QCOMPARE(SimDeviceFixture::JournalCount("UsbServer_SetCurrentConfig(3"), 1);

        UseOfflineDevice();
        m_Page->ui->ProjectChoose->PressIndex = 1;
        m_Page->ui->ProjectChoose->setCurrentIndex(3);
        QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
        m_Page->on_ProjectChoose_activated(3);
        QCOMPARE(m_Page->ui->ProjectChoose->currentIndex(), 1);
        QCOMPARE(offline.count(), 1);
    }

    void factoryResetOrder()
    {
        ModalDialogAnswerer answerer({"OK"});
        SimCtl_JournalClear();
        Timings fast = Timings::Scaled(0.01);
        ScopedTimings scoped(fast);
        g_ButtonPageUpdated = true;
        g_SensorPageUpdated = true;
        m_Page->on_Reset_clicked();
        QStringList calls;
        for (const QString& line : SimDeviceFixture::Journal())
            for (const char* name : {"UsbServer_SetBatteryOptimizeEnable", "ProtocolDataUpdate", "UsbServer_SetClearSetting"})
                if (line.startsWith(name) && !calls.contains(name))
                    calls << name;
        QCOMPARE(calls, QStringList({"UsbServer_SetBatteryOptimizeEnable", "ProtocolDataUpdate",
                                     "UsbServer_SetClearSetting"}));
        QVERIFY(!g_SuppressApplyNotice);
        QVERIFY(g_OnlineCheckTimer->isActive());
    }

    // A reset confirmed while the mouse's configuration is read again is
    // made, and nobody is told otherwise: the clear restores every profile,
    // so the record held, which may be another profile's, is not sent before
    // it (nor refused with a notice that nothing was made).
    void resetWhileTheDeviceIsReadAgainIsMadeAndToldTruly()
    {
        const FlashDataMap factory = SimDeviceFixture::FlashRecord("mouseB");
        FlashDataMap userSet = factory;
        userSet.SleepTime = std::uint8_t(factory.SleepTime + 1);
        SimDeviceFixture::SetFlashRecord("mouseB", userSet);
        FlashDataMap anotherProfile = factory;
        anotherProfile.ReportRate = factory.ReportRate == 8 ? 4 : 8;
        g_FlashData.Set(anotherProfile);
        QSignalSpy beingRead(PostMsg::GetInstance(), SIGNAL(SigDeviceBeingRead()));
        QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
        ModalDialogAnswerer answerer({"OK"});
        SimCtl_JournalClear();
        ScopedTimings fast(Timings::Scaled(0.01));
        g_ButtonPageUpdated = true;
        g_SensorPageUpdated = true;
        g_ReadBackOutstanding = true;
        m_Page->on_Reset_clicked();
        g_ReadBackOutstanding = false;
        QCOMPARE(answerer.Records().at(0).className, QString("ContainReset"));
        QCOMPARE(SimDeviceFixture::JournalCount("UsbServer_SetClearSetting"), 1);
        QCOMPARE(SimDeviceFixture::JournalCount("ProtocolDataUpdate"), 0);
        QVERIFY(SimDeviceFixture::FlashRecord("mouseB") == factory);
        QCOMPARE(beingRead.count(), 0);
        QCOMPARE(offline.count(), 0);
    }

    void languageTexts_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("categoryPointSize");
        QTest::addColumn<bool>("toolTips");
        QTest::newRow("English") << 0 << 9 << false;
        QTest::newRow("row 4") << 4 << 7 << false;
        QTest::newRow("row 5") << 5 << 9 << true;
    }

    void languageTexts()
    {
        QFETCH(int, language);
        QFETCH(int, categoryPointSize);
        QFETCH(bool, toolTips);
        const QList<QStringList> saved = g_LangTextsButtoninterface;
        g_LangTextsButtoninterface.clear();
        for (int row = 0; row < 6; ++row) {
            QStringList texts;
            for (int k = 0; k < 58; ++k)
                texts << QString("r%1t%2").arg(row).arg(k);
            g_LangTextsButtoninterface << texts;
        }
        m_Page->SlotUpDataConfigUI(3, 1, true);
        m_Page->SlotAllLanguage(language);
        const QString row = QString("r%1t").arg(language);
        QCOMPARE(Text(*m_Page, "Reset"), row + "1");
        QCOMPARE(Text(*m_Page, "BackMusic"), row + "9");
        QCOMPARE(Text(*m_Page, "DPI_4"), row + "26");
        QCOMPARE(m_Page->ui->label_3->text(), row + "49");
        QCOMPARE(Text(*m_Page, "VolumeDown_14"), row + "54");
        QCOMPARE(m_Page->MacroPrefix, row + "55");
        QCOMPARE(m_Page->ui->ImportData->toolTip(), toolTips ? row + "2" : QString());
        QCOMPARE(m_Page->ui->DPI_12->font().pointSize(), categoryPointSize);
        // Without a cached record the profile names keep their old prefix.
        QCOMPARE(m_Page->ui->ProjectChoose->itemText(0), QString("1"));
        g_LangTextsButtoninterface = saved;
    }

    void factoryLook()
    {
        QSignalSpy sleep(PostMsg::GetInstance(), SIGNAL(SigLightToFrom(int)));
        g_OpenedModelMid = 3;
        m_Page->SlotFormResetButton();
        QCOMPARE(m_Page->KeyTypes, QVector<int>({1, 1, 1, 1, 1, 2}));
        QCOMPARE(m_Page->KeyCodes, QVector<int>({1, 2, 4, 8, 16, 1}));
        QCOMPARE(sleep.count(), 1);
        QCOMPARE(sleep.at(0).at(0).toInt(), 60);
        QVERIFY(Idle(*m_Page));
        // The fire key reads the extras of a key afterwards: they stay in range.
        m_Page->StoreKeyAssignment(2, 4, 50, 2);
        QCOMPARE(m_Page->KeyExtras.at(2), 2);
    }

    void fireKeyAfterItsDialog()
    {
        m_Page->SlotUpDataButtonUIButton(FlashDataMap{});
        Click(*m_Page, "BackKey");
        {
            ModalDialogAnswerer answerer({"CloseButton"});
            m_Page->on_DPI_6_clicked();
            QCOMPARE(answerer.Records().size(), 1);
        }
        QCOMPARE(g_FlashData.Snapshot(), FlashDataMap{});
        {
            ModalDialogAnswerer answerer({"NewHong"});
            m_Page->on_DPI_6_clicked();
        }
        const ButtonFunction sent = g_FlashData.Snapshot().Buttons[2];
        QCOMPARE(int(sent.Type), 4);
        QCOMPARE(int(sent.Param1), 10);
        QCOMPARE(int(sent.Param2), 3);
        QCOMPARE(Text(*m_Page, "BackKey"), Text(*m_Page, "DPI_6"));

        UseOfflineDevice();
        ModalDialogAnswerer none({"NewHong"});
        m_Page->on_DPI_6_clicked();
        QVERIFY(none.Records().isEmpty());
        QVERIFY(Idle(*m_Page));
    }

    // A fire-key or combination dialog given up leaves the category list
    // marking the key's own function, not the dialog's.
    void givenUpDialogLeavesTheKeysOwnMark_data()
    {
        QTest::addColumn<QString>("category");
        QTest::newRow("fire key") << "DPI_6";
        QTest::newRow("key combination") << "DPI_8";
    }
    void givenUpDialogLeavesTheKeysOwnMark()
    {
        QFETCH(QString, category);
        FlashDataMap record{};
        record.Buttons[2] = {2, 1, 0};  // DPI cycle
        g_FlashData.Set(record);
        m_Page->SlotUpDataButtonUIButton(record);
        Click(*m_Page, "BackKey");
        QVERIFY(m_Page->ui->DPI_7->isChecked());
        m_Page->findChild<QToolButton*>(category)->setChecked(true);
        {
            ModalDialogAnswerer answerer({"CloseButton"});
            if (category == "DPI_6")
                m_Page->on_DPI_6_clicked();
            else
                m_Page->on_DPI_8_clicked();
            QCOMPARE(answerer.Records().size(), 1);
        }
        QVERIFY(!m_Page->findChild<QToolButton*>(category)->isChecked());
        QVERIFY(m_Page->ui->DPI_7->isChecked());
        QVERIFY(m_Page->ui->VolumeUp_8->isChecked());
        QCOMPARE(g_FlashData.Snapshot(), record);
    }

    // Nothing selected for one device is still selected when the next opens.
    void openingADeviceSelectsNothing()
    {
        m_Page->SlotUpDataButtonUIButton(FlashDataMap{});
        Click(*m_Page, "BackKey");
        QVERIFY(m_Page->ui->BackKey->isChecked());
        PostMsg::GetInstance()->EmitSelectMouseInfo(DeviceAllInfo{});
        QVERIFY(!m_Page->ui->BackKey->isChecked());
        QVERIFY(Idle(*m_Page));
        QVERIFY(!m_Page->ui->DPI_5->isChecked());
    }

    void renamedMacroFollowsOnKeyAndDevice()
    {
        WriteMacro("LongMacroName", "1\n");
        m_Page->SlotAddMacroButton();
        m_Page->SlotUpDataButtonUIButton(FlashDataMap{});
        Click(*m_Page, "RightKey");
        m_Page->MacroButtons.at(0)->click();
        m_Page->SlotMacroRename("LongMacroName", "Ab");
        QCOMPARE(Text(*m_Page, "RightKey"), m_Page->MacroPrefix + "Ab");
        const MacroBlock block = g_FlashData.Snapshot().Macros[1];
        QCOMPARE(int(block.NameLength), 2);
        QCOMPARE(QByteArray(block.Name, MacroNameBytes), QByteArray("Ab") + QByteArray(28, '\0'));
    }

    void backgroundPresses()
    {
        m_Page->ui->FireKey->setChecked(true);
        QTest::mousePress(m_Page.get(), Qt::RightButton, {}, QPoint(300, 300));
        QVERIFY(m_Page->ui->FireKey->isChecked());
        // Idle view: inside the selector list's rectangle and away from the
        // category stack's, the selection stays.
        QTest::mousePress(m_Page.get(), Qt::LeftButton, {}, QPoint(160, 100));
        QVERIFY(m_Page->ui->FireKey->isChecked());
        QTest::mousePress(m_Page.get(), Qt::LeftButton, {}, QPoint(300, 300));  // the mouse picture
        QVERIFY(!m_Page->ui->FireKey->isChecked());
        QVERIFY(Idle(*m_Page));
    }

    void languageChangeKeepsTheProfile()
    {
        m_Page->SlotUpDataConfigUI(4, 2, true);
        QSignalSpy changed(m_Page->ui->ProjectChoose, SIGNAL(currentIndexChanged(int)));
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(m_Page.get(), &change);
        QCOMPARE(m_Page->ui->ProjectChoose->currentIndex(), 2);
        QCOMPARE(changed.count(), 0);
    }
};

QTEST_MAIN(TestButtonPage)
#include "tst_buttonpage.moc"
