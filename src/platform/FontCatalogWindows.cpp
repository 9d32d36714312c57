#include "platform/FontCatalog.h"

void platform::LoadFontCatalog() {}

std::optional<std::string> platform::FirstInstalledFace(const std::vector<std::string>& faces) {
    if (faces.empty())
        return std::nullopt;
    return faces.front();
}
