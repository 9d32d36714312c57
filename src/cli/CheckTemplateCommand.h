#pragma once

#include "cli/CliCommand.h"

#include <string_view>

// What "check-template --help" says after its usage.
extern const std::string_view CheckTemplateHelp;

// "check-template": lists, one a line, what in a template would not work as meant. Succeeds
// when nothing is found.
CliStatus CheckTemplateCommand(const CommandLine& line, const CliOutput& output);
