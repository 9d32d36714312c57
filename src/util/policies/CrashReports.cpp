#include "util/policies/CrashReports.h"

#include "platform/CrashHandler.h"
#include "platform/PrivateFolder.h"
#include "util/AppError.h"
#include "util/files/FileHelpers.h"

#include <algorithm>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view ReportExtension = ".txt";

// The reports' paths, oldest first: their names begin with the UTC time they were written.
std::vector<fs::path> ReportsOldestFirst(const fs::path& folder) {
    std::vector<fs::path> reports;
    for (const ListedFile& file : PlainFilesIn(folder))
        if (file.name.starts_with("crash-") && file.name.ends_with(ReportExtension))
            reports.push_back(folder / file.name);
    std::sort(reports.begin(), reports.end());
    return reports;
}

} // namespace

fs::path CrashReportsFolder(const fs::path& stateFolder) {
    return stateFolder / "crashes";
}

void PruneCrashReports(const fs::path& folder, std::size_t keep) {
    const std::vector<fs::path> reports = ReportsOldestFirst(folder);
    for (std::size_t index = 0; index + keep < reports.size(); ++index) {
        platform::RemoveFile(reports[index]);
        platform::RemoveFile(fs::path(reports[index]).replace_extension(".dmp"));
    }
}

void StartCrashReports(const fs::path& stateFolder, const std::string& program,
                       const std::string& version) {
    const fs::path folder = CrashReportsFolder(stateFolder);
    // A report holds pieces of the program's state: for the user's eyes alone.
    for (const fs::path& privateFolder : {stateFolder, folder})
        if (const std::string reason = platform::PreparePrivateFolder(privateFolder);
            !reason.empty())
            throw AppError(CannotCreateFileText(privateFolder, reason));
    PruneCrashReports(folder, KeptCrashReports - 1);
    platform::InstallCrashHandler({folder, program, version});
}

void NoteCrashReason(std::string_view reason) {
    platform::NoteCrashReason(reason);
}

std::optional<fs::path> CrashReportSince(const fs::path& folder, fs::file_time_type since) {
    const std::vector<fs::path> reports = ReportsOldestFirst(folder);
    for (auto report = reports.rbegin(); report != reports.rend(); ++report) {
        std::error_code error;
        if (fs::last_write_time(*report, error) >= since && !error)
            return *report;
    }
    return std::nullopt;
}
