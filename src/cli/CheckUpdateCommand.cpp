#include "cli/CheckUpdateCommand.h"

#include "cli/CommandLineParser.h"
#include "cli/PrintableText.h"
#include "cli/ProgramFolder.h"
#include "cli/VerifyUpdateCommand.h"
#include "platform/Locale.h"
#include "update/DownloadFile.h"
#include "update/UpdateCheck.h"
#include "update/UpdateKey.h"
#include "util/AppError.h"
#include "util/files/FileHelpers.h"

namespace fs = std::filesystem;

CliStatus CheckUpdateCommand(const CommandLine& line, const CliOutput& output) {
    std::string folder = line.value("--url").value_or(VANTOR_UPDATE_BASE_URL);
    // The update folder's address, as the window takes it, ends with "/".
    if (!folder.ends_with('/'))
        folder += '/';
    if (line.has("--verify")) {
        if (line.value("--app-dir"))
            throw UsageError("--verify downloads into a temporary folder and takes no --app-dir.");
        return VerifyUpdateFolder(folder, UpdatePublicKey, output);
    }
    const fs::path cache = CopyFoldersOf(line).cache;
    const std::string address = folder + UpdateDescriptionFileName;
    const fs::path description = cache / UpdateDescriptionFileName;
    HttpClient client;
    std::string failure;
    if (!DownloadFile(
            client, address, description, [] { return true; }, &failure)) {
        if (auto refused = RefusedCertificateReason(failure))
            failure = "the check was refused for safety, because " + *refused;
        output.err << "could not fetch " << address << ": " << PrintableText(failure) << '\n';
        return CliStatus::NotFetched;
    }
    std::optional<std::string> version;
    try {
        version = NewerVersion(description, AppVersion, platform::UserDecimalSeparator());
    } catch (const AppError&) {
        output.err << "no version in " << address
                   << ": the update description holds no Version in [APPLICATION]\n";
        return CliStatus::NotFetched;
    }
    if (version)
        output.out << "update available: " << *version << '\n';
    else
        output.out << "no new updates\n";
    return CliStatus::Success;
}
