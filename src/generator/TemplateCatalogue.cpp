#include "generator/TemplateCatalogue.h"

#include "util/files/FileHelpers.h"
#include "util/text/CaseFolding.h"
#include "util/text/UUtils.h"

#include <algorithm>
#include <set>

namespace fs = std::filesystem;

namespace {

bool IsListedTemplate(const ListedFile& file) {
    return !file.hidden && FoldAsciiCase(file.name).ends_with(".tem");
}

// A name from the catalogue is one file name; anything that would leave the folder is not one.
std::optional<fs::path> FileBeside(const fs::path& templatesFolder, std::string_view shownName,
                                   std::string_view extension) {
    if (shownName.empty() || shownName.find('/') != std::string_view::npos)
        return std::nullopt;
    auto found =
        FindInFolderIgnoringCase(templatesFolder, std::string(shownName) + std::string(extension));
    if (!found || !FileExists(*found))
        return std::nullopt;
    return found;
}

} // namespace

fs::path TemplatesFolder(const fs::path& folder) {
    return folder / "Templates";
}

std::vector<fs::path> TemplateFoldersOf(const UserDataFolders& folders) {
    std::vector<fs::path> templateFolders{TemplatesFolder(folders.program)};
    if (folders.data != folders.program)
        templateFolders.push_back(TemplatesFolder(folders.data));
    return templateFolders;
}

std::string TemplateFoldersText(const std::vector<fs::path>& templateFolders) {
    std::string text;
    for (const auto& folder : templateFolders)
        text += (text.empty() ? "" : " or ") + PathText(folder);
    return text;
}

std::string MissingTemplateText(const std::vector<fs::path>& templateFolders,
                                std::string_view templateName) {
    const std::string folders = TemplateFoldersText(templateFolders);
    if (templateName.empty())
        return "No templates are installed in " + folders + ".";
    return "No template file \"" + std::string(templateName) + ".tem\" in " + folders + ".";
}

std::string DisplayNameOf(std::string_view fileName) {
    std::string name = ReplaceAll(fileName, ".tem", "");
    if (!name.empty() && name[0] >= 'a' && name[0] <= 'z')
        name[0] = static_cast<char>(name[0] - 0x20);
    return name;
}

std::vector<std::string> ListTemplates(const std::vector<fs::path>& templateFolders) {
    std::vector<std::string> fileNames;
    std::set<std::string> shownByLaterFolders;
    for (auto folder = templateFolders.rbegin(); folder != templateFolders.rend(); ++folder) {
        std::vector<std::string> own;
        for (const auto& file : PlainFilesIn(*folder))
            if (IsListedTemplate(file) &&
                !shownByLaterFolders.contains(FoldCase(DisplayNameOf(file.name))))
                own.push_back(file.name);
        for (const auto& fileName : own) {
            shownByLaterFolders.insert(FoldCase(DisplayNameOf(fileName)));
            fileNames.push_back(fileName);
        }
    }

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

std::optional<fs::path> TemplateFile(const std::vector<fs::path>& templateFolders,
                                     std::string_view shownName) {
    // A later folder's template wins.
    for (auto folder = templateFolders.rbegin(); folder != templateFolders.rend(); ++folder)
        if (auto file = FileBeside(*folder, shownName, ".tem"))
            return file;
    return std::nullopt;
}

std::optional<fs::path> PreviewFile(const std::vector<fs::path>& templateFolders,
                                    std::string_view shownName) {
    auto templateFile = TemplateFile(templateFolders, shownName);
    return templateFile ? FileBeside(templateFile->parent_path(), shownName, ".jpg") : std::nullopt;
}
