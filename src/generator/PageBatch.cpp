#include "generator/PageBatch.h"

#include "generator/DeliveryError.h"
#include "generator/PageDelivery.h"
#include "generator/PageOutput.h"
#include "generator/TemplateCatalogue.h"
#include "generator/TemplateEngine.h"
#include "platform/FileSystem.h"
#include "util/AppError.h"
#include "util/ParallelFor.h"
#include "util/files/FileHelpers.h"
#include "util/files/FileReplacements.h"
#include "util/text/UUtils.h"

#include <map>
#include <mutex>

namespace {

struct TemplateText {
    std::filesystem::path file;
    std::string text;
    // Why the template cannot be used, for every page that chose it.
    std::string failure;
};

// Each template the batch chose, read once.
std::map<std::string, TemplateText> ReadChosenTemplates(const UserDataFolders& folders,
                                                        const std::vector<BatchPage>& pages) {
    const auto templateFolders = TemplateFoldersOf(folders);
    std::map<std::string, TemplateText> templates;
    for (const auto& page : pages) {
        auto [entry, added] = templates.try_emplace(page.templateName);
        if (!added)
            continue;
        TemplateText& chosen = entry->second;
        auto file = TemplateFile(templateFolders, page.templateName);
        if (!file) {
            chosen.failure = MissingTemplateText(templateFolders, page.templateName);
            continue;
        }
        chosen.file = *file;
        try {
            chosen.text = ReadFileBytes(*file);
        } catch (const std::exception& error) {
            chosen.failure = error.what();
        }
    }
    return templates;
}

// The positions of texts that occur more than once, grouped by text in the order of their first
// position; empty texts are left out.
std::vector<std::vector<std::size_t>> GroupsOfEqual(const std::vector<std::string>& texts) {
    std::vector<std::vector<std::size_t>> groups;
    std::map<std::string, std::size_t> groupOf;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].empty())
            continue;
        auto [group, added] = groupOf.try_emplace(texts[i], groups.size());
        if (added)
            groups.emplace_back();
        groups[group->second].push_back(i);
    }
    std::erase_if(groups, [](const auto& group) { return group.size() < 2; });
    return groups;
}

// Where a page really lands: the file itself where it exists, else its name in the real folder
// it goes to, so that names reaching one file through a linked folder, or through a folder
// whose names ignore case, meet.
std::string LandingPlace(const std::filesystem::path& page) {
    if (auto file = platform::FileIdentity(page))
        return "file " + *file;
    if (auto folder = platform::FileIdentity(page.parent_path()))
        return "in " + *folder + " " + platform::ComparableFileName(page.filename());
    return "at " + platform::ComparableFileName(page);
}

} // namespace

std::string BatchPageName(const std::filesystem::path& projectFile, const TAffManager& project,
                          BatchNaming naming) {
    if (naming == BatchNaming::OutputFileName && !IsBlank(project.OutputFileName))
        return project.OutputFileName;
    return PathText(projectFile.stem()) + ".htm";
}

std::vector<std::vector<std::size_t>> FindPageClashes(const std::filesystem::path& dataDir,
                                                      const std::vector<std::string>& fileNames) {
    std::vector<std::string> targets(fileNames.size());
    for (std::size_t i = 0; i < fileNames.size(); ++i)
        if (IsValidOutputFileName(fileNames[i]))
            targets[i] = LandingPlace(OutputFile(dataDir, fileNames[i]));
    return GroupsOfEqual(targets);
}

std::vector<std::vector<std::size_t>>
FindRepeatedProjects(const std::vector<std::filesystem::path>& projectFiles) {
    std::vector<std::string> identities(projectFiles.size());
    for (std::size_t i = 0; i < projectFiles.size(); ++i) {
        std::error_code error;
        auto resolved = std::filesystem::weakly_canonical(projectFiles[i], error);
        if (error)
            resolved = std::filesystem::absolute(projectFiles[i], error).lexically_normal();
        identities[i] = platform::ComparableFileName(resolved);
    }
    return GroupsOfEqual(identities);
}

std::vector<std::string> WritePages(const UserDataFolders& folders,
                                    const std::vector<BatchPage>& pages, unsigned jobs,
                                    const std::function<void()>& pageDone) {
    const auto templates = ReadChosenTemplates(folders, pages);
    std::vector<std::string> failures(pages.size());
    FileReplacements replacements;
    std::mutex reporting;
    ParallelFor(pages.size(), jobs, [&](std::size_t i) {
        const BatchPage& page = pages[i];
        try {
            CheckOutputFileName(page.fileName);
            const TemplateText& chosen = templates.at(page.templateName);
            if (!chosen.failure.empty())
                throw AppError(chosen.failure);
            const std::string text = FillTemplate(chosen.text, chosen.file, page.project());
            replacements.Stage(i, OutputFile(folders.data, page.fileName), PageFileBytes(text));
        } catch (const std::exception& error) {
            failures[i] = error.what();
        }
        const std::lock_guard lock(reporting);
        pageDone();
    });
    for (auto& [i, failure] : replacements.Commit(jobs))
        failures[i] = std::move(failure);
    return failures;
}
