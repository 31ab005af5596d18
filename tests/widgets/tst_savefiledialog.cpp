#include "widgets/SaveFileDialog.h"

#include "widgets/ConfirmDialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace {

// Plays the user at the save dialog: types the next name into each file
// dialog that opens, gives the next answer to each question, and records the
// questions and how each was drawn. Out of names or answers it cancels, and
// a dialog nobody expected is rejected, so the call ends rather than waiting
// forever.
class SaveDialogUser : public QObject
{
public:
    SaveDialogUser(const QStringList& names, const QStringList& answers) : m_names(names), m_answers(answers)
    {
        connect(&m_poll, &QTimer::timeout, this, &SaveDialogUser::Act);
        m_poll.start(10);
    }

    QStringList questions;
    // Per question: drawn as the program's questions are (frameless on its
    // own background picture, which covers it whole) over the save dialog.
    QList<bool> drawnLikeTheOthers;

private:
    void Act()
    {
        QWidget* active = QApplication::activeModalWidget();
        // A dialog that was just answered may still be the active one for a
        // moment, hidden; and an answer given waits for its dialog to close.
        if (m_answering || !active || !active->isVisible())
            return;
        std::function<void()> answer;
        if (auto* files = qobject_cast<QFileDialog*>(active)) {
            m_saveDialogArea = files->frameGeometry();
            if (m_names.isEmpty()) {
                answer = [files] { files->reject(); };
            } else {
                files->findChild<QLineEdit*>("fileNameEdit")->setText(m_names.takeFirst());
                answer = [files] { static_cast<QDialog*>(files)->accept(); };
            }
        } else if (auto* question = qobject_cast<ReplaceFile*>(active)) {
            questions << question->findChild<QLabel*>("label")->text();
            const QFrame* frame = question->findChild<QFrame*>("ReplaceFileA");
            drawnLikeTheOthers << (question->windowFlags().testFlag(Qt::FramelessWindowHint) && frame
                                   && frame->geometry() == question->rect()
                                   && frame->styleSheet().contains("BackGround.png")
                                   && m_saveDialogArea.contains(question->geometry().center()));
            const bool yes = !m_answers.isEmpty() && m_answers.takeFirst() == "Yes";
            QToolButton* button = question->findChild<QToolButton*>(yes ? "OK" : "Cancel");
            answer = [button] { button->click(); };
        } else if (auto* other = qobject_cast<QDialog*>(active)) {
            questions << other->metaObject()->className();
            drawnLikeTheOthers << false;
            answer = [other] { other->reject(); };
        } else {
            return;
        }
        // Given outside this timer's slot: a question the answer opens runs
        // its own event loop, in which this timer must go on firing.
        m_answering = true;
        QTimer::singleShot(0, this, [this, answer] {
            m_answering = false;
            answer();
        });
    }

    bool m_answering = false;
    QRect m_saveDialogArea;
    QTimer m_poll;
    QStringList m_names;
    QStringList m_answers;
};

} // namespace

class TestSaveFileDialog : public QObject
{
    Q_OBJECT

private slots:
    // The replace question names the file that will be written, and the path
    // returned is that file.
    void askedAboutTheWrittenFile_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("askedAbout");
        QTest::addColumn<QString>("written"); // empty: cancelled
        QTest::newRow("another dot, replaced") << QStringList{"my.cfg.bin"} << QStringList{"my.cfg"}
                                               << QStringList{"Yes"} << QStringList{"my.cfg.bin"} << "my.cfg.bin";
        QTest::newRow("another dot, declined, then a new name")
            << QStringList{"my.cfg.bin"} << QStringList{"my.cfg", "other"} << QStringList{"No"}
            << QStringList{"my.cfg.bin"} << "other.bin";
        QTest::newRow("the typed name exists, the written one not")
            << QStringList{"my.cfg"} << QStringList{"my.cfg"} << QStringList{} << QStringList{} << "my.cfg.bin";
        QTest::newRow("no suffix typed, replaced") << QStringList{"my.bin"} << QStringList{"my"} << QStringList{"Yes"}
                                                   << QStringList{"my.bin"} << "my.bin";
        QTest::newRow("suffix typed, declined, cancelled") << QStringList{"my.bin"} << QStringList{"my.bin"}
                                                           << QStringList{"No"} << QStringList{"my.bin"} << "";
    }
    void askedAboutTheWrittenFile()
    {
        QFETCH(QStringList, existing);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, askedAbout);
        QFETCH(QString, written);
        QTemporaryDir folder;
        for (const QString& name : existing) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        SaveDialogUser user(typed, answers);
        const QString path = AskSavePath(nullptr, "FileSave", folder.path(), "File(*.bin)", "bin");
        QCOMPARE(path, written.isEmpty() ? QString() : folder.filePath(written));
        QCOMPARE(user.questions.size(), askedAbout.size());
        for (int i = 0; i < askedAbout.size(); ++i) {
            QVERIFY2(user.questions.at(i).startsWith(askedAbout.at(i) + " "), qPrintable(user.questions.at(i)));
            QVERIFY(user.drawnLikeTheOthers.at(i));
        }
    }
};

QTEST_MAIN(TestSaveFileDialog)
#include "tst_savefiledialog.moc"
