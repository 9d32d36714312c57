#include "cli/GenerateCommand.h"

#include "cli/BatchGenerateCommand.h"
#include "cli/CommandLineParser.h"
#include "cli/PrintableText.h"
#include "cli/ProgramFolder.h"
#include "cli/TemplateChoice.h"
#include "generator/DeliveryError.h"
#include "generator/PageBatch.h"
#include "generator/PageDelivery.h"
#include "generator/PageOutput.h"
#include "generator/TemplateCatalogue.h"
#include "persistence/ProjectFiles.h"
#include "persistence/SettingsFile.h"
#include "util/AppError.h"
#include "util/ParallelFor.h"
#include "util/files/FileHelpers.h"
#include "util/text/UUtils.h"

#include <charconv>

namespace fs = std::filesystem;

namespace {

// One page from one project file, as generate has always made it.
bool MakesOnePage(const CommandLine& line) {
    return line.repeated.empty() ||
           (line.repeated.size() == 1 && line.repeated[0].first == "--settings");
}

BatchNaming NamingOf(const CommandLine& line) {
    return line.has("--name-after-file") ? BatchNaming::ProjectFileName
                                         : BatchNaming::OutputFileName;
}

std::string ChooseOutputName(const CommandLine& line, const fs::path& projectFile,
                             const TAffManager& project) {
    if (auto chosen = line.value("--output"))
        return *chosen;
    if (NamingOf(line) == BatchNaming::ProjectFileName)
        return BatchPageName(projectFile, project, BatchNaming::ProjectFileName);
    return IsBlank(project.OutputFileName) ? "affiliatepage.htm" : project.OutputFileName;
}

// The status for a refusal; a missing template also says where it was looked for.
CliStatus ReportRefusal(const DeliveryError& refusal, const DeliveryRequest& request,
                        std::ostream& err) {
    err << PrintableText(refusal.what()) << '\n';
    if (refusal.reason() != DeliveryError::Reason::NoTemplate)
        return CliStatus::BadInput;
    err << PrintableText(
               MissingTemplateText(TemplateFoldersOf(request.folders), request.templateName))
        << '\n';
    return CliStatus::NoTemplate;
}

// A whole number of threads of at least 1; all cores when not given.
unsigned JobsOf(const CommandLine& line) {
    const auto given = line.value("--jobs");
    if (!given)
        return AllCores();
    unsigned jobs = 0;
    const char* end = given->data() + given->size();
    auto [stop, error] = std::from_chars(given->data(), end, jobs);
    if (error != std::errc() || stop != end || jobs == 0)
        throw UsageError("Option --jobs needs a whole number of at least 1.");
    return jobs;
}

CliStatus GenerateSeveral(const CommandLine& line, const CliOutput& output) {
    BatchGenerateRequest request;
    request.jobs = JobsOf(line);
    request.folders = CopyFoldersOf(line);
    for (const auto& [option, path] : line.repeated) {
        if (option == "--settings") {
            request.projectFiles.push_back(PathOf(path));
        } else {
            auto files = ProjectFilesIn(PathOf(path));
            if (files.empty())
                throw AppError("No projects (.vantor or .dat files) in \"" + path + "\".");
            request.projectFiles.insert(request.projectFiles.end(), files.begin(), files.end());
        }
    }
    request.templateName = line.value("--template");
    request.naming = NamingOf(line);
    request.showProgress = output.showProgress;
    return BatchGenerateCommand(request, output.out, output.err);
}

CliStatus GenerateOne(const CommandLine& line, const CliOutput& output) {
    const UserDataFolders folders = CopyFoldersOf(line);
    const auto given =
        line.repeated.empty() ? std::nullopt : std::optional(line.repeated[0].second);
    const fs::path settings = PathOf(given.value_or(PathText(SettingsPath(folders.data))));
    // A file with no project in it, or one that breaks off, would make a wrong page.
    const TAffManager project = LoadProjectFile(settings);

    DeliveryRequest request;
    request.folders = folders;
    request.templateName = ChooseTemplate(line.value("--template"),
                                          ListTemplates(TemplateFoldersOf(folders)), project);
    if (!line.has("--stdout"))
        request.fileName = ChooseOutputName(line, settings, project);
    request.needsOutputFolder = false;
    try {
        if (request.fileName)
            CheckOutputFileName(*request.fileName);
        const DeliveredPage page = DeliverPage(request, project);
        if (page.file)
            output.out << PrintableText(PathText(*page.file)) << '\n';
        else
            output.out << page.text;
    } catch (const DeliveryError& refusal) {
        return ReportRefusal(refusal, request, output.err);
    }
    return CliStatus::Success;
}

} // namespace

CliStatus GenerateCommand(const CommandLine& line, const CliOutput& output) {
    const bool toStdout = line.has("--stdout");
    if (toStdout && line.value("--output"))
        throw UsageError("Use either --output or --stdout, not both.");
    if (line.has("--name-after-file") && (toStdout || line.value("--output")))
        throw UsageError("Option --name-after-file names pages in Output/; it does not go with "
                         "--output or --stdout.");
    if (MakesOnePage(line))
        return GenerateOne(line, output);
    if (toStdout || line.value("--output"))
        throw UsageError("Options --output and --stdout make one page; each of several projects "
                         "is written under its own name.");
    return GenerateSeveral(line, output);
}
