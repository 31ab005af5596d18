#include "common/FileSizeLimit.h"
#include "common/ModalDialogAnswerer.h"
#include "common/ProgramFiles.h"
#include "common/SimDeviceFixture.h"
#include "common/TestFolders.h"
#include "common/WorkerThread.h"

#include "core/LanguageLoader.h"
#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "core/UserIni.h"
#include "device/DeviceReports.h"
#include "device/DeviceState.h"
#include "device/FirmwareUpdateFlags.h"
#include "device/ReceiverChoices.h"
#include "platform/SessionAutostart.h"
#include "settings/FormSetting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QUrl>

#include <memory>

namespace {

template <typename Widget>
Widget* Child(QObject* form, const char* name)
{
    return form->findChild<Widget*>(QString::fromLatin1(name));
}

// The device the pages show: the scenario's 4K receiver with mouseA (model
// index 0 unless given), or a mouse on its cable.
DeviceAllInfo ShownDevice(int modelIndex, int kind)
{
    DeviceAllInfo device;
    device.Path = QString::fromUtf8(SimCtl_PathOf("rx4k"));
    device.ModelIndex = modelIndex;
    device.Kind = std::uint8_t(kind);
    device.KindFlag = KindFlagOf(device.Kind);
    return device;
}

// The page's notices about starting at log-in, by their position in its
// language section, with the autostart folder put in.
enum { AutostartNotWritten = 47, AutostartForeignEntry = 48 };

QString AutostartNotice(int position, const QString& folder)
{
    return LanguageText(g_LangTextsFormSetting, position, QString()).arg(folder);
}

void ShowDevice(const DeviceAllInfo& device)
{
    g_CurrentDevice.Set(device);
    g_DevicePathC.Set(device.Path.toUtf8());
}

bool WriteExecutable(const QString& path, const QByteArray& content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return false;
    return file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Receives the links the page opens, per scheme.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void Open(const QUrl& url) { opened << url; }
};

} // namespace

class FormSettingTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<FormSetting> m_Page;

    QWidget* W(const char* name) { return Child<QWidget>(m_Page.get(), name); }
    QCheckBox* Box(const char* name) { return Child<QCheckBox>(m_Page.get(), name); }
    QString Text(const char* name)
    {
        if (auto* label = Child<QLabel>(m_Page.get(), name))
            return label->text();
        if (auto* edit = Child<QTextEdit>(m_Page.get(), name))
            return edit->toPlainText();
        return Child<QAbstractButton>(m_Page.get(), name)->text();
    }
    bool LongRangeShown() { return !W("checkBox_2")->isHidden() && !W("textEdit")->isHidden(); }
    bool ReceiverLedShown() { return !W("ReUntil_2")->isHidden() && !W("textEdit_4")->isHidden(); }
    QString CheckedLedBox()
    {
        for (const char* name : {"ReUntil", "ReUntil_2", "ReUntil_3"})
            if (Box(name)->isChecked())
                return name;
        return QString();
    }
    static bool Report(const std::function<void()>& emission) { return RunOnWorkerThread(emission); }

private slots:
    void initTestCase()
    {
        UseTemporaryFolders();
        QVERIFY(CopyShippedFiles("Language"));
        QVERIFY(CopyShippedFiles("Picture"));
        WriteConfigIni("[Option]\nDeviceTotal=4\nLabelColor=200,201,202\nButtonColor=1,2,3\n"
                       "[Drive1]\nAdveanced=0,1\n"
                       "[Drive2]\nAdveanced=-1,-1\n"
                       "[Drive3]\nAdveanced=1,-1\n"
                       "[Drive4]\nAdveanced=-1\n");
        LoadLanguageFiles();
        QVERIFY(g_LangTextsFormSetting.size() >= 2);
    }

    void init()
    {
        g_LanguageIndex = 0;
        g_SendEnabled = true;
        ShowDevice(ShownDevice(0, 1));
        m_Page.reset(new FormSetting);
    }

    void cleanup()
    {
        m_Page.reset();
        g_SendEnabled = false;
        g_CurrentDevice.Set(DeviceAllInfo());
        g_DevicePathC.Set(QByteArray());
        g_DongleRGB.Set(DongleRGB{});
    }

    void languageChoiceIsStoredAndSpread()
    {
        QSignalSpy all(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)));
        QSignalSpy deviceList(PostMsg::GetInstance(), SIGNAL(SigLanguageSameA(int)));
        auto* combo = Child<QComboBox>(m_Page.get(), "comboBox");
        combo->setCurrentIndex(1);
        emit combo->activated(1);
        QCOMPARE(UserIni::GetInstance()->Value("Language", "Language"), QString("1"));
        QCOMPARE(g_LanguageIndex, 1);
        QCOMPARE(all.count(), 1);
        QCOMPARE(deviceList.count(), 1);
        QCOMPARE(deviceList.at(0).at(0).toInt(), 1);
        QCOMPARE(Text("label_2"), g_LangTextsFormSetting.at(1).at(1));
        QCOMPARE(Text("label_10"), g_LangTextsFormSetting.at(1).at(10));

        // The other language combo moves this one without a word.
        QSignalSpy activated(combo, SIGNAL(activated(int)));
        QSignalSpy changed(combo, SIGNAL(currentIndexChanged(int)));
        PostMsg::GetInstance()->EmitLanguageSameB(0);
        QCOMPARE(combo->currentIndex(), 0);
        QCOMPARE(all.count(), 1);
        QCOMPARE(activated.count() + changed.count(), 0);
    }

    void choiceTheSettingsCannotKeepIsTold_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QByteArray>("receiverId"); // each row's own, so that no row's choice answers for another
        QTest::newRow("language") << "language" << QByteArray::fromHex("0a0b0c");
        QTest::newRow("long-range mode") << "long range" << QByteArray::fromHex("0a0b0d");
        QTest::newRow("receiver LED mode") << "LED" << QByteArray::fromHex("0a0b0e");
    }

    // A full disk: the choice holds for the run and the notice, once, in the
    // language then shown, says it was not saved. A receiver's wake sends it
    // the choice, not the model's default (long range off, LED mode 1).
    void choiceTheSettingsCannotKeepIsTold()
    {
        QFETCH(QString, choice);
        QFETCH(QByteArray, receiverId);
        SimDeviceFixture sim;
        DeviceAllInfo receiver = ShownDevice(0, 1);
        receiver.ReceiverId = receiverId;
        ShowDevice(receiver);
        m_Page->SlotForm();
        DongleRGB led{};
        led.Mode = 1;
        m_Page->SlotRGBValue(&led);
        ModalDialogAnswerer answerer({"NewHong"});
        {
            const FileSizeLimit fullDisk(0);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("per-user settings could not be saved"));
            if (choice == "language") {
                auto* combo = Child<QComboBox>(m_Page.get(), "comboBox");
                combo->setCurrentIndex(1);
                emit combo->activated(1);
            } else {
                Box(choice == "LED" ? "ReUntil_3" : "checkBox_2")->click();
            }
        }
        const int language = choice == "language" ? 1 : 0;
        QCOMPARE(g_LanguageIndex, language);
        QCOMPARE(answerer.Records().size(), 1);
        QCOMPARE(answerer.Records().at(0).className, QString("SettingNotSaved"));
        QCOMPARE(answerer.Records().at(0).texts.value("label"), g_LangTextsSettingNotSaved.at(language).at(0));
        if (choice == "language")
            return;

        SimCtl_JournalClear();
        QVERIFY(Report([] {
            QByteArray header = QByteArray::fromHex("5a09000000000000");
            QByteArray payload = QByteArray::fromHex("01") + QByteArray(16, '\0');
            OnDeviceReport(reinterpret_cast<unsigned char*>(header.data()), header.size(),
                           reinterpret_cast<unsigned char*>(payload.data()), 1);
        }));
        QCOMPARE(answerer.Records().size(), 1);
        QCOMPARE(SimDeviceFixture::JournalCount("UsbFinderC_SetLongRangeMode("), 1);
        QCOMPARE(SimDeviceFixture::JournalCount("UsbFinderC_Set4KDongleRGB("), 1);
        QCOMPARE(SimDeviceFixture::Value("rx4k", "long_range"), QString(choice == "long range" ? "1" : "0"));
        QCOMPARE(SimDeviceFixture::Value("rx4k", "led").left(2), QString(choice == "LED" ? "03" : "01"));
        QCOMPARE(Box("checkBox_2")->isChecked(), choice == "long range");
        QCOMPARE(CheckedLedBox(), QString(choice == "LED" ? "ReUntil_3" : "ReUntil"));
    }

    void languageTextsAndPlaces_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("valueX");
        QTest::addColumn<QPoint>("updateButton");
        QTest::addColumn<int>("updateFontSize");
        QTest::addColumn<int>("companyName");
        QTest::addColumn<int>("companyWeb");
        QTest::addColumn<int>("textRow");
        QTest::newRow("English") << 0 << 200 << QPoint(280, 170) << 10 << 0 << 3 << 0;
        QTest::newRow("Polish") << 1 << 220 << QPoint(280, 170) << 10 << 1 << 2 << 1;
        // Indexes without a language file keep the English texts.
        QTest::newRow("5: the button stays") << 5 << 280 << QPoint(-7, -7) << 7 << 0 << 3 << 0;
        QTest::newRow("7: any other") << 7 << 235 << QPoint(285, 155) << 10 << 0 << 3 << 0;
    }

    void languageTextsAndPlaces()
    {
        QFETCH(int, language);
        QFETCH(int, valueX);
        QFETCH(QPoint, updateButton);
        QFETCH(int, updateFontSize);
        QFETCH(int, companyName);
        QFETCH(int, companyWeb);
        QFETCH(int, textRow);
        W("Receive_2")->move(-7, -7);
        m_Page->SlotAllLanguage(language);
        QCOMPARE(W("label_5")->pos(), QPoint(valueX, 155));
        QCOMPARE(W("label_7")->pos(), QPoint(valueX, 185));
        QCOMPARE(W("Receive_2")->pos(), updateButton);
        QCOMPARE(W("Receive_2")->font().pointSize(), updateFontSize);
        QCOMPARE(W("toolButton_3")->pos(), QPoint(460, 190));
        const QStringList company = g_LangTextsCompanyInfo.at(0);
        QCOMPARE(Text("pushButton_4"), company.at(companyName));
        QCOMPARE(Text("pushButton_3"), company.at(companyWeb));
        const QStringList texts = g_LangTextsFormSetting.at(textRow);
        QCOMPARE(Text("label"), texts.at(0));
        QCOMPARE(Text("Receive_2"), texts.at(7));
        QCOMPARE(Text("textEdit_4"), texts.at(22));
        QCOMPARE(Text("label_13"), texts.at(40));
        QCOMPARE(g_UpdateWarningText, texts.at(14));
        auto* sleepItems = Child<QComboBox>(m_Page.get(), "StopClose");
        QCOMPARE(sleepItems->count(), 11);
        QCOMPARE(sleepItems->itemText(10), texts.at(38));
    }

    void versionValuesStayEmptyUntilReported()
    {
        QCOMPARE(Text("label_5"), QString());
        QCOMPARE(Text("label_7"), QString());
        QCOMPARE(Text("toolButton"), QString("..."));
    }

    // The box shows whether the program starts at log-in, ticks and unticks
    // the desktop's autostart entry, and keeps the choice in the per-user
    // settings too.
    void sessionStartFollowsTheAutostartEntry()
    {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        const QString entry = SessionAutostartEntryPath();
        QVERIFY(entry.startsWith(config.path() + "/autostart/"));
        m_Page.reset(new FormSetting);
        QVERIFY(!Box("checkBox")->isChecked());

        Box("checkBox")->click();
        QVERIFY(Box("checkBox")->isChecked());
        QVERIFY(QFile::exists(entry));
        QCOMPARE(UserIni::GetInstance()->Value("AutoStart", "Enable"), QString("1"));
        m_Page.reset(new FormSetting);
        QVERIFY(Box("checkBox")->isChecked());

        Box("checkBox")->click();
        QVERIFY(!Box("checkBox")->isChecked());
        QVERIFY(!QFile::exists(entry));
        QCOMPARE(UserIni::GetInstance()->Value("AutoStart", "Enable"), QString("0"));

        // The stored choice alone does not tick the box: the entry is what
        // starts the program.
        UserIni::GetInstance()->SetValue("AutoStart", "Enable", "1");
        m_Page.reset(new FormSetting);
        QVERIFY(!Box("checkBox")->isChecked());

        // An entry that cannot be written leaves the box unticked, and a
        // notice names the folder.
        QVERIFY(QDir(config.path()).rmdir("autostart"));
        QFile blocker(config.path() + "/autostart");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        {
            ModalDialogAnswerer answerer({"NewHong"});
            Box("checkBox")->click();
            QCOMPARE(answerer.Records().size(), 1);
            QCOMPARE(answerer.Records().at(0).texts.value("label"),
                     AutostartNotice(AutostartNotWritten, config.path() + "/autostart"));
        }
        QVERIFY(!Box("checkBox")->isChecked());
        QCOMPARE(UserIni::GetInstance()->Value("AutoStart", "Enable"), QString("0"));
        qunsetenv("XDG_CONFIG_HOME");
    }

    // An entry of the same name that starts another program is the user's:
    // ticking or unticking the box tells so and leaves it as it is, and the
    // box shows that the program itself does not start at log-in.
    void foreignAutostartEntryIsLeftAlone()
    {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        const QString entry = SessionAutostartEntryPath();
        QVERIFY(QDir().mkpath(SessionAutostartFolder()));
        const QByteArray wrapper = "[Desktop Entry]\nType=Application\nName=Quorvane\nExec=/home/u/bin/qv-wrapper\n";
        {
            QFile file(entry);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(wrapper);
        }
        m_Page.reset(new FormSetting);
        QVERIFY(!Box("checkBox")->isChecked());

        ModalDialogAnswerer answerer({"NewHong"});
        Box("checkBox")->click();
        QCOMPARE(answerer.Records().size(), 1);
        QCOMPARE(answerer.Records().at(0).texts.value("label"),
                 AutostartNotice(AutostartForeignEntry, config.path() + "/autostart"));
        QVERIFY(!Box("checkBox")->isChecked());
        QFile file(entry);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), wrapper);
        qunsetenv("XDG_CONFIG_HOME");
    }

    // The mouse-settings link opens the desktop's own settings program and
    // is hidden, with its picture, where the desktop has none.
    void mouseSettingsLinkNeedsTheDesktopsProgram()
    {
        QTemporaryDir bin;
        const QByteArray previousPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()));
        m_Page.reset(new FormSetting);
        QVERIFY(W("pushButton")->isHidden());
        QVERIFY(W("toolButton")->isHidden());

        const QString started = bin.path() + "/started";
        QVERIFY(WriteExecutable(bin.path() + "/xfce4-mouse-settings",
                                "#!/bin/sh\necho \"$0\" > '" + started.toUtf8() + "'\n"));
        m_Page.reset(new FormSetting);
        QVERIFY(!W("pushButton")->isHidden());
        QVERIFY(!W("toolButton")->isHidden());
        QVERIFY(!Text("pushButton").contains("Windows"));
        Child<QPushButton>(m_Page.get(), "pushButton")->click();
        QTRY_VERIFY(QFile::exists(started) && QFileInfo(started).size() > 0);
        qputenv("PATH", previousPath);
    }

    // The full read reports the receiver's LED mode, then asks for the
    // layout: the receiver-LED section follows the receiver and its
    // description, so the layout keeps what the report showed.
    void fullReadLaysOutTheOptionSections_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("longRange");
        QTest::addColumn<bool>("receiverLed");
        QTest::newRow("4K receiver, both options") << 0 << 1 << true << true;
        QTest::newRow("receiver, no options") << 1 << 1 << false << false;
        QTest::newRow("2K receiver, long range only") << 2 << 4 << true << false;
        QTest::newRow("2K receiver of a model with both") << 0 << 4 << true << false;
        QTest::newRow("mouse on its cable") << 0 << 2 << false << false;
        QTest::newRow("one-item option list") << 3 << 1 << false << false;
        QTest::newRow("model missing from the description") << 9 << 1 << false << false;
    }

    void fullReadLaysOutTheOptionSections()
    {
        QFETCH(int, model);
        QFETCH(int, kind);
        QFETCH(bool, longRange);
        QFETCH(bool, receiverLed);
        g_SendEnabled = false;
        ShowDevice(ShownDevice(model, kind));
        QVERIFY(Report([] {
            DongleRGB led{};
            led.Mode = 2;
            PostMsg::GetInstance()->EmitRGBValue(&led);
            PostMsg::GetInstance()->EmitForm();
        }));
        QCOMPARE(LongRangeShown(), longRange);
        QCOMPARE(ReceiverLedShown(), receiverLed);
        QCOMPARE(CheckedLedBox(), receiverLed ? QString("ReUntil_2") : QString());
        QCOMPARE(W("scrollAreaWidgetContents")->size(), QSize(880, receiverLed ? 860 : 710));
        QCOMPARE(W("pushButton_3")->pos(), receiverLed ? QPoint(610, 790) : QPoint(610, 620));
        QCOMPARE(W("pushButton_4")->pos(), receiverLed ? QPoint(490, 810) : QPoint(490, 640));
        QCOMPARE(W("line_5")->pos(), receiverLed ? QPoint(40, 855) : QPoint(40, 705));

        // The next read shows the same, whether or not a mode comes with it.
        QVERIFY(Report([] { PostMsg::GetInstance()->EmitForm(); }));
        QCOMPARE(ReceiverLedShown(), receiverLed);
        QCOMPARE(W("scrollAreaWidgetContents")->height(), receiverLed ? 860 : 710);
    }

    void importKeepsAnOfferedLongRangeSectionAsItIs()
    {
        m_Page->SlotFormB();
        QVERIFY(!LongRangeShown());
        m_Page->SlotForm();
        QVERIFY(LongRangeShown());
        m_Page->SlotFormB();
        QVERIFY(LongRangeShown());
        ShowDevice(ShownDevice(1, 1));
        m_Page->SlotFormB();
        QVERIFY(!LongRangeShown());
    }

    void receiverLedReportShowsTheSection()
    {
        SimDeviceFixture sim;
        ShowDevice(ShownDevice(0, 1));
        QVERIFY(Report([] {
            DongleRGB led{};
            led.Mode = 2;
            PostMsg::GetInstance()->EmitRGBValue(&led);
        }));
        QVERIFY(ReceiverLedShown());
        QCOMPARE(CheckedLedBox(), QString("ReUntil_2"));
        QCOMPARE(W("scrollAreaWidgetContents")->size(), QSize(880, 860));
        QCOMPARE(W("pushButton_3")->pos(), QPoint(610, 790));
        QCOMPARE(W("pushButton_4")->pos(), QPoint(490, 810));
        // What the receiver reports is shown, never written back to it.
        QCOMPARE(SimDeviceFixture::JournalCount("UsbFinderC_Set4KDongleRGB("), 0);

        // Another device's read hides it again.
        ShowDevice(ShownDevice(0, 4));
        m_Page->SlotForm();
        QVERIFY(!ReceiverLedShown());
        QCOMPARE(W("scrollAreaWidgetContents")->height(), 710);
    }

    void receiverLedReportWithAnotherModeChangesNoBox()
    {
        for (int mode : {0, 4}) {
            DongleRGB led{};
            led.Mode = std::uint8_t(mode);
            m_Page->SlotRGBValue(&led);
            QVERIFY(ReceiverLedShown());
            QCOMPARE(CheckedLedBox(), QString());
        }
        // A report without its record changes nothing.
        m_Page->SlotRGBValue(nullptr);
        QCOMPARE(CheckedLedBox(), QString());
    }

    void receiverLedReportElsewhereIsIgnored_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("kind");
        QTest::newRow("model without the option") << 2 << 1;
        QTest::newRow("one-item option list") << 3 << 1;
        QTest::newRow("2K receiver") << 0 << 4;
        QTest::newRow("mouse on its cable") << 0 << 2;
    }

    void receiverLedReportElsewhereIsIgnored()
    {
        QFETCH(int, model);
        QFETCH(int, kind);
        ShowDevice(ShownDevice(model, kind));
        DongleRGB led{};
        led.Mode = 3;
        m_Page->SlotRGBValue(&led);
        QVERIFY(!ReceiverLedShown());
        QCOMPARE(CheckedLedBox(), QString());
        QCOMPARE(W("scrollAreaWidgetContents")->height(), 710);
    }

    void modelWithoutOptionsNeverShowsThem()
    {
        ShowDevice(ShownDevice(1, 1));
        QVERIFY(Report([] {
            PostMsg::GetInstance()->EmitLongRangeMode(true);
            DongleRGB led{};
            led.Mode = 1;
            PostMsg::GetInstance()->EmitRGBValue(&led);
        }));
        QVERIFY(!LongRangeShown());
        QVERIFY(!ReceiverLedShown());
        QVERIFY(!Box("checkBox_2")->isChecked());
    }

    void longRangeReportShowsWithoutWritingBackEvenOnACable()
    {
        SimDeviceFixture sim;
        ShowDevice(ShownDevice(0, 2));
        m_Page->SlotForm();
        QVERIFY(Report([] { PostMsg::GetInstance()->EmitLongRangeMode(true); }));
        QVERIFY(LongRangeShown());
        QVERIFY(Box("checkBox_2")->isChecked());
        QVERIFY(Report([] { PostMsg::GetInstance()->EmitLongRangeMode(false); }));
        QVERIFY(!Box("checkBox_2")->isChecked());
        QCOMPARE(SimDeviceFixture::JournalCount("UsbFinderC_SetLongRangeMode("), 0);
    }

    // The user's choices are kept for this receiver, for its next wake; a
    // receiver with another identity has none.
    void userChoicesAreKeptByReceiver()
    {
        SimDeviceFixture sim;
        DeviceAllInfo receiver = ShownDevice(0, 1);
        receiver.ReceiverId = QByteArray::fromHex("a1b2c3");
        ShowDevice(receiver);
        m_Page->SlotForm();
        DongleRGB led{};
        m_Page->SlotRGBValue(&led);
        Box("checkBox_2")->click();
        Box("ReUntil_3")->click();
        QCOMPARE(ReceiverChoice(receiver, ReceiverOption::LongRange, -1), 1);
        QCOMPARE(ReceiverChoice(receiver, ReceiverOption::Led, -1), 3);

        DeviceAllInfo other = receiver;
        other.ReceiverId = QByteArray::fromHex("010203");
        QCOMPARE(ReceiverChoice(other, ReceiverOption::LongRange, -1), -1);
        QCOMPARE(ReceiverChoice(other, ReceiverOption::Led, -1), -1);
    }

    void longRangeBoxWritesTheReceiver()
    {
        SimDeviceFixture sim;
        ShowDevice(ShownDevice(0, 1));
        m_Page->SlotForm();
        Box("checkBox_2")->click();
        QCOMPARE(SimDeviceFixture::Value("rx4k", "long_range"), QString("1"));
        Box("checkBox_2")->click();
        QCOMPARE(SimDeviceFixture::Value("rx4k", "long_range"), QString("0"));

        g_SendEnabled = false;
        Box("checkBox_2")->click();
        QCOMPARE(SimDeviceFixture::Value("rx4k", "long_range"), QString("0"));
    }

    void offlineReceiverIsReportedAndNotWritten()
    {
        SimDeviceFixture sim;
        ShowDevice(ShownDevice(0, 1));
        m_Page->SlotForm();
        DongleRGB led{};
        m_Page->SlotRGBValue(&led);
        Box("ReUntil")->setChecked(true);
        QVERIFY(SimCtl_Plug("rx4k", 0) >= 0);
        SimCtl_JournalClear();
        QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));

        // Nothing reached the receiver: the boxes show what it still holds.
        Box("checkBox_2")->click();
        QCOMPARE(offline.count(), 1);
        QVERIFY(!Box("checkBox_2")->isChecked());
        // Moving the LED choice reports once per toggled box.
        Box("ReUntil_3")->click();
        QCOMPARE(offline.count(), 3);
        QCOMPARE(offline.at(2).at(0).toInt(), 0);
        QCOMPARE(CheckedLedBox(), QString("ReUntil"));
        QCOMPARE(SimDeviceFixture::JournalCount("UsbFinderC_SetLongRangeMode("), 0);
        QCOMPARE(SimDeviceFixture::JournalCount("UsbFinderC_Set4KDongleRGB("), 0);
    }

    void resetHidesBothSectionsAndClearsLongRange()
    {
        g_SendEnabled = false;
        m_Page->SlotLongRangeMode(true);
        DongleRGB led{};
        m_Page->SlotRGBValue(&led);
        QVERIFY(Report([] { PostMsg::GetInstance()->EmitFormReset(); }));
        QVERIFY(!LongRangeShown());
        QVERIFY(!ReceiverLedShown());
        QVERIFY(!Box("checkBox_2")->isChecked());
        QCOMPARE(W("scrollAreaWidgetContents")->height(), 710);
    }

    void sleepTimeFromTheRecord()
    {
        auto* sleep = Child<QComboBox>(m_Page.get(), "StopClose");
        PostMsg::GetInstance()->EmitLightToFrom(2400);
        QCOMPARE(sleep->currentIndex(), 10);
        PostMsg::GetInstance()->EmitLightToFrom(45);
        QCOMPARE(sleep->currentIndex(), 10);
        PostMsg::GetInstance()->EmitLightToFrom(10);
        QCOMPARE(sleep->currentIndex(), 0);
    }

    void versionTexts()
    {
        PostMsg* hub = PostMsg::GetInstance();
        hub->EmitLabelText(0, "v1.2");
        hub->EmitLabelText(1, "v1.3");
        hub->EmitLabelText(2, "v9.9");
        QCOMPARE(Text("label_5"), QString("v1.2"));
        QCOMPARE(Text("label_7"), QString("v1.3"));
        QCOMPARE(g_CurrentDevice.Snapshot().Version, QString("v1.2"));

        g_ReceiverImageWaiting = true;
        hub->EmitLabelTextB("v1.1", "true");
        QCOMPARE(Text("label_5"), QString("v1.1"));
        const QString waiting = W("Receive_2")->styleSheet();
        QVERIFY(waiting.contains("WaitUpdate.png"));
        QVERIFY(waiting.contains("color: rgb(1,2,3;)"));
        hub->EmitLabelTextB("v1.1", "false");
        QVERIFY(W("Receive_2")->styleSheet().contains("Confirm.png"));
        QVERIFY(!W("Receive_2")->styleSheet().contains("WaitUpdate.png"));
        // A mark of a query that looked before an update ended: the update
        // has cleared the flags since, and nothing waits.
        g_ReceiverImageWaiting = false;
        hub->EmitLabelTextB("v1.1", "true");
        QVERIFY(!W("Receive_2")->styleSheet().contains("WaitUpdate.png"));
    }

    void versionLineStaysInViewWhileScrolling()
    {
        const QPoint origin = W("label")->pos();
        DongleRGB led{};
        m_Page->SlotRGBValue(&led);
        auto* area = Child<QScrollArea>(m_Page.get(), "scrollArea");
        m_Page->show();
        QTRY_VERIFY(area->verticalScrollBar()->maximum() > 0);
        const QPoint onScreen = W("label")->mapTo(area, QPoint(0, 0));
        area->verticalScrollBar()->setValue(40);
        QCOMPARE(W("label")->pos(), origin + QPoint(0, 40));
        QCOMPARE(W("label")->mapTo(area, QPoint(0, 0)), onScreen);
        area->verticalScrollBar()->setValue(0);
        QCOMPARE(W("label")->pos(), origin);
    }

    void pairingGivesTheDeviceItsCallbacksBack()
    {
        SimDeviceFixture sim;
        ShowDevice(ShownDevice(0, 1));
        g_DevicePageShown = true;
        m_Page->show();
        ModalDialogAnswerer answerer({"CloseButton"});
        Child<QPushButton>(m_Page.get(), "pushButton_2")->click();
        g_DevicePageShown = false;
        QCOMPARE(answerer.Records().size(), 1);
        const ModalDialogRecord& dialog = answerer.Records().at(0);
        QCOMPARE(dialog.className, QString("Match"));
        const QPoint page = m_Page->mapToGlobal(QPoint(0, 0));
        QCOMPARE(dialog.position, QPoint(page.x() + (m_Page->width() - dialog.size.width()) / 2 - 70,
                                         page.y() + (m_Page->height() - dialog.size.height()) / 2 - 30));
        // The device thread's watch comes back, and only it: the device list's
        // search never runs behind the pages.
        const QStringList journal = SimDeviceFixture::Journal();
        QVERIFY(!journal.filter("UsbServerC_Start(").isEmpty());
        QCOMPARE(journal.filter("StartUsbChanged(").size(), 1);
        QVERIFY(journal.filter("UsbFinderC_FindHidDevicesByDefaultDeviceId").isEmpty());
    }

    void webButtonOpensOnlyWebAddresses()
    {
        UrlCatcher catcher;
        for (const char* scheme : {"https", "http", "file"})
            QDesktopServices::setUrlHandler(scheme, &catcher, "Open");
        auto* web = Child<QPushButton>(m_Page.get(), "pushButton_3");
        web->setText("https://quorvane.example");
        web->click();
        web->setText("file:///usr/bin/xterm");
        web->click();
        web->setText("/usr/bin/xterm");
        web->click();
        for (const char* scheme : {"https", "http", "file"})
            QDesktopServices::unsetUrlHandler(scheme);
        QCOMPARE(catcher.opened, QList<QUrl>{QUrl("https://quorvane.example")});
    }
};

QTEST_MAIN(FormSettingTest)
#include "tst_formsetting.moc"
