#pragma once

#include "model/UAffiliate.h"

#include <string>
#include <string_view>

// The item a memo editor stores for the memo's whole text.
std::string MemoItem(std::string_view memoText);

// An item with its packed line breaks turned back into CR LF.
std::string UnpackedItem(std::string_view item);

// The PPC record "^" title "^" packed body "^" link "^".
std::string MakePPCItem(std::string_view title, std::string_view body, std::string_view link);

// The title, body and link of a PPC record; fields it lacks read as empty.
struct PPCFields {
    std::string title;
    std::string body;
    std::string link;
};
PPCFields PPCItemFields(std::string_view item);

// The label of a numbered list row, such as "PPC Ad3".
std::string RowLabel(std::string_view label, int number);

// The file URL written for a picture chosen on disk.
std::string FileUrlOfPicture(std::string_view path);

// True for a banner whose picture is on this computer, a file URL or a path typed as it stands
// ("/home/me/b.gif", "C:\Pics\b.gif", "\\server\pics\b.gif"): it shows here, but not once the
// page is online. A path from the root counts only when the file is there: "/images/b.gif" may
// be an address on the page's own site.
bool IsPictureOnThisComputer(std::string_view banner);

// The address the banner preview shows: a typed path as its file URL, anything else as stored.
std::string BannerPreviewAddress(std::string_view banner);
