#include "cli/CliCommands.h"

#include "cli/BatchGenerateCommand.h"
#include "cli/CheckTemplateCommand.h"
#include "cli/HelpOption.h"
#include "cli/PrintableText.h"
#include "cli/TemplateChoice.h"
#include "generator/DeliveryError.h"
#include "generator/PageDelivery.h"
#include "generator/TemplateCatalogue.h"
#include "persistence/ProjectFiles.h"
#include "persistence/SettingsFile.h"
#include "platform/Locale.h"
#include "update/DownloadFile.h"
#include "update/UpdateCheck.h"
#include "util/AppError.h"
#include "util/FileHelpers.h"
#include "util/ParallelFor.h"
#include "util/UUtils.h"
#include "util/UserDataFolders.h"

#include <charconv>
#include <map>
#include <optional>

namespace {

constexpr std::string_view Usage = R"(Usage:
  affiliate-vantor-cli templates [--app-dir DIR]
  affiliate-vantor-cli generate [--app-dir DIR] [--settings FILE] [--template NAME]
                                [--output NAME | --stdout]
  affiliate-vantor-cli generate [--app-dir DIR] [--settings FILE]... [--projects DIR]...
                                [--template NAME] [--jobs N]
  affiliate-vantor-cli check-template NAME|FILE [--app-dir DIR]
  affiliate-vantor-cli check-update [--app-dir DIR] [--url BASE]
  affiliate-vantor-cli --help

Makes Affiliate Vantor promotion pages from the command line.

  templates       prints the installed templates, one a line, as the wizard lists them.
  generate        fills a template with a saved project and writes the page.
  check-template  lists what in a template would not work as meant (see its --help).
  check-update    fetches the update description BASE + "mainappupdate.inf" into
                  mainappupdate.inf in the program folder (in ~/.cache/affiliate-vantor/
                  for an installed copy) and compares its version
                  with this program's, as "Check Updates" does. Prints one line:
                  "update available: V" (V the version offered) or "no new updates";
                  or, on standard error, "could not fetch URL: REASON". BASE may be
                  http or https; https servers are verified against the system's
                  trusted certificates.

Options:
  --app-dir DIR    the program folder, holding Templates/ and where Output/ is made
                   (default: the folder of this program); it must exist
  --settings FILE  the project to read (default: settings.dat in the program folder);
                   given more than once, one page is made for each
  --projects DIR   one page for each .vantor and .dat file in DIR, in order of their
                   names; may be given more than once, and with --settings
  --jobs N         how many pages of several are made at once (default: one per core)
  --template NAME  the template to use (default: the project's template when it is
                   installed, else the first one listed); letter case does not matter
  --output NAME    the file name in Output/ (default: the project's output file name,
                   else affiliatepage.htm); the full path is printed. A name with a
                   ".." component is refused: pages stay in Output/
  --stdout         print the page instead of writing it, exactly as it would go to
                   the clipboard
  --url BASE       the address of the update folder, ending with "/" (default:
                   )" VANTOR_UPDATE_BASE_URL R"()

Several projects: each page goes to Output/ under the project's output file name, else
the project file's name with ".htm". Projects that would write the same file are refused
before anything is written. Each project that fails gets one line on standard error,
"PROJECT: REASON", and the last line says "N pages written, M failed". On a terminal a
count of the pages made is shown meanwhile. Exit status 0 when every page was written,
else 2.

A program folder you cannot write is an installed copy: settings.dat and Output/ are
then in ~/.local/share/affiliate-vantor/ ($XDG_DATA_HOME/affiliate-vantor/), and
the templates in Templates/ there are listed too, hiding shipped ones of the same name.

Exit status: 0 success, 1 no template file found or the update description could
not be fetched, 2 wrong arguments, unreadable input or a page that cannot be written.
)";

// A wrong command line; its text goes to the user with the usage hint.
class UsageError : public AppError {
  public:
    using AppError::AppError;
};

struct Options {
    std::string command;
    std::map<std::string, std::string> values;
    // Each --settings FILE and --projects FOLDER, in the order given.
    std::vector<std::pair<std::string, std::string>> projects;
    bool toStdout = false;

    // One page from one project file, as generate has always made it.
    bool makesOnePage() const {
        return projects.empty() || (projects.size() == 1 && projects[0].first == "--settings");
    }

    std::optional<std::string> value(const std::string& name) const {
        auto found = values.find(name);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
};

Options ParseOptions(const std::vector<std::string>& arguments) {
    Options options;
    if (arguments.empty())
        throw UsageError("No command given.");
    options.command = arguments[0];
    if (options.command != "templates" && options.command != "generate" &&
        options.command != "check-update")
        throw UsageError("Unknown command \"" + options.command + "\".");

    const bool generating = options.command == "generate";
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        bool takesValue = argument == "--app-dir" ||
                          (generating && (argument == "--template" || argument == "--output" ||
                                          argument == "--jobs")) ||
                          (options.command == "check-update" && argument == "--url");
        if (generating && argument == "--stdout") {
            options.toStdout = true;
        } else if (generating && (argument == "--settings" || argument == "--projects")) {
            if (i + 1 >= arguments.size())
                throw UsageError("Option " + argument + " needs a value.");
            options.projects.emplace_back(argument, arguments[++i]);
        } else if (takesValue) {
            if (i + 1 >= arguments.size())
                throw UsageError("Option " + argument + " needs a value.");
            if (!options.values.emplace(argument, arguments[++i]).second)
                throw UsageError("Option " + argument + " is given twice.");
        } else {
            throw UsageError("Unknown option \"" + argument + "\" for " + options.command + ".");
        }
    }
    if (options.toStdout && options.value("--output"))
        throw UsageError("Use either --output or --stdout, not both.");
    if (!options.makesOnePage() && (options.toStdout || options.value("--output")))
        throw UsageError("Options --output and --stdout make one page; each of several projects "
                         "is written under its own name.");
    return options;
}

fs::path AppDirOf(const Options& options) {
    auto given = options.value("--app-dir");
    if (!given)
        return RunningProgramFolder();
    // Nothing is made in a program folder that is not there.
    const std::string reason = WhyNotAFolder(*given);
    if (!reason.empty())
        throw AppError("Cannot use the program folder \"" + *given + "\". " + reason);
    return PathOf(*given);
}

int ListTemplatesCommand(const Options& options, std::ostream& out) {
    for (const auto& name : ListTemplates(TemplateFoldersOf(UserDataFoldersOf(AppDirOf(options)))))
        out << PrintableText(name) << '\n';
    return CliSuccess;
}

std::string ChooseOutputName(const Options& options, const TAffManager& project) {
    if (auto chosen = options.value("--output"))
        return *chosen;
    return IsBlank(project.OutputFileName) ? "affiliatepage.htm" : project.OutputFileName;
}

// The exit status for a refusal; a missing template also says where it was looked for.
int ReportRefusal(const DeliveryError& refusal, const DeliveryRequest& request, std::ostream& err) {
    err << PrintableText(refusal.what()) << '\n';
    if (refusal.reason() != DeliveryError::Reason::NoTemplate)
        return CliBadInput;
    err << PrintableText(
               MissingTemplateText(TemplateFoldersOf(request.folders), request.templateName))
        << '\n';
    return CliNoTemplate;
}

// A whole number of threads of at least 1; all cores when not given.
unsigned JobsOf(const Options& options) {
    const auto given = options.value("--jobs");
    if (!given)
        return AllCores();
    unsigned jobs = 0;
    const char* end = given->data() + given->size();
    auto [stop, error] = std::from_chars(given->data(), end, jobs);
    if (error != std::errc() || stop != end || jobs == 0)
        throw UsageError("Option --jobs needs a whole number of at least 1.");
    return jobs;
}

int GenerateSeveralCommand(const Options& options, std::ostream& out, std::ostream& err,
                           bool showProgress) {
    BatchGenerateRequest request;
    request.jobs = JobsOf(options);
    request.folders = UserDataFoldersOf(AppDirOf(options));
    for (const auto& [option, path] : options.projects) {
        if (option == "--settings") {
            request.projectFiles.push_back(PathOf(path));
        } else {
            auto files = ProjectFilesIn(PathOf(path));
            if (files.empty())
                throw AppError("No projects (.vantor or .dat files) in \"" + path + "\".");
            request.projectFiles.insert(request.projectFiles.end(), files.begin(), files.end());
        }
    }
    request.templateName = options.value("--template");
    request.showProgress = showProgress;
    return BatchGenerateCommand(request, out, err);
}

int GenerateCommand(const Options& options, std::ostream& out, std::ostream& err) {
    const UserDataFolders folders = UserDataFoldersOf(AppDirOf(options));
    const auto given =
        options.projects.empty() ? std::nullopt : std::optional(options.projects[0].second);
    const fs::path settings = PathOf(given.value_or(PathText(SettingsPath(folders.data))));
    auto project = LoadSettingsFile(settings);
    if (!project)
        throw AppError(CannotOpenFileText(settings, WhyNotAFile(settings)));

    DeliveryRequest request;
    request.folders = folders;
    request.templateName = ChooseTemplate(options.value("--template"),
                                          ListTemplates(TemplateFoldersOf(folders)), *project);
    if (!options.toStdout)
        request.fileName = ChooseOutputName(options, *project);
    request.needsOutputFolder = false;
    try {
        const DeliveredPage page = DeliverPage(request, *project);
        if (page.file)
            out << PrintableText(PathText(*page.file)) << '\n';
        else
            out << page.text;
    } catch (const DeliveryError& refusal) {
        return ReportRefusal(refusal, request, err);
    }
    return CliSuccess;
}

int CheckUpdateCommand(const Options& options, std::ostream& out, std::ostream& err) {
    const fs::path cache = UserDataFoldersOf(AppDirOf(options)).cache;
    const std::string address =
        options.value("--url").value_or(VANTOR_UPDATE_BASE_URL) + UpdateDescriptionFileName;
    const fs::path description = cache / UpdateDescriptionFileName;
    THttpClient client;
    std::string failure;
    if (!DownloadFile(
            client, address, description, [] { return true; }, &failure)) {
        err << "could not fetch " << address << ": " << PrintableText(failure) << '\n';
        return CliNotFetched;
    }
    if (auto version = NewerVersion(description, AppVersion, UserDecimalSeparator()))
        out << "update available: " << *version << '\n';
    else
        out << "no new updates\n";
    return CliSuccess;
}

} // namespace

int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
           bool showProgress) {
    if (!arguments.empty() && arguments[0] == "check-template")
        return CheckTemplateCommand({arguments.begin() + 1, arguments.end()}, out, err);
    if (AsksForHelp(arguments)) {
        out << Usage;
        return CliSuccess;
    }
    try {
        Options options = ParseOptions(arguments);
        if (options.command == "templates")
            return ListTemplatesCommand(options, out);
        if (options.command == "check-update")
            return CheckUpdateCommand(options, out, err);
        if (!options.makesOnePage())
            return GenerateSeveralCommand(options, out, err, showProgress);
        return GenerateCommand(options, out, err);
    } catch (const UsageError& error) {
        err << PrintableText(error.what())
            << "\nRun affiliate-vantor-cli --help for the options.\n";
    } catch (const std::exception& error) {
        err << PrintableText(error.what()) << '\n';
    }
    return CliBadInput;
}
