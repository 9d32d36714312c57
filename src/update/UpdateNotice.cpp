#include "update/UpdateNotice.h"

#include "platform/FileSystem.h"
#include "util/files/FileHelpers.h"
#include "util/text/UUtils.h"

namespace {

// A version text is a few characters; anything longer is no note of ours.
constexpr std::size_t MostNoteBytes = 64;

std::filesystem::path NoteFile(const std::filesystem::path& configFolder) {
    return configFolder / "updated-to";
}

} // namespace

void NoteUpdatedVersion(const std::filesystem::path& configFolder, const std::string& version) {
    try {
        std::filesystem::create_directories(configFolder);
        WriteFileAtomically(NoteFile(configFolder), version);
    } catch (const std::exception&) {
    }
}

std::optional<std::string> TakeUpdatedVersion(const std::filesystem::path& configFolder) {
    const std::filesystem::path note = NoteFile(configFolder);
    if (configFolder.empty() || !FileExists(note))
        return std::nullopt;
    std::string version;
    try {
        version = Trim(ReadFileBytes(note));
    } catch (const std::exception&) {
    }
    platform::RemoveFile(note);
    if (version.empty() || version.size() > MostNoteBytes)
        return std::nullopt;
    return version;
}
