#pragma once

#include <QDateTime>
#include <QString>

// The steps of start-up before the main window, in the order main runs them.

// Environment defaults for a quick start, each set only when the user has not
// set the variable; call before the application object exists:
// - QT_XCB_GL_INTEGRATION=none: the program paints with the raster engine
//   only, and loading an OpenGL integration for the X11 platform plugin costs
//   a third of the start-up time and tens of megabytes for nothing;
// - TZ=:/etc/localtime (not on Windows), the zone the C library uses when TZ
//   is unset: style sheets look up every picture they name with its local
//   modification time, and without TZ the C library checks the zone file
//   again at each conversion.
void UseQuickStartEnvironment();

// Creates the missing folders of the per-user data folder (Log, Device_Info,
// Exception, usersetting and its MainPage, MacroPage and SensorPage) and an
// empty Macro.ini when there is none, then purges Log and Exception.
// Nothing that fails here stops the start; a settings file that cannot be
// made is logged.
void PrepareUserDataFolder();

// Deletes the files of folder last modified 8 whole days or more before now
// (7 days and 23 hours stay). Sub-folders and what they hold stay; files that
// cannot be deleted stay.
void PurgeOldFiles(const QString& folder, const QDateTime& now = QDateTime::currentDateTime());

// True when another instance of the program runs for this user. Otherwise this
// process becomes the running instance until it ends. Call once, after the
// application object exists.
bool AnotherInstanceRunning();
