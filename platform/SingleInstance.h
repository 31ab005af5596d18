#pragma once

#include <QLockFile>
#include <QSharedMemory>
#include <QString>

#include <memory>

// Tells whether another instance of the program runs, by a one-byte shared
// memory block named by a key. The first instance creates the block and holds
// it until the process ends.
//
// Away from Windows a block outlives a crashed or killed owner, and its key
// is shared by every user and folder of the machine. There a lock file in
// lockFolder decides: only a lock held by a live process means another
// instance. A lock whose process is gone, or whose owner cannot be read (left
// empty or garbled by a power cut), is stale: it is removed and taken, and a
// block left by a dead owner is removed before a new one is made. Where no
// lock can be had (a full or read-only folder, a stale lock that cannot be
// replaced, anything but a regular file in its place) the block decides, as on
// Windows: a block that no process holds, or whose creator is gone, is no
// other instance.
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
    bool TakeBlock();
    bool BlockHeldByLiveProcess();
    void RemoveDeadBlock();

    QSharedMemory m_Block;
    QString m_LockFolder;
    QString m_LockPath;
    std::unique_ptr<QLockFile> m_Lock;
};
