#include "cli/CheckTemplateCommand.h"

#include "cli/HelpOption.h"
#include "cli/PrintableText.h"
#include "generator/TemplateCatalogue.h"
#include "generator/TemplateChecker.h"
#include "util/AppError.h"
#include "util/FileHelpers.h"

#include <optional>

namespace {

constexpr std::string_view Usage = R"(Usage:
  affiliate-vantor-cli check-template NAME|FILE [--app-dir DIR]

Reads a page template and lists what will not work the way its author may expect,
one a line as FILE:LINE: TEXT (FILE: TEXT for the template as a whole):
  - a section out of the order LINKTEXT, EMAIL, AUTORESPONDER, ARTICLE, SIGNATURE,
    POPUP, BANNER (it is never expanded), or a second section of a kind;
  - an INIT marker without its END marker, or the reverse;
  - a marker or placeholder in another letter case (it stays in the page);
  - a section holding %%TITLE%%, %%MENU%%, %%AFFILIATECODE%% or a placeholder or
    marker of an earlier section (it is not expanded), or lacking its item placeholder;
  - a %%WORD%% that is no placeholder;
  - an anchor the menu links to (affiliatelink, linktext, ...) that the template lacks;
  - a NUL byte (nothing after it is read);
  - no preview picture, or one larger than 380 x 270.

  NAME           a template as the wizard lists it, looked up in Templates/ of the
                 program folder and of the user's data folder for an installed copy;
                 letter case does not matter
  FILE           a template file (.tem); its preview is the .jpg of its name beside it
  --app-dir DIR  the program folder (default: the folder of this program)

Exit status: 0 nothing found, 1 something found, 2 wrong arguments or a file that
cannot be read. docs/templates.md explains how to write a template.
)";

constexpr int NothingFound = 0, SomethingFound = 1, BadInput = 2;

// A wrong command line; its text goes to the user with the usage hint.
class UsageError : public AppError {
  public:
    using AppError::AppError;
};

struct Arguments {
    std::string nameOrFile;
    std::optional<std::string> appDir;
};

Arguments ParseArguments(const std::vector<std::string>& arguments) {
    Arguments parsed;
    bool named = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--app-dir") {
            if (i + 1 >= arguments.size())
                throw UsageError("Option --app-dir needs a value.");
            if (parsed.appDir)
                throw UsageError("Option --app-dir is given twice.");
            parsed.appDir = arguments[++i];
        } else if (argument.starts_with("--")) {
            throw UsageError("Unknown option \"" + argument + "\" for check-template.");
        } else if (named) {
            throw UsageError("Give one template to check.");
        } else {
            parsed.nameOrFile = argument;
            named = true;
        }
    }
    if (!named)
        throw UsageError("Name the template to check.");
    return parsed;
}

// A name the catalogue knows wins; anything else is a file.
fs::path FindTemplateToCheck(const Arguments& arguments) {
    const fs::path appDir = PathOf(arguments.appDir.value_or(PathText(RunningProgramFolder())));
    const auto templateFolders = TemplateFoldersOf(UserDataFoldersOf(appDir));
    if (auto listed = TemplateFile(templateFolders, arguments.nameOrFile))
        return *listed;
    if (FileExists(PathOf(arguments.nameOrFile)))
        return PathOf(arguments.nameOrFile);
    throw AppError("No template \"" + arguments.nameOrFile + "\" in " +
                   TemplateFoldersText(templateFolders) + ", and no file of that name.");
}

} // namespace

int CheckTemplateCommand(const std::vector<std::string>& arguments, std::ostream& out,
                         std::ostream& err) {
    if (AsksForHelp(arguments)) {
        out << Usage;
        return NothingFound;
    }
    try {
        const fs::path file = FindTemplateToCheck(ParseArguments(arguments));
        const auto findings = CheckTemplateFile(file);
        for (const auto& finding : findings) {
            out << PrintableText(PathText(file));
            if (finding.line > 0)
                out << ':' << finding.line;
            out << ": " << PrintableText(finding.text) << '\n';
        }
        if (findings.empty())
            out << PrintableText(PathText(file)) << ": nothing found.\n";
        return findings.empty() ? NothingFound : SomethingFound;
    } catch (const UsageError& error) {
        err << PrintableText(error.what())
            << "\nRun affiliate-vantor-cli check-template --help for the options.\n";
    } catch (const std::exception& error) {
        err << PrintableText(error.what()) << '\n';
    }
    return BadInput;
}
