#pragma once

#include <cstdint>

// How large the files of a signed update folder may be. A description or signature beyond its
// limit is refused unread; the limit of the files lets a download stop early.
inline constexpr std::uint64_t MostDescriptionBytes = 64 * 1024;
inline constexpr std::uint64_t MostSignatureBytes = 16 * 1024;
inline constexpr std::uint64_t MostUpdateFileBytes = std::uint64_t{1} << 30;
