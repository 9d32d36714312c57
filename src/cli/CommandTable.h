#pragma once

#include "cli/CliCommand.h"

#include <string_view>
#include <vector>

// Every command of affiliate-vantor-cli, in the order its help lists them.
const std::vector<CliCommand>& CommandTable();

// The command of that name; none for a name the program does not know.
const CliCommand* FindCommand(std::string_view name);
