#pragma once

#include "cli/ExitStatus.h"

#include <ostream>
#include <string>
#include <vector>

// Runs one command line (without the program name); writes results to Out, messages to Err.
// ShowProgress is for an Err that a person watches on a terminal.
CliStatus RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                 bool showProgress = false);
