#include "cli/CliCommands.h"

#include "cli/CommandLineParser.h"
#include "cli/CommandTable.h"
#include "cli/HelpText.h"
#include "cli/PrintableText.h"

namespace {

// Where to read more after a wrong command line: the command's own help when it has one.
std::string HelpHint(const CliCommand* command) {
    std::string program = "affiliate-vantor-cli ";
    if (command && !command->help.empty())
        program.append(command->name).append(" ");
    return "Run " + program + "--help for the options.";
}

} // namespace

CliStatus RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                 bool showProgress) {
    const CliCommand* command = arguments.empty() ? nullptr : FindCommand(arguments[0]);
    if (AsksForHelp(arguments)) {
        out << HelpText(command);
        return CliStatus::Success;
    }
    try {
        if (arguments.empty())
            throw UsageError("No command given.");
        if (!command)
            throw UsageError("Unknown command \"" + arguments[0] + "\".");
        const CommandLine line =
            ParseCommandLine(*command, {arguments.begin() + 1, arguments.end()});
        return command->run(line, {out, err, showProgress});
    } catch (const UsageError& error) {
        err << PrintableText(error.what()) << '\n' << HelpHint(command) << '\n';
    } catch (const std::exception& error) {
        err << PrintableText(error.what()) << '\n';
    }
    return CliStatus::BadInput;
}
