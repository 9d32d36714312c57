#pragma once

#include "cli/CliCommand.h"
#include "util/AppError.h"

#include <string>
#include <vector>

// A wrong command line; its text goes to the user with the usage hint.
class UsageError : public AppError {
  public:
    using AppError::AppError;
};

// True when any argument asks for the usage text.
bool AsksForHelp(const std::vector<std::string>& arguments);

// Reads the arguments that follow the command's name; throws UsageError for an option the
// command does not take, a value missing or given twice, or a wrong number of operands.
CommandLine ParseCommandLine(const CliCommand& command, const std::vector<std::string>& arguments);
