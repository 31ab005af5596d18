#pragma once

#include <QString>

// The user's freedesktop base folders: $XDG_CONFIG_HOME and $XDG_DATA_HOME,
// or ~/.config and ~/.local/share where the variable is unset, empty or not
// an absolute path (freedesktop desktops ignore relative ones too).
// For the freedesktop platforms, not for Windows.
QString XdgConfigHome();
QString XdgDataHome();
