#pragma once

#include <QString>

// The per-user data folder (Log, Exception, Device_Info, usersetting/...,
// Macro.ini). On Windows: home + "/AppData/Local/" + product name; elsewhere
// the platform's place for user data ($XDG_DATA_HOME, else ~/.local/share)
// + "/Quorvane".
QString UserDataFolder();

// Tests point the program at a temporary folder; an empty text restores the default.
void SetUserDataFolder(const QString& folder);
