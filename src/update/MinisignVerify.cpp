#include "update/MinisignVerify.h"

#include "update/Sodium.h"
#include "update/UpdateRefused.h"

#include <sodium.h>

namespace {

const unsigned char* Bytes(std::string_view text) {
    return reinterpret_cast<const unsigned char*>(text.data());
}

} // namespace

std::string VerifyMinisign(std::string_view signedBytes, const MinisignSignature& signature,
                           const MinisignPublicKey& key) {
    RequireSodium();
    if (signature.keyId != key.keyId)
        throw UpdateRefused("The update description was signed with the key " +
                            KeyIdText(signature.keyId) + ", not with this program's update key " +
                            KeyIdText(key.keyId) + ".");
    unsigned char hash[crypto_generichash_BYTES_MAX];
    const unsigned char* message = Bytes(signedBytes);
    std::size_t length = signedBytes.size();
    if (signature.algorithm == MinisignAlgorithm::Prehashed) {
        crypto_generichash(hash, sizeof hash, message, length, nullptr, 0);
        message = hash;
        length = sizeof hash;
    }
    if (crypto_sign_verify_detached(signature.signature.data(), message, length, key.key.data()) !=
        0)
        throw UpdateRefused("The update description does not match its signature.");
    // The trusted comment is signed together with the signature, so neither can be swapped.
    std::string commented(reinterpret_cast<const char*>(signature.signature.data()),
                          signature.signature.size());
    commented += signature.trustedComment;
    if (crypto_sign_verify_detached(signature.globalSignature.data(), Bytes(commented),
                                    commented.size(), key.key.data()) != 0)
        throw UpdateRefused("The trusted comment of the update signature does not match its "
                            "signature.");
    return signature.trustedComment;
}
