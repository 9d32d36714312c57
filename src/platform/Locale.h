#pragma once

#include <string>

namespace platform {

// The decimal separator of the user's locale ("." or "," mostly), whatever locale the
// program itself runs under.
std::string UserDecimalSeparator();

} // namespace platform
