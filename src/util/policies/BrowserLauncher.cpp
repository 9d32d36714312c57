#include "util/policies/BrowserLauncher.h"

#include "platform/Browser.h"
#include "platform/Process.h"

bool OpenURLInBrowser(const std::string& address) {
    const std::string program = platform::RegisteredBrowserProgram();
    if (program.empty())
        return false;
    // One argument, so a blank cannot split the address; one that starts like a switch would
    // still be read as one by the browser.
    if (!address.starts_with('-'))
        platform::StartProgram(program, {address});
    return true;
}
