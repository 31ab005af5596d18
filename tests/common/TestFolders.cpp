#include "common/TestFolders.h"

#include "platform/ProgramFolder.h"
#include "platform/UserDataFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {
void WriteFileBelow(const QString& base, const QString& relativePath, const QByteArray& content)
{
    const QString path = base + "/" + relativePath;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
        QTest::qFail(qPrintable("cannot write " + path), __FILE__, __LINE__);
}

bool CopyFile(const QString& from, const QString& to)
{
    QDir().mkpath(QFileInfo(to).absolutePath());
    QFile::remove(to);
    return QFile::copy(from, to);
}
}

void UseTemporaryFolders()
{
    static QTemporaryDir root;
    static bool prepared = false;
    if (prepared)
        return;
    prepared = true;
    QDir().mkpath(root.path() + "/program");
    QDir().mkpath(root.path() + "/user");
    SetProgramFolder(root.path() + "/program");
    SetUserDataFolder(root.path() + "/user");
}

void WriteProgramFile(const QString& relativePath, const QByteArray& content)
{
    WriteFileBelow(ProgramFolder(), relativePath, content);
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteUserFile(const QString& relativePath, const QByteArray& content)
{
    WriteFileBelow(UserDataFolder(), relativePath, content);
}

bool CopyShippedFiles(const QString& relativePath)
{
    const QString source = QString(QUORVANE_TEST_PROGRAM_DIR) + "/" + relativePath;
    const QString target = ProgramFolder() + "/" + relativePath;
    const QFileInfo info(source);
    if (info.isFile())
        return CopyFile(source, target);
    if (!info.isDir())
        return false;
    QDirIterator files(source, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = files.next();
        if (!CopyFile(file, target + file.mid(source.size())))
            return false;
    }
    return true;
}
