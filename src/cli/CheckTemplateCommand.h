#pragma once

#include <ostream>
#include <string>
#include <vector>

// Runs "check-template" with the arguments that follow the command's name; writes the
// findings to Out, messages to Err. Returns 0 when nothing is found, 1 with findings, 2 for
// wrong arguments or a template that cannot be read.
int CheckTemplateCommand(const std::vector<std::string>& arguments, std::ostream& out,
                         std::ostream& err);
