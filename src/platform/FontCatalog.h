#pragma once

namespace platform {

// Reads the system's font configuration and the catalogue of its fonts, which the first text a
// window measures needs; safe on any thread and before the window's toolkit starts. Does
// nothing where the toolkit asks the system for fonts one at a time (Windows).
void LoadFontCatalog();

} // namespace platform
