#pragma once

#include <array>
#include <string>
#include <string_view>

// minisign's two algorithms: Ed25519 over the signed bytes themselves ("Ed", minisign -l) or
// over their BLAKE2b-512 hash ("ED", minisign's default since 0.10).
enum class MinisignAlgorithm { Plain, Prehashed };

// The eight bytes that name a key pair; a signature carries the ID of the key that made it.
using MinisignKeyId = std::array<unsigned char, 8>;

struct MinisignPublicKey {
    MinisignKeyId keyId{};
    std::array<unsigned char, 32> key{};
};

// A .minisig file: the signature of the signed bytes, and the global signature over that
// signature followed by the trusted comment.
struct MinisignSignature {
    MinisignAlgorithm algorithm = MinisignAlgorithm::Prehashed;
    MinisignKeyId keyId{};
    std::array<unsigned char, 64> signature{};
    std::string trustedComment;
    std::array<unsigned char, 64> globalSignature{};
};

// The public key from the base64 line minisign writes ("RW..." in minisign.pub, or after -P);
// blanks around it do not count. Throws UpdateRefused.
MinisignPublicKey ParseMinisignPublicKey(std::string_view line);

// The four lines of a .minisig file (LF or CR LF line ends): untrusted comment, signature,
// trusted comment, global signature; anything after them is ignored, as minisign does. Throws
// UpdateRefused naming what is wrong.
MinisignSignature ParseMinisignSignature(std::string_view text);

// A key ID as minisign prints it ("6102FB5D3CB9D2E6", "8E9BC64FF33BEA1": no leading zeros).
std::string KeyIdText(const MinisignKeyId& id);
