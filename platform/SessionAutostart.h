#pragma once

#include <QByteArray>
#include <QString>

// Starting the program when the user logs in to the desktop session.
// On Windows: the per-user Run value named after the executable, holding its
// full path. Elsewhere: the freedesktop autostart entry at
// SessionAutostartEntryPath(), written whole or not at all (WriteWholeFile).

// Whether this program starts at log-in: the Run value or the entry starts
// this very executable, and the entry is not switched off (Hidden=true or
// X-GNOME-Autostart-enabled=false).
bool SessionAutostartEnabled();

enum class SessionAutostartResult {
    Done,
    NotWritten,   // the entry could not be written or removed (see SessionAutostartFolder)
    ForeignEntry, // an entry of the same name starts something else: left as it is
};

// Makes the program start at log-in, or stops it. Only an entry that starts
// this executable is replaced or removed: one of the same name that starts
// something else (a wrapper the user wrote) is the user's, and stays.
SessionAutostartResult SetSessionAutostart(bool enabled);

// $XDG_CONFIG_HOME/autostart/quorvane.desktop (else ~/.config/autostart/).
// Empty on Windows.
QString SessionAutostartEntryPath();
// The folder of that entry; empty on Windows.
QString SessionAutostartFolder();

// The autostart entry that starts the program at programPath; empty when the
// path cannot be written into an entry (it holds control characters).
QByteArray SessionAutostartEntry(const QString& programPath);
