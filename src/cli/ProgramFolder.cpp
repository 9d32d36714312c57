#include "cli/ProgramFolder.h"

#include "util/AppError.h"
#include "util/files/FileHelpers.h"

UserDataFolders CopyFoldersOf(const CommandLine& line) {
    auto given = line.value("--app-dir");
    if (!given)
        return UserDataFoldersOf(RunningProgramFolder());
    const std::string reason = WhyNotAFolder(*given);
    if (!reason.empty())
        throw AppError("Cannot use the program folder \"" + *given + "\". " + AsSentence(reason));
    return UserDataFoldersOf(PathOf(*given));
}
