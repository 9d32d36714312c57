#include "update/MinisignFormat.h"

#include "update/Sodium.h"
#include "update/UpdateRefused.h"

#include <algorithm>
#include <cstring>
#include <sodium.h>
#include <vector>

namespace {

constexpr std::string_view UntrustedPrefix = "untrusted comment: ";
constexpr std::string_view TrustedPrefix = "trusted comment: ";

// Exactly Size bytes from base64 with its padding, as minisign writes it.
bool DecodeBase64(std::string_view text, unsigned char* bytes, std::size_t size) {
    RequireSodium();
    std::size_t length = 0;
    // With no end pointer, a character that is not base64 or bytes beyond Size fail the call.
    return sodium_base642bin(bytes, size, text.data(), text.size(), nullptr, &length, nullptr,
                             sodium_base64_VARIANT_ORIGINAL) == 0 &&
           length == size;
}

std::string_view TrimBlanks(std::string_view text) {
    constexpr std::string_view Blanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

std::vector<std::string_view> Lines(std::string_view text, std::size_t most) {
    std::vector<std::string_view> lines;
    while (!text.empty() && lines.size() < most) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

[[noreturn]] void Malformed(std::string_view what) {
    throw UpdateRefused("The update signature is not a minisign signature: " + std::string(what) +
                        ".");
}

} // namespace

MinisignPublicKey ParseMinisignPublicKey(std::string_view line) {
    unsigned char bytes[2 + 8 + 32];
    if (!DecodeBase64(TrimBlanks(line), bytes, sizeof bytes) || std::memcmp(bytes, "Ed", 2) != 0)
        throw UpdateRefused("The update key is not a minisign public key (the base64 line of "
                            "minisign.pub).");
    MinisignPublicKey key;
    std::memcpy(key.keyId.data(), bytes + 2, key.keyId.size());
    std::memcpy(key.key.data(), bytes + 10, key.key.size());
    return key;
}

MinisignSignature ParseMinisignSignature(std::string_view text) {
    const std::vector<std::string_view> lines = Lines(text, 4);
    if (lines.size() < 4)
        Malformed("it has fewer than four lines");
    if (!lines[0].starts_with(UntrustedPrefix))
        Malformed("its first line does not start with \"untrusted comment: \"");
    unsigned char bytes[2 + 8 + 64];
    if (!DecodeBase64(lines[1], bytes, sizeof bytes))
        Malformed("its second line is not the base64 of a signature");
    MinisignSignature signature;
    if (std::memcmp(bytes, "ED", 2) == 0)
        signature.algorithm = MinisignAlgorithm::Prehashed;
    else if (std::memcmp(bytes, "Ed", 2) == 0)
        signature.algorithm = MinisignAlgorithm::Plain;
    else
        Malformed("it names an algorithm other than Ed25519");
    std::memcpy(signature.keyId.data(), bytes + 2, signature.keyId.size());
    std::memcpy(signature.signature.data(), bytes + 10, signature.signature.size());
    if (!lines[2].starts_with(TrustedPrefix))
        Malformed("its third line does not start with \"trusted comment: \"");
    signature.trustedComment = lines[2].substr(TrustedPrefix.size());
    if (!DecodeBase64(lines[3], signature.globalSignature.data(), signature.globalSignature.size()))
        Malformed("its fourth line is not the base64 of a signature");
    return signature;
}

std::string KeyIdText(const MinisignKeyId& id) {
    // minisign prints the ID as a little-endian number, without leading zeros.
    constexpr char Digits[] = "0123456789ABCDEF";
    std::string text;
    for (auto byte = id.rbegin(); byte != id.rend(); ++byte) {
        text += Digits[*byte >> 4];
        text += Digits[*byte & 0xF];
    }
    return text.substr(std::min(text.find_first_not_of('0'), text.size() - 1));
}
