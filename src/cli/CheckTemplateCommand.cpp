#include "cli/CheckTemplateCommand.h"

#include "cli/PrintableText.h"
#include "cli/ProgramFolder.h"
#include "generator/TemplateCatalogue.h"
#include "generator/TemplateChecker.h"
#include "util/AppError.h"
#include "util/files/FileHelpers.h"

namespace fs = std::filesystem;

constexpr std::string_view CheckTemplateHelp = R"(
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
  --app-dir DIR  the program folder, which must exist (default: the folder of this
                 program)

Exit status: 0 nothing found, 1 something found, 2 wrong arguments or a file that
cannot be read. docs/templates.md explains how to write a template.
)";

namespace {

// A name the catalogue knows wins; anything else is a file.
fs::path FindTemplateToCheck(const std::string& nameOrFile,
                             const std::vector<fs::path>& templateFolders) {
    if (auto listed = TemplateFile(templateFolders, nameOrFile))
        return *listed;
    if (FileExists(PathOf(nameOrFile)))
        return PathOf(nameOrFile);
    if (WhyNotAFolder(PathOf(nameOrFile)).empty())
        throw AppError("\"" + nameOrFile +
                       "\" is a folder. Please name a template file (.tem) or a template as "
                       "the wizard lists it.");
    throw AppError("No template \"" + nameOrFile + "\" in " + TemplateFoldersText(templateFolders) +
                   ", and no file of that name.");
}

} // namespace

CliStatus CheckTemplateCommand(const CommandLine& line, const CliOutput& output) {
    const fs::path file =
        FindTemplateToCheck(*line.operand, TemplateFoldersOf(CopyFoldersOf(line)));
    const auto findings = CheckTemplateFile(file);
    for (const auto& finding : findings) {
        output.out << PrintableText(PathText(file));
        if (finding.line > 0)
            output.out << ':' << finding.line;
        output.out << ": " << PrintableText(finding.text) << '\n';
    }
    if (findings.empty())
        output.out << PrintableText(PathText(file)) << ": nothing found.\n";
    return findings.empty() ? CliStatus::Success : CliStatus::SomethingFound;
}
