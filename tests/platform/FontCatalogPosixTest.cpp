#include "platform/FontCatalog.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

namespace {

// fontconfig keeps its configuration until told to let go, as the toolkit does at its end; the
// leak check would take it for this program's.
struct ReleaseFontconfig {
    ~ReleaseFontconfig() { FcFini(); }
};

std::string AnyInstalledFace() {
    FcPattern* all = FcPatternCreate();
    FcObjectSet* family = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, all, family);
    FcChar8* name = nullptr;
    std::string face;
    if (fonts && fonts->nfont > 0 &&
        FcPatternGetString(fonts->fonts[0], FC_FAMILY, 0, &name) == FcResultMatch)
        face = reinterpret_cast<const char*>(name);
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(family);
    FcPatternDestroy(all);
    return face;
}

} // namespace

// The toolkit is given a face the system has, the first of those asked for.
TEST(FontCatalog, TheFirstInstalledFacePassesOverMissingOnes) {
    const ReleaseFontconfig release;
    platform::LoadFontCatalog();
    const std::string installed = AnyInstalledFace();
    if (installed.empty())
        GTEST_SKIP() << "this system has no fonts";
    EXPECT_EQ(
        platform::FirstInstalledFace({"No Such Face Vantor", installed, "Nor This One Vantor"}),
        installed);
    EXPECT_EQ(platform::FirstInstalledFace({"No Such Face Vantor"}), std::nullopt);
}
