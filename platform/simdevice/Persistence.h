#pragma once

#include <QString>

// The state of the devices that outlives the program: settings in flash,
// firmware, boot mode, pairing and receiver options, one file per scenario.
// All functions need the library lock.
namespace simdevice {

QString StateFilePath();
// Applies the scenario's state file when there is one; a damaged file is
// ignored with a warning.
void ApplyPersistedState();
bool WriteStateFile();

}
