#include "common/FileSizeLimit.h"
#include "core/UserIni.h"
#include "platform/UserDataFolder.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray FileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}

class TestUserIni : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_Data.isValid());
        SetUserDataFolder(m_Data.path());
    }

    // The process may be ended from the tray without returning to the event
    // loop: the file must hold the value as soon as SetValue returns.
    void valuesReachTheFileAtOnce()
    {
        const QString path = m_Data.filePath("Macro.ini");
        UserIni* settings = UserIni::GetInstance();
        QCOMPARE(settings->Value("Language", "Language"), QString());
        QVERIFY(!QFile::exists(path));

        settings->SetValue("Language", "Language", "1");
        settings->SetValue("AutoStart", "Enable", "0");
        QVERIFY(FileContent(path).contains("[Language]\nLanguage=1\n"));
        QVERIFY(FileContent(path).contains("[AutoStart]\nEnable=0\n"));
        QCOMPARE(settings->Value("Language", "Language"), QString("1"));

        settings->Remove("AutoStart", "Enable");
        QVERIFY(!FileContent(path).contains("Enable"));
        QCOMPARE(settings->Value("AutoStart", "Enable"), QString());
    }

    // A full disk: the file keeps every value it held and the change is
    // refused and logged; the session keeps the change, and the next change
    // the disk can take writes it too.
    void aFullDiskKeepsTheFile()
    {
        const QString path = m_Data.filePath("Macro.ini");
        UserIni* settings = UserIni::GetInstance();
        QVERIFY(settings->SetValue("Language", "Language", "1"));
        QVERIFY(settings->SetValue("FindNew", "IsShow", "1"));
        const QByteArray before = FileContent(path);

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("per-user settings could not be saved"));
        {
            const FileSizeLimit limit(before.size() / 2);
            QVERIFY(!settings->SetValue("AutoStart", "Enable", "1"));
        }
        QCOMPARE(FileContent(path), before);
        QCOMPARE(QDir(m_Data.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Macro.ini"});
        QCOMPARE(settings->Value("AutoStart", "Enable"), QString("1"));

        QVERIFY(settings->SetValue("FindNew", "IsShow", "0"));
        QVERIFY(FileContent(path).contains("[AutoStart]\nEnable=1\n"));
        QVERIFY(FileContent(path).contains("[FindNew]\nIsShow=0\n"));
    }

private:
    QTemporaryDir m_Data;
};

QTEST_GUILESS_MAIN(TestUserIni)
#include "tst_userini.moc"
