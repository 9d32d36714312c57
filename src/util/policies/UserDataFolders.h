#pragma once

#include <filesystem>

// Where one copy of the program finds its files and keeps those it writes.
struct UserDataFolders {
    // The program folder: the shipped Templates/, the brand files, the updater.
    std::filesystem::path program;
    // settings.dat, Output/ and the user's own Templates/.
    std::filesystem::path data;
    // The update description.
    std::filesystem::path cache;
};

// The file a setup program puts into the program folder of the copy it installs.
inline constexpr const char* InstalledCopyMarker = VANTOR_INSTALLED_COPY_MARKER;

// The folders for a program folder. A program folder the user may write keeps everything. An
// installed copy (a program folder the user cannot write, or one holding InstalledCopyMarker)
// keeps the user's files in "affiliate-vantor" in the user's data folder and the update
// description in "affiliate-vantor" in the user's cache folder; those are made when missing (a
// folder that cannot be made fails the write that needs it, naming its path).
UserDataFolders UserDataFoldersOf(const std::filesystem::path& programFolder);

// "affiliate-vantor" in the user's configuration folder: the list of recent projects. Not made
// here; empty when the user has no such folder.
std::filesystem::path ProgramConfigFolder();

// "affiliate-vantor" in the user's state folder: recovery copies and crash reports, never in the
// program folder. Not made here; empty when the user has no such folder.
std::filesystem::path ProgramStateFolder();
