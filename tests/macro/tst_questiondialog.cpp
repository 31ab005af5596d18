#include "MacroTestKit.h"

#include "core/LanguageTables.h"
#include "pages/macro/QuestionDialog.h"

#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

class TestQuestionDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { FreshMacroFolder(); }
    void init()
    {
        m_Dialog.reset(new QuestionDialog);
        m_Dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(m_Dialog.data()));
        m_Edit = m_Dialog->findChild<QLineEdit*>("lineEdit");
        m_Edit->setFocus();
    }
    void cleanup() { m_Dialog.reset(); }

    void spaceAtTheEndRemovesEverySpace();
    void nameIsCutTo30Bytes();
    void refusedCharacters();
    void inputMethodCommits();
    void shiftDisablesTheLineEditWhileHeld();
    void escapeAndEnterDoNothing();
    void answersAndPrompts();

private:
    QScopedPointer<QuestionDialog> m_Dialog;
    QLineEdit* m_Edit = nullptr;
};

void TestQuestionDialog::spaceAtTheEndRemovesEverySpace()
{
    QTest::keyClicks(m_Edit, "ab ");
    QCOMPARE(m_Edit->text(), QString("ab"));
    m_Edit->setCursorPosition(1);
    QTest::keyClick(m_Edit, Qt::Key_Space);
    QCOMPARE(m_Edit->text(), QString("a b"));
    QCOMPARE(m_Edit->cursorPosition(), 3);
    QTest::keyClicks(m_Edit, "c ");
    QCOMPARE(m_Edit->text(), QString("abc"));
}

void TestQuestionDialog::nameIsCutTo30Bytes()
{
    QTest::keyClicks(m_Edit, QString(31, 'k'));
    QCOMPARE(m_Edit->text(), QString(30, 'k'));

    // A character outside the basic plane is two code units; it goes whole.
    const QString wide = QString(29, 'k') + QString::fromUcs4(U"\U0001F600");
    QCOMPARE(CutToMacroNameBytes(wide), QString(29, 'k'));
    QCOMPARE(CutToMacroNameBytes("short"), QString("short"));
}

void TestQuestionDialog::refusedCharacters()
{
    QTest::keyClicks(m_Edit, "a-=[];',./`\\*+b");
    QTest::keyClick(m_Edit, Qt::Key_Minus, Qt::KeypadModifier);
    QTest::keyClick(m_Edit, Qt::Key_Slash, Qt::KeypadModifier);
    QCOMPARE(m_Edit->text(), QString("ab"));
}

void TestQuestionDialog::inputMethodCommits()
{
    for (const QString& commit : {QString::fromUtf8("，"), QString::fromUtf8("。"), QString::fromUtf8("好的")}) {
        QInputMethodEvent event;
        event.setCommitString(commit);
        QCoreApplication::sendEvent(m_Edit, &event);
    }
    QCOMPARE(m_Edit->text(), QString::fromUtf8("好的"));
}

void TestQuestionDialog::shiftDisablesTheLineEditWhileHeld()
{
    QTest::keyPress(m_Edit, Qt::Key_Shift);
    QVERIFY(!m_Edit->isEnabled());
    QTest::keyRelease(m_Dialog.data(), Qt::Key_Shift);
    QVERIFY(m_Edit->isEnabled());
    QVERIFY(m_Edit->hasFocus());
}

void TestQuestionDialog::escapeAndEnterDoNothing()
{
    QTest::keyClicks(m_Edit, "x");
    QTest::keyClick(m_Edit, Qt::Key_Escape);
    QTest::keyClick(m_Edit, Qt::Key_Return);
    QVERIFY(m_Dialog->isVisible());
    QVERIFY(m_Dialog->EnteredName.isEmpty());
}

void TestQuestionDialog::answersAndPrompts()
{
    const QList<QStringList> saved = g_LangTextsQuestion;
    g_LangTextsQuestion = {{"Name of the new macro", "New name of the macro", "OK", "Cancel"}};
    QuestionDialog dialog;
    dialog.SetPromptMode(1);
    QCOMPARE(dialog.findChild<QLabel*>("label")->text(), QString("New name of the macro"));
    dialog.SetPromptMode(0);
    QCOMPARE(dialog.findChild<QLabel*>("label")->text(), QString("Name of the new macro"));
    QCOMPARE(dialog.findChild<QToolButton*>("NewHong_2")->text(), QString("Cancel"));
    g_LangTextsQuestion = saved;

    auto* edit = dialog.findChild<QLineEdit*>("lineEdit");
    edit->setText("Fire");
    dialog.findChild<QToolButton*>("NewHong")->click();
    QCOMPARE(dialog.EnteredName, QString("Fire"));
    for (const char* button : {"NewHong_2", "CloseButton"}) {
        dialog.EnteredName = "left over";
        dialog.findChild<QToolButton*>(button)->click();
        QVERIFY2(dialog.EnteredName.isEmpty(), button);
    }
    QCOMPARE(dialog.size(), QSize(300, 140));
}

QTEST_MAIN(TestQuestionDialog)
#include "tst_questiondialog.moc"
