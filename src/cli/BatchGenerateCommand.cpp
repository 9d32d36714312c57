#include "cli/BatchGenerateCommand.h"

#include "cli/PrintableText.h"
#include "cli/TemplateChoice.h"
#include "generator/DeliveryError.h"
#include "generator/PageBatch.h"
#include "generator/PageOutput.h"
#include "persistence/ProjectFiles.h"
#include "util/FileHelpers.h"
#include "util/ParallelFor.h"

namespace {

using Projects = std::vector<std::optional<TAffManager>>;

// Loads every project on Jobs threads; a project that cannot be read gets its failure instead.
Projects LoadProjects(const BatchGenerateRequest& request, std::vector<std::string>& failures) {
    const auto& files = request.projectFiles;
    Projects projects(files.size());
    ParallelFor(files.size(), request.jobs, [&](std::size_t i) {
        try {
            projects[i] = LoadProjectFile(files[i]);
        } catch (const std::exception& error) {
            failures[i] = error.what();
        }
    });
    return projects;
}

// "N/M pages" on one line of a terminal, rewritten as pages are made and wiped at the end.
class ProgressLine {
  public:
    ProgressLine(std::ostream& err, std::size_t total, bool shown)
        : err_(err), total_(total), shown_(shown) {}

    void PageDone() {
        if (!shown_)
            return;
        line_ = std::to_string(++done_) + "/" + std::to_string(total_) + " pages";
        err_ << '\r' << line_ << std::flush;
    }

    void Wipe() {
        if (!line_.empty())
            err_ << '\r' << std::string(line_.size(), ' ') << '\r' << std::flush;
    }

  private:
    std::ostream& err_;
    std::size_t total_;
    bool shown_;
    std::size_t done_ = 0;
    std::string line_;
};

} // namespace

CliStatus BatchGenerateCommand(const BatchGenerateRequest& request, std::ostream& out,
                               std::ostream& err) {
    const auto& files = request.projectFiles;
    std::vector<std::string> failures(files.size());
    const Projects projects = LoadProjects(request, failures);

    const auto installed = ListTemplates(TemplateFoldersOf(request.folders));
    std::vector<BatchPage> pages;
    std::vector<std::string> pageNames;
    std::vector<std::size_t> projectOfPage;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!projects[i])
            continue;
        const TAffManager& project = *projects[i];
        pages.push_back({&project, ChooseTemplate(request.templateName, installed, project),
                         BatchPageName(files[i], project)});
        pageNames.push_back(pages.back().fileName);
        projectOfPage.push_back(i);
    }

    const auto clashes = FindPageClashes(request.folders.data, pageNames);
    for (auto [first, second] : clashes)
        err << PrintableText("\"" + PathText(files[projectOfPage[first]]) + "\" and \"" +
                             PathText(files[projectOfPage[second]]) + "\" would both write \"" +
                             PathText(OutputFile(request.folders.data, pageNames[first])) + "\".")
            << '\n';
    if (!clashes.empty()) {
        err << "No page was written.\n";
        return CliStatus::BadInput;
    }

    if (!pages.empty() && !EnsureOutputFolder(request.folders.data))
        throw DeliveryError(DeliveryError::Reason::NoOutputFolder);
    ProgressLine progress(err, pages.size(), request.showProgress);
    auto pageFailures =
        WritePages(request.folders, pages, request.jobs, [&] { progress.PageDone(); });
    progress.Wipe();
    for (std::size_t page = 0; page < pages.size(); ++page)
        if (!pageFailures[page].empty())
            failures[projectOfPage[page]] = std::move(pageFailures[page]);

    std::size_t failed = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (failures[i].empty())
            continue;
        ++failed;
        err << PrintableText(PathText(files[i]) + ": " + failures[i]) << '\n';
    }
    out << files.size() - failed << " pages written, " << failed << " failed\n";
    return failed == 0 ? CliStatus::Success : CliStatus::BadInput;
}
