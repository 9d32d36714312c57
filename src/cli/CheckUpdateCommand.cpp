#include "cli/CheckUpdateCommand.h"

#include "cli/PrintableText.h"
#include "cli/ProgramFolder.h"
#include "platform/Locale.h"
#include "update/DownloadFile.h"
#include "update/UpdateCheck.h"
#include "util/FileHelpers.h"

CliStatus CheckUpdateCommand(const CommandLine& line, const CliOutput& output) {
    const fs::path cache = CopyFoldersOf(line).cache;
    const std::string address =
        line.value("--url").value_or(VANTOR_UPDATE_BASE_URL) + UpdateDescriptionFileName;
    const fs::path description = cache / UpdateDescriptionFileName;
    HttpClient client;
    std::string failure;
    if (!DownloadFile(
            client, address, description, [] { return true; }, &failure)) {
        output.err << "could not fetch " << address << ": " << PrintableText(failure) << '\n';
        return CliStatus::NotFetched;
    }
    if (auto version = NewerVersion(description, AppVersion, platform::UserDecimalSeparator()))
        output.out << "update available: " << *version << '\n';
    else
        output.out << "no new updates\n";
    return CliStatus::Success;
}
