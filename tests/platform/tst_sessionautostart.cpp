#include "platform/SessionAutostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// What desktop-file-validate (desktop-file-utils) says of a file: empty when
// it finds nothing wrong.
QString ValidationErrors(const QString& path)
{
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (validator.isEmpty())
        return "desktop-file-validate is missing: tools/prepare.sh installs desktop-file-utils";
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(validator, {path});
    if (!process.waitForFinished())
        return "desktop-file-validate did not finish";
    const QString output = QString::fromUtf8(process.readAll());
    return process.exitCode() == 0 ? QString() : output;
}

QByteArray FileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& content)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class TestSessionAutostart : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_Config;

    QString AutostartFolder() const { return m_Config->path() + "/autostart"; }

private slots:
    void init()
    {
        m_Config = std::make_unique<QTemporaryDir>();
        QVERIFY(m_Config->isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_Config->path()));
    }

    void cleanup() { m_Config.reset(); }

    void entryIsWrittenWholeAndRemoved()
    {
        const QString path = SessionAutostartEntryPath();
        QCOMPARE(path, AutostartFolder() + "/quorvane.desktop");
        QVERIFY(!SessionAutostartEnabled());

        // The autostart folder need not exist yet.
        QVERIFY(SetSessionAutostart(true) == SessionAutostartResult::Done);
        QVERIFY(SessionAutostartEnabled());
        const QByteArray entry = FileContent(path);
        const QString program = QCoreApplication::applicationFilePath();
        QVERIFY(QDir::isAbsolutePath(program));
        for (const QString& line : {QString("[Desktop Entry]"), QString("Type=Application"), QString("Name=Quorvane"),
                                    "Exec=\"" + program + "\"", QString("X-GNOME-Autostart-enabled=true")})
            QVERIFY2(entry.split('\n').contains(line.toUtf8()), qPrintable(line));
        QCOMPARE(ValidationErrors(path), QString());
        // Written in one piece: nothing else is left in the folder.
        QCOMPARE(QDir(AutostartFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{"quorvane.desktop"});

        QVERIFY(SetSessionAutostart(false) == SessionAutostartResult::Done);
        QVERIFY(!QFile::exists(path));
        QVERIFY(!SessionAutostartEnabled());
        QVERIFY(SetSessionAutostart(false) == SessionAutostartResult::Done);
    }

    // The path is one quoted argument: '%' doubled, '"', '`', '$' and '\'
    // escaped by the quoting rule, then backslashes and tabs escaped again as
    // in any string value.
    void execQuotesTheProgramPath_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << "/opt/Quorvane/Quorvane" << R"("/opt/Quorvane/Quorvane")";
        QTest::newRow("spaces") << "/home/a b/My Programs/Quorvane" << R"("/home/a b/My Programs/Quorvane")";
        QTest::newRow("percent") << "/opt/100%/Quorvane" << R"("/opt/100%%/Quorvane")";
        QTest::newRow("shell characters") << R"(/opt/a"b\c$HOME`id`;|&<>'*?#()~/Q)"
                                          << R"("/opt/a\\"b\\\\c\\$HOME\\`id\\`;|&<>'*?#()~/Q")";
        QTest::newRow("tab") << "/opt/a\tb/Q" << R"("/opt/a\tb/Q")";
        QTest::newRow("not ASCII") << QString::fromUtf8("/home/zażółć/Quorvane") << QString::fromUtf8(R"("/home/zażółć/Quorvane")");
    }

    void execQuotesTheProgramPath()
    {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        const QByteArray entry = SessionAutostartEntry(program);
        QVERIFY2(entry.split('\n').contains(("Exec=" + exec).toUtf8()), entry.constData());
        const QString path = m_Config->path() + "/check.desktop";
        WriteFile(path, entry);
        QCOMPARE(ValidationErrors(path), QString());
    }

    void pathWithControlCharacterGivesNoEntry()
    {
        QCOMPARE(SessionAutostartEntry("/opt/a\x07" "b/Quorvane"), QByteArray());
    }

    // An entry that starts something else (a wrapper the user wrote) is not
    // ours: it does not tick the box and is neither replaced nor removed.
    // Ours, switched off by the desktop, does not count either; setting it up
    // again replaces it.
    void onlyOurSwitchedOnEntryCounts_data()
    {
        const QByteArray ours = SessionAutostartEntry(QCoreApplication::applicationFilePath());
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<bool>("ours");
        QTest::newRow("another program") << QByteArray("[Desktop Entry]\nType=Application\nName=Other\n"
                                                       "Exec=/usr/bin/other\n") << false;
        QTest::newRow("ours in another group") << QByteArray("[Other Group]\n" + ours.mid(ours.indexOf('\n') + 1))
                                                << false;
        QTest::newRow("hidden") << ours + "Hidden=true\n" << true;
        QTest::newRow("switched off") << QByteArray(ours).replace("X-GNOME-Autostart-enabled=true",
                                                                  "X-GNOME-Autostart-enabled=false")
                                      << true;
    }

    void onlyOurSwitchedOnEntryCounts()
    {
        QFETCH(QByteArray, entry);
        QFETCH(bool, ours);
        const SessionAutostartResult expected = ours ? SessionAutostartResult::Done : SessionAutostartResult::ForeignEntry;
        const QString path = SessionAutostartEntryPath();
        WriteFile(path, entry);
        QVERIFY(!SessionAutostartEnabled());
        QVERIFY(SetSessionAutostart(false) == expected);
        QCOMPARE(QFile::exists(path), !ours);

        QVERIFY(SetSessionAutostart(true) == expected);
        QCOMPARE(SessionAutostartEnabled(), ours);
        if (!ours)
            QCOMPARE(FileContent(path), entry);
    }

    void entryFollowsTheBaseDirectoryRules()
    {
        QTemporaryDir home;
        const QByteArray previousHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        const QString fallback = home.path() + "/.config/autostart/quorvane.desktop";
        qunsetenv("XDG_CONFIG_HOME");
        QCOMPARE(SessionAutostartEntryPath(), fallback);
        qputenv("XDG_CONFIG_HOME", "");
        QCOMPARE(SessionAutostartEntryPath(), fallback);
        // A relative folder is ignored, as freedesktop desktops ignore it.
        qputenv("XDG_CONFIG_HOME", "relative/config");
        QCOMPARE(SessionAutostartEntryPath(), fallback);
        QVERIFY(SetSessionAutostart(true) == SessionAutostartResult::Done);
        QVERIFY(QFile::exists(fallback));
        qputenv("HOME", previousHome);
    }

    void unwritableFolderIsReported()
    {
        // A file stands where the autostart folder should be.
        WriteFile(AutostartFolder(), "not a folder");
        QVERIFY(SetSessionAutostart(true) == SessionAutostartResult::NotWritten);
        QVERIFY(!SessionAutostartEnabled());
        QCOMPARE(SessionAutostartFolder(), AutostartFolder());
    }
};

QTEST_GUILESS_MAIN(TestSessionAutostart)
#include "tst_sessionautostart.moc"
