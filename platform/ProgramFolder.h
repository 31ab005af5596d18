#pragma once

#include <QString>

// The folder beside the executable that holds what ships with the program:
// usersetting/Config.ini, driver_sensor.h, Language/, Picture/ and bin/.
QString ProgramFolder();

// Tests point the program at a folder of their own.
void SetProgramFolder(const QString& folder);
