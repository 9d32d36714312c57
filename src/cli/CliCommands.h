#pragma once

#include <ostream>
#include <string>
#include <vector>

// Exit statuses of affiliate-vantor-cli.
enum CliStatus { CliSuccess = 0, CliNoTemplate = 1, CliNotFetched = 1, CliBadInput = 2 };

// Runs one command line (without the program name); writes results to Out, messages to Err.
// ShowProgress is for an Err that a person watches on a terminal.
int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
           bool showProgress = false);
