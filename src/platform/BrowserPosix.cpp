#include "platform/Browser.h"
#include "platform/DesktopEntry.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"

#include <cstdlib>

namespace platform {

namespace {

// xdg-mime is a small script; one that hangs must not freeze the click that asked.
constexpr int QueryTimeLimitMilliseconds = 5000;

} // namespace

std::string RegisteredBrowserProgram() {
    const auto answer = ReadProgramOutput("xdg-mime", {"query", "default", "x-scheme-handler/http"},
                                          QueryTimeLimitMilliseconds);
    if (!answer)
        return {};
    const std::string desktopId = DesktopIdOfAnswer(*answer);
    if (desktopId.empty())
        return {};
    for (const auto& folder : ApplicationFolders(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"),
                                                 std::getenv("XDG_DATA_DIRS"))) {
        const std::filesystem::path entry = folder / desktopId;
        if (platform::StatusOf(entry).kind != platform::EntryKind::File)
            continue;
        // The first entry found is the one the desktop uses, readable or not.
        platform::File file;
        std::string bytes;
        if (platform::OpenForReading(entry, file) || platform::ReadRest(file, bytes))
            return {};
        return ProgramOfExec(DesktopEntryExec(bytes));
    }
    return {};
}

} // namespace platform
