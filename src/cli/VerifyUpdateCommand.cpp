#include "cli/VerifyUpdateCommand.h"

#include "cli/PrintableText.h"
#include "platform/TemporaryFolder.h"
#include "update/DownloadFile.h"
#include "update/DownloadedFileCheck.h"
#include "update/SignedUpdate.h"
#include "update/SignedUpdateLimits.h"
#include "update/UpdateCheck.h"
#include "update/UpdateRefused.h"
#include "util/files/FileHelpers.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace {

// How long one file of the folder may take to arrive; the description and its signature keep
// the client's usual limit.
constexpr std::chrono::hours FileDownloadTime{1};

// A folder only the user may enter, removed with what was downloaded into it.
class ScratchFolder {
  public:
    ScratchFolder()
        : path_(platform::CreatePrivateFolder(platform::TemporaryFolder(), "vantor-verify-")) {}
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

std::string Reason(std::string_view errorText) {
    return PrintableText(FailureReason(errorText));
}

// Fetches Address into Target, taking at most MostBytes; a failure gets its line after Label.
bool Fetch(const std::string& address, const fs::path& target, std::uint64_t mostBytes,
           std::string_view label, const CliOutput& output,
           std::chrono::milliseconds time = HttpLimits{}.download) {
    HttpLimits limits;
    limits.mostBodyBytes = mostBytes;
    limits.download = time;
    HttpClient client(limits);
    std::string failure;
    if (DownloadFile(
            client, address, target, [] { return true; }, &failure))
        return true;
    if (auto refused = RefusedCertificateReason(failure))
        failure = "the check was refused for safety, because " + *refused;
    output.err << label << "could not fetch " << address << ": " << PrintableText(failure) << '\n';
    return false;
}

} // namespace

CliStatus VerifyUpdateFolder(const std::string& folder, std::string_view publicKey,
                             const CliOutput& output) {
    if (publicKey.empty()) {
        output.err << "this build has no update key (VANTOR_UPDATE_PUBLIC_KEY), so it cannot "
                      "check an update folder's signature\n";
        return CliStatus::NotVerified;
    }
    ScratchFolder scratch;
    const fs::path description = scratch.path() / UpdateDescriptionFileName;
    const fs::path signature = scratch.path() / UpdateSignatureFileName;
    if (!Fetch(folder + UpdateDescriptionFileName, description, MostDescriptionBytes, "", output) ||
        !Fetch(folder + UpdateSignatureFileName, signature, MostSignatureBytes, "", output))
        return CliStatus::NotFetched;
    VerifiedUpdate update;
    try {
        update = ReadSignedUpdateFiles(description, signature, publicKey);
    } catch (const UpdateRefused& refused) {
        output.err << "not verified: " << Reason(refused.what()) << '\n';
        return CliStatus::NotVerified;
    }
    const UpdateDescription& offered = update.description;
    output.out << "signature: valid, key " << update.keyId << ", trusted comment \""
               << PrintableText(update.trustedComment) << "\"\n";
    output.out << "version: " << PrintableText(offered.version) << '\n';
    if (!offered.releaseNotes.empty())
        output.out << "release notes: "
                   << std::count(offered.releaseNotes.begin(), offered.releaseNotes.end(), '\n') + 1
                   << " lines\n";
    if (offered.files.empty()) {
        output.err << "the description names no file to install ([WINDOWS] Setup or [LINUX] "
                      "Package)\n";
        return CliStatus::NotVerified;
    }
    std::size_t failed = 0;
    for (const UpdateFile& file : offered.files) {
        const std::string label = file.system + " " + file.name + ": ";
        const fs::path target = scratch.path() / file.name;
        // A body longer than the signed size cannot be the signed file: the download stops there.
        if (!Fetch(folder + file.name, target, file.size, label, output, FileDownloadTime)) {
            ++failed;
            continue;
        }
        try {
            CheckDownloadedFile(target, file);
            output.out << label << file.size << " bytes, SHA-256 as signed\n";
        } catch (const AppError& error) {
            output.err << label << Reason(error.what()) << '\n';
            ++failed;
        }
        // Room on the disk for the next one.
        platform::RemoveFile(target);
    }
    if (failed > 0) {
        output.err << "the update folder " << folder << " is not ready: " << failed << " of "
                   << offered.files.size() << " files failed\n";
        return CliStatus::NotVerified;
    }
    output.out << "the update folder " << folder << " is ready\n";
    return CliStatus::Success;
}
