#include "platform/TerminationSignals.h"

#include <QCoreApplication>
#include <QDebug>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Written by the handler, read by the event loop.
int g_SignalPipe[2] = {-1, -1};

void WriteSignalByte(int signalNumber)
{
    const int savedErrno = errno;
    const char byte = static_cast<char>(signalNumber);
    // A full pipe already holds a wake-up: losing this byte loses nothing.
    [[maybe_unused]] const ssize_t written = ::write(g_SignalPipe[1], &byte, 1);
    errno = savedErrno;
}

bool InstallHandler(int signalNumber)
{
    struct sigaction action = {};
    action.sa_handler = WriteSignalByte;
    sigemptyset(&action.sa_mask);
    // The first signal asks for a clean end; the next one takes the default
    // action, so a shutdown that hangs can still be interrupted.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    return ::sigaction(signalNumber, &action, nullptr) == 0;
}

void DrainSignalPipe()
{
    char bytes[16];
    while (::read(g_SignalPipe[0], bytes, sizeof bytes) > 0) {
    }
}

} // namespace

void QuitOnTerminationSignals()
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || g_SignalPipe[0] != -1)
        return;
    if (::pipe2(g_SignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning() << "No pipe for the termination signals:" << strerror(errno);
        return;
    }
    auto* notifier = new QSocketNotifier(g_SignalPipe[0], QSocketNotifier::Read, application);
    QObject::connect(notifier, &QSocketNotifier::activated, application, [] {
        DrainSignalPipe();
        QCoreApplication::quit();
    });
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        if (!InstallHandler(signalNumber))
            qWarning() << "Signal" << signalNumber << "keeps its default action:" << strerror(errno);
    }
}
