#include "LightingTestKit.h"

#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "lighting/InputPic.h"

#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>

using DialogMaker = std::function<InputPicDialog*()>;
Q_DECLARE_METATYPE(DialogMaker)

class TestScreenDialogs : public QObject
{
    Q_OBJECT

    std::unique_ptr<InputPicDialog> m_Dialog;

    QToolButton* Button(const char* name) { return Child<QToolButton>(m_Dialog.get(), name); }

    void bothDialogs()
    {
        QTest::addColumn<DialogMaker>("make");
        QTest::newRow("upright slots") << DialogMaker([] { return new InputPicA; });
        QTest::newRow("flat slots") << DialogMaker([] { return new InputPicB; });
    }

private slots:
    void initTestCase()
    {
        QVERIFY(UseShippedTextsAndPictures({"ScreeInfo"}));
    }

    void init()
    {
        QFETCH(DialogMaker, make);
        m_Dialog.reset(make());
    }

    void cleanup() { m_Dialog.reset(); }

    void pictureSlotsAreExclusive_data() { bothDialogs(); }
    void pictureSlotsAreExclusive()
    {
        Button("toolButtonA")->click();
        Button("toolButtonC")->click();
        Button("toolButtonC")->click();
        QVERIFY(Button("toolButtonC")->isChecked());
        for (const char* name : {"toolButtonA", "toolButtonB", "toolButtonD"})
            QVERIFY2(!Button(name)->isChecked(), name);
    }

    // Switch, slider and file buttons change only their own look.
    void controlsReachNothing_data() { bothDialogs(); }
    void controlsReachNothing()
    {
        SimDeviceFixture sim;
        QSignalSpy buttonCheck(PostMsg::GetInstance(), SIGNAL(SigButtonCheck()));
        Button("CheckButton")->click();
        QVERIFY(Button("CheckButton")->isChecked());
        Child<QSlider>(m_Dialog.get(), "SpeedH")->setValue(5);
        Button("Input")->click();
        Button("Output")->click();
        QVERIFY(SimDeviceFixture::Journal().isEmpty());
        QCOMPARE(buttonCheck.count(), 0);
    }

    void closeButtonReportsAndHides_data() { bothDialogs(); }
    void closeButtonReportsAndHides()
    {
        QSignalSpy buttonCheck(PostMsg::GetInstance(), SIGNAL(SigButtonCheck()));
        m_Dialog->show();
        Button("CloseButton")->click();
        QCOMPARE(buttonCheck.count(), 1);
        QVERIFY(m_Dialog->isHidden());
    }

    void languageTakesTheFirstFiveScreenTexts_data() { bothDialogs(); }
    void languageTakesTheFirstFiveScreenTexts()
    {
        m_Dialog->SlotAllLanguage(1);
        const QStringList& texts = g_LangTextsScreenInfo.at(1);
        QCOMPARE(Child<QLabel>(m_Dialog.get(), "label")->text(), texts.at(0));
        QCOMPARE(Child<QLabel>(m_Dialog.get(), "label_2")->text(), texts.at(1));
        QCOMPARE(Child<QLabel>(m_Dialog.get(), "label_3")->text(), texts.at(2));
        QCOMPARE(Button("Input")->text(), texts.at(3));
        QCOMPARE(Button("Output")->text(), texts.at(4));
        QCOMPARE(Child<QLabel>(m_Dialog.get(), "label_7")->text(), QString("4"));
        QVERIFY(texts.at(0) != g_LangTextsScreenInfo.at(0).at(0));
    }
};

QTEST_MAIN(TestScreenDialogs)
#include "tst_screendialogs.moc"
