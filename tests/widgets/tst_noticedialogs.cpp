#include "common/ModalDialogAnswerer.h"
#include "common/TestFolders.h"

#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "widgets/ConfirmDialogs.h"
#include "widgets/FirmwareNotices.h"
#include "widgets/NoticeDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>

namespace {

// One dialog of the family as the table test sees it.
struct FamilyCase
{
    const char* tag;
    std::function<NoticeDialog*()> make;
    QList<QStringList>* table;
    int labelPosition;          // -1: the message keeps labelText whatever the language
    const char* labelText;      // the form's message
    const char* confirmButton;  // the button that confirms (CloseButton where it is the only one)
    int confirmPosition;        // its text's position, -1: none
    const char* confirmText;
    std::function<bool(NoticeDialog*)> confirmed; // null: the dialog keeps no answer
};

template <typename Dialog>
std::function<NoticeDialog*()> Make(std::function<void()> before = {})
{
    return [before] {
        if (before)
            before();
        return new Dialog;
    };
}

template <typename Dialog>
std::function<bool(NoticeDialog*)> ConfirmedOf()
{
    return [](NoticeDialog* dialog) { return static_cast<Dialog*>(dialog)->Confirmed; };
}

std::function<void()> OfflineKind(int kind)
{
    return [kind] { g_OfflineNoticeKind = kind; };
}

std::function<void()> ImportResult(int result)
{
    return [result] { g_ImportResult = result; };
}

const char* const kOk = "确定";

const QList<FamilyCase>& FamilyCases()
{
    static const QList<FamilyCase> cases = {
        {"QuestiondialogB", Make<QuestiondialogB>(), &g_LangTextsQuestionB, 0,
         "  Do not insert multiple identical devices", "CloseButton", -1, "", nullptr},
        {"MouseOffLine offline", Make<MouseOffLine>(OfflineKind(0)), &g_LangTextsMouseOffLine, 0,
         "   The mouse is offline. Please move first", "NewHong", 2, "确认", nullptr},
        {"MouseOffLine timed out", Make<MouseOffLine>(OfflineKind(1)), &g_LangTextsMouseOffLine, 1,
         "   The mouse is offline. Please move first", "NewHong", 2, "确认", nullptr},
        {"MouseOffLine other kind", Make<MouseOffLine>(OfflineKind(7)), &g_LangTextsMouseOffLine, -1,
         "   The mouse is offline. Please move first", "NewHong", 2, "确认", nullptr},
        {"LeftButtonOnly", Make<LeftButtonOnly>(), &g_LangTextsButtonOnly, 0,
         "Left button must be retained", "CloseButton", -1, "", nullptr},
        {"MakeMacro", Make<MakeMacro>(), &g_LangTextsMakeMacro, 0,
         "Please create a macro first", "NewHong", 1, kOk, nullptr},
        {"SameMacro", Make<SameMacro>(), &g_LangTextsSameMacro, 0,
         "Already have a same name macro", "NewHong", 1, kOk, nullptr},
        {"GroupMaxThree", Make<GroupMaxThree>(), &g_LangTextsMaxThree, 0,
         "  Key can only have up to three buttons", "NewHong", 1, kOk, nullptr},
        {"KeyNumberLimit", Make<KeyNumberLimit>(), &g_LangTextsLimit, 0,
         "Macro Key reached the Max limit", "NewHong", 1, kOk, nullptr},
        {"DeleteConfirm", Make<DeleteConfirm>(), &g_LangTextsDeleteConfirm, 0,
         "Confirm Delete", "NewHong", 1, kOk, ConfirmedOf<DeleteConfirm>()},
        {"InportFail not a settings file", Make<InportFail>(ImportResult(1)), &g_LangTextsInportFail, 0,
         "Config does not match the device", "NewHong", 2, kOk, nullptr},
        {"InportFail other device", Make<InportFail>(ImportResult(2)), &g_LangTextsInportFail, 1,
         "Config does not match the device", "NewHong", 2, kOk, nullptr},
        {"InportFail imported", Make<InportFail>(ImportResult(0)), &g_LangTextsInportFail, -1,
         "Config does not match the device", "NewHong", 2, kOk, nullptr},
        {"LessThree", Make<LessThree>(), &g_LangTextsLessThree, 0,
         "Please wait, we are updating the setting", "NewHong", 1, kOk, nullptr},
        {"DeviceBeingRead", Make<DeviceBeingRead>(), &g_LangTextsDeviceBeingRead, 0,
         "The mouse's settings are being read again, so nothing was changed or exported. Try again in a moment.",
         "NewHong", 1, kOk, nullptr},
        {"ContainReset", Make<ContainReset>(), &g_LangTextsContainReset, 0,
         " Is need to restore the default settings", "OK", 1, kOk, ConfirmedOf<ContainReset>()},
        {"RePair", Make<RePair>(), &g_LangTextsRePair, 0,
         "        Do you need to pair again", "OK", 1, kOk, ConfirmedOf<RePair>()},
        {"UpDateWarning", Make<UpDateWarning>(), &g_LangTextsNewVer, -1,
         "Confirm Delete", "NewHong", 1, kOk, nullptr},
        {"FindNewVer", Make<FindNewVer>(), &g_LangTextsNewVer, 0,
         "发现新固件,请更新!", "NewHong", 1, kOk, nullptr},
    };
    return cases;
}

const FamilyCase& CaseOf(const QString& tag)
{
    for (const FamilyCase& c : FamilyCases()) {
        if (tag == c.tag)
            return c;
    }
    qFatal("no dialog %s", qPrintable(tag));
}

// The answer a question keeps; false for a notice without one.
bool AnswerOf(const FamilyCase& c, NoticeDialog* dialog)
{
    return c.confirmed && c.confirmed(dialog);
}

// Row r of a section: "English 0", "English 1", ... and "Polski 0", ...
void FillTable(QList<QStringList>* table)
{
    *table = {{}, {}};
    for (int k = 0; k < 4; ++k) {
        (*table)[0] << QString("English %1").arg(k);
        (*table)[1] << QString("Polski %1").arg(k);
    }
}

QString Expected(int position, const char* formText, int row)
{
    if (position < 0)
        return QString::fromUtf8(formText);
    return QString(row == 0 ? "English %1" : "Polski %1").arg(position);
}

QString TextOf(QWidget* dialog, const char* name)
{
    QWidget* widget = dialog->findChild<QWidget*>(name);
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    return "<missing " + QString(name) + ">";
}

// Every picture that the style sheets of a dialog's widgets name.
QStringList PicturesNamed(QWidget* dialog)
{
    QStringList pictures;
    static const QRegularExpression url("url\\(\"([^\"]*)\"\\)");
    for (QWidget* widget : dialog->findChildren<QWidget*>()) {
        auto matches = url.globalMatch(widget->styleSheet());
        while (matches.hasNext())
            pictures << matches.next().captured(1);
    }
    return pictures;
}

} // namespace

class TestNoticeDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        UseTemporaryFolders();
        QVERIFY(CopyShippedFiles("Picture/WarningDialog"));
    }

    void init()
    {
        g_LanguageIndex = 0;
        g_OfflineNoticeKind = 0;
        g_ImportResult = 0;
    }

    void family_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < FamilyCases().size(); ++i)
            QTest::newRow(FamilyCases().at(i).tag) << i;
    }

    // Each dialog: its form texts without a language row, its section's texts
    // in both languages, and its confirming button closing it with exec
    // returning 0 and the answer kept.
    void family()
    {
        QFETCH(int, index);
        const FamilyCase& c = FamilyCases().at(index);

        c.table->clear();
        std::unique_ptr<NoticeDialog> untranslated(c.make());
        QCOMPARE(TextOf(untranslated.get(), "label"), QString::fromUtf8(c.labelText));
        if (c.confirmPosition >= 0)
            QCOMPARE(TextOf(untranslated.get(), c.confirmButton), QString::fromUtf8(c.confirmText));

        FillTable(c.table);
        std::unique_ptr<NoticeDialog> dialog(c.make());
        QCOMPARE(dialog->size(), QSize(300, 140));
        QVERIFY(dialog->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(dialog->windowTitle(), QString("Dialog"));
        QCOMPARE(TextOf(dialog.get(), "label"), Expected(c.labelPosition, c.labelText, 0));
        if (c.confirmPosition >= 0)
            QCOMPARE(TextOf(dialog.get(), c.confirmButton), Expected(c.confirmPosition, c.confirmText, 0));

        g_LanguageIndex = 1;
        PostMsg::GetInstance()->EmitAllLanguage(1);
        QCOMPARE(TextOf(dialog.get(), "label"), Expected(c.labelPosition, c.labelText, 1));
        if (c.confirmPosition >= 0)
            QCOMPARE(TextOf(dialog.get(), c.confirmButton), Expected(c.confirmPosition, c.confirmText, 1));

        if (c.confirmed)
            QVERIFY(!c.confirmed(dialog.get()));
        ModalDialogAnswerer answerer({c.confirmButton});
        QCOMPARE(dialog->exec(), 0);
        QVERIFY(answerer.AllAnswered());
        QVERIFY(answerer.MissingButtons().isEmpty());
        QCOMPARE(answerer.Records().at(0).className, QString(c.tag).section(' ', 0, 0));
        QVERIFY(!dialog->isVisible());
        if (c.confirmed)
            QVERIFY(c.confirmed(dialog.get()));
    }

    // The other ways out of a question: close button, Cancel and Escape all
    // answer no.
    void questionsAnswerNoOtherwise_data()
    {
        QTest::addColumn<QString>("dialogClass");
        QTest::addColumn<QString>("answer");
        for (const char* dialogClass : {"DeleteConfirm", "ContainReset", "RePair"}) {
            for (const char* answer : {"CloseButton", "Cancel", "Escape"}) {
                if (QString(dialogClass) == "DeleteConfirm" && QString(answer) == "Cancel")
                    continue;
                QTest::addRow("%s %s", dialogClass, answer) << dialogClass << answer;
            }
        }
    }

    void questionsAnswerNoOtherwise()
    {
        QFETCH(QString, dialogClass);
        QFETCH(QString, answer);
        const FamilyCase& c = CaseOf(dialogClass);
        std::unique_ptr<NoticeDialog> dialog(c.make());
        ModalDialogAnswerer answerer({answer == "Escape" ? ModalDialogAnswerer::kEscape : answer});
        QCOMPARE(dialog->exec(), 0);
        QVERIFY(answerer.AllAnswered());
        QVERIFY(answerer.MissingButtons().isEmpty());
        QVERIFY(!AnswerOf(c, dialog.get()));
    }

    // Return answers where the dialog gives it a button; the keypad's Enter never does.
    void keysInAnActiveWindow_data()
    {
        QTest::addColumn<QString>("dialogClass");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("confirmed");
        const int none = Qt::NoModifier;
        const int keypad = Qt::KeypadModifier;
        QTest::newRow("ContainReset Return") << "ContainReset" << int(Qt::Key_Return) << none << true << true;
        QTest::newRow("ContainReset keypad Enter") << "ContainReset" << int(Qt::Key_Enter) << keypad << false << false;
        QTest::newRow("ContainReset Escape") << "ContainReset" << int(Qt::Key_Escape) << none << true << false;
        QTest::newRow("UpDateWarning Return") << "UpDateWarning" << int(Qt::Key_Return) << none << true << false;
        QTest::newRow("UpDateWarning keypad Enter") << "UpDateWarning" << int(Qt::Key_Enter) << keypad << false << false;
        QTest::newRow("UpDateWarning Escape") << "UpDateWarning" << int(Qt::Key_Escape) << none << true << false;
        QTest::newRow("RePair Return") << "RePair" << int(Qt::Key_Return) << none << false << false;
    }

    void keysInAnActiveWindow()
    {
        QFETCH(QString, dialogClass);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, closes);
        QFETCH(bool, confirmed);
        const FamilyCase& c = CaseOf(dialogClass);
        std::unique_ptr<NoticeDialog> dialog(c.make());
        dialog->show();
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        QTest::keyClick(dialog.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        // A shortcut presses its button at once and clicks it a moment later.
        if (closes) {
            QTRY_VERIFY(!dialog->isVisible());
        } else {
            for (QToolButton* button : dialog->findChildren<QToolButton*>())
                QVERIFY2(!button->isDown(), qPrintable(button->objectName()));
            QVERIFY(dialog->isVisible());
        }
        QCOMPARE(AnswerOf(c, dialog.get()), confirmed);
    }

    void offlineNoticeClosesWhenTheDeviceIsBack()
    {
        MouseOffLine notice;
        notice.show();
        PostMsg::GetInstance()->EmitCloseOffOnline();
        QVERIFY(!notice.isVisible());
    }

    // The main window asks its own question; the answers keep their texts.
    void containResetAsksAnotherQuestion()
    {
        FillTable(&g_LangTextsContainReset);
        ContainReset question;
        question.SetText("Update the receiver first?");
        QCOMPARE(TextOf(&question, "label"), QString("Update the receiver first?"));
        QCOMPARE(TextOf(&question, "OK"), QString("English 1"));
        QCOMPARE(TextOf(&question, "Cancel"), QString("English 2"));
    }

    // The settings page keeps one warning and sets its message at each show;
    // a language change renames the button only.
    void warningKeepsItsMessageOverALanguageChange()
    {
        FillTable(&g_LangTextsNewVer);
        UpDateWarning warning;
        warning.SetText("No device");
        g_LanguageIndex = 1;
        PostMsg::GetInstance()->EmitAllLanguage(1);
        QCOMPARE(TextOf(&warning, "label"), QString("No device"));
        QCOMPARE(TextOf(&warning, "NewHong"), QString("Polski 1"));
    }

    // The pictures every dialog names come with the program, with the exact
    // names (the offline notice's "ConFirm.png" beside "Confirm.png").
    void picturesShipWithTheProgram_data()
    {
        family_data();
    }

    void picturesShipWithTheProgram()
    {
        QFETCH(int, index);
        const FamilyCase& c = FamilyCases().at(index);
        std::unique_ptr<NoticeDialog> dialog(c.make());
        if (c.confirmPosition >= 0) {
            const QString picture = QString(c.tag).startsWith("MouseOffLine") ? "/ConFirm.png" : "/Confirm.png";
            QVERIFY(dialog->findChild<QToolButton*>(c.confirmButton)->styleSheet().contains(picture));
        }
        const QStringList pictures = PicturesNamed(dialog.get());
        QVERIFY(pictures.size() >= 4); // close button and background at least
        for (const QString& picture : pictures) {
            QVERIFY2(picture.contains("/Picture/WarningDialog/"), qPrintable(picture));
            const QString shipped = QString(QUORVANE_TEST_PROGRAM_DIR) + picture.mid(picture.indexOf("/Picture/"));
            QVERIFY2(QFile::exists(shipped), qPrintable(shipped));
        }
    }
};

QTEST_MAIN(TestNoticeDialogs)
#include "tst_noticedialogs.moc"
