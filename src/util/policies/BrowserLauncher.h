#pragma once

#include <string>

// Starts the desktop's web browser on an address, passed as one argument. True when a browser is
// registered, whether or not it could be started.
bool OpenURLInBrowser(const std::string& address);
