#include "generator/TemplateCatalogue.h"

#include "util/CaseFolding.h"
#include "util/FileHelpers.h"
#include "util/UUtils.h"

#include <algorithm>

namespace {

bool IsListedTemplate(const ListedFile& file) {
    return !file.hidden && FoldAsciiCase(file.name).ends_with(".tem");
}

// A name from the catalogue is one file name; anything that would leave the folder is not one.
std::optional<fs::path> FileBeside(const fs::path& appDir, std::string_view shownName,
                                   std::string_view extension) {
    if (shownName.empty() || shownName.find('/') != std::string_view::npos)
        return std::nullopt;
    auto found = FindInFolderIgnoringCase(TemplatesFolder(appDir),
                                          std::string(shownName) + std::string(extension));
    if (!found || !FileExists(*found))
        return std::nullopt;
    return found;
}

} // namespace

fs::path TemplatesFolder(const fs::path& appDir) {
    return appDir / "Templates";
}

std::string DisplayNameOf(std::string_view fileName) {
    std::string name = ReplaceAll(fileName, ".tem", "");
    if (!name.empty() && name[0] >= 'a' && name[0] <= 'z')
        name[0] = static_cast<char>(name[0] - 0x20);
    return name;
}

std::vector<std::string> ListTemplates(const fs::path& appDir) {
    std::vector<std::string> fileNames;
    for (const auto& file : PlainFilesIn(TemplatesFolder(appDir)))
        if (IsListedTemplate(file))
            fileNames.push_back(file.name);

    std::sort(fileNames.begin(), fileNames.end(), [](const std::string& a, const std::string& b) {
        std::string foldedA = FoldCase(a), foldedB = FoldCase(b);
        return foldedA != foldedB ? foldedA < foldedB : a < b;
    });

    std::vector<std::string> entries;
    entries.reserve(fileNames.size());
    for (const auto& fileName : fileNames)
        entries.push_back(DisplayNameOf(fileName));
    return entries;
}

int FindTemplate(const std::vector<std::string>& entries, std::string_view name) {
    return IndexOfIgnoringCase(entries, name);
}

std::optional<fs::path> TemplateFile(const fs::path& appDir, std::string_view shownName) {
    return FileBeside(appDir, shownName, ".tem");
}

std::optional<fs::path> PreviewFile(const fs::path& appDir, std::string_view shownName) {
    return FileBeside(appDir, shownName, ".jpg");
}
