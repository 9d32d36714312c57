#pragma once

#include "cli/CliCommand.h"

// "templates": prints the installed templates, one a line, as the wizard lists them.
CliStatus TemplatesCommand(const CommandLine& line, const CliOutput& output);
