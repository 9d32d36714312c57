#pragma once

#include <filesystem>

namespace platform {

// True when the user may create files in Folder.
bool CanWriteFolder(const std::filesystem::path& folder);

// The user's folder for cached files: $XDG_CACHE_HOME when it is an absolute path, else
// ~/.cache; empty when neither is known.
std::filesystem::path UserCacheFolder();

// The user's folder for the files that programs keep for them: $XDG_DATA_HOME when it is an
// absolute path, else ~/.local/share; empty when neither is known.
std::filesystem::path UserDataFolder();

// The user's folder for settings of programs: $XDG_CONFIG_HOME when it is an absolute path, else
// ~/.config; %APPDATA% on Windows; empty when neither is known.
std::filesystem::path UserConfigFolder();

// The user's folder for state that programs keep between runs (recovery copies, crash reports):
// $XDG_STATE_HOME when it is an absolute path, else ~/.local/state; %LOCALAPPDATA% on Windows;
// empty when neither is known.
std::filesystem::path UserStateFolder();

} // namespace platform
