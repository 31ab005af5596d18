#pragma once

#include <QString>
#include <QStringList>

// The system's own mouse settings. On Windows the control panel's mouse page
// ("control.exe /name Microsoft.Mouse"). Elsewhere the mouse settings of the
// desktop: a program from a fixed list of desktops' settings programs, the
// running desktop's own ($XDG_CURRENT_DESKTOP) before the others, found on
// PATH and started detached with fixed arguments, never through a shell.

struct MouseSettingsCommand
{
    QString program;     // absolute path; empty: the system offers none
    QStringList arguments;
};

// What OpenMouseControlPanel would start (away from Windows).
MouseSettingsCommand MouseSettingsProgram();

// Whether there are mouse settings to open.
bool MouseControlPanelAvailable();

// Opens them; false when there are none or they could not be started.
bool OpenMouseControlPanel();
