#pragma once

#include <filesystem>

// The folder for files the program fetches for itself (the update description): the program
// folder when the user can write there, else "affiliate-vantor" in the user's cache folder,
// made when it is missing.
std::filesystem::path CacheFolder(const std::filesystem::path& appDir);
