#pragma once

#include "cli/CliCommand.h"

// "check-update": fetches the update description and says in one line whether it offers a
// newer version; with --verify, checks the whole update folder against the build's update key.
CliStatus CheckUpdateCommand(const CommandLine& line, const CliOutput& output);
