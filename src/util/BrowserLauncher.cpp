#include "platform/Browser.h"
#include "platform/Process.h"
#include "util/UUtils.h"

bool OpenURLInBrowser(const std::string& address) {
    const std::string program = RegisteredBrowserProgram();
    if (program.empty())
        return false;
    // One argument, so a blank cannot split the address; one that starts like a switch would
    // still be read as one by the browser.
    if (!address.starts_with('-'))
        StartProgram(program, {address});
    return true;
}
