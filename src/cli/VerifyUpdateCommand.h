#pragma once

#include "cli/CliCommand.h"

#include <string>
#include <string_view>

// "check-update --verify": fetches Folder's update description, its signature and every file it
// names into a private temporary folder, and checks them with PublicKey (the base64 line of
// minisign.pub): the signature, then each file's size and SHA-256. One line per check; succeeds
// when every check passes. Folder ends with "/".
CliStatus VerifyUpdateFolder(const std::string& folder, std::string_view publicKey,
                             const CliOutput& output);
