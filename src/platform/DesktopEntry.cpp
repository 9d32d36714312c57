#include "platform/DesktopEntry.h"

#include <algorithm>
#include <cctype>

namespace platform {

namespace fs = std::filesystem;

namespace {

// Only absolute folders count; a relative one in these variables is to be ignored.
void AddFolder(std::vector<fs::path>& folders, std::string_view folder) {
    if (folder.starts_with('/'))
        folders.push_back(fs::path(std::string(folder)) / "applications");
}

// Blanks and control characters at both ends go, as everywhere else in the program.
std::string_view Trimmed(std::string_view text) {
    const auto trimmable = [](char byte) { return static_cast<unsigned char>(byte) <= 0x20; };
    while (!text.empty() && trimmable(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && trimmable(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsSet(const char* value) {
    return value && *value;
}

// Resolves \s, \n, \t, \r and \\ of a desktop entry's string value.
std::string UnescapeValue(std::string_view value) {
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        switch (value[++i]) {
        case 's':
            text += ' ';
            break;
        case 'n':
            text += '\n';
            break;
        case 't':
            text += '\t';
            break;
        case 'r':
            text += '\r';
            break;
        case '\\':
            text += '\\';
            break;
        default:
            // Kept for the quoting rules of Exec, which read \" \` and \$ themselves.
            text += '\\';
            text += value[i];
        }
    }
    return text;
}

// The word of an Exec line that starts at or after At, its quotes removed; At moves past it.
std::string NextExecWord(std::string_view exec, std::size_t& at) {
    at = exec.find_first_not_of(" \t", at);
    if (at == std::string_view::npos) {
        at = exec.size();
        return {};
    }
    std::string word;
    if (exec[at] == '"') {
        for (++at; at < exec.size() && exec[at] != '"'; ++at) {
            if (exec[at] == '\\' && at + 1 < exec.size())
                ++at;
            word += exec[at];
        }
        at = std::min(at + 1, exec.size());
        return word;
    }
    const std::size_t end = std::min(exec.find_first_of(" \t", at), exec.size());
    word = exec.substr(at, end - at);
    at = end;
    return word;
}

// "%%" stands for a percent sign; any other field code ("%u", "%U", ...) is dropped.
std::string WithoutFieldCodes(std::string_view word) {
    std::string text;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word[i] != '%' || i + 1 == word.size()) {
            text += word[i];
            continue;
        }
        if (word[++i] == '%')
            text += '%';
    }
    return text;
}

// NAME=value, as env takes it.
bool IsAssignment(std::string_view word) {
    const std::size_t equals = word.find('=');
    if (equals == 0 || equals == std::string_view::npos || std::isdigit((unsigned char)word[0]))
        return false;
    return std::all_of(word.begin(), word.begin() + std::ptrdiff_t(equals),
                       [](char c) { return std::isalnum((unsigned char)c) || c == '_'; });
}

} // namespace

std::vector<fs::path> ApplicationFolders(const char* dataHome, const char* home,
                                         const char* dataDirs) {
    std::vector<fs::path> folders;
    if (IsSet(dataHome) && dataHome[0] == '/')
        AddFolder(folders, dataHome);
    else if (IsSet(home))
        AddFolder(folders, std::string(home) + "/.local/share");
    std::string_view dirs = IsSet(dataDirs) ? dataDirs : "/usr/local/share:/usr/share";
    while (!dirs.empty()) {
        const std::size_t colon = dirs.find(':');
        AddFolder(folders, dirs.substr(0, colon));
        dirs.remove_prefix(colon == std::string_view::npos ? dirs.size() : colon + 1);
    }
    return folders;
}

std::string DesktopIdOfAnswer(std::string_view answer) {
    return std::string(Trimmed(answer.substr(0, answer.find('\n'))));
}

std::string DesktopEntryExec(std::string_view entry) {
    bool inMainGroup = false;
    while (!entry.empty()) {
        const std::size_t end = entry.find('\n');
        std::string_view line = entry.substr(0, end);
        entry.remove_prefix(end == std::string_view::npos ? entry.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.starts_with('[')) {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inMainGroup || equals == std::string_view::npos ||
            Trimmed(line.substr(0, equals)) != "Exec")
            continue;
        return UnescapeValue(Trimmed(line.substr(equals + 1)));
    }
    return {};
}

std::string ProgramOfExec(std::string_view exec) {
    std::size_t at = 0;
    std::string word = NextExecWord(exec, at);
    // "env NAME=value ... program %u" (as snap installs browsers) starts the program after the
    // assignments; handing it the address is what the entry means.
    if (word == "env" || word == "/usr/bin/env") {
        do
            word = NextExecWord(exec, at);
        while (IsAssignment(word));
    }
    return WithoutFieldCodes(word);
}

} // namespace platform
