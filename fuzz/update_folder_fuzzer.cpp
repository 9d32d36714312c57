// libFuzzer target for what an update folder holds: the signature and key parsers, the
// description reader, and the whole check. An input is read as each of them, and, split at its
// first NUL byte, as a description and its signature checked against a fixed key. Refusals are
// AppErrors; anything else thrown, or a described file that breaks the description's rules, is a
// fault.

#include "update/MinisignFormat.h"
#include "update/SignedUpdate.h"
#include "update/SignedUpdateLimits.h"
#include "update/UpdateDescription.h"
#include "util/AppError.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

// The key of the tests' fixtures, so that a fuzzed input may reach the signature itself.
constexpr std::string_view Key = "RWSrHkd9UG33FK9RXrqbrutWYXXjx6bmdAfA9IaYWo2AQokckLSfFNmD";

template <typename Read> void Refusing(Read read) {
    try {
        read();
    } catch (const AppError&) {
    }
}

void CheckDescription(const UpdateDescription& description) {
    for (const UpdateFile& file : description.files)
        if (!IsPlainUpdateFileName(file.name) || file.size > MostUpdateFileBytes ||
            file.sha256.size() != 64)
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    Refusing([&] { ParseMinisignSignature(input); });
    Refusing([&] { ParseMinisignPublicKey(input); });
    Refusing([&] { CheckDescription(ParseUpdateDescription(input)); });
    const std::size_t split = input.find('\0');
    if (split != std::string_view::npos)
        Refusing([&] {
            CheckDescription(
                ReadSignedUpdate(input.substr(0, split), input.substr(split + 1), Key).description);
        });
    return 0;
}
