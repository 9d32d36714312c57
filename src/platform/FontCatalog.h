#pragma once

#include <string>
#include <vector>

namespace platform {

// Reads the system's font configuration and the catalogue of its fonts, which the first text a
// window measures needs; safe on any thread and before the window's toolkit starts. Does
// nothing where the toolkit asks the system for fonts one at a time (Windows).
void LoadFontCatalog();

// The faces among Faces that the system has, in their order; waits for a catalogue being read
// on another thread rather than reading it twice. All of them where the toolkit asks the system
// for fonts one at a time (Windows).
std::vector<std::string> InstalledFaces(const std::vector<std::string>& faces);

} // namespace platform
