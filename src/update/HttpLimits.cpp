#include "update/HttpLimits.h"

std::string SizeText(std::uint64_t bytes) {
    constexpr std::uint64_t KiB = 1024;
    constexpr std::uint64_t MiB = KiB * KiB;
    constexpr std::uint64_t GiB = MiB * KiB;
    if (bytes >= GiB && bytes % GiB == 0)
        return std::to_string(bytes / GiB) + " GiB";
    if (bytes >= MiB && bytes % MiB == 0)
        return std::to_string(bytes / MiB) + " MiB";
    if (bytes >= KiB && bytes % KiB == 0)
        return std::to_string(bytes / KiB) + " KiB";
    return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

std::string DurationText(std::chrono::milliseconds duration) {
    const auto count = duration.count();
    if (count >= 1000 && count % 1000 == 0)
        return std::to_string(count / 1000) + (count == 1000 ? " second" : " seconds");
    return std::to_string(count) + " ms";
}

std::string DeadlineText(std::chrono::milliseconds download) {
    return "The download did not finish within " + DurationText(download) + ".";
}

std::string TooLargeText(std::uint64_t mostBytes) {
    return "The file is larger than " + SizeText(mostBytes) + ", the most this download takes.";
}
