#include "platform/RegistryCommand.h"

#include "util/CaseFolding.h"
#include "util/UUtils.h"

std::string ProgramOfOpenCommand(std::string_view command) {
    if (command.empty())
        return {};
    const std::string lowered = FoldAsciiCase(command);
    // Switches and the "%1" placeholder follow the program. Without ".exe" nothing but the
    // extension is kept, and starting that fails.
    const std::size_t extension = lowered.find(".exe");
    const std::string program =
        lowered.substr(0, extension == std::string::npos ? 0 : extension) + ".exe";
    return ReplaceAll(program, "\"", "");
}
