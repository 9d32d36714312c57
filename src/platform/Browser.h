#pragma once

#include <string>

namespace platform {

// The program the desktop opens web addresses with, or the empty text when none is registered.
std::string RegisteredBrowserProgram();

} // namespace platform
