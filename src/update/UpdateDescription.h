#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One system's file to install, as the signed description names it.
struct UpdateFile {
    // The description's section for the system: "WINDOWS" or "LINUX".
    std::string system;
    // A plain file name in the update folder (see IsPlainUpdateFileName).
    std::string name;
    std::uint64_t size = 0;
    // 64 lower-case hexadecimal digits.
    std::string sha256;
};

// What a signed update description offers.
struct UpdateDescription {
    // "Version" and "Name" of [APPLICATION], as written.
    std::string version;
    std::string name;
    // [WINDOWS] Setup and [LINUX] Package with their Size and SHA256, in that order; a system
    // the description names no file for has none.
    std::vector<UpdateFile> files;
    // The lines of [NOTES], joined with LF; empty when there are none.
    std::string releaseNotes;
};

// Reads a description whose bytes were verified (an INI text, as the update check reads it).
// Throws UpdateRefused for a missing version, a file name that is not plain, a Size or SHA256
// that is missing or malformed, or a file larger than MostUpdateFileBytes.
UpdateDescription ParseUpdateDescription(std::string_view bytes);

// True for a name that stays in the update folder and in the folder it is downloaded to, and
// needs no quoting in an address: letters, digits, ".", "-", "_", "+" and "~", not starting with
// "." or "-", without "..", at most 255 characters.
bool IsPlainUpdateFileName(std::string_view name);

// The file a system installs ("WINDOWS", "LINUX"); null when the description names none.
const UpdateFile* FileForSystem(const UpdateDescription& update, std::string_view system);

// The same for the system this program was built for.
const UpdateFile* FileForThisSystem(const UpdateDescription& update);
