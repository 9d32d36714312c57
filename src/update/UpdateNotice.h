#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The note an update leaves for the program it installed, so that the new version, at its first
// start, tells the user it was updated: "updated-to" in the program's configuration folder,
// holding the version text.

// Leaves the note; a note that cannot be written is no reason to fail the update.
void NoteUpdatedVersion(const std::filesystem::path& configFolder, const std::string& version);

// The version the last update installed, once: the note is deleted as it is read. Nothing when
// there is none.
std::optional<std::string> TakeUpdatedVersion(const std::filesystem::path& configFolder);
