#pragma once

#include <QFile>
#include <QString>

#include <condition_variable>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <thread>
#include <unistd.h>

// Runs action, which must not wait on the FIFO at fifoPath. Should it wait
// there all the same, the FIFO's other end is opened after a bound, which
// ends the wait: the test then fails instead of hanging. True when action
// had to be let go so.
inline bool ActionWaitedOnFifo(const QString& fifoPath, const std::function<void()>& action)
{
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    bool waited = false;
    std::thread watchdog([&] {
        std::unique_lock<std::mutex> lock(mutex);
        if (finished.wait_for(lock, std::chrono::seconds(10), [&] { return done; }))
            return;
        waited = true;
        // Either end: a reader waits for a writer, a writer for a reader.
        const int other = ::open(QFile::encodeName(fifoPath).constData(), O_RDWR);
        if (other >= 0)
            ::close(other);
    });
    action();
    {
        std::lock_guard<std::mutex> lock(mutex);
        done = true;
    }
    finished.notify_one();
    watchdog.join();
    return waited;
}
