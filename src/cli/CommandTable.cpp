#include "cli/CommandTable.h"

#include "cli/CheckTemplateCommand.h"
#include "cli/CheckUpdateCommand.h"
#include "cli/GenerateCommand.h"
#include "cli/TemplatesCommand.h"

#include <algorithm>

namespace {

constexpr OptionSpec AppDir{"--app-dir", OptionKind::Value};

constexpr std::string_view GenerateUsage =
    "  affiliate-vantor-cli generate [--app-dir DIR] [--settings FILE] [--template NAME]\n"
    "                                [--output NAME | --stdout | --name-after-file]\n"
    "  affiliate-vantor-cli generate [--app-dir DIR] [--settings FILE]... [--projects DIR]...\n"
    "                                [--template NAME] [--jobs N] [--name-after-file]\n";

} // namespace

const std::vector<CliCommand>& CommandTable() {
    static const std::vector<CliCommand> table = {
        {.name = "templates",
         .usage = "  affiliate-vantor-cli templates [--app-dir DIR]\n",
         .options = {AppDir},
         .run = TemplatesCommand},
        {.name = "generate",
         .usage = GenerateUsage,
         .options = {AppDir,
                     {"--settings", OptionKind::Repeated},
                     {"--projects", OptionKind::Repeated},
                     {"--template", OptionKind::Value},
                     {"--output", OptionKind::Value},
                     {"--stdout", OptionKind::Flag},
                     {"--name-after-file", OptionKind::Flag},
                     {"--jobs", OptionKind::Value}},
         .run = GenerateCommand},
        {.name = "check-template",
         .usage = "  affiliate-vantor-cli check-template NAME|FILE [--app-dir DIR]\n",
         .help = CheckTemplateHelp,
         .options = {AppDir},
         .operand = OperandSpec{"Name the template to check.", "Give one template to check."},
         .run = CheckTemplateCommand},
        {.name = "check-update",
         .usage = "  affiliate-vantor-cli check-update [--app-dir DIR] [--url BASE]\n"
                  "  affiliate-vantor-cli check-update --verify [--url BASE]\n",
         .options = {AppDir, {"--url", OptionKind::Value}, {"--verify", OptionKind::Flag}},
         .run = CheckUpdateCommand},
    };
    return table;
}

const CliCommand* FindCommand(std::string_view name) {
    const auto& table = CommandTable();
    auto found = std::find_if(table.begin(), table.end(),
                              [&](const CliCommand& command) { return command.name == name; });
    return found == table.end() ? nullptr : &*found;
}
