#include "update/DownloadedFileCheck.h"

#include "update/Sha256File.h"
#include "update/UpdateDescription.h"
#include "update/UpdateRefused.h"
#include "util/files/FileHelpers.h"
#include "util/text/CaseFolding.h"

namespace fs = std::filesystem;

namespace {

void Check(const fs::path& path, std::uint64_t expectedSize, std::string_view expectedSha256) {
    std::string name = PathText(path.filename());
    name.insert(name.begin(), '"');
    name += '"';
    const platform::EntryStatus status = platform::StatusOf(path);
    if (status.kind != platform::EntryKind::File)
        throw UpdateRefused("The downloaded file " + name + " is missing.");
    auto wrongSize = [&](std::uint64_t size) {
        return UpdateRefused("The downloaded file " + name + " is " + std::to_string(size) +
                             " bytes, not the signed " + std::to_string(expectedSize) + ".");
    };
    if (status.size != expectedSize)
        throw wrongSize(status.size);
    // The bytes hashed are counted too: the file may have changed since its size was taken.
    const FileDigest digest = Sha256OfFile(path);
    if (digest.size != expectedSize)
        throw wrongSize(digest.size);
    if (digest.sha256 != FoldAsciiCase(expectedSha256))
        throw UpdateRefused("The downloaded file " + name +
                            " does not have the signed SHA-256: its bytes differ from the signed "
                            "file's.");
}

} // namespace

void CheckDownloadedFile(const fs::path& path, std::uint64_t expectedSize,
                         std::string_view expectedSha256) {
    try {
        Check(path, expectedSize, expectedSha256);
    } catch (...) {
        // Nothing that failed the check is left for anyone to install.
        if (platform::StatusOf(path).kind == platform::EntryKind::File)
            platform::RemoveFile(path);
        throw;
    }
}

void CheckDownloadedFile(const fs::path& path, const UpdateFile& signedFile) {
    CheckDownloadedFile(path, signedFile.size, signedFile.sha256);
}
