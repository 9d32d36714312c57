// Loads a settings file from arbitrary bytes, then saves and loads the project again.
#include "persistence/SettingsFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const TAffManager project = SettingsFromBytes(bytes);
    // Whatever was read, writing it out and reading it back must not fail or grow without end.
    const std::string saved = FormatSettings(project);
    const TAffManager again = ParseSettings(saved);
    if (again.Title != project.Title || again.OutputFileName != project.OutputFileName)
        std::abort();
    return 0;
}
