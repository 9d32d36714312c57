#include "updater/UpdateSession.h"

#include "platform/FileSystem.h"
#include "platform/TemporaryFolder.h"
#include "update/DownloadFile.h"
#include "update/DownloadedFileCheck.h"
#include "update/HttpClient.h"
#include "update/SignedUpdate.h"
#include "update/SignedUpdateLimits.h"
#include "update/UpdateCheck.h"
#include "update/UpdateRefused.h"
#include "util/files/FileHelpers.h"

#include <system_error>

namespace fs = std::filesystem;

namespace {

// How long the file to install may take to arrive; the description and its signature keep the
// client's usual limit.
constexpr std::chrono::hours FileDownloadTime{1};
// How often the progress is told.
constexpr std::chrono::milliseconds ReportInterval{100};

HttpClient ClientTaking(std::uint64_t mostBytes, std::chrono::milliseconds time) {
    HttpLimits limits;
    limits.mostBodyBytes = mostBytes;
    limits.download = time;
    return HttpClient(limits);
}

[[noreturn]] void CannotFetch(const std::string& address, std::string_view why) {
    if (auto refused = RefusedCertificateReason(FailureReason(why)))
        throw AppError("The update was refused for safety, because " + *refused +
                       ".\nA server whose certificate cannot be trusted may not be ours, so "
                       "nothing was installed.");
    throw AppError("The update could not be fetched from " + address + ": " + FailureReason(why) +
                   ".\nPlease check your Internet connection and try again later.");
}

bool ServerHasNo(std::string_view failure) {
    return failure.starts_with("404 ") || failure.starts_with("410 ");
}

// Fetches Address into Target with at most MostBytes. When the server has no such file and
// WhenMissing is given, the update is refused with it.
void Fetch(const std::string& address, const fs::path& target, std::uint64_t mostBytes,
           const MessagePump& goOn, const std::string& whenMissing = {}) {
    HttpClient client = ClientTaking(mostBytes, HttpLimits{}.download);
    std::string failure;
    if (!DownloadFile(client, address, target, goOn, &failure)) {
        if (!goOn())
            throw DownloadCancelled();
        if (!whenMissing.empty() && ServerHasNo(failure))
            throw UpdateRefused(whenMissing);
        CannotFetch(address, failure);
    }
}

} // namespace

UpdateSession::UpdateSession(UpdateSource source) : source_(std::move(source)) {
    try {
        folder_ = platform::CreatePrivateFolder(platform::TemporaryFolder(), "vantor-update-");
    } catch (const std::system_error& error) {
        throw AppError("The update cannot be downloaded: no private temporary folder can be made "
                       "for it. " +
                       AsSentence(error.code().message()));
    }
}

UpdateSession::~UpdateSession() {
    if (keep_)
        return;
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

UpdateOffer UpdateSession::FetchOffer(const MessagePump& goOn) {
    const fs::path description = folder_ / UpdateDescriptionFileName;
    const fs::path signature = folder_ / UpdateSignatureFileName;
    Fetch(source_.baseUrl + UpdateDescriptionFileName, description, MostDescriptionBytes, goOn);
    // An unsigned folder is no network trouble: trying again later would not help.
    Fetch(source_.baseUrl + UpdateSignatureFileName, signature, MostSignatureBytes, goOn,
          "The update folder " + source_.baseUrl + " has no signature (" +
              std::string(UpdateSignatureFileName) +
              "), so the update cannot be checked and nothing was installed.");
    VerifiedUpdate update;
    try {
        update = ReadSignedUpdateFiles(description, signature, source_.publicKey);
    } catch (const UpdateRefused& refused) {
        throw UpdateRefused("The update could not be verified, so nothing was installed.\n" +
                            std::string(refused.what()));
    }
    const UpdateDescription& offered = update.description;
    // The description is the shipper's, written with a decimal point whatever the user's locale.
    if (ParseVersionNumber(offered.version, ".") <= source_.runningVersion)
        throw UpdateRefused("The update folder offers version " + offered.version +
                            ", which is not newer than the version installed, so nothing was "
                            "installed.");
    const UpdateFile* file = FileForThisSystem(offered);
    if (!file)
        throw UpdateRefused("Version " + offered.version +
                            " offers no file for this system, so nothing can be installed.");
    return {offered.version, offered.releaseNotes, *file};
}

fs::path UpdateSession::Download(const UpdateOffer& offer, const ProgressReport& report,
                                 const MessagePump& goOn) {
    const std::string address = source_.baseUrl + offer.file.name;
    // The file keeps the signed name, by which the system's installer knows its kind.
    const fs::path target = folder_ / offer.file.name;
    platform::File file;
    fs::path partial;
    if (std::error_code error = platform::CreateUniqueFile(folder_, ".download-", file, partial))
        throw AppError(CannotCreateFileText(target, error.message()));
    try {
        const ProgressMeter meter(offer.file.size, ProgressMeter::Clock::now());
        std::uint64_t received = 0;
        auto lastReport = ProgressMeter::Clock::now();
        auto tell = [&](bool always) {
            const auto now = ProgressMeter::Clock::now();
            if (!always && now - lastReport < ReportInterval)
                return;
            lastReport = now;
            report(meter.At(received, now));
        };
        auto write = [&](std::string_view piece) {
            // A fast server leaves the client no wait in which to ask.
            if (!goOn())
                throw DownloadCancelled();
            if (std::error_code error = platform::WriteAll(file, piece))
                throw AppError(CannotCreateFileText(target, error.message()));
            received += piece.size();
            tell(false);
        };
        tell(true);
        // A body longer than the signed size cannot be the signed file: the download stops there.
        HttpClient client = ClientTaking(offer.file.size, FileDownloadTime);
        try {
            client.Get(address, write, goOn);
        } catch (const DownloadCancelled&) {
            throw;
        } catch (const AppError& error) {
            CannotFetch(address, error.what());
        }
        std::error_code error = file.close();
        if (!error)
            error = platform::ReplaceFile(partial, target);
        if (error)
            throw AppError(CannotCreateFileText(target, error.message()));
        tell(true);
        try {
            CheckDownloadedFile(target, offer.file);
        } catch (const UpdateRefused& refused) {
            throw UpdateRefused("The downloaded file is not the one that was signed, so it was "
                                "deleted and nothing was installed.\n" +
                                AsSentence(refused.what()));
        }
    } catch (...) {
        file.close();
        platform::RemoveFile(partial);
        platform::RemoveFile(target);
        throw;
    }
    return target;
}
