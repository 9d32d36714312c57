#include "update/DownloadFile.h"

#include "util/FileHelpers.h"

#include <fstream>

bool DownloadFile(THttpClient& client, const std::string& url,
                  const std::filesystem::path& fileName, const TMessagePump& pump) {
    if (client.Busy())
        return false;
    std::error_code error;
    // A file that cannot be deleted is left as it was rather than half replaced.
    if (FileExists(fileName) && !std::filesystem::remove(fileName, error))
        return false;
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    if (!file)
        return false;
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
    } catch (const std::exception&) {
        client.Disconnect();
        file.close();
        std::filesystem::remove(fileName, error);
        return false;
    }
}
