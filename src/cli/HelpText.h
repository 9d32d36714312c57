#pragma once

#include "cli/CliCommand.h"

#include <string>

// What --help prints: the program's help, or a command's own when it has one.
std::string HelpText(const CliCommand* command);
