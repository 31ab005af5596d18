#pragma once

#include <string>

// The command language, for tests and for a person driving a running program
// through the command file. Needs the library lock.
namespace simdevice {

bool ExecuteCommand(const std::string& line);
// Runs the lines appended to the command file since the last poll.
void PollCommandFile();
// Lines already in the file when the library starts are not run.
void SkipExistingCommands();

}
