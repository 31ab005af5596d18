#include "platform/SingleInstance.h"

#include "platform/PlainFile.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#if !defined(Q_OS_WIN)
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <unistd.h>
#endif

namespace {
#if !defined(Q_OS_WIN)
// Another start holds the guard only while it replaces a stale lock.
constexpr int kStaleLockGuardWaitMs = 5000;

bool ProcessAlive(pid_t pid)
{
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

// Block keys are shared by every user and folder of the machine: the key
// names the lock folder too, so that only an instance of the same folder
// holds the same block. A folder is named by its real path, so that a link
// on the way, or a folder that some start could not make, names it alike.
QString FolderBlockKey(const QString& key, const QString& folder)
{
    QString existing = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    QString missing;
    while (!QFileInfo::exists(existing) && existing != QDir::rootPath()) {
        missing.prepend("/" + QFileInfo(existing).fileName());
        existing = QFileInfo(existing).path();
    }
    const QString path = QDir::cleanPath(QFileInfo(existing).canonicalFilePath() + missing);
    return key + "-" + QCryptographicHash::hash(QFile::encodeName(path), QCryptographicHash::Sha1).toHex().left(16);
}

// The file whose identity names the block (System V keys come from a file).
// Qt would make it in the temporary folder, which TMPDIR moves from one start
// to the next. It lies in the user's runtime folder when the session has one
// (per user, always writable, emptied at log-out), else in the lock folder;
// its name holds the lock folder's, so that each folder has its block.
QString BlockKeyFile(const QString& key, const QString& lockFolder)
{
    const QString runtime = QFile::decodeName(qgetenv("XDG_RUNTIME_DIR"));
    const bool runtimeUsable = QDir::isAbsolutePath(runtime) && QFileInfo(runtime).isDir();
    return (runtimeUsable ? runtime : lockFolder) + "/" + FolderBlockKey(key, lockFolder) + ".instance";
}

int OpenLockFile(const QString& path)
{
    return ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
}

// A QLockFile keeps its file open under an exclusive flock for as long as it
// holds it, and the system drops that flock when the process ends, however it
// ends: a lock file that nobody keeps locked has no live owner, whatever it
// holds.
bool LockFileHeld(const QString& path)
{
    const int fd = OpenLockFile(path);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

enum class LockFileRemoval { Removed, HeldByLiveProcess, Failed };

// Removes the lock file at path unless a live process keeps it locked. Its
// flock, held while it goes, keeps any other start from taking it meanwhile.
// On failure, failure tells what failed and why.
LockFileRemoval RemoveUnheldLockFile(const QString& path, QString* failure)
{
    const int fd = OpenLockFile(path);
    if (fd < 0) {
        if (errno == ENOENT)
            return LockFileRemoval::Removed;
        *failure = QString("it cannot be read (%1), so whether a live process holds it cannot be told")
                       .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return LockFileRemoval::Failed;
    }
    LockFileRemoval outcome = LockFileRemoval::Removed;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            outcome = LockFileRemoval::HeldByLiveProcess;
        } else {
            *failure = QString("it cannot be locked (%1)").arg(QString::fromLocal8Bit(std::strerror(errno)));
            outcome = LockFileRemoval::Failed;
        }
    } else if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT) {
        *failure = QString("it has no live owner but cannot be removed (%1)")
                       .arg(QString::fromLocal8Bit(std::strerror(errno)));
        outcome = LockFileRemoval::Failed;
    }
    ::close(fd);
    return outcome;
}
#endif
} // namespace

SingleInstance::SingleInstance(const QString& key, const QString& lockFolder)
    : m_LockFolder(lockFolder)
    , m_LockPath(lockFolder + "/" + key + ".lock")
{
#if defined(Q_OS_WIN)
    m_BlockKey = key;
#else
    QDir().mkpath(lockFolder);
    m_BlockKey = BlockKeyFile(key, lockFolder);
    m_Lock = std::make_unique<QLockFile>(m_LockPath);
    // Never stale by age: a first instance may run for weeks. Whether a live
    // process holds the lock is what counts (TakeLock).
    m_Lock->setStaleLockTime(0);
#endif
}

bool SingleInstance::OtherInstanceRunning()
{
    switch (TakeLock()) {
    case LockOutcome::HeldByLiveProcess:
        return true;
    case LockOutcome::Taken:
        // An instance that started where no lock could be had (a full or
        // read-only folder since mended, an odd entry at the lock since
        // removed) runs on its block alone: a block that a live process holds
        // still means another instance. The lock goes again, as it was found.
        if (!TakeBlock()) {
            m_Lock->unlock();
            return true;
        }
        return false;
    case LockOutcome::Unusable:
        break;
    }
    return !TakeBlock();
}

SingleInstance::LockOutcome SingleInstance::TakeLock()
{
#if defined(Q_OS_WIN)
    // Windows releases the block with its owner: the block alone decides.
    return LockOutcome::Unusable;
#else
    // QLockFile reads what stands at the path before it decides, and a FIFO
    // there would block that read for ever.
    if (!IsPlainFileOrNothing(m_LockPath)) {
        qWarning() << "The single-instance lock" << m_LockPath
                   << "is not a regular file; it is left alone and the shared-memory block decides.";
        return LockOutcome::Unusable;
    }
    if (m_Lock->tryLock(0))
        return LockOutcome::Taken;
    if (m_Lock->error() != QLockFile::LockFailedError) {
        qWarning() << "The single-instance lock cannot be written in" << m_LockFolder
                   << "(a full, read-only or missing folder); the shared-memory block decides.";
        return LockOutcome::Unusable;
    }
    if (LockFileHeld(m_LockPath))
        return LockOutcome::HeldByLiveProcess;
    return ReplaceStaleLock();
#endif
}

// For a lock that no live process holds but QLockFile keeps: one whose owner
// cannot be read (left empty or garbled by a power cut, since the owner is
// written without a sync), or one whose owner is gone in a folder where Qt's
// own removal failed.
SingleInstance::LockOutcome SingleInstance::ReplaceStaleLock()
{
#if defined(Q_OS_WIN)
    return LockOutcome::Unusable;
#else
    // Several starts may find the same stale lock. Under the guard (the one
    // QLockFile takes for its own removals) a start sees either the stale lock
    // or the new one already held, never the gap between them.
    const QString guardPath = m_LockPath + ".rmlock";
    // The guard is a lock file too: QLockFile would read a FIFO there for ever.
    if (!IsPlainFileOrNothing(guardPath)) {
        qWarning() << "The guard" << guardPath << "of the single-instance lock"
                   << "is not a regular file; it is left alone and the shared-memory block decides.";
        return LockOutcome::Unusable;
    }
    QLockFile guard(guardPath);
    if (!guard.tryLock(kStaleLockGuardWaitMs)) {
        if (LockFileHeld(m_LockPath))
            return LockOutcome::HeldByLiveProcess;
        qWarning() << "The single-instance lock" << m_LockPath << "cannot be replaced:"
                   << (guard.error() == QLockFile::LockFailedError
                           ? "another start keeps its guard;"
                           : "its guard cannot be written (a full or read-only folder);")
                   << "the shared-memory block decides.";
        return LockOutcome::Unusable;
    }
    QString failure;
    switch (RemoveUnheldLockFile(m_LockPath, &failure)) {
    case LockFileRemoval::HeldByLiveProcess:
        return LockOutcome::HeldByLiveProcess;
    case LockFileRemoval::Failed:
        qWarning().noquote() << QString("The single-instance lock \"%1\" is left alone: %2; the shared-memory "
                                        "block decides.").arg(m_LockPath, failure);
        return LockOutcome::Unusable;
    case LockFileRemoval::Removed:
        break;
    }
    qWarning() << "The single-instance lock" << m_LockPath << "had no live owner; it was removed.";
    if (m_Lock->tryLock(0))
        return LockOutcome::Taken;
    // The stale lock is gone: whoever made the new one is starting.
    if (m_Lock->error() == QLockFile::LockFailedError)
        return LockOutcome::HeldByLiveProcess;
    qWarning() << "A new single-instance lock cannot be written in" << m_LockFolder
               << "(a full or read-only folder); the shared-memory block decides.";
    return LockOutcome::Unusable;
#endif
}

// A new object for each use: with a key file of its own, Qt's object keeps
// an error of its inner semaphore after a create, and every later call of
// that object fails on it.
std::unique_ptr<QSharedMemory> SingleInstance::NewBlockHandle() const
{
    auto block = std::make_unique<QSharedMemory>();
#if defined(Q_OS_WIN)
    block->setKey(m_BlockKey);
#else
    block->setNativeKey(m_BlockKey);
#endif
    return block;
}

// False when a live process holds the block: another instance.
bool SingleInstance::TakeBlock()
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        std::unique_ptr<QSharedMemory> block = NewBlockHandle();
        if (block->create(1, QSharedMemory::ReadWrite)) {
            m_Block = std::move(block);
            return true;
        }
        // A block that cannot be made for another reason changes nothing.
        if (block->error() != QSharedMemory::AlreadyExists) {
            qWarning().noquote() << QString("The single-instance block cannot be made (%1); the start goes on.")
                                        .arg(block->errorString());
            return true;
        }
        if (BlockHeldByLiveProcess())
            return false;
        RemoveDeadBlock();
    }
    // Another start may have made the block since the dead one went.
    return !BlockHeldByLiveProcess();
}

bool SingleInstance::BlockHeldByLiveProcess()
{
#if defined(Q_OS_WIN)
    // Windows releases a block with the last process that holds it.
    return NewBlockHandle()->attach(QSharedMemory::ReadOnly);
#else
    // The System V key that QSharedMemory derives from its key file. A block
    // outlives its creator: only one that a live creator still holds counts.
    const key_t key = ::ftok(QFile::encodeName(m_BlockKey).constData(), 'Q');
    const int id = key == -1 ? -1 : ::shmget(key, 0, 0);
    shmid_ds status {};
    if (id == -1 || ::shmctl(id, IPC_STAT, &status) != 0)
        return false;
    return status.shm_nattch > 0 && ProcessAlive(status.shm_cpid);
#endif
}

// Attaching and detaching as a block's last user removes it; a block that
// others hold stays.
void SingleInstance::RemoveDeadBlock()
{
    std::unique_ptr<QSharedMemory> block = NewBlockHandle();
    if (block->attach(QSharedMemory::ReadWrite))
        block->detach();
}
