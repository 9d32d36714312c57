#include "platform/FontCatalog.h"

void platform::LoadFontCatalog() {}

std::vector<std::string> platform::InstalledFaces(const std::vector<std::string>& faces) {
    return faces;
}
