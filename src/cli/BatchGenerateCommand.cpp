#include "cli/BatchGenerateCommand.h"

#include "cli/PrintableText.h"
#include "cli/TemplateChoice.h"
#include "generator/DeliveryError.h"
#include "generator/PageOutput.h"
#include "persistence/ProjectFiles.h"
#include "util/AppError.h"
#include "util/ParallelFor.h"
#include "util/files/FileHelpers.h"

namespace fs = std::filesystem;

namespace {

using Groups = std::vector<std::vector<std::size_t>>;

// What a batch makes of a project before making its page.
struct PagePlan {
    std::string templateName;
    std::string fileName;
};

// Reads every project on Jobs threads to learn its template and page name, keeping none of
// them; a project that cannot be read gets its failure instead, in words that need not name the
// file again.
std::vector<std::optional<PagePlan>> PlanPages(const BatchGenerateRequest& request,
                                               std::vector<std::string>& failures) {
    const auto& files = request.projectFiles;
    const auto installed = ListTemplates(TemplateFoldersOf(request.folders));
    std::vector<std::optional<PagePlan>> plans(files.size());
    ParallelFor(files.size(), request.jobs, [&](std::size_t i) {
        try {
            const TAffManager project = LoadProjectFile(files[i]);
            plans[i] = PagePlan{ChooseTemplate(request.templateName, installed, project),
                                BatchPageName(files[i], project, request.naming)};
        } catch (const FileError& error) {
            failures[i] = error.reason();
        } catch (const std::exception& error) {
            failures[i] = error.what();
        }
    });
    return plans;
}

std::string Quoted(const fs::path& file) {
    // Appended, not added: GCC 12 warns wrongly about "\"" + text.
    std::string quoted(1, '"');
    quoted += PathText(file);
    quoted += '"';
    return quoted;
}

// "N pages" with the noun agreeing.
std::string CountOf(std::size_t count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// One line per project given more than once; true when there was one.
bool ReportRepeatedProjects(const std::vector<fs::path>& files, std::ostream& err) {
    const Groups repeated = FindRepeatedProjects(files);
    for (const auto& group : repeated) {
        std::string line = Quoted(files[group[0]]) + " is given " +
                           (group.size() == 2 ? "twice" : std::to_string(group.size()) + " times");
        std::string spellings;
        for (std::size_t i : group)
            if (files[i] != files[group[0]] &&
                spellings.find(Quoted(files[i])) == std::string::npos)
                spellings += (spellings.empty() ? "" : ", ") + Quoted(files[i]);
        if (!spellings.empty())
            line += " (also as " + spellings + ")";
        err << PrintableText(line + "; give each project once.") << '\n';
    }
    return !repeated.empty();
}

// Projects whose pages would land on one file.
struct Clash {
    std::vector<fs::path> projects;
    fs::path page;
};

// One line per clash, then what to do about them.
void ReportClashes(const std::vector<Clash>& clashes, BatchNaming naming, std::ostream& err) {
    for (const auto& [projects, page] : clashes) {
        // Fifty copies of a project make one line, not a list of fifty.
        const std::size_t named = projects.size() <= 3 ? projects.size() : 2;
        std::string line;
        for (std::size_t at = 0; at < named; ++at) {
            const bool last = at + 1 == projects.size();
            line += (at == 0 ? "" : last ? " and " : ", ") + Quoted(projects[at]);
        }
        if (named < projects.size())
            line += " and " + CountOf(projects.size() - named, "other project");
        line += projects.size() == 2 ? " would both write " : " would all write ";
        err << PrintableText(line + Quoted(page) + ".") << '\n';
    }
    if (naming == BatchNaming::OutputFileName)
        err << "Give each project an output file name of its own, or add --name-after-file to "
               "name each page after its project file (shop01.vantor makes shop01.htm).\n";
    else
        err << "Give the project files names of their own: each page is named after its "
               "project file.\n";
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
    if (ReportRepeatedProjects(files, err)) {
        err << "No page was written.\n";
        return CliStatus::BadInput;
    }
    std::vector<std::string> failures(files.size());
    const auto plans = PlanPages(request, failures);
    std::vector<BatchPage> pages;
    std::vector<std::string> pageNames;
    std::vector<std::size_t> projectOfPage;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!plans[i])
            continue;
        pages.push_back({[&file = files[i]] { return LoadProjectFile(file); },
                         plans[i]->templateName, plans[i]->fileName});
        pageNames.push_back(plans[i]->fileName);
        projectOfPage.push_back(i);
    }

    const Groups clashes = FindPageClashes(request.folders.data, pageNames);
    if (!clashes.empty()) {
        std::vector<Clash> clashing;
        for (const auto& group : clashes) {
            Clash& clash = clashing.emplace_back();
            for (std::size_t page : group)
                clash.projects.push_back(files[projectOfPage[page]]);
            clash.page = OutputFile(request.folders.data, pageNames[group[0]]);
        }
        ReportClashes(clashing, request.naming, err);
        err << "No page was written.\n";
        return CliStatus::BadInput;
    }

    const fs::path folder = OutputFolder(request.folders.data);
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
    const std::size_t written = files.size() - failed;
    out << CountOf(written, "page") << " written";
    if (written > 0)
        out << " to " << PrintableText(Quoted(folder));
    out << ", " << failed << " failed\n";
    return failed == 0 ? CliStatus::Success : CliStatus::BadInput;
}
