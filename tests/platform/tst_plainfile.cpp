#include "platform/PlainFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

} // namespace

class TestPlainFile : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_Folder.reset(new QTemporaryDir);
        m_Target = m_Folder->path() + "/target";
        QFile target(m_Target);
        QVERIFY(target.open(QIODevice::WriteOnly));
        target.write("keep\n");
    }

    void whatThePathNames_data()
    {
        QTest::addColumn<QString>("holds"); // what the path names
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("opens");
        const int read = QIODevice::ReadOnly | QIODevice::Text;
        const int write = QIODevice::WriteOnly | QIODevice::Text;
        const int append = QIODevice::WriteOnly | QIODevice::Append;
        for (const auto& [mode, name] : {std::pair{read, "read"}, {write, "write"}, {append, "append"}}) {
            const QByteArray tag(name);
            QTest::newRow(tag + ", regular file") << "file" << mode << true;
            QTest::newRow(tag + ", link to a file") << "link" << mode << false;
            QTest::newRow(tag + ", dangling link") << "dangling" << mode << false;
            QTest::newRow(tag + ", FIFO") << "fifo" << mode << false;
            QTest::newRow(tag + ", folder") << "folder" << mode << false;
            QTest::newRow(tag + ", nothing") << "nothing" << mode << (mode != read);
        }
    }

    // Never through a link, never a FIFO (which would block), never a
    // folder; a write creates a missing file, a read does not. The check
    // without an open agrees.
    void whatThePathNames()
    {
        QFETCH(QString, holds);
        QFETCH(int, mode);
        QFETCH(bool, opens);
        const QString path = m_Folder->path() + "/macro.ini";
        if (holds == "file")
            QVERIFY(QFile::copy(m_Target, path));
        else if (holds == "link")
            QVERIFY(QFile::link(m_Target, path));
        else if (holds == "dangling")
            QVERIFY(QFile::link(m_Folder->path() + "/missing", path));
        else if (holds == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (holds == "folder")
            QVERIFY(QDir().mkpath(path));

        QCOMPARE(IsPlainFileOrNothing(path), holds == "file" || holds == "nothing");
        QFile file(path);
        QCOMPARE(OpenPlainFile(file, QIODevice::OpenMode(mode)), opens);
        QCOMPARE(file.isOpen(), opens);
        if (opens && (mode & QIODevice::WriteOnly))
            QVERIFY(file.write("new\n") == 4);
        file.close();
        QCOMPARE(Bytes(m_Target), QByteArray("keep\n"));
        QVERIFY(!QFile::exists(m_Folder->path() + "/missing"));
        if (opens && holds == "file") {
            const bool appends = mode & QIODevice::Append;
            const bool writes = mode & QIODevice::WriteOnly;
            QCOMPARE(Bytes(path), appends ? QByteArray("keep\nnew\n") : writes ? QByteArray("new\n") : QByteArray("keep\n"));
        }
    }

private:
    QScopedPointer<QTemporaryDir> m_Folder;
    QString m_Target;
};

QTEST_GUILESS_MAIN(TestPlainFile)
#include "tst_plainfile.moc"
