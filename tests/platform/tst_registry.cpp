#include "common/FileSizeLimit.h"
#include "platform/RegistryValues.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString kTestKey = "HKEY_CURRENT_USER\\Software\\Quorvane\\Quorvane\\Mouse Drive Test";
}

class TestRegistry : public QObject
{
    Q_OBJECT

private slots:
    void valuesRoundTripInTheConfigFolderOnly()
    {
        QTemporaryDir working;
        QTemporaryDir config;
        QVERIFY(working.isValid() && config.isValid());
        const QString previousWorking = QDir::currentPath();
        QDir::setCurrent(working.path());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));

        QCOMPARE(RegistryValue(kTestKey, "MouseVer1203").toString(), QString());
        QCOMPARE(RegistryValue(kTestKey, "UpdateFailInfo", 7).toInt(), 7);
        SetRegistryValue(kTestKey, "MouseVer1203", "v1.0a");
        SetRegistryValue(kTestKey, "UpdateFailInfo", "210,1,12,3");
        QCOMPARE(RegistryValue(kTestKey, "MouseVer1203").toString(), QString("v1.0a"));
        QCOMPARE(RegistryValue(kTestKey, "UpdateFailInfo").toString(), QString("210,1,12,3"));

        RemoveRegistryValue(kTestKey, "UpdateFailInfo");
        QCOMPARE(RegistryValue(kTestKey, "UpdateFailInfo").toString(), QString());
        QCOMPARE(RegistryValue(kTestKey, "MouseVer1203").toString(), QString("v1.0a"));

        QCOMPARE(RegistryFilePath(), config.path() + "/Quorvane/Registry.ini");
        QFile file(RegistryFilePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("MouseVer1203=v1.0a"));
        QCOMPARE(QDir(working.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
        QDir::setCurrent(previousWorking);
    }

    // A full disk keeps the file, and the failure is logged.
    void aFullDiskKeepsTheValues()
    {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        SetRegistryValue(kTestKey, "MouseVer1203", "v1.0a");
        SetRegistryValue(kTestKey, "UpdateFailInfo", "210,1,12,3");
        QFile file(RegistryFilePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("MouseVer1203.*could not be saved"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("UpdateFailInfo.*could not be saved"));
        {
            const FileSizeLimit limit(before.size() / 2);
            SetRegistryValue(kTestKey, "MouseVer1203", "v1.1");
            RemoveRegistryValue(kTestKey, "UpdateFailInfo");
        }
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }
};

QTEST_GUILESS_MAIN(TestRegistry)
#include "tst_registry.moc"
