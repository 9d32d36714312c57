#include "updater/UpdaterCopy.h"

#include "platform/TemporaryFolder.h"
#include "util/AppError.h"
#include "util/files/FileHelpers.h"
#include "util/text/CaseFolding.h"

#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view CopyPrefix = "vantor-updater-";

bool IsLibrary(const fs::path& file) {
    return FoldAsciiCase(PathText(file.extension())) == ".dll";
}

} // namespace

fs::path CopyUpdaterOut(const fs::path& updater, const fs::path& parent) {
    const fs::path from = updater.parent_path();
    fs::path folder;
    try {
        folder = platform::CreatePrivateFolder(parent, CopyPrefix);
        fs::copy_file(updater, folder / updater.filename());
        for (const auto& entry : fs::directory_iterator(from))
            if (entry.is_regular_file() && IsLibrary(entry.path()))
                fs::copy_file(entry.path(), folder / entry.path().filename());
        for (const char* plugins : {"platforms", "styles"})
            if (fs::is_directory(from / plugins))
                fs::copy(from / plugins, folder / plugins, fs::copy_options::recursive);
    } catch (const std::system_error& error) {
        std::error_code ignored;
        if (!folder.empty())
            fs::remove_all(folder, ignored);
        throw AppError("The updater cannot copy itself out of the program folder, which the "
                       "update replaces: " +
                       AsSentence(error.code().message()));
    }
    return folder / updater.filename();
}

void RemoveLeftoverCopies(const fs::path& parent) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(parent, error)) {
        const fs::path folder = entry.path();
        if (!PathText(folder.filename()).starts_with(CopyPrefix) || !DirectoryExists(folder))
            continue;
        // Windows keeps the file of a running program: a copy still at work stays whole.
        bool running = false;
        std::error_code inUse;
        for (const auto& file : fs::directory_iterator(folder, inUse))
            if (file.path().extension() == ".exe" && (fs::remove(file.path(), inUse), inUse))
                running = true;
        if (!running)
            fs::remove_all(folder, inUse);
    }
}
