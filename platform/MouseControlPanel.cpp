#include "platform/MouseControlPanel.h"

#include <QDebug>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

bool OpenMouseControlPanel()
{
#ifdef Q_OS_WIN
    // WinExec answers above 31 when it started the command.
    return WinExec("control.exe /name Microsoft.Mouse", SW_SHOW) > 31;
#else
    qWarning() << "The mouse settings of the system cannot be opened on this platform.";
    return false;
#endif
}
