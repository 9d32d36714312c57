#include "model/PromoItems.h"

#include "util/files/FileHelpers.h"
#include "util/files/FileUrl.h"
#include "util/text/CaseFolding.h"
#include "util/text/UUtils.h"

#include <algorithm>

namespace {

// A banner typed as a path of this computer rather than as an address.
bool IsTypedFilePath(std::string_view banner) {
    const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    const bool driveLetter = banner.size() > 2 && letter(banner[0]) && banner[1] == ':' &&
                             (banner[2] == '\\' || banner[2] == '/');
    if (driveLetter || banner.starts_with("\\\\"))
        return true;
    // "//host/b.gif" is an address that keeps the page's own scheme.
    return banner.starts_with('/') && !banner.starts_with("//") && FileExists(PathOf(banner));
}

} // namespace

std::string MemoItem(std::string_view memoText) {
    return PackLines(memoText);
}

std::string UnpackedItem(std::string_view item) {
    return ReplaceAll(item, "$$", "\r\n");
}

std::string MakePPCItem(std::string_view title, std::string_view body, std::string_view link) {
    return "^" + std::string(title) + "^" + PackLines(body) + "^" + std::string(link) + "^";
}

PPCFields PPCItemFields(std::string_view item) {
    StringList fields;
    SplitByChar('^', item, fields);
    fields.resize(std::max<std::size_t>(fields.size(), 4));
    return {fields[1], UnpackedItem(fields[2]), fields[3]};
}

std::string RowLabel(std::string_view label, int number) {
    return std::string(label) + std::to_string(number);
}

std::string FileUrlOfPicture(std::string_view path) {
    std::string url = ReplaceAll(path, ":/", "://");
    url = "file://" + url;
    return ReplaceAll(url, "\\", "/");
}

bool IsPictureOnThisComputer(std::string_view banner) {
    const std::string scheme = FoldAsciiCase(banner.substr(0, 5));
    return scheme == "file:" || IsTypedFilePath(banner);
}

std::string BannerPreviewAddress(std::string_view banner) {
    if (!IsTypedFilePath(banner))
        return std::string(banner);
    return FileUrlOfText(ReplaceAll(banner, "\\", "/"));
}
