#pragma once

#include "cli/CliCommand.h"

// "generate": fills a template with a saved project and writes the page, or makes the pages
// of several projects at once.
CliStatus GenerateCommand(const CommandLine& line, const CliOutput& output);
