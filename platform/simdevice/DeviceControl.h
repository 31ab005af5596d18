#pragma once

#include "platform/simdevice/SimState.h"

#include <functional>
#include <string>
#include <vector>

// What happens to the simulated devices from the outside: plugging, cables,
// sleep, buttons pressed on the mouse, forced outcomes. Shared by the test
// API and the command language. Every function needs the library lock and
// answers false for an unknown device or argument.
namespace simdevice {

bool ResetToScenario(const QString& nameOrPath);
void ListDevices();

bool PlugDevice(const std::string& id, bool on);
bool SetCable(const std::string& id, bool on);
bool SetAwake(const std::string& id, bool on);
bool SetBattery(const std::string& id, int level, int charging, bool notify);
bool PressButton(const std::string& id, const std::string& action, bool direct);
bool SetPairingMode(const std::string& id, bool on);
bool SetBootMode(const std::string& id, bool on);
bool SetIdentityDelay(const std::string& id, int calls);
bool RestoreFactory(const std::string& id);
bool SetTimeScale(double scale);

// Answers the served mouse's request after delayMs (scaled) with a report
// built then, unless the binding changed or the mouse stopped answering.
using PayloadBuilder = std::function<std::vector<uint8_t>(Mouse&)>;
void AnswerLater(Mouse& mouse, const std::string& request, int delayMs, int cls, int sub,
                 PayloadBuilder payload);

}
