#include "platform/MouseControlPanel.h"

#include <QDebug>
#include <QProcess>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// A desktop's mouse settings: the names it gives itself in
// $XDG_CURRENT_DESKTOP, and the program with its arguments.
struct DesktopMouseSettings
{
    QStringList desktops;
    const char* program;
    QStringList arguments;
};

const QList<DesktopMouseSettings>& KnownMouseSettings()
{
    static const QList<DesktopMouseSettings> known = {
        {{"GNOME", "Unity", "Budgie"}, "gnome-control-center", {"mouse"}},
        {{"KDE"}, "systemsettings", {"kcm_mouse"}},
        {{"KDE"}, "systemsettings5", {"kcm_mouse"}},
        {{"XFCE"}, "xfce4-mouse-settings", {}},
        {{"MATE"}, "mate-mouse-properties", {}},
        {{"LXQt"}, "lxqt-config-input", {}},
        {{"X-Cinnamon"}, "cinnamon-settings", {"mouse"}},
    };
    return known;
}

bool OfRunningDesktop(const DesktopMouseSettings& settings, const QStringList& runningDesktops)
{
    for (const QString& desktop : settings.desktops) {
        if (runningDesktops.contains(desktop, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

MouseSettingsCommand MouseSettingsProgram()
{
    const QStringList runningDesktops =
        QString::fromLocal8Bit(qgetenv("XDG_CURRENT_DESKTOP")).split(':', Qt::SkipEmptyParts);
    // The running desktop's own settings first, then any other found.
    for (const bool ownDesktop : {true, false}) {
        for (const DesktopMouseSettings& settings : KnownMouseSettings()) {
            if (ownDesktop && !OfRunningDesktop(settings, runningDesktops))
                continue;
            const QString program = QStandardPaths::findExecutable(QString::fromLatin1(settings.program));
            if (!program.isEmpty())
                return {program, settings.arguments};
        }
    }
    return {};
}

bool MouseControlPanelAvailable()
{
#ifdef Q_OS_WIN
    return true;
#else
    return !MouseSettingsProgram().program.isEmpty();
#endif
}

bool OpenMouseControlPanel()
{
#ifdef Q_OS_WIN
    // WinExec answers above 31 when it started the command.
    return WinExec("control.exe /name Microsoft.Mouse", SW_SHOW) > 31;
#else
    const MouseSettingsCommand command = MouseSettingsProgram();
    if (command.program.isEmpty()) {
        qWarning() << "No mouse settings program of the desktop was found.";
        return false;
    }
    if (!QProcess::startDetached(command.program, command.arguments)) {
        qWarning() << "The mouse settings could not be started:" << command.program;
        return false;
    }
    return true;
#endif
}
