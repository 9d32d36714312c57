#pragma once

#include "cli/CliCommand.h"
#include "util/policies/UserDataFolders.h"

// The folders of the copy a command works on: those of the program folder --app-dir names,
// else of the folder of this program. A named folder must exist; nothing is made in its place.
UserDataFolders CopyFoldersOf(const CommandLine& line);
