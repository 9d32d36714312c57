#pragma once

#include <filesystem>

// Copies the updater named Updater and the libraries it loads (the DLLs beside it, Qt's
// platforms/ and styles/ plugins) into a new private folder in Parent, so that it can run while
// the program folder is replaced. Returns the copy of the updater. Throws AppError.
std::filesystem::path CopyUpdaterOut(const std::filesystem::path& updater,
                                     const std::filesystem::path& parent);

// Removes the copies of earlier updates in Parent, except those still running (Windows keeps a
// running program's file).
void RemoveLeftoverCopies(const std::filesystem::path& parent);
