#include "cli/HelpText.h"

#include "cli/CommandTable.h"

namespace {

constexpr std::string_view ProgramDetails = R"(
Makes Affiliate Vantor promotion pages from the command line.

  templates       prints the installed templates, one a line, as the wizard lists them.
  generate        fills a template with a saved project and writes the page.
  check-template  lists what in a template would not work as meant (see its --help).
  check-update    fetches the update description BASE + "mainappupdate.inf" into
                  mainappupdate.inf in the program folder (in ~/.cache/affiliate-vantor/
                  for an installed copy) and compares its version
                  with this program's, as "Check Updates" does. Prints one line:
                  "update available: V" (V the version offered) or "no new updates";
                  or, on standard error, "could not fetch URL: REASON", or "no version
                  in URL: ..." for a description that names no version. BASE may be
                  http or https; https servers are verified against the system's
                  trusted certificates.
  check-update --verify
                  checks an update folder before it is announced: the signature
                  mainappupdate.inf.minisig against this build's update key, then
                  the size and SHA-256 of each file the description names (each
                  fetched into a temporary folder, within its signed size and an
                  hour). Prints one line per check and whether the folder is
                  ready; any failure, a build without an update key included,
                  gives exit status 1.

Options:
  --app-dir DIR    the program folder, holding Templates/ and where Output/ is made
                   (default: the folder of this program); it must exist
  --settings FILE  the project to read (default: settings.dat in the program folder);
                   given more than once, one page is made for each
  --projects DIR   one page for each .vantor and .dat file in DIR, in order of their
                   names; may be given more than once, and with --settings
  --jobs N         how many pages of several are made at once (default: one per core)
  --template NAME  the template to use (default: the project's template, else the
                   first one listed); letter case does not matter. A project whose
                   template is not installed makes no page
  --output NAME    the file name in Output/ (default: the project's output file name,
                   else affiliatepage.htm); the full path is printed. A name with a
                   ".." component is refused: pages stay in Output/
  --name-after-file  names each page after its project file instead of the project's
                   output file name: shop01.vantor makes shop01.htm
  --stdout         print the page instead of writing it, exactly as it would go to
                   the clipboard
  --url BASE       the address of the update folder, ending with "/" (default:
                   )" VANTOR_UPDATE_BASE_URL R"()

Several projects: each page goes to Output/ under the project's output file name, else
the project file's name with ".htm". Projects that would write the same file, and a
project given twice, are refused before anything is written. Each project that fails gets
one line on standard error, "PROJECT: REASON", and the last line says "N pages written
to "FOLDER", M failed". On a terminal a count of the pages made is shown meanwhile. Exit
status 0 when every page was written, else 2.

A program folder you cannot write is an installed copy: settings.dat and Output/ are
then in ~/.local/share/affiliate-vantor/ ($XDG_DATA_HOME/affiliate-vantor/), and
the templates in Templates/ there are listed too, hiding shipped ones of the same name.

Exit status: 0 success, 1 no template file found, the update description could not
be fetched or the update folder did not verify, 2 wrong arguments, unreadable input or
a page that cannot be written.
)";

} // namespace

std::string HelpText(const CliCommand* command) {
    std::string text = "Usage:\n";
    if (command && !command->help.empty())
        return text.append(command->usage).append(command->help);
    for (const auto& listed : CommandTable())
        text += listed.usage;
    return text.append("  affiliate-vantor-cli --help\n").append(ProgramDetails);
}
