#include "platform/SingleInstance.h"

#include <QDebug>
#include <QDir>

SingleInstance::SingleInstance(const QString& key, const QString& lockFolder)
    : m_Block(key)
    , m_LockFolder(lockFolder)
{
#if !defined(Q_OS_WIN)
    QDir().mkpath(lockFolder);
    m_Lock = std::make_unique<QLockFile>(lockFolder + "/" + key + ".lock");
    // Never stale by age: a first instance may run for weeks. A lock whose
    // process is gone is recognised as stale all the same.
    m_Lock->setStaleLockTime(0);
#else
    Q_UNUSED(lockFolder);
#endif
}

bool SingleInstance::OtherInstanceRunning()
{
    if (m_Lock && m_Lock->tryLock(0)) {
        // We hold the lock, so any block of this key was left by an owner
        // that died: attaching and detaching as its last user removes it.
        if (m_Block.attach(QSharedMemory::ReadWrite))
            m_Block.detach();
    } else if (m_Lock && m_Lock->error() == QLockFile::LockFailedError) {
        // Only a lock file held by a live process means another instance.
        return true;
    } else {
        // No lock could be made (a full or read-only folder): the block alone
        // decides, as it does where there is no lock.
        if (m_Lock)
            qWarning() << "The single-instance lock cannot be written in" << m_LockFolder
                       << "(a full, read-only or missing folder); the shared-memory block decides.";
        if (m_Block.attach(QSharedMemory::ReadWrite))
            return true;
    }
    // A block that cannot be made changes nothing: this is the first instance.
    m_Block.create(1, QSharedMemory::ReadWrite);
    return false;
}
