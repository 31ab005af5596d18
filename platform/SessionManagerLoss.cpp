#include "platform/SessionManagerLoss.h"

#include <QCoreApplication>
#include <QDebug>

#include <X11/ICE/ICElib.h>

namespace {

// Runs on the GUI thread, inside the session connection's read. It must
// return: the read then reports the error, and Qt's session client stops
// there. It may run once per read of the dead connection until the event
// loop has ended, so it only asks for the quit.
void QuitOnBrokenConnection(IceConn)
{
    static bool reported = false;
    if (!reported) {
        reported = true;
        qWarning() << "The connection to the session manager broke; the program ends.";
    }
    QCoreApplication::quit();
}

} // namespace

void QuitOnSessionManagerLoss()
{
    IceSetIOErrorHandler(QuitOnBrokenConnection);
}
