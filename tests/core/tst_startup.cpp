#include "common/ChildProcess.h"
#include "common/ProgramFiles.h"
#include "common/SavedEnvironment.h"

#include "core/ConfigIni.h"
#include "core/LanguageLoader.h"
#include "core/LanguageTables.h"
#include "core/Startup.h"
#include "core/UserIni.h"
#include "device/FirmwareImages.h"
#include "platform/ProgramFolder.h"
#include "platform/RegistryValues.h"
#include "platform/UserDataFolder.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>
#include <signal.h>
#include <sys/stat.h>

namespace {
// A start as far as the single-instance test: prints "first" or "second".
// With "hold" a first instance keeps running until its input closes.
int InstanceChild(int argc, char* argv[])
{
    const bool hold = argc >= 1 && qstrcmp(argv[0], "hold") == 0;
    const bool other = AnotherInstanceRunning();
    std::puts(other ? "second" : "first");
    std::fflush(stdout);
    if (hold && !other) {
        while (std::getchar() != EOF) {
        }
    }
    return 0;
}

// A start as far as the settings stores: prints the language of the per-user
// settings, the legacy language index of the registry and whether a new
// language reached the per-user settings, then stores a registry value.
int SettingsChild()
{
    PrepareUserDataFolder();
    const QString key = "HKEY_CURRENT_USER\\Software\\Quorvane\\Quorvane\\Quorvane";
    const QString language = UserIni::GetInstance()->Value("Language", "Language");
    const int legacyLanguage = RegistryValue(key, "LanguageIndex", 0).toInt();
    const bool stored = UserIni::GetInstance()->SetValue("Language", "Language", "1");
    SetRegistryValue(key, "LanguageIndex", 1);
    std::printf("%s|%d|%d\n", qPrintable(language), legacyLanguage, stored ? 1 : 0);
    return 0;
}

// The identity of the mouse image that the program folder below holds.
const FirmwareImageFields kMouseImage{210, 12, 3, 0x0105, "MOUSE"};

// A start as far as the files of the program folder: prints the number of
// models of the device description, the rows of one language table and
// whether the firmware image was found.
int ProgramFolderChild(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    SetProgramFolder(QFile::decodeName(argv[1]));
    const QString models = ConfigIni::GetInstance()->Value("Option", "DeviceTotal");
    LoadLanguageFiles();
    const bool image = FindRepairFirmwareImage(kMouseImage.target, QString(), QString::fromLatin1(kMouseImage.name),
                                               kMouseImage.cid, kMouseImage.mid);
    std::printf("%s|%d|%d\n", qPrintable(models), int(g_LangTextsSettingNotSaved.size()), image ? 1 : 0);
    return 0;
}

int ChildMain(int argc, char* argv[])
{
    if (argc >= 1 && qstrcmp(argv[0], "settings") == 0)
        return SettingsChild();
    if (argc >= 2 && qstrcmp(argv[0], "programfolder") == 0)
        return ProgramFolderChild(argc, argv);
    return InstanceChild(argc, argv);
}

QString ProbeInstance(const QString& dataHome)
{
    std::unique_ptr<QProcess> probe(StartChild({"probe"}, dataHome));
    probe->waitForFinished();
    return QString::fromLatin1(probe->readAllStandardOutput()).trimmed();
}

void WriteFile(const QString& path, const QByteArray& content, const QDateTime& modified)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.flush(); // or the write at close would set the time again
    QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
}
}

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_Data = std::make_unique<QTemporaryDir>();
        QVERIFY(m_Data->isValid());
        SetUserDataFolder(m_Data->path() + "/Quorvane");
    }

    void firstStartCreatesFoldersAndEmptyUserSettings()
    {
        PrepareUserDataFolder();
        const QString base = UserDataFolder();
        for (const char* folder : {"Log", "Device_Info", "Exception", "usersetting",
                                   "usersetting/MainPage", "usersetting/MacroPage",
                                   "usersetting/SensorPage"})
            QVERIFY2(QDir(base + "/" + folder).exists(), folder);
        QVERIFY(QFile::exists(base + "/Macro.ini"));
        QCOMPARE(QFileInfo(base + "/Macro.ini").size(), qint64(0));
    }

    void laterStartKeepsUserSettings()
    {
        PrepareUserDataFolder();
        const QString path = UserDataFolder() + "/Macro.ini";
        const QByteArray settings = "[Language]\nLanguage=1\n";
        WriteFile(path, settings, QDateTime::currentDateTime().addDays(-30));
        PrepareUserDataFolder();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), settings);
    }

    // A settings file that cannot be made does not stop the start; it is logged.
    void unmadeUserSettingsAreLogged()
    {
        QFile blocker(m_Data->filePath("file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        SetUserDataFolder(m_Data->filePath("file/Quorvane"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("settings file .* could not be made"));
        PrepareUserDataFolder();
        QVERIFY(!QFileInfo(UserDataFolder() + "/Macro.ini").exists());
    }

    void purgeByWholeDays_data()
    {
        QTest::addColumn<qint64>("ageSeconds");
        QTest::addColumn<bool>("stays");
        QTest::newRow("fresh") << qint64(0) << true;
        QTest::newRow("7 days 23 hours") << qint64(7 * 86400 + 23 * 3600) << true;
        QTest::newRow("one second short of 8 days") << qint64(691199) << true;
        QTest::newRow("exactly 691,200 s") << qint64(691200) << false;
        QTest::newRow("30 days") << qint64(30 * 86400) << false;
        QTest::newRow("modified in the future") << qint64(-9 * 86400) << true;
    }

    void purgeByWholeDays()
    {
        QFETCH(qint64, ageSeconds);
        QFETCH(bool, stays);
        const QDateTime now = QDateTime::currentDateTime();
        const QString path = m_Data->filePath("file.txt");
        WriteFile(path, "x", now.addSecs(-ageSeconds));
        PurgeOldFiles(m_Data->path(), now);
        QCOMPARE(QFile::exists(path), stays);
    }

    void purgeKeepsSubfoldersAndOtherFolders()
    {
        PrepareUserDataFolder();
        const QString base = UserDataFolder();
        const QDateTime old = QDateTime::currentDateTime().addDays(-40);
        QDir().mkpath(base + "/Exception/kept");
        WriteFile(base + "/Exception/kept/inner.dmp", "x", old);
        WriteFile(base + "/Log/old.txt", "x", old);
        WriteFile(base + "/Exception/old.dmp", "x", old);
        WriteFile(base + "/Device_Info/Device_C1_M03.bin", "x", old);
        WriteFile(base + "/usersetting/MacroPage/Fire.ini", "x", old);

        PrepareUserDataFolder();
        QVERIFY(!QFile::exists(base + "/Log/old.txt"));
        QVERIFY(!QFile::exists(base + "/Exception/old.dmp"));
        QVERIFY(QFile::exists(base + "/Exception/kept/inner.dmp"));
        QVERIFY(QFile::exists(base + "/Device_Info/Device_C1_M03.bin"));
        QVERIFY(QFile::exists(base + "/usersetting/MacroPage/Fire.ini"));
    }

    void secondInstanceRefusedUntilFirstEnds_data()
    {
        QTest::addColumn<bool>("killed");
        QTest::newRow("first instance ends") << false;
        QTest::newRow("first instance killed") << true;
    }

    void secondInstanceRefusedUntilFirstEnds()
    {
        QFETCH(bool, killed);
        std::unique_ptr<QProcess> first(StartChild({"hold"}, m_Data->path()));
        QVERIFY(first->waitForReadyRead());
        QCOMPARE(QString::fromLatin1(first->readLine()).trimmed(), QString("first"));

        QCOMPARE(ProbeInstance(m_Data->path()), QString("second"));

        if (killed)
            ::kill(static_cast<pid_t>(first->processId()), SIGKILL);
        else
            first->closeWriteChannel();
        QVERIFY(first->waitForFinished());
        QCOMPARE(first->exitStatus(), killed ? QProcess::CrashExit : QProcess::NormalExit);

        QCOMPARE(ProbeInstance(m_Data->path()), QString("first"));
    }

    void anOddEntryAtASettingsStoreIsLeftAlone_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("kind"); // what stands there: fifo, folder, or a lock held by this process
        QTest::addColumn<QString>("printed");
        QTest::addColumn<QString>("logged"); // once, however often the store is used
        const QString notRegular = "is not a regular file";
        const QString held = "stays held by another process";
        for (const char* kind : {"fifo", "folder"}) {
            const QByteArray tag = QByteArray(kind) + " at ";
            QTest::newRow(tag + "Macro.ini.lock") << "data/Quorvane/Macro.ini.lock" << kind << "|0|0" << notRegular;
            QTest::newRow(tag + "Registry.ini.lock")
                << "config/Quorvane/Registry.ini.lock" << kind << "|0|1" << notRegular;
        }
        QTest::newRow("fifo at Macro.ini") << "data/Quorvane/Macro.ini" << "fifo" << "|0|0" << notRegular;
        QTest::newRow("fifo at Registry.ini") << "config/Quorvane/Registry.ini" << "fifo" << "|0|1" << notRegular;
        QTest::newRow("Macro.ini.lock held") << "data/Quorvane/Macro.ini.lock" << "held" << "|0|0" << held;
        QTest::newRow("Registry.ini.lock held") << "config/Quorvane/Registry.ini.lock" << "held" << "|0|1" << held;
    }

    // A FIFO (whose open blocks for ever), a folder (at a lock, QSettings
    // retries for ever) or a lock that another live process keeps: the start
    // goes on with the store's defaults and refuses its changes in bounded
    // time, logs why once and leaves the entry where it is.
    void anOddEntryAtASettingsStoreIsLeftAlone()
    {
        QFETCH(QString, entry);
        QFETCH(QString, kind);
        QFETCH(QString, printed);
        QFETCH(QString, logged);
        const SavedEnvironment saved({"XDG_CONFIG_HOME"});
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_Data->filePath("config")));
        const QString path = m_Data->filePath(entry);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QLockFile heldLock(path);
        if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == "folder")
            QVERIFY(QDir().mkpath(path));
        else
            QVERIFY(heldLock.tryLock(0));

        std::unique_ptr<QProcess> start(StartChild({"settings"}, m_Data->filePath("data")));
        QVERIFY(start->waitForFinished(15000));
        QCOMPARE(start->exitCode(), 0);
        QCOMPARE(QString::fromUtf8(start->readAllStandardOutput()).trimmed(), printed);
        QCOMPARE(QString::fromUtf8(start->readAllStandardError()).count(logged), 1);
        struct stat status {};
        QCOMPARE(::lstat(QFile::encodeName(path).constData(), &status), 0);
        QVERIFY(kind == "fifo" ? S_ISFIFO(status.st_mode) : kind == "folder" ? S_ISDIR(status.st_mode)
                                                                             : S_ISREG(status.st_mode));
    }

    void anOddEntryInTheProgramFolderIsPassedOver_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("linked"); // a link to a FIFO, else the FIFO itself
        QTest::addColumn<QString>("printed");
        QTest::newRow("none") << QString() << false << "2|2|1";
        QTest::newRow("FIFO as Config.ini") << "usersetting/Config.ini" << false << "|2|1";
        QTest::newRow("FIFO as a language file") << "Language/0-English.xml" << false << "2|0|1";
        QTest::newRow("link to a FIFO in bin") << "bin/b.bin" << true << "2|2|1";
    }

    // Whose open would block the start for ever: taken as a missing file
    // (the device description, a language file) or an unreadable one (an
    // image among the others).
    void anOddEntryInTheProgramFolderIsPassedOver()
    {
        QFETCH(QString, entry);
        QFETCH(bool, linked);
        QFETCH(QString, printed);
        const QString folder = m_Data->filePath("program");
        SetProgramFolder(folder);
        WriteConfigIni("[Option]\nDeviceTotal=2\n");
        const LanguageFileSection section{"SettingNotSaved", {{"label", "text"}, {"NewHong", "OK"}}};
        WriteLanguageFile("0-English.xml", {section});
        WriteLanguageFile("5-Polish.xml", {section});
        WriteLanguageFile("Net.xml", {}, "Profile");
        WriteFirmwareImage("a.bin", kMouseImage);
        SetProgramFolder(QString());
        if (!entry.isEmpty()) {
            const QString path = folder + "/" + entry;
            const QString fifo = linked ? m_Data->filePath("fifo") : path;
            QVERIFY(QDir().mkpath(QFileInfo(path).path()));
            QFile::remove(path);
            QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
            if (linked)
                QVERIFY(QFile::link(fifo, path));
        }

        std::unique_ptr<QProcess> start(StartChild({"programfolder", folder}, m_Data->filePath("data")));
        QVERIFY(start->waitForFinished(15000));
        QCOMPARE(QString::fromUtf8(start->readAllStandardOutput()).trimmed(), printed);
    }

    // A user may keep the per-user settings elsewhere behind a link: they are
    // read and written through it, and the link stays.
    void aLinkedSettingsStoreIsReadAndWritten()
    {
        const SavedEnvironment saved({"XDG_CONFIG_HOME"});
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_Data->filePath("config")));
        const QString target = m_Data->filePath("elsewhere/Macro.ini");
        QVERIFY(QDir().mkpath(QFileInfo(target).path()));
        QFile kept(target);
        QVERIFY(kept.open(QIODevice::WriteOnly));
        kept.write("[Language]\nLanguage=5\n");
        kept.close();
        const QString link = m_Data->filePath("data/Quorvane/Macro.ini");
        QVERIFY(QDir().mkpath(QFileInfo(link).path()));
        QVERIFY(QFile::link(target, link));

        std::unique_ptr<QProcess> start(StartChild({"settings"}, m_Data->filePath("data")));
        QVERIFY(start->waitForFinished());
        QCOMPARE(QString::fromUtf8(start->readAllStandardOutput()).trimmed(), QString("5|0|1"));
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QVERIFY(kept.readAll().contains("Language=1"));
    }

    void environmentDefaultsKeepWhatTheUserSet_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("userSet");
        QTest::addColumn<QByteArray>("userValue");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray gl("QT_XCB_GL_INTEGRATION");
        const QByteArray zone("TZ");
        QTest::newRow("GL not set") << gl << false << QByteArray() << QByteArray("none");
        QTest::newRow("user's GLX") << gl << true << QByteArray("xcb_glx") << QByteArray("xcb_glx");
        QTest::newRow("user's empty GL value") << gl << true << QByteArray() << QByteArray();
#ifndef Q_OS_WIN
        QTest::newRow("zone not set") << zone << false << QByteArray() << QByteArray(":/etc/localtime");
        QTest::newRow("user's zone") << zone << true << QByteArray("Europe/Warsaw") << QByteArray("Europe/Warsaw");
#endif
    }

    void environmentDefaultsKeepWhatTheUserSet()
    {
        QFETCH(QByteArray, name);
        QFETCH(bool, userSet);
        QFETCH(QByteArray, userValue);
        QFETCH(QByteArray, expected);
        const SavedEnvironment saved({"QT_XCB_GL_INTEGRATION", "TZ"});
        if (userSet)
            qputenv(name, userValue);
        else
            qunsetenv(name);

        UseQuickStartEnvironment();
        QVERIFY(qEnvironmentVariableIsSet(name));
        QCOMPARE(qgetenv(name), expected);
    }

private:
    std::unique_ptr<QTemporaryDir> m_Data;
};

QUORVANE_TEST_MAIN_WITH_CHILD(TestStartup, ChildMain)
#include "tst_startup.moc"
