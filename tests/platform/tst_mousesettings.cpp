#include "platform/MouseControlPanel.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// The desktop's mouse settings are looked for on PATH only, the running
// desktop's own first; where none is found there is nothing to open.
class TestMouseSettings : public QObject
{
    Q_OBJECT

    QByteArray m_Path;
    QByteArray m_Desktop;

private slots:
    void initTestCase()
    {
        m_Path = qgetenv("PATH");
        m_Desktop = qgetenv("XDG_CURRENT_DESKTOP");
    }

    void cleanupTestCase()
    {
        qputenv("PATH", m_Path);
        qputenv("XDG_CURRENT_DESKTOP", m_Desktop);
    }

    void programOfTheDesktop_data()
    {
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        const QStringList several{"xfce4-mouse-settings", "systemsettings", "gnome-control-center"};
        QTest::newRow("GNOME") << "ubuntu:GNOME" << several << "gnome-control-center" << QStringList{"mouse"};
        QTest::newRow("Plasma") << "KDE" << several << "systemsettings" << QStringList{"kcm_mouse"};
        QTest::newRow("Xfce") << "XFCE" << several << "xfce4-mouse-settings" << QStringList();
        QTest::newRow("older Plasma") << "KDE" << QStringList{"systemsettings5"} << "systemsettings5"
                                      << QStringList{"kcm_mouse"};
        QTest::newRow("unknown desktop: the first found") << "Sway" << several << "gnome-control-center"
                                                          << QStringList{"mouse"};
        QTest::newRow("desktop's own missing") << "MATE" << QStringList{"lxqt-config-input"} << "lxqt-config-input"
                                               << QStringList();
        QTest::newRow("none installed") << "GNOME" << QStringList{"control.exe", "gnome-control-center.sh"}
                                        << QString() << QStringList();
    }

    void programOfTheDesktop()
    {
        QFETCH(QString, desktop);
        QFETCH(QStringList, installed);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QTemporaryDir bin;
        for (const QString& name : installed) {
            QFile file(bin.path() + "/" + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
        }
        // A program of the list that is not executable does not count.
        QFile notExecutable(bin.path() + "/mate-mouse-properties");
        QVERIFY(notExecutable.open(QIODevice::WriteOnly));
        qputenv("PATH", QFile::encodeName(bin.path()));
        qputenv("XDG_CURRENT_DESKTOP", desktop.toUtf8());

        const MouseSettingsCommand command = MouseSettingsProgram();
        QCOMPARE(QFileInfo(command.program).fileName(), program);
        if (!program.isEmpty())
            QCOMPARE(command.program, bin.path() + "/" + program);
        QCOMPARE(command.arguments, arguments);
        QCOMPARE(MouseControlPanelAvailable(), !program.isEmpty());
        if (program.isEmpty())
            QVERIFY(!OpenMouseControlPanel());
    }
};

QTEST_GUILESS_MAIN(TestMouseSettings)
#include "tst_mousesettings.moc"
