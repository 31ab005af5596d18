#include "LightingTestKit.h"

#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "device/DeviceState.h"
#include "lighting/LightModeSet.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <memory>

class TestLightModeSet : public QObject
{
    Q_OBJECT

    std::unique_ptr<SimDeviceFixture> m_Sim;
    std::unique_ptr<LightModeSet> m_Dialog;

    QSpinBox* Spin(const char* name) { return Child<QSpinBox>(m_Dialog.get(), name); }
    QToolButton* Button(const char* name) { return Child<QToolButton>(m_Dialog.get(), name); }
    bool Shown(const char* name) { return !Child<QWidget>(m_Dialog.get(), name)->isHidden(); }

private slots:
    void initTestCase()
    {
        QVERIFY(UseShippedTextsAndPictures({"ScreeInfo"}));
    }

    void init()
    {
        m_Sim.reset(new SimDeviceFixture);
        g_DevicePathC.Set(SimCtl_PathOf("mouseB"));
        g_FlashData.Set(FlashDataMap{});
        g_SendEnabled = true;
        m_Dialog.reset(new LightModeSet);
        SimCtl_JournalClear();
    }

    void cleanup()
    {
        m_Dialog.reset();
        g_SendEnabled = false;
        g_LanguageIndex = 0;
        g_DevicePathC.Set(QByteArray());
        m_Sim.reset();
    }

    void builtDialogShowsOnlyWhatEffectOffUses()
    {
        QCOMPARE(Child<QComboBox>(m_Dialog.get(), "LightMod")->currentIndex(), 0);
        for (const char* name : {"label", "LightMod", "label_2", "label_3", "line", "line_2", "CloseButton"})
            QVERIFY2(Shown(name), name);
        for (const char* name : {"horizontalLight", "horizontalSpeed", "label_7", "RSpinBox", "toolButtonColorA"})
            QVERIFY2(!Shown(name), name);
        QCOMPARE(Child<QSlider>(m_Dialog.get(), "horizontalLight")->value(), 1);
        QCOMPARE(Spin("GSpinBox")->value(), 0);
        QVERIFY(m_Dialog->isHidden());
    }

    void mixedColoursSteadyHidesOnlyTheSpeed()
    {
        Child<QComboBox>(m_Dialog.get(), "LightMod")->setCurrentIndex(3);
        QVERIFY(Shown("horizontalLight"));
        QVERIFY(!Shown("horizontalSpeed"));
        QVERIFY(Shown("line_2"));
        QVERIFY(Shown("toolButtonColorN"));
    }

    // Its controls change only each other: no record, no device, no hub signal.
    void controlsReachNoDevice()
    {
        QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
        QSignalSpy buttonCheck(PostMsg::GetInstance(), SIGNAL(SigButtonCheck()));
        Child<QComboBox>(m_Dialog.get(), "LightMod")->setCurrentIndex(2);
        Child<QSlider>(m_Dialog.get(), "horizontalSpeed")->setValue(7);
        Button("toolButtonColorI")->click();
        Button("ReduceR")->click();
        Button("AddB")->click();

        QCOMPARE(Spin("RSpinBox")->value(), 45);
        QCOMPARE(Spin("GSpinBox")->value(), 166);
        QCOMPARE(Spin("BSpinBox")->value(), 224);
        QCOMPARE(Child<QLabel>(m_Dialog.get(), "labelPreView")->styleSheet(),
                 QString("QLabel{background-color: rgb(45,166,224);border: 2px solid  rgb(220,220,220);}"));
        QVERIFY(SimDeviceFixture::Journal().isEmpty());
        QVERIFY(g_FlashData.Snapshot() == FlashDataMap{});
        QCOMPARE(offline.count() + buttonCheck.count(), 0);
    }

    void presetOfTheCurrentColourChangesNothing()
    {
        Button("toolButtonColorK")->click();
        auto* preview = Child<QLabel>(m_Dialog.get(), "labelPreView");
        preview->setStyleSheet("unchanged");
        Button("toolButtonColorK")->click();
        QCOMPARE(preview->styleSheet(), QString("unchanged"));
        QCOMPARE(Spin("RSpinBox")->value(), 255);
    }

    void closeButtonReportsAndHides()
    {
        QSignalSpy buttonCheck(PostMsg::GetInstance(), SIGNAL(SigButtonCheck()));
        m_Dialog->show();
        Button("CloseButton")->click();
        QCOMPARE(buttonCheck.count(), 1);
        QVERIFY(m_Dialog->isHidden());
    }

    // The light texts of the screen section start at text 5; LightMod6 is unused.
    void currentLanguageTakesTheScreenSectionTexts()
    {
        g_LanguageIndex = 1;
        m_Dialog->ApplyCurrentLanguage();
        QCOMPARE(Child<QLabel>(m_Dialog.get(), "label")->text(), g_LangTextsScreenInfo.at(1).at(5));
        auto* effects = Child<QComboBox>(m_Dialog.get(), "LightMod");
        QCOMPARE(effects->count(), 6);
        QCOMPARE(effects->itemText(0), QString::fromUtf8("Wyłączone"));
        QCOMPARE(effects->itemText(5), QString::fromUtf8("Oddychanie wieloma kolorami"));
        QCOMPARE(Child<QLabel>(m_Dialog.get(), "label_2")->text(), QString::fromUtf8("Jasność"));
        QCOMPARE(Child<QLabel>(m_Dialog.get(), "label_12")->text(), QString("B:"));
    }
};

QTEST_MAIN(TestLightModeSet)
#include "tst_lightmodeset.moc"
