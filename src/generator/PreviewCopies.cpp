#include "generator/PreviewCopies.h"

#include "generator/BaseElement.h"
#include "generator/PageOutput.h"
#include "platform/PrivateFolder.h"
#include "platform/TemporaryFolder.h"
#include "util/AppError.h"
#include "util/files/FileHelpers.h"
#include "util/files/FileUrl.h"

#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view FolderPrefix = "affiliate-vantor-preview-";

} // namespace

std::string PreviewCopyBytes(std::string_view pageText, const fs::path& outputFolder) {
    return WithBaseElement(PageFileBytes(pageText), FolderUrl(outputFolder));
}

PreviewCopies::PreviewCopies(fs::path parent) : parent_(std::move(parent)) {}

PreviewCopies::~PreviewCopies() {
    // A copy the browser still holds open on Windows stays behind; nothing more can be done.
    std::error_code ignored;
    if (!folder_.empty())
        fs::remove_all(folder_, ignored);
}

fs::path PreviewCopies::Write(std::string_view bytes) {
    // A folder that a cleaner of the temporary folder took away, or that someone else put in its
    // place (a link, another user's folder, one others may change), is never written into: a
    // fresh one is made.
    if (folder_.empty() || !platform::PreparePrivateFolder(folder_).empty()) {
        try {
            if (parent_.empty())
                parent_ = platform::TemporaryFolder();
            folder_ = platform::CreatePrivateFolder(parent_, FolderPrefix);
        } catch (const std::system_error& error) {
            throw AppError(CannotCreateFileText(parent_ / (std::string(FolderPrefix) + "XXXXXX"),
                                                error.code().message()));
        }
    }
    const fs::path file = folder_ / ("page-" + std::to_string(++written_) + ".htm");
    WriteFileAtomically(file, bytes, FileAccess::Private);
    return file;
}
