#include "core/EventWait.h"

#include "core/Timing.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>

void WaitProcessingEvents(int ms)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < ms) {
        const int remaining = ms - static_cast<int>(elapsed.elapsed());
        QCoreApplication::processEvents(QEventLoop::AllEvents, std::min(remaining, Timing().eventSliceMs));
        QThread::msleep(1);
    }
}
