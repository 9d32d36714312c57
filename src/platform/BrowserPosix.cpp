#include "platform/Browser.h"
#include "platform/DesktopEntry.h"
#include "platform/Process.h"
#include "util/FileHelpers.h"
#include "util/UUtils.h"

#include <cstdlib>

namespace {

// xdg-mime is a small script; one that hangs must not freeze the click that asked.
constexpr int QueryTimeLimitMilliseconds = 5000;

} // namespace

std::string RegisteredBrowserProgram() {
    const auto answer = ReadProgramOutput("xdg-mime", {"query", "default", "x-scheme-handler/http"},
                                          QueryTimeLimitMilliseconds);
    if (!answer)
        return {};
    const std::string desktopId = Trim(answer->substr(0, answer->find('\n')));
    if (desktopId.empty())
        return {};
    for (const auto& folder : ApplicationFolders(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"),
                                                 std::getenv("XDG_DATA_DIRS"))) {
        const fs::path entry = folder / desktopId;
        if (!FileExists(entry))
            continue;
        // The first entry found is the one the desktop uses, readable or not.
        try {
            return ProgramOfExec(DesktopEntryExec(ReadFileBytes(entry)));
        } catch (const std::exception&) {
            return {};
        }
    }
    return {};
}
