#include "core/EventWait.h"

#include "core/Timing.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>

void WaitProcessingEvents(int ms)
{
    WaitProcessingEventsUntil([] { return false; }, ms);
}

bool WaitProcessingEventsUntil(const std::function<bool()>& done, int ms)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < ms) {
        if (done())
            return true;
        const int remaining = ms - static_cast<int>(elapsed.elapsed());
        QCoreApplication::processEvents(QEventLoop::AllEvents, std::min(remaining, Timing().eventSliceMs));
        QThread::msleep(1);
    }
    return done();
}
