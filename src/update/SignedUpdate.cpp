#include "update/SignedUpdate.h"

#include "update/HttpLimits.h"
#include "update/MinisignVerify.h"
#include "update/SignedUpdateLimits.h"
#include "update/UpdateRefused.h"
#include "util/files/FileHelpers.h"

namespace fs = std::filesystem;

namespace {

std::string TooLarge(std::string_view what, std::uint64_t most) {
    return "The update " + std::string(what) + " is larger than " + SizeText(most) +
           ", the most it may be.";
}

std::string ReadLimited(const fs::path& path, std::string_view what, std::uint64_t most) {
    const platform::EntryStatus status = platform::StatusOf(path);
    if (status.kind != platform::EntryKind::File)
        throw UpdateRefused("The update " + std::string(what) + " " + PathText(path.filename()) +
                            " is missing.");
    if (status.size > most)
        throw UpdateRefused(TooLarge(what, most));
    return ReadFileBytes(path);
}

} // namespace

VerifiedUpdate ReadSignedUpdate(std::string_view descriptionBytes, std::string_view signatureText,
                                std::string_view publicKey) {
    if (publicKey.find_first_not_of(" \t\r\n") == std::string_view::npos)
        throw UpdateRefused("This program was built without an update key, so it cannot check "
                            "an update's signature.");
    if (descriptionBytes.size() > MostDescriptionBytes)
        throw UpdateRefused(TooLarge("description", MostDescriptionBytes));
    if (signatureText.size() > MostSignatureBytes)
        throw UpdateRefused(TooLarge("signature", MostSignatureBytes));
    const MinisignPublicKey key = ParseMinisignPublicKey(publicKey);
    const MinisignSignature signature = ParseMinisignSignature(signatureText);
    VerifiedUpdate update;
    update.trustedComment = VerifyMinisign(descriptionBytes, signature, key);
    update.keyId = KeyIdText(key.keyId);
    // Only bytes that verified are read.
    update.description = ParseUpdateDescription(descriptionBytes);
    return update;
}

VerifiedUpdate ReadSignedUpdateFiles(const fs::path& description, const fs::path& signature,
                                     std::string_view publicKey) {
    const std::string descriptionBytes =
        ReadLimited(description, "description", MostDescriptionBytes);
    const std::string signatureText = ReadLimited(signature, "signature", MostSignatureBytes);
    return ReadSignedUpdate(descriptionBytes, signatureText, publicKey);
}
