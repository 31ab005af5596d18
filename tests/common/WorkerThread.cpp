#include "common/WorkerThread.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

bool RunOnWorkerThread(const std::function<void()>& job, int timeoutMs)
{
    QThread* thread = QThread::create(job);
    QEventLoop loop;
    bool finished = false;
    QObject::connect(thread, &QThread::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    thread->start();
    loop.exec();
    return finished;
}
