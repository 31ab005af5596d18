#include "LightingTestKit.h"
#include "common/ProgramFiles.h"
#include "common/WorkerThread.h"

#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "device/DeviceState.h"
#include "lighting/LedInfo.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <memory>

namespace {

// The receiver reports its LED mode from the library's thread.
bool ReportReceiverLed(int mode)
{
    return RunOnWorkerThread([mode] {
        DongleRGB led{};
        led.Mode = std::uint8_t(mode);
        PostMsg::GetInstance()->EmitRGBValue(&led);
    });
}

DeviceAllInfo Receiver(int modelIndex, int kind = 1)
{
    DeviceAllInfo device;
    device.Path = "rx";
    device.ModelIndex = modelIndex;
    device.Kind = std::uint8_t(kind);
    device.KindFlag = KindFlagOf(device.Kind);
    return device;
}

} // namespace

class TestLedInfo : public QObject
{
    Q_OBJECT

    std::unique_ptr<LedInfo> m_Dialog;

    QCheckBox* Box(const char* name) { return Child<QCheckBox>(m_Dialog.get(), name); }
    QString Checked()
    {
        for (const char* name : {"ReUntil", "ReUntil_2", "ReUntil_3"})
            if (Box(name)->isChecked())
                return name;
        return QString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(UseShippedTextsAndPictures({"FormSetting"}));
        WriteConfigIni("[Option]\nDeviceTotal=3\n"
                       "[Drive1]\nAdveanced=0,1\n"
                       "[Drive2]\nAdveanced=1,-1\n"
                       "[Drive3]\nAdveanced=0\n");
    }

    void init()
    {
        g_CurrentDevice.Set(Receiver(0));
        m_Dialog.reset(new LedInfo);
    }

    void cleanup()
    {
        m_Dialog.reset();
        g_CurrentDevice.Set(DeviceAllInfo());
        g_DongleRGB.Set(DongleRGB{});
    }

    // The settings page builds the dialog at start-up; its pictures are
    // loaded only when it is about to show.
    void lookComesWithTheFirstShow()
    {
        QFrame* frame = Child<QFrame>(m_Dialog.get(), "LedInfoFrame");
        QVERIFY(frame->styleSheet().isEmpty());
        m_Dialog->show();
        QVERIFY(frame->styleSheet().contains("/Picture/FormSetting/Back.png"));
        QVERIFY(Child<QToolButton>(m_Dialog.get(), "CloseButton")->styleSheet().contains("Close.png"));
    }

    void reportMarksItsModeOnA4KReceiverWithTheOption()
    {
        QVERIFY(ReportReceiverLed(2));
        QCOMPARE(Checked(), QString("ReUntil_2"));
        QVERIFY(ReportReceiverLed(3));
        QCOMPARE(Checked(), QString("ReUntil_3"));
    }

    void reportElsewhereChangesNothing_data()
    {
        QTest::addColumn<DeviceAllInfo>("device");
        QTest::newRow("model without the option") << Receiver(1);
        QTest::newRow("model with a one-item list") << Receiver(2);
        QTest::newRow("model missing from the description") << Receiver(7);
        QTest::newRow("2K receiver") << Receiver(0, 4);
        QTest::newRow("mouse on its cable") << Receiver(0, 2);
    }

    void reportElsewhereChangesNothing()
    {
        QFETCH(DeviceAllInfo, device);
        g_CurrentDevice.Set(device);
        QVERIFY(ReportReceiverLed(2));
        QCOMPARE(Checked(), QString());
    }

    void modeOutsideTheThreeKeepsTheMark()
    {
        QVERIFY(ReportReceiverLed(1));
        QVERIFY(ReportReceiverLed(0));
        QVERIFY(ReportReceiverLed(4));
        QCOMPARE(Checked(), QString("ReUntil"));
    }

    void tickingABoxSendsNothing()
    {
        SimDeviceFixture sim;
        QVERIFY(ReportReceiverLed(1));
        g_DongleRGB.Lock()->Mode = 1;
        Box("ReUntil_3")->click();
        QCOMPARE(Checked(), QString("ReUntil_3"));
        QCOMPARE(int(g_DongleRGB.Snapshot().Mode), 1);
        QVERIFY(SimDeviceFixture::Journal().isEmpty());
    }

    void closedDialogStillFollowsReports()
    {
        QSignalSpy buttonCheck(PostMsg::GetInstance(), SIGNAL(SigButtonCheck()));
        m_Dialog->show();
        Child<QToolButton>(m_Dialog.get(), "CloseButton")->click();
        QCOMPARE(buttonCheck.count(), 1);
        QVERIFY(m_Dialog->isHidden());
        QVERIFY(ReportReceiverLed(3));
        QCOMPARE(Checked(), QString("ReUntil_3"));
    }

    void languageSlotTakesTheSettingsPageTexts()
    {
        m_Dialog->SlotAllLanguage(1);
        QCOMPARE(Child<QLabel>(m_Dialog.get(), "label_14")->text(), g_LangTextsFormSetting.at(1).at(19));
        QCOMPARE(Child<QTextEdit>(m_Dialog.get(), "textEdit_4")->toPlainText(), g_LangTextsFormSetting.at(1).at(22));
        QVERIFY(g_LangTextsFormSetting.at(1).at(19) != g_LangTextsFormSetting.at(0).at(19));
    }
};

QTEST_MAIN(TestLedInfo)
#include "tst_ledinfo.moc"
