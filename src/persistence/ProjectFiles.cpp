#include "persistence/ProjectFiles.h"

#include "persistence/SettingsFile.h"
#include "util/AppError.h"
#include "util/CaseFolding.h"
#include "util/FileHelpers.h"

#include <algorithm>

std::vector<std::filesystem::path> ProjectFilesIn(const std::filesystem::path& folder) {
    if (const std::string reason = WhyNotAFolder(folder); !reason.empty())
        throw AppError("Cannot use the project folder \"" + PathText(folder) + "\". " + reason);
    std::vector<std::string> names;
    for (auto& file : PlainFilesIn(folder)) {
        const std::string name = FoldAsciiCase(file.name);
        if (!file.hidden && (name.ends_with(".vantor") || name.ends_with(".dat")))
            names.push_back(std::move(file.name));
    }
    std::sort(names.begin(), names.end());
    std::vector<std::filesystem::path> files;
    for (const auto& name : names)
        files.push_back(folder / PathOf(name));
    return files;
}

TAffManager LoadProjectFile(const std::filesystem::path& file) {
    if (!FileExists(file))
        throw AppError(CannotOpenFileText(file, WhyNotAFile(file)));
    const std::string bytes = ReadFileBytes(file);
    if (!HoldsSettingsTags(bytes))
        throw AppError(CannotOpenFileText(file, "It holds no project."));
    return SettingsFromBytes(bytes);
}
