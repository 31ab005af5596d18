#pragma once

#include <QLockFile>
#include <QSharedMemory>
#include <QString>

#include <memory>

// Tells whether another instance of the program runs, by a one-byte shared
// memory block named by a key. The first instance creates the block and holds
// it until the process ends.
//
// Away from Windows a block outlives a crashed or killed owner, so the block
// alone would refuse every later start. There a lock file in lockFolder
// (held while the owner lives, recognised as stale once its process is gone)
// decides, and a block left by a dead owner is removed before a new one is made.
// Only a lock held by a live process means another instance: where no lock
// can be made (a full or read-only folder) the block decides, as on Windows.
class SingleInstance
{
public:
    SingleInstance(const QString& key, const QString& lockFolder);

    // True when another live instance holds the key. Otherwise this object
    // becomes the holder. Ask once per process.
    bool OtherInstanceRunning();

private:
    QSharedMemory m_Block;
    QString m_LockFolder;
    std::unique_ptr<QLockFile> m_Lock;
};
