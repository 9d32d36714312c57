#include "cli/TemplatesCommand.h"

#include "cli/PrintableText.h"
#include "cli/ProgramFolder.h"
#include "generator/TemplateCatalogue.h"

CliStatus TemplatesCommand(const CommandLine& line, const CliOutput& output) {
    for (const auto& name : ListTemplates(TemplateFoldersOf(CopyFoldersOf(line))))
        output.out << PrintableText(name) << '\n';
    return CliStatus::Success;
}
