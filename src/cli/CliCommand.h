#pragma once

#include "cli/ExitStatus.h"

#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

enum class OptionKind {
    Flag,     // no value; may be given again
    Value,    // one value, given once at most
    Repeated, // one value each time; all are kept, in order, with the others of this kind
};

struct OptionSpec {
    std::string_view name;
    OptionKind kind;
};

// The one word a command takes besides its options, and what to say when it is missing or
// given twice.
struct OperandSpec {
    std::string_view missing;
    std::string_view extra;
};

// A command line as the parser read it for one command.
struct CommandLine {
    std::map<std::string, std::string> values;
    // Options of the kind Repeated, each with its value, in the order given.
    std::vector<std::pair<std::string, std::string>> repeated;
    std::set<std::string> flags;
    std::optional<std::string> operand;

    std::optional<std::string> value(const std::string& name) const {
        auto found = values.find(name);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    bool has(const std::string& flag) const { return flags.contains(flag); }
};

// Where a command writes: results to Out, messages to Err. ShowProgress is for an Err that a
// person watches on a terminal.
struct CliOutput {
    std::ostream& out;
    std::ostream& err;
    bool showProgress;
};

// One command of affiliate-vantor-cli.
struct CliCommand {
    std::string_view name;
    // Its lines of the program's usage, each starting "  affiliate-vantor-cli ".
    std::string_view usage;
    // What its own --help says after its usage; empty when the program's help covers it.
    std::string_view help = {};
    std::vector<OptionSpec> options;
    std::optional<OperandSpec> operand = std::nullopt;
    CliStatus (*run)(const CommandLine& line, const CliOutput& output);
};
