#include "platform/FontCatalog.h"

#include <fontconfig/fontconfig.h>
#include <memory>
#include <mutex>

namespace {

std::once_flag catalogueRead;

void ReadCatalogue() {
    // Parses the configuration and maps the caches of every font folder; the toolkit then finds
    // fontconfig ready. Once only: a second reader at the same time would do it all again.
    std::call_once(catalogueRead, [] { FcInit(); });
}

bool HasFace(const std::string& face) {
    const std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> pattern(FcPatternCreate(),
                                                                          FcPatternDestroy);
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
    const std::unique_ptr<FcObjectSet, decltype(&FcObjectSetDestroy)> family(
        FcObjectSetBuild(FC_FAMILY, nullptr), FcObjectSetDestroy);
    const std::unique_ptr<FcFontSet, decltype(&FcFontSetDestroy)> found(
        FcFontList(nullptr, pattern.get(), family.get()), FcFontSetDestroy);
    return found && found->nfont > 0;
}

} // namespace

void platform::LoadFontCatalog() {
    ReadCatalogue();
}

std::optional<std::string> platform::FirstInstalledFace(const std::vector<std::string>& faces) {
    ReadCatalogue();
    for (const std::string& face : faces)
        if (HasFace(face))
            return face;
    return std::nullopt;
}
