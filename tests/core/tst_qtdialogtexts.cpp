#include "core/PostMsg.h"
#include "core/QtDialogTexts.h"

#include <QApplication>
#include <QColorDialog>
#include <QLabel>
#include <QTest>

namespace {

// Counts the language changes a widget is told of.
class LanguageChanges : public QWidget
{
public:
    int count = 0;

protected:
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::LanguageChange)
            ++count;
        QWidget::changeEvent(event);
    }
};

QString BasicColoursText()
{
    return QCoreApplication::translate("QColorDialog", "&Basic colors");
}

// The texts of the dialog's labels, joined.
QString LabelTexts(const QWidget& dialog)
{
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    return texts.join('|');
}

} // namespace

class TestQtDialogTexts : public QObject
{
    Q_OBJECT

private slots:
    // Qt's dialogs follow the program's language; switching it does not make
    // the forms retranslate (they would fall back to their default texts),
    // and a dialog that lives across the switch is told itself.
    void qtDialogsFollowTheProgramsLanguage()
    {
        LanguageChanges form;
        form.show();
        QColorDialog dialog;
        InstallQtDialogTexts();
        const QString english = BasicColoursText();
        const QString englishLabels = LabelTexts(dialog);

        PostMsg::GetInstance()->EmitAllLanguage(1);
        QCoreApplication::processEvents();
        const QString polish = BasicColoursText();
        QVERIFY(polish != english);
        QCOMPARE(LabelTexts(dialog), englishLabels);
        RetranslateQtDialog(&dialog);
        QVERIFY(LabelTexts(dialog).contains(polish));

        PostMsg::GetInstance()->EmitAllLanguage(0);
        QCoreApplication::processEvents();
        QCOMPARE(BasicColoursText(), english);
        QCOMPARE(form.count, 0);
    }
};

QTEST_MAIN(TestQtDialogTexts)
#include "tst_qtdialogtexts.moc"
