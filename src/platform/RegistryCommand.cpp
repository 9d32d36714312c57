#include "platform/RegistryCommand.h"

#include <algorithm>

namespace platform {

std::string ProgramOfOpenCommand(std::string_view command) {
    if (command.empty())
        return {};
    std::string lowered(command);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), [](char byte) {
        return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte + 0x20) : byte;
    });
    // Switches and the "%1" placeholder follow the program. Without ".exe" nothing but the
    // extension is kept, and starting that fails.
    const std::size_t extension = lowered.find(".exe");
    std::string program =
        lowered.substr(0, extension == std::string::npos ? 0 : extension) + ".exe";
    std::erase(program, '"');
    return program;
}

} // namespace platform
