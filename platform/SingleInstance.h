#pragma once

#include <QLockFile>
#include <QSharedMemory>
#include <QString>

#include <memory>

// Tells whether another instance of the program runs, by a one-byte shared
// memory block named by a key. The first instance creates the block and holds
// it until the process ends.
//
// Away from Windows a block outlives a crashed or killed owner, and block
// keys are shared by every user and folder of the machine. There the block's
// key names lockFolder too, its key file lies in the user's runtime folder
// (else in lockFolder), whatever the temporary folder, and a lock file in
// lockFolder comes first: a lock held by a live process means another
// instance. A lock whose process is gone, or whose owner cannot be read (left
// empty or garbled by a power cut), is stale: it is removed and taken. Whether the lock was taken or none could
// be had (a full or read-only folder, a stale lock that cannot be replaced,
// anything but a regular file in its place), the block then decides, as on
// Windows: only a block that a process holds and whose creator lives is
// another instance, such as one that started while no lock could be had; a
// start refused so gives up the lock it took. A block left by a dead owner is
// removed before a new one is made.
class SingleInstance
{
public:
    SingleInstance(const QString& key, const QString& lockFolder);

    // True when another live instance holds the key. Otherwise this object
    // becomes the holder. Ask once per process.
    bool OtherInstanceRunning();

private:
    enum class LockOutcome { Taken, HeldByLiveProcess, Unusable };

    LockOutcome TakeLock();
    LockOutcome ReplaceStaleLock();
    std::unique_ptr<QSharedMemory> NewBlockHandle() const;
    bool TakeBlock();
    bool BlockHeldByLiveProcess();
    void RemoveDeadBlock();

    // The block's key (on Windows) or key file (elsewhere), and the block
    // once this instance holds it.
    QString m_BlockKey;
    std::unique_ptr<QSharedMemory> m_Block;
    QString m_LockFolder;
    QString m_LockPath;
    std::unique_ptr<QLockFile> m_Lock;
};
