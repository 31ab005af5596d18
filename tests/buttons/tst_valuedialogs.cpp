#include "common/ModalDialogAnswerer.h"
#include "common/ProgramFiles.h"
#include "common/TestFolders.h"

#include "core/LanguageLoader.h"
#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "pages/buttons/AddDelayTime.h"
#include "pages/buttons/FireKey.h"
#include "pages/buttons/GroupKey.h"
#include "pages/buttons/addKey.h"
#include "widgets/DialogFamily.h"
#include "widgets/FormStyles.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>

namespace {

using MakeDialog = std::function<ValueDialog*()>;

template <typename Dialog>
MakeDialog Make()
{
    return [] { return new Dialog; };
}

int SpinValue(QDialog& dialog, const char* name)
{
    return dialog.findChild<QSpinBox*>(name)->value();
}

void TypeInto(QDialog& dialog, const char* name, const QString& text)
{
    auto* box = dialog.findChild<QSpinBox*>(name);
    box->selectAll();
    QTest::keyClicks(box, text);
}

} // namespace

Q_DECLARE_METATYPE(MakeDialog)
Q_DECLARE_METATYPE(QList<QStringList>*)

class TestValueDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        UseTemporaryFolders();
        QVERIFY(CopyShippedFiles("Picture/WarningDialog"));
        WriteConfigIni("[Option]\nLabelColor=1,2,3\nButtonColor=4,5,6\nLinEditColor=7,8,9\n");
    }

    // Each one-line caption of the fire-key dialog fits its label in the
    // shipped English and Polish texts.
    void fireKeyCaptionsFit_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << 0;
        QTest::newRow("Polish") << 1;
    }
    void fireKeyCaptionsFit()
    {
        QFETCH(int, language);
        QVERIFY(CopyShippedFiles("Language"));
        const QList<QStringList> saved = g_LangTextsFireKey;
        g_LangTextsFireKey.clear();
        LoadLanguageFiles();
        const int formerLanguage = g_LanguageIndex;
        g_LanguageIndex = language;
        FireKey dialog;
        PostMsg::GetInstance()->EmitAllLanguage(language);
        g_LanguageIndex = formerLanguage;
        const QList<QStringList> loaded = g_LangTextsFireKey;
        g_LangTextsFireKey = saved;
        QCOMPARE(loaded.size(), 2);
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->wordWrap() || label->text().isEmpty())
                continue;
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
                     qPrintable(label->text()));
        }
    }

    void fireKeyValues_data()
    {
        QTest::addColumn<int>("time");   // -1: no preload
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("timeValue");
        QTest::addColumn<int>("countValue");
        QTest::newRow("form defaults") << -1 << -1 << 10 << 3;
        QTest::newRow("preloaded") << 40 << 1 << 40 << 1;
        QTest::newRow("a count of 0 fires while held") << 255 << 0 << 255 << 0;
        QTest::newRow("too large") << 300 << 5 << 255 << 3;
        QTest::newRow("too small") << 0 << -2 << 10 << 0;
    }

    void fireKeyValues()
    {
        QFETCH(int, time);
        QFETCH(int, count);
        QFETCH(int, timeValue);
        QFETCH(int, countValue);
        FireKey dialog;
        if (time >= 0 || count >= 0) {
            dialog.SetTime(time);
            dialog.SetCount(count);
        }
        QCOMPARE(SpinValue(dialog, "Time"), timeValue);
        QCOMPARE(SpinValue(dialog, "Count"), countValue);
        ModalDialogAnswerer answerer({"NewHong"});
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QVERIFY(dialog.IsOk);
        QCOMPARE(dialog.TimeValue, timeValue);
        QCOMPARE(dialog.CountValue, countValue);
    }

    void typedValuesAreReturned()
    {
        FireKey fire;
        TypeInto(fire, "Time", "120");
        TypeInto(fire, "Count", "2");
        fire.on_NewHong_clicked();
        QCOMPARE(fire.TimeValue, 120);
        QCOMPARE(fire.CountValue, 2);

        AddDelayTime delay;
        TypeInto(delay, "spinBox", "99999"); // the last digit does not fit
        delay.on_NewHong_clicked();
        QVERIFY(delay.IsOk);
        QCOMPARE(delay.DelayValue, 9999);
    }

    void delayValues_data()
    {
        QTest::addColumn<int>("set"); // -1: unchanged
        QTest::addColumn<int>("delay");
        QTest::newRow("default") << -1 << 10;
        QTest::newRow("largest") << 65535 << 65535;
        QTest::newRow("past the largest") << 70000 << 65535;
        QTest::newRow("below the smallest") << 3 << 10;
    }

    void delayValues()
    {
        QFETCH(int, set);
        QFETCH(int, delay);
        AddDelayTime dialog;
        QCOMPARE(dialog.DelayValue, 0);
        if (set >= 0)
            dialog.findChild<QSpinBox*>("spinBox")->setValue(set);
        ModalDialogAnswerer answerer({"NewHong"});
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QVERIFY(dialog.IsOk);
        QCOMPARE(dialog.DelayValue, delay);
    }

    // Escape, Cancel and the close button answer nothing; exec answers 0.
    void valueDialogsRefused_data()
    {
        QTest::addColumn<MakeDialog>("make");
        QTest::addColumn<QString>("answer");
        for (const QString& answer : {ModalDialogAnswerer::kEscape, QString("NewHong_2"), QString("CloseButton")}) {
            QTest::newRow(qPrintable("FireKey " + answer)) << Make<FireKey>() << answer;
            QTest::newRow(qPrintable("AddDelayTime " + answer)) << Make<AddDelayTime>() << answer;
        }
    }

    void valueDialogsRefused()
    {
        QFETCH(MakeDialog, make);
        QFETCH(QString, answer);
        std::unique_ptr<ValueDialog> dialog(make());
        ModalDialogAnswerer answerer({answer});
        QCOMPARE(dialog->exec(), int(QDialog::Rejected));
        QVERIFY(answerer.MissingButtons().isEmpty());
        QVERIFY(!dialog->IsOk);
    }

    // The family's look: frameless, the pictures of WarningDialog and the
    // Option colours.
    void look_data()
    {
        QTest::addColumn<MakeDialog>("make");
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QStringList>("numbers"); // spin boxes and line edits in the edit colour
        QTest::newRow("GroupKey") << Make<GroupKey>() << "groupKeyA" << QSize(300, 140) << QStringList{"lineEdit"};
        QTest::newRow("addKey") << Make<addKey>() << "addKeyA" << QSize(300, 140) << QStringList{"lineEdit"};
        QTest::newRow("FireKey") << Make<FireKey>() << "FireKeyA" << QSize(406, 170)
                                 << QStringList{"Count", "Time"};
        QTest::newRow("AddDelayTime") << Make<AddDelayTime>() << "AddDelayTimeA" << QSize(300, 140)
                                      << QStringList{"spinBox"};
    }

    void look()
    {
        QFETCH(MakeDialog, make);
        QFETCH(QString, frame);
        QFETCH(QSize, size);
        QFETCH(QStringList, numbers);
        std::unique_ptr<ValueDialog> dialog(make());
        const QString folder = WarningDialogFolder();
        // Without a parent Qt adds Qt::Window.
        QCOMPARE(dialog->windowFlags() & ~Qt::Window, kDialogFamilyWindowFlags);
        QCOMPARE(dialog->size(), size);
        QCOMPARE(dialog->findChild<QFrame*>(frame)->geometry(), QRect(QPoint(0, 0), size));
        QVERIFY(dialog->findChild<QFrame*>(frame)->styleSheet().contains(folder + "BackGround.png"));
        for (QLabel* label : dialog->findChildren<QLabel*>())
            QCOMPARE(label->styleSheet(), LabelStyle("1,2,3"));
        for (const char* answer : {"NewHong", "NewHong_2"})
            QCOMPARE(dialog->findChild<QToolButton*>(answer)->styleSheet(), ConfirmButtonStyle(folder, "4,5,6"));
        QCOMPARE(dialog->findChild<QToolButton*>("CloseButton")->styleSheet(), CloseButtonStyle(folder));
        for (const QString& number : numbers) {
            QWidget* edit = dialog->findChild<QWidget*>(number);
            QCOMPARE(edit->styleSheet(), TextColorStyle(edit->inherits("QSpinBox") ? "QSpinBox" : "QLineEdit", "7,8,9"));
        }
        for (QCheckBox* box : dialog->findChildren<QCheckBox*>())
            QCOMPARE(box->styleSheet(), CheckBoxStyle(folder, "1,2,3"));
    }

    // Each dialog takes the texts of its language section, at once and at
    // every language change; missing texts keep the form's.
    void languageTexts_data()
    {
        QTest::addColumn<MakeDialog>("make");
        QTest::addColumn<QList<QStringList>*>("table");
        QTest::addColumn<QStringList>("targets");
        QTest::newRow("GroupKey") << Make<GroupKey>() << &g_LangTextsGroupKey
                                  << QStringList{"label", "NewHong", "NewHong_2"};
        QTest::newRow("addKey") << Make<addKey>() << &g_LangTextsAddKey << QStringList{"label", "NewHong", "NewHong_2"};
        QTest::newRow("FireKey") << Make<FireKey>() << &g_LangTextsFireKey
                                 << QStringList{"label", "label_2", "label_3", "NewHong", "NewHong_2"};
        QTest::newRow("AddDelayTime") << Make<AddDelayTime>() << &g_LangTextsAddDelayTime
                                      << QStringList{"label", "NewHong", "NewHong_2"};
    }

    void languageTexts()
    {
        QFETCH(MakeDialog, make);
        QFETCH(QList<QStringList>*, table);
        QFETCH(QStringList, targets);
        auto textOf = [](QObject* dialog, const QString& name) {
            return dialog->findChild<QWidget*>(name)->property("text").toString();
        };
        QStringList english, polish;
        for (const QString& target : targets) {
            english << "en " + target;
            polish << "pl " + target;
        }
        *table = {english, polish.mid(0, 1)};
        g_LanguageIndex = 0;
        std::unique_ptr<ValueDialog> dialog(make());
        for (const QString& target : targets)
            QCOMPARE(textOf(dialog.get(), target), "en " + target);

        g_LanguageIndex = 1; // a short row: the rest in English
        PostMsg::GetInstance()->EmitAllLanguage(1);
        QCOMPARE(textOf(dialog.get(), targets.at(0)), "pl " + targets.at(0));
        QCOMPARE(textOf(dialog.get(), targets.at(1)), "en " + targets.at(1));

        table->clear();
        g_LanguageIndex = 0;
        std::unique_ptr<ValueDialog> untranslated(make());
        QCOMPARE(textOf(untranslated.get(), "NewHong_2"), QString::fromUtf8("取消"));
    }
};

QTEST_MAIN(TestValueDialogs)
#include "tst_valuedialogs.moc"
