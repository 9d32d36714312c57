#include "update/UpdateDescription.h"

#include "update/HttpLimits.h"
#include "update/SignedUpdateLimits.h"
#include "update/UpdateRefused.h"
#include "util/files/IniFile.h"
#include "util/text/CaseFolding.h"
#include "util/text/UUtils.h"

#include <algorithm>
#include <charconv>

namespace {

// Each system's section and the key that names its file.
struct SystemFileKey {
    std::string_view system;
    std::string_view fileKey;
};
constexpr SystemFileKey SystemFileKeys[] = {{"WINDOWS", "Setup"}, {"LINUX", "Package"}};

constexpr std::string_view NotesSection = "NOTES";

[[noreturn]] void Refuse(const std::string& what) {
    throw UpdateRefused("The update description's " + what + ".");
}

std::uint64_t ParseSize(std::string_view text, const std::string& where) {
    std::uint64_t size = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
    // Digits alone: from_chars takes no sign for an unsigned number.
    if (error != std::errc() || end != text.data() + text.size())
        Refuse(where + " Size \"" + std::string(text) + "\" is not a number of bytes");
    if (size > MostUpdateFileBytes)
        Refuse(where + " Size " + std::string(text) + " is larger than " +
               SizeText(MostUpdateFileBytes) + ", the most an update file may be");
    return size;
}

std::string ParseSha256(std::string_view text, const std::string& where) {
    auto hex = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    };
    if (text.size() != 64 || !std::all_of(text.begin(), text.end(), hex))
        Refuse(where + " SHA256 is not 64 hexadecimal digits");
    return FoldAsciiCase(text);
}

// The lines between "[NOTES]" and the next section, without blank lines around them.
std::string NotesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    bool inNotes = false;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        // CR LF is one line end.
        if (next < text.size() && text[end] == '\r' && text[next] == '\n')
            ++next;
        text.remove_prefix(next);
        const std::string_view trimmed = TrimmedView(line);
        if (trimmed.starts_with('[')) {
            const std::size_t close = trimmed.find(']');
            inNotes = close != std::string_view::npos &&
                      FoldAsciiCase(TrimmedView(trimmed.substr(1, close - 1))) ==
                          FoldAsciiCase(NotesSection);
            continue;
        }
        if (inNotes)
            lines.push_back(line);
    }
    while (!lines.empty() && IsBlank(lines.back()))
        lines.pop_back();
    auto first = std::find_if_not(lines.begin(), lines.end(), IsBlank);
    std::string notes;
    for (auto line = first; line != lines.end(); ++line) {
        if (line != first)
            notes += '\n';
        notes += *line;
    }
    return notes;
}

} // namespace

bool IsPlainUpdateFileName(std::string_view name) {
    auto allowed = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               std::string_view(".-_+~").find(c) != std::string_view::npos;
    };
    return !name.empty() && name.size() <= 255 && name.front() != '.' && name.front() != '-' &&
           name.find("..") == std::string_view::npos &&
           std::all_of(name.begin(), name.end(), allowed);
}

UpdateDescription ParseUpdateDescription(std::string_view bytes) {
    const IniFile ini = IniFile::FromText(bytes);
    UpdateDescription update;
    update.version = ini.ReadString("APPLICATION", "Version");
    if (update.version.empty())
        throw UpdateRefused("The update description holds no version.");
    update.name = ini.ReadString("APPLICATION", "Name");
    for (const auto& [system, fileKey] : SystemFileKeys) {
        UpdateFile file{std::string(system), ini.ReadString(system, fileKey), 0, {}};
        const std::string size = ini.ReadString(system, "Size");
        const std::string sha256 = ini.ReadString(system, "SHA256");
        const std::string where = "[" + file.system + "] " + std::string(fileKey);
        if (file.name.empty()) {
            if (!size.empty() || !sha256.empty())
                Refuse("[" + file.system + "] gives a Size or SHA256 but no " +
                       std::string(fileKey));
            continue;
        }
        if (!IsPlainUpdateFileName(file.name))
            Refuse(where + " \"" + file.name + "\" is not a plain file name");
        if (size.empty() || sha256.empty())
            Refuse(where + " has no " + (size.empty() ? "Size" : "SHA256"));
        file.size = ParseSize(size, "[" + file.system + "]");
        file.sha256 = ParseSha256(sha256, "[" + file.system + "]");
        update.files.push_back(std::move(file));
    }
    update.releaseNotes = NotesOf(bytes);
    return update;
}

const UpdateFile* FileForSystem(const UpdateDescription& update, std::string_view system) {
    for (const auto& file : update.files)
        if (file.system == system)
            return &file;
    return nullptr;
}

const UpdateFile* FileForThisSystem(const UpdateDescription& update) {
    return FileForSystem(update, VANTOR_UPDATE_SYSTEM);
}
