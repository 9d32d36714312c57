#include "update/DownloadFile.h"

#include "platform/FileSystem.h"
#include "util/files/FileHelpers.h"

namespace fs = std::filesystem;

namespace {

// A short name of its own beside the target, like every file the program replaces.
constexpr std::string_view TemporaryPrefix = ".vantor-";

} // namespace

std::string FailureReason(std::string_view errorText) {
    std::string reason(errorText);
    if (reason.starts_with("HTTP/") && reason.find(' ') != std::string::npos)
        reason.erase(0, reason.find(' ') + 1);
    while (!reason.empty() && (reason.back() == '.' || reason.back() == ' '))
        reason.pop_back();
    auto lower = [](char c) { return c >= 'a' && c <= 'z'; };
    if (reason.size() > 1 && reason[0] >= 'A' && reason[0] <= 'Z' && lower(reason[1]))
        reason[0] = static_cast<char>(reason[0] - 'A' + 'a');
    return reason;
}

bool DownloadFile(HttpClient& client, const std::string& url, const std::filesystem::path& fileName,
                  const MessagePump& pump, std::string* failure) {
    auto fail = [failure](std::string_view reason) {
        if (failure)
            *failure = FailureReason(reason);
        return false;
    };
    if (client.Busy())
        return fail("Another download is running.");
    // The body goes to a file of its own that replaces the target only once whole, so that a
    // failed, cut or killed download leaves the previous file as it was.
    const fs::path folder = fileName.has_parent_path() ? fileName.parent_path() : fs::path(".");
    platform::File file;
    fs::path temporary;
    if (auto error = platform::CreateUniqueFile(folder, TemporaryPrefix, file, temporary))
        return fail(CannotCreateFileText(fileName, error.message()));
    try {
        auto write = [&file](std::string_view piece) {
            if (auto error = platform::WriteAll(file, piece))
                throw AppError("The downloaded file cannot be written: " + error.message());
        };
        client.Get(url, write, pump);
        std::error_code error = platform::FlushToDisk(file);
        if (!error)
            error = platform::SetPermissions(file, platform::NewDocumentPermissions());
        if (auto closeError = file.close(); !error)
            error = closeError;
        if (!error)
            error = MoveIntoPlace(temporary, fileName);
        if (error)
            throw AppError(CannotCreateFileText(fileName, error.message()));
        return true;
    } catch (const std::exception& thrown) {
        client.Disconnect();
        file.close();
        platform::RemoveFile(temporary);
        return fail(thrown.what());
    }
}
