#pragma once

#include "platform/simdevice/SimModel.h"
#include "platform/simdevice/SimState.h"

#include <QString>

// Scenarios: which devices exist and in which state they start. Built-in ones
// by name, or a JSON file.
namespace simdevice {

// Builds the devices of a scenario into model (whose description is set);
// false with a message when the scenario cannot be read.
bool BuildScenario(const QString& nameOrPath, SimModel* model, UpgradeOutcome* upgrade, QString* error);

// The scenario a person chose: QUORVANE_SIM_SCENARIO, else
// usersetting/SimDevices.json beside the program, else "default".
QString ChosenScenario();

}
