#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

// Reads the system's font configuration and the catalogue of its fonts, which the first text a
// window measures needs; safe on any thread and before the window's toolkit starts. Does
// nothing where the toolkit asks the system for fonts one at a time (Windows).
void LoadFontCatalog();

// The first of Faces that the system has; waits for a catalogue being read on another thread
// rather than reading it twice. The first of them where the toolkit asks the system for fonts
// one at a time (Windows).
std::optional<std::string> FirstInstalledFace(const std::vector<std::string>& faces);

} // namespace platform
