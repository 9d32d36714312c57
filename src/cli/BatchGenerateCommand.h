#pragma once

#include "cli/ExitStatus.h"
#include "generator/PageBatch.h"
#include "util/policies/UserDataFolders.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// What "generate" is asked for when it makes the pages of several projects.
struct BatchGenerateRequest {
    UserDataFolders folders;
    std::vector<std::filesystem::path> projectFiles;
    // The template of every page; without one each project's own.
    std::optional<std::string> templateName;
    unsigned jobs = 1;
    BatchNaming naming = BatchNaming::OutputFileName;
    // A count of the pages made, rewritten in place on Err.
    bool showProgress = false;
};

// Makes one page per project into Output/, on Jobs threads. Writes one line per failure to Err,
// "PROJECT: REASON", and "N pages written to "FOLDER", M failed" to Out. A project given twice,
// and pages that would land on the same file, are refused before anything is written, one line
// for each, with what to do. Succeeds when every page was written; anything else is bad input.
CliStatus BatchGenerateCommand(const BatchGenerateRequest& request, std::ostream& out,
                               std::ostream& err);
