#include "generator/PageBatch.h"

#include "generator/DeliveryError.h"
#include "generator/PageDelivery.h"
#include "generator/PageOutput.h"
#include "generator/TemplateCatalogue.h"
#include "generator/TemplateEngine.h"
#include "platform/FileSystem.h"
#include "util/AppError.h"
#include "util/FileHelpers.h"
#include "util/FileReplacements.h"
#include "util/ParallelFor.h"
#include "util/UUtils.h"

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

} // namespace

std::string BatchPageName(const std::filesystem::path& projectFile, const TAffManager& project) {
    if (!IsBlank(project.OutputFileName))
        return project.OutputFileName;
    return PathText(projectFile.stem()) + ".htm";
}

std::vector<std::pair<std::size_t, std::size_t>>
FindPageClashes(const std::filesystem::path& dataDir, const std::vector<std::string>& fileNames) {
    std::vector<std::pair<std::size_t, std::size_t>> clashes;
    std::map<std::string, std::size_t> firstWriter;
    for (std::size_t i = 0; i < fileNames.size(); ++i) {
        if (!IsValidOutputFileName(fileNames[i]))
            continue;
        const auto name = platform::ComparableFileName(OutputFile(dataDir, fileNames[i]));
        auto [first, added] = firstWriter.try_emplace(name, i);
        if (!added)
            clashes.emplace_back(first->second, i);
    }
    return clashes;
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
            if (!IsValidOutputFileName(page.fileName))
                throw DeliveryError(DeliveryError::Reason::InvalidFileName);
            const TemplateText& chosen = templates.at(page.templateName);
            if (!chosen.failure.empty())
                throw AppError(chosen.failure);
            const std::string text = FillTemplate(chosen.text, chosen.file, *page.project);
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
