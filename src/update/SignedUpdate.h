#pragma once

#include "update/UpdateDescription.h"

#include <filesystem>
#include <string>
#include <string_view>

// The signature beside the update description in the update folder.
inline constexpr const char* UpdateSignatureFileName = "mainappupdate.inf.minisig";

// An update description whose signature verified.
struct VerifiedUpdate {
    UpdateDescription description;
    // The signature's trusted comment, signed with it.
    std::string trustedComment;
    // The ID of the key that signed it, as minisign prints it.
    std::string keyId;
};

// Checks that SignatureText (a .minisig file's text) signs the exact bytes of the description
// with PublicKey (the base64 line of minisign.pub), then reads the description. Throws
// UpdateRefused when the key is empty or malformed, when the description or the signature is
// larger than its limit, when the signature is malformed, made with another key or does not
// match, or when the description is malformed.
VerifiedUpdate ReadSignedUpdate(std::string_view descriptionBytes, std::string_view signatureText,
                                std::string_view publicKey);

// The same for the two files, each refused unread when it is missing or larger than its limit.
VerifiedUpdate ReadSignedUpdateFiles(const std::filesystem::path& description,
                                     const std::filesystem::path& signature,
                                     std::string_view publicKey);
