#include "platform/FontCatalog.h"

#include <fontconfig/fontconfig.h>

void platform::LoadFontCatalog() {
    // Parses the configuration and maps the caches of every font folder; the toolkit then finds
    // fontconfig ready.
    FcInit();
}
