#include "persistence/ProjectFiles.h"

#include "persistence/SettingsFile.h"
#include "util/AppError.h"
#include "util/files/FileHelpers.h"
#include "util/text/CaseFolding.h"

#include <algorithm>
#include <string>

namespace fs = std::filesystem;

namespace {

FileError CannotOpen(const std::filesystem::path& file, const std::string& reason) {
    return FileError(CannotOpenFileText(file, reason), AsSentence(reason));
}

} // namespace

std::vector<std::filesystem::path> ProjectFilesIn(const std::filesystem::path& folder) {
    if (const std::string reason = WhyNotAFolder(folder); !reason.empty())
        throw AppError("Cannot use the project folder \"" + PathText(folder) + "\". " +
                       AsSentence(reason));
    std::vector<std::string> names;
    for (auto& file : PlainFilesIn(folder)) {
        if (!file.hidden && HasProjectExtension(PathOf(file.name)))
            names.push_back(std::move(file.name));
    }
    std::sort(names.begin(), names.end());
    std::vector<std::filesystem::path> files;
    for (const auto& name : names)
        files.push_back(folder / PathOf(name));
    return files;
}

bool HasProjectExtension(const std::filesystem::path& file) {
    const std::string extension = FoldAsciiCase(PathText(file.extension()));
    return extension == ".vantor" || extension == ".dat";
}

StoredProject ReadProjectFile(const std::filesystem::path& file) {
    if (!FileExists(file))
        throw CannotOpen(file, WhyNotAFile(file));
    const std::string bytes = ReadFileBytes(file);
    if (!HoldsSettingsTags(bytes))
        throw CannotOpen(file, "It holds no project.");
    return {SettingsFromBytes(bytes), UnreadableParts(bytes)};
}

TAffManager LoadProjectFile(const std::filesystem::path& file) {
    StoredProject stored = ReadProjectFile(file);
    if (!stored.unreadable.empty())
        throw CannotOpen(file,
                         "It is damaged: it breaks off in " + stored.unreadable.front() + ".");
    return std::move(stored.project);
}

fs::path WithProjectExtension(fs::path file) {
    // "Spring Sale v2.5" has an extension to the system, but not one of a project.
    if (!HasProjectExtension(file))
        file += ".vantor";
    return file;
}

fs::path RecentProjectsFile(const fs::path& configFolder) {
    return configFolder / "recent-projects";
}

std::vector<fs::path> ReadRecentProjects(const fs::path& file) {
    std::vector<fs::path> projects;
    if (!FileExists(file))
        return projects;
    std::string text;
    try {
        text = ReadFileBytes(file);
    } catch (const std::exception&) {
        return projects;
    }
    std::size_t start = 0;
    while (start < text.size() && projects.size() < MaxRecentProjects) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            projects.push_back(PathOfUtf8Text(std::string_view(text).substr(start, end - start)));
        start = end + 1;
    }
    return projects;
}

void WriteRecentProjects(const fs::path& file, const std::vector<fs::path>& projects) {
    std::error_code ignored;
    fs::create_directories(file.parent_path(), ignored);
    std::string text;
    for (const fs::path& project : projects)
        text += Utf8TextOfPath(project) + "\n";
    WriteFileAtomically(file, text);
}

std::vector<fs::path> WithRecentProject(std::vector<fs::path> projects, const fs::path& project) {
    // A name with a line break could not be read back as one entry.
    if (Utf8TextOfPath(project).find_first_of("\r\n") != std::string::npos)
        return projects;
    projects = WithoutProject(std::move(projects), project);
    projects.insert(projects.begin(), project);
    if (projects.size() > MaxRecentProjects)
        projects.resize(MaxRecentProjects);
    return projects;
}

std::vector<fs::path> WithoutProject(std::vector<fs::path> projects, const fs::path& project) {
    std::erase(projects, project);
    return projects;
}
