#include "util/files/FileUrl.h"

namespace {

bool KeptAsIs(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~' || c == '/' || c == ':';
}

std::string Utf8GenericText(const std::filesystem::path& path) {
    // The generic form turns Windows' "\" into "/"; elsewhere "\" is part of a name.
    const std::u8string text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}

} // namespace

std::string FileUrlOfText(std::string_view utf8Path) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    // A UNC path already starts with the host's "//"; a drive letter needs the empty host.
    std::string url = utf8Path.starts_with("//")  ? "file:"
                      : utf8Path.starts_with('/') ? "file://"
                                                  : "file:///";
    for (char c : utf8Path) {
        if (KeptAsIs(c)) {
            url += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            url += '%';
            url += Hex[byte >> 4];
            url += Hex[byte & 15];
        }
    }
    return url;
}

std::string FileUrl(const std::filesystem::path& path) {
    return FileUrlOfText(Utf8GenericText(path));
}

std::string FolderUrl(const std::filesystem::path& folder) {
    std::string text = Utf8GenericText(folder);
    if (!text.ends_with('/'))
        text += '/';
    return FileUrlOfText(text);
}
