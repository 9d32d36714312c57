#pragma once

#include <string>
#include <string_view>

namespace platform {

// The program part of a registered "open" command: lower-cased (ASCII only), cut right after its
// first ".exe", quotes removed. An empty command gives the empty text.
std::string ProgramOfOpenCommand(std::string_view command);

} // namespace platform
