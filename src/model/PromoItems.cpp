#include "model/PromoItems.h"

#include "util/UUtils.h"

#include <algorithm>

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
