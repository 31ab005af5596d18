#include "platform/PlainFile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

bool EmptiesOnOpen(QIODevice::OpenMode mode)
{
    if (!mode.testFlag(QIODevice::WriteOnly) || mode.testFlag(QIODevice::Append))
        return false;
    return mode.testFlag(QIODevice::Truncate) || !mode.testFlag(QIODevice::ReadOnly);
}

} // namespace

#ifdef Q_OS_UNIX

bool OpenPlainFile(QFile& file, QIODevice::OpenMode mode, LinkAtPath link)
{
    const QByteArray path = QFile::encodeName(file.fileName());
    if (path.isEmpty() || file.isOpen())
        return false;
    const bool reads = mode.testFlag(QIODevice::ReadOnly);
    const bool writes = mode.testFlag(QIODevice::WriteOnly);
    // No O_TRUNC and no blocking open yet: what the path names is checked
    // first, so that a FIFO neither blocks nor a device gets emptied.
    int flags = O_CLOEXEC | O_NONBLOCK;
    if (link == LinkAtPath::Refused)
        flags |= O_NOFOLLOW;
    flags |= reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY;
    if (writes)
        flags |= O_CREAT;
    if (mode.testFlag(QIODevice::Append))
        flags |= O_APPEND;
    const int fd = ::open(path.constData(), flags, 0666);
    if (fd < 0)
        return false;
    struct stat status {};
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    const int fdFlags = ::fcntl(fd, F_GETFL);
    const bool ready = regular && fdFlags >= 0 && ::fcntl(fd, F_SETFL, fdFlags & ~O_NONBLOCK) == 0
                       && (!EmptiesOnOpen(mode) || ::ftruncate(fd, 0) == 0);
    if (!ready || !file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

#else

bool OpenPlainFile(QFile& file, QIODevice::OpenMode mode, LinkAtPath link)
{
    if (file.fileName().isEmpty() || !IsPlainFileOrNothing(file.fileName(), link))
        return false;
    if (!mode.testFlag(QIODevice::WriteOnly) && !QFileInfo::exists(file.fileName()))
        return false;
    return file.open(EmptiesOnOpen(mode) ? mode | QIODevice::Truncate : mode);
}

#endif

bool IsPlainFileOrNothing(const QString& path, LinkAtPath link)
{
    // QFileInfo answers for what a link names; a dangling link names nothing.
    const QFileInfo info(path);
    if (link == LinkAtPath::Refused && info.isSymLink())
        return false;
    return !info.exists() || info.isFile();
}
