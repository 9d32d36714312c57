#include "util/DesktopEntry.h"

#include "util/UUtils.h"

namespace fs = std::filesystem;

namespace {

// Only absolute folders count; a relative one in these variables is to be ignored.
void AddFolder(std::vector<fs::path>& folders, std::string_view folder) {
    if (folder.starts_with('/'))
        folders.push_back(fs::path(std::string(folder)) / "applications");
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
            Trim(line.substr(0, equals)) != "Exec")
            continue;
        return UnescapeValue(Trim(line.substr(equals + 1)));
    }
    return {};
}

std::string ProgramOfExec(std::string_view exec) {
    std::size_t at = exec.find_first_not_of(" \t");
    if (at == std::string_view::npos)
        return {};
    std::string word;
    if (exec[at] == '"') {
        for (++at; at < exec.size() && exec[at] != '"'; ++at) {
            if (exec[at] == '\\' && at + 1 < exec.size())
                ++at;
            word += exec[at];
        }
    } else {
        const std::size_t end = exec.find_first_of(" \t", at);
        word = exec.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
    }
    std::string program;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word[i] != '%' || i + 1 == word.size()) {
            program += word[i];
            continue;
        }
        // "%%" stands for a percent sign; any other field code is dropped.
        if (word[++i] == '%')
            program += '%';
    }
    return program;
}
