#include "update/DownloadFile.h"

#include "util/FileHelpers.h"

#include <fstream>

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
    std::error_code error;
    // A file that cannot be deleted is left as it was rather than half replaced.
    if (FileExists(fileName) && !std::filesystem::remove(fileName, error))
        return fail(error.message());
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    if (!file)
        return fail("The file " + fileName.string() + " cannot be created.");
    try {
        auto write = [&file](std::string_view piece) {
            if (!file.write(piece.data(), static_cast<std::streamsize>(piece.size())))
                throw AppError("The downloaded file cannot be written.");
        };
        client.Get(url, write, pump);
        file.close();
        if (file.fail())
            throw AppError("The downloaded file cannot be written.");
        return true;
    } catch (const std::exception& thrown) {
        client.Disconnect();
        file.close();
        std::filesystem::remove(fileName, error);
        return fail(thrown.what());
    }
}
