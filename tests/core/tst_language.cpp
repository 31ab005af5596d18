#include "core/LanguageLoader.h"
#include "core/LanguageSections.h"
#include "core/LanguageTables.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using Rows = QList<QStringList>;

namespace {

QString Total(const QString& sections)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Total>" + sections + "</Total>\n";
}

QString MouseOffLine(const QString& label, const QString& timeout, const QString& button)
{
    return "<MouseOffLine><label>" + label + "</label><Timeout>" + timeout + "</Timeout><NewHong>" + button
           + "</NewHong></MouseOffLine>";
}

const QString NetFile = "<Profile><English><CompanyName>n</CompanyName><CompanyNameCn>c</CompanyNameCn>"
                        "<CompanyWebcn>w</CompanyWebcn><CompanyWeben>e</CompanyWeben></English></Profile>";

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_Folder;

    void WriteLanguageFile(const QString& name, const QString& content)
    {
        if (content.isNull())
            return;
        QFile file(m_Folder->path() + "/Language/" + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content.toUtf8());
    }

private slots:
    void init()
    {
        for (const LanguageSection& section : LanguageSections())
            section.table->clear();
        g_LanguageIndex = 0;
        m_Folder = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(m_Folder->path()).mkdir("Language"));
        SetProgramFolder(m_Folder->path());
    }

    void cleanupTestCase() { SetProgramFolder(QString()); }

    void shippedFilesLoadCompletely()
    {
        SetProgramFolder(QUORVANE_TEST_SOURCE_DIR "/programfolder");
        LoadLanguageFiles();
        QCOMPARE(LanguageSections().size(), 37);
        for (const LanguageSection& section : LanguageSections()) {
            const int languages = section.name == "English" ? 1 : 2;
            QVERIFY2(section.table->size() == languages, qPrintable(section.name));
            for (const QStringList& row : *section.table)
                QVERIFY2(row.size() == section.elements.size(), qPrintable(section.name));
        }
    }

    // Texts that other code compares with each other must agree in every language.
    void shippedTextsThatWorkTogether()
    {
        SetProgramFolder(QUORVANE_TEST_SOURCE_DIR "/programfolder");
        LoadLanguageFiles();
        for (int language = 0; language < 2; ++language) {
            const QStringList& buttons = g_LangTextsButtoninterface.at(language);
            const QStringList& macro = g_LangTextsMacro.at(language);
            // The button page finds the key of a deleted macro by the macro page's prefix.
            QCOMPARE(macro.at(24), buttons.at(55));
            // The key selectors start with the names of the functions they show.
            for (int k = 0; k < 5; ++k)
                QCOMPARE(buttons.at(4 + k), buttons.at(10 + k));
            QCOMPARE(buttons.at(9), buttons.at(29));
            // Mouse-button names stand in macro event rows, where "ms" marks a delay row.
            const QStringList mouseButtons = macro.mid(18, 5);
            QCOMPARE(QSet<QString>(mouseButtons.begin(), mouseButtons.end()).size(), 5);
            for (const QString& name : mouseButtons)
                QVERIFY2(!name.isEmpty() && !name.contains("ms"), qPrintable(name));
            // The replace question names the file where its text holds %1.
            QVERIFY(g_LangTextsReplaceFile.at(language).at(0).contains("%1"));
        }
    }

    void sectionRows_data()
    {
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("polish");
        QTest::addColumn<Rows>("mouseOffLine");
        QTest::addColumn<Rows>("groupKey");

        const QString polish = Total(MouseOffLine("x", "y", "z"));
        QTest::newRow("one row per file") << Total(MouseOffLine("a", "b", "c")) << polish
                                          << Rows{{"a", "b", "c"}, {"x", "y", "z"}} << Rows{};
        QTest::newRow("no completing element, no row")
            << Total("<MouseOffLine><label>a</label><Timeout>b</Timeout></MouseOffLine>") << polish
            << Rows{{"x", "y", "z"}} << Rows{};
        QTest::newRow("completing element twice")
            << Total("<MouseOffLine><label>a</label><NewHong>c</NewHong><Timeout>b</Timeout>"
                     "<NewHong>d</NewHong><label>dropped</label></MouseOffLine>")
            << Total(QString()) << Rows{{"a", "c"}, {"a", "c", "b", "d"}} << Rows{};
        QTest::newRow("section twice") << Total(MouseOffLine("a", "b", "c") + MouseOffLine("d", "e", "f")) << polish
                                       << Rows{{"a", "b", "c"}, {"d", "e", "f"}, {"x", "y", "z"}} << Rows{};
        QTest::newRow("unknown elements and sections skipped")
            << Total("<Unknown>" + MouseOffLine("u", "u", "u") + "</Unknown>"
                     "<MouseOffLine><label>a</label><Extra><label>z</label></Extra>"
                     "<Timeout>b</Timeout><NewHong>c</NewHong></MouseOffLine>")
            << Total(QString()) << Rows{{"a", "b", "c"}} << Rows{};
        QTest::newRow("section names are case-sensitive")
            << Total("<groupkey><label>l</label><NewHong>o</NewHong><NewHong_2>c</NewHong_2></groupkey>"
                     "<groupKey><label>L</label><NewHong>O</NewHong><NewHong_2>C</NewHong_2></groupKey>")
            << Total(QString()) << Rows{} << Rows{{"L", "O", "C"}};
        QTest::newRow("broken file keeps its rows, next file is read")
            << Total(MouseOffLine("a", "b", "c") + "<groupKey><label>g</label><NewHong>h</oops>")
            << Total(MouseOffLine("x", "y", "z") + "<groupKey><label>p</label><NewHong>q</NewHong>"
                                                   "<NewHong_2>r</NewHong_2></groupKey>")
            << Rows{{"a", "b", "c"}, {"x", "y", "z"}} << Rows{{"p", "q", "r"}};
        QTest::newRow("element inside the completing element still completes the row")
            << Total(MouseOffLine("a", "b", "c<b>x</b>") + MouseOffLine("lost", "lost", "lost")) << polish
            << Rows{{"a", "b", "c"}, {"x", "y", "z"}} << Rows{};
        QTest::newRow("wrong root rejects the file")
            << QString("<Profile>" + MouseOffLine("a", "b", "c") + "</Profile>") << polish << Rows{{"x", "y", "z"}}
            << Rows{};
        QTest::newRow("texts as written")
            << Total("<MouseOffLine><label>  le<!-- note -->ad </label>"
                     "<Timeout><![CDATA[<b>]]> &amp;\r\nmore</Timeout><NewHong/></MouseOffLine>")
            << Total(QString()) << Rows{{"  lead ", "<b> &\nmore", ""}} << Rows{};
    }

    void sectionRows()
    {
        QFETCH(QString, english);
        QFETCH(QString, polish);
        QFETCH(Rows, mouseOffLine);
        QFETCH(Rows, groupKey);
        WriteLanguageFile("0-English.xml", english);
        WriteLanguageFile("5-Polish.xml", polish);
        LoadLanguageFiles();
        QCOMPARE(g_LangTextsMouseOffLine, mouseOffLine);
        QCOMPARE(g_LangTextsGroupKey, groupKey);
    }

    void missingFileEndsTheLoading_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<bool>("polish");
        QTest::addColumn<int>("languageRows");
        QTest::addColumn<int>("companyRows");
        QTest::newRow("all present") << true << true << 2 << 1;
        QTest::newRow("English missing") << false << true << 0 << 0;
        QTest::newRow("Polish missing") << true << false << 1 << 0;
    }

    void missingFileEndsTheLoading()
    {
        QFETCH(bool, english);
        QFETCH(bool, polish);
        QFETCH(int, languageRows);
        QFETCH(int, companyRows);
        if (english)
            WriteLanguageFile("0-English.xml", Total(MouseOffLine("a", "b", "c")));
        if (polish)
            WriteLanguageFile("5-Polish.xml", Total(MouseOffLine("x", "y", "z")));
        WriteLanguageFile("Net.xml", NetFile);
        LoadLanguageFiles();
        QCOMPARE(g_LangTextsMouseOffLine.size(), languageRows);
        QCOMPARE(g_LangTextsCompanyInfo.size(), companyRows);
    }

    void languageTextFallsBack_data()
    {
        QTest::addColumn<Rows>("table");
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("expected");
        const Rows both{{"e0", "e1"}, {"p0"}};
        QTest::newRow("current row") << both << 1 << 0 << "p0";
        QTest::newRow("short current row takes English") << both << 1 << 1 << "e1";
        QTest::newRow("missing row takes English") << Rows{{"e0"}} << 1 << 0 << "e0";
        QTest::newRow("negative language takes English") << both << -1 << 0 << "e0";
        QTest::newRow("past every row") << both << 1 << 2 << "form";
        QTest::newRow("negative position") << both << 0 << -1 << "form";
        QTest::newRow("empty table") << Rows{} << 0 << 0 << "form";
    }

    void languageTextFallsBack()
    {
        QFETCH(Rows, table);
        QFETCH(int, language);
        QFETCH(int, k);
        QFETCH(QString, expected);
        g_LanguageIndex = language;
        QCOMPARE(LanguageText(table, k, "form"), expected);
    }
};

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
