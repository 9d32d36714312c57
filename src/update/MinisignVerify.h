#pragma once

#include "update/MinisignFormat.h"

#include <string>
#include <string_view>

// Checks, as minisign -V does, that Signature was made by Key for exactly the bytes of Signed
// and that its trusted comment was signed with it. Returns the trusted comment. Throws
// UpdateRefused for a signature of another key, of other bytes, or a changed trusted comment.
std::string VerifyMinisign(std::string_view signedBytes, const MinisignSignature& signature,
                           const MinisignPublicKey& key);
