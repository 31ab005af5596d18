#include "platform/ProgramFolder.h"
#include "platform/UserDataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>

class TestFolders : public QObject
{
    Q_OBJECT

private slots:
    void userDataFolderFollowsXdgDataHomeAndOverride()
    {
        qputenv("XDG_DATA_HOME", "/tmp/quorvane-xdg");
        QCOMPARE(UserDataFolder(), QString("/tmp/quorvane-xdg/Quorvane"));
        SetUserDataFolder("/tmp/elsewhere");
        QCOMPARE(UserDataFolder(), QString("/tmp/elsewhere"));
        SetUserDataFolder(QString());
        // Relative folders are ignored, as freedesktop desktops ignore them.
        qputenv("XDG_DATA_HOME", "relative/data");
        QCOMPARE(UserDataFolder(), QDir::homePath() + "/.local/share/Quorvane");
        qunsetenv("XDG_DATA_HOME");
        QCOMPARE(UserDataFolder(), QDir::homePath() + "/.local/share/Quorvane");
    }

    void programFolderDefaultsToTheExecutablesFolder()
    {
        QCOMPARE(ProgramFolder(), QCoreApplication::applicationDirPath());
        SetProgramFolder(QUORVANE_TEST_PROGRAM_DIR);
        QCOMPARE(ProgramFolder(), QString(QUORVANE_TEST_PROGRAM_DIR));
    }
};

QTEST_GUILESS_MAIN(TestFolders)
#include "tst_folders.moc"
