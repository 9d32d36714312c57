#include "cli/CommandLineParser.h"

#include <algorithm>

namespace {

const OptionSpec* FindOption(const CliCommand& command, const std::string& argument) {
    auto found = std::find_if(command.options.begin(), command.options.end(),
                              [&](const OptionSpec& option) { return option.name == argument; });
    return found == command.options.end() ? nullptr : &*found;
}

void TakeOperand(const CliCommand& command, const std::string& argument, CommandLine& line) {
    if (!command.operand || argument.starts_with("--"))
        throw UsageError("Unknown option \"" + argument + "\" for " + std::string(command.name) +
                         ".");
    if (line.operand)
        throw UsageError(std::string(command.operand->extra));
    line.operand = argument;
}

} // namespace

bool AsksForHelp(const std::vector<std::string>& arguments) {
    return std::any_of(arguments.begin(), arguments.end(), [](const std::string& argument) {
        return argument == "--help" || argument == "-h";
    });
}

CommandLine ParseCommandLine(const CliCommand& command, const std::vector<std::string>& arguments) {
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const OptionSpec* option = FindOption(command, argument);
        if (!option) {
            TakeOperand(command, argument, line);
            continue;
        }
        if (option->kind == OptionKind::Flag) {
            line.flags.insert(argument);
            continue;
        }
        if (i + 1 >= arguments.size())
            throw UsageError("Option " + argument + " needs a value.");
        const std::string& value = arguments[++i];
        if (option->kind == OptionKind::Repeated)
            line.repeated.emplace_back(argument, value);
        else if (!line.values.emplace(argument, value).second)
            throw UsageError("Option " + argument + " is given twice.");
    }
    if (command.operand && !line.operand)
        throw UsageError(std::string(command.operand->missing));
    return line;
}
