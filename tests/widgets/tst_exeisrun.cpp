#include "common/ChildProcess.h"
#include "common/ModalDialogAnswerer.h"
#include "common/TestFolders.h"

#include "core/Startup.h"
#include "core/UserIni.h"
#include "platform/ProgramFolder.h"
#include "widgets/ExeIsRun.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <cstdio>
#include <memory>

#include <sys/stat.h>

namespace {

QByteArray Section(const QList<QPair<QString, QString>>& texts, const QString& name = "EXEIsRun")
{
    QByteArray xml = "<" + name.toUtf8() + ">";
    for (const auto& text : texts)
        xml += "<" + text.first.toUtf8() + ">" + text.second.toUtf8() + "</" + text.first.toUtf8() + ">";
    return xml + "</" + name.toUtf8() + ">";
}

QByteArray File(const QByteArray& body, const QByteArray& root = "Total")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<" + root + ">" + body + "</" + root + ">\n";
}

const QList<QPair<QString, QString>> kEnglish = {
    {"label", "Already running"}, {"label_2", "Pick a macro"}, {"NewHong", "OK"}, {"PleaseStop", "Stop first"}};
const QList<QPair<QString, QString>> kPolish = {
    {"label", "Już działa"}, {"label_2", "Wybierz makro"}, {"NewHong", "Dobrze"}, {"PleaseStop", "Najpierw zatrzymaj"}};

const char* const kRemoved = "<removed>";
const QByteArray kFifo = "<fifo>";

void SetUserLanguage(const QString& value)
{
    if (value == kRemoved)
        UserIni::GetInstance()->Remove("Language", "Language");
    else
        UserIni::GetInstance()->SetValue("Language", "Language", value);
}

QString LabelOf(ExeIsRun& notice)
{
    return notice.findChild<QLabel*>("label")->text();
}

// A start as main makes it: "hold" becomes the running instance until its
// input closes; "second" must find it running, shows the notice, answers it
// with its button and prints what it showed.
int RunChild(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc >= 1 && qstrcmp(argv[0], "hold") == 0) {
        std::puts(AnotherInstanceRunning() ? "second" : "first");
        std::fflush(stdout);
        while (std::getchar() != EOF) {
        }
        return 0;
    }
    SetProgramFolder(QUORVANE_TEST_PROGRAM_DIR);
    if (!AnotherInstanceRunning())
        return 2;
    ModalDialogAnswerer answerer({"NewHong"});
    const int exitCode = ShowAlreadyRunningNotice();
    for (const ModalDialogRecord& record : answerer.Records())
        std::printf("%s\n%s\n", qPrintable(record.className), record.texts.value("label").toUtf8().constData());
    return exitCode;
}

} // namespace

class TestExeIsRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        UseTemporaryFolders();
        QVERIFY(CopyShippedFiles("Picture/WarningDialog"));
    }

    void texts_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("content"); // kFifo: a FIFO in place of the file
        QTest::addColumn<bool>("englishFile");
        QTest::addColumn<QStringList>("expected"); // label, NewHong, label_2, PleaseStop

        const QString polish = "5-Polish.xml";
        const QStringList english = {"Already running", "OK", "Pick a macro", "Stop first"};
        const QStringList polishTexts = {"Już działa", "Dobrze", "Wybierz makro", "Najpierw zatrzymaj"};
        const QStringList builtIn = {"Quorvane is already running", "OK", "Please select a macro first",
                                     "Please stop the recording first"};

        QTest::newRow("1 is Polish") << "1" << polish << File(Section(kPolish)) << true << polishTexts;
        for (const char* value : {kRemoved, "", "x1", "-1", "6"})
            QTest::addRow("\"%s\" is English", value) << value << QString() << QByteArray() << true << english;
        QTest::newRow("3 without its file") << "3" << QString() << QByteArray() << true << english;
        QTest::newRow("1 without its file") << "1" << QString() << QByteArray() << true << english;
        QTest::newRow("1 without its file or the English one")
            << "1" << QString() << QByteArray() << false << builtIn;
        QTest::newRow("0 without its file") << "0" << QString() << QByteArray() << false << builtIn;
        QTest::newRow("1 with a FIFO as its file") << "1" << polish << kFifo << true << english;
        QTest::newRow("0 with a FIFO as its file") << "0" << "0-English.xml" << kFifo << true << builtIn;
        QTest::newRow("any order, other sections and elements skipped")
            << "1" << polish
            << File(Section({{"label", "Makro"}}, "Macro")
                    + Section({{"PleaseStop", "Najpierw zatrzymaj"}, {"Unknown", "x"}, {"NewHong", "Dobrze"},
                               {"label_2", "Wybierz makro"}, {"label", "Już działa"}}))
            << true << polishTexts;
        QTest::newRow("without label_2 and PleaseStop")
            << "1" << polish << File(Section({{"label", "Już działa"}, {"NewHong", "Dobrze"}})) << true
            << QStringList{"Już działa", "Dobrze", "Pick a macro", "Stop first"};
        QTest::newRow("without label_2, English file missing")
            << "1" << polish << File(Section({{"label", "Już działa"}, {"NewHong", "Dobrze"}})) << false
            << QStringList{"Już działa", "Dobrze", "Please select a macro first", "Please stop the recording first"};
        QTest::newRow("root Profile") << "1" << polish << File(Section(kPolish), "Profile") << true << english;
        QTest::newRow("the later section wins")
            << "1" << polish
            << File(Section(kEnglish) + Section({{"label", "Później"}, {"NewHong", "Tak"}})) << true
            << QStringList{"Później", "Tak", "Pick a macro", "Stop first"};
        QTest::newRow("broken after the label")
            << "1" << polish << QByteArray("<Total><EXEIsRun><label>Już działa</label><NewHong>Do<b>x</b>brze<<")
            << true << QStringList{"Już działa", "Do", "Pick a macro", "Stop first"};
    }

    // The notice reads its section from the language file of the user's
    // language; what that file does not give comes from the English file,
    // else from the built-in English words, never from the form's
    // placeholders.
    void texts()
    {
        QFETCH(QString, language);
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        QFETCH(bool, englishFile);
        QFETCH(QStringList, expected);

        QDir(ProgramFolder() + "/Language").removeRecursively();
        QVERIFY(QDir().mkpath(ProgramFolder() + "/Language"));
        if (englishFile)
            WriteProgramFile("Language/0-English.xml", File(Section(kEnglish)));
        const QString path = ProgramFolder() + "/Language/" + fileName;
        if (!fileName.isEmpty() && content == kFifo) {
            QFile::remove(path);
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (!fileName.isEmpty()) {
            WriteProgramFile("Language/" + fileName, content);
        }
        SetUserLanguage(language);

        ExeIsRun notice;
        QCOMPARE(LabelOf(notice), expected.at(0));
        QCOMPARE(notice.findChild<QToolButton*>("NewHong")->text(), expected.at(1));
        notice.ShowLabel2Text();
        QCOMPARE(LabelOf(notice), expected.at(2));
        notice.ShowPleaseStopText();
        QCOMPARE(LabelOf(notice), expected.at(3));
    }

    // A second start while the first runs shows the notice in the user's
    // language from the shipped files and, once it is closed, ends with 1:
    // a script can tell that the start was refused.
    void secondStartShowsTheNotice()
    {
        QTemporaryDir dataHome;
        QVERIFY(dataHome.isValid());
        QDir().mkpath(dataHome.path() + "/Quorvane");
        QFile settings(dataHome.path() + "/Quorvane/Macro.ini");
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[Language]\nLanguage=1\n");
        settings.close();

        std::unique_ptr<QProcess> first(StartChild({"hold"}, dataHome.path()));
        QVERIFY(first->waitForReadyRead());
        QCOMPARE(QString::fromLatin1(first->readLine()).trimmed(), QString("first"));

        std::unique_ptr<QProcess> second(StartChild({"second"}, dataHome.path()));
        QVERIFY(second->waitForFinished());
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 1);
        const QStringList shown = QString::fromUtf8(second->readAllStandardOutput()).split('\n');
        QCOMPARE(shown.value(0), QString("ExeIsRun"));

        // The same notice here, from the shipped Polish file.
        QDir(ProgramFolder() + "/Language").removeRecursively();
        QVERIFY(CopyShippedFiles("Language"));
        SetUserLanguage("1");
        ExeIsRun notice;
        QVERIFY(LabelOf(notice) != "Confirm Delete");
        QCOMPARE(shown.value(1), LabelOf(notice));

        first->closeWriteChannel();
        QVERIFY(first->waitForFinished());
    }
};

QUORVANE_TEST_MAIN_WITH_CHILD_APP(TestExeIsRun, RunChild, QApplication)

#include "tst_exeisrun.moc"
