#pragma once

#include <string>
#include <system_error>

namespace platform {

// Windows error codes whose message() is the system's own text ("Access is denied.").
const std::error_category& WindowsErrorCategory();

// The calling thread's last error (GetLastError) as an error code of that category.
std::error_code LastWindowsError();

// The system's text for a Windows or Winsock error code, without the trailing line break.
std::string WindowsErrorText(unsigned long code);

} // namespace platform
