#include "platform/FontCatalog.h"

void platform::LoadFontCatalog() {}
