#pragma once

#include "util/AppError.h"

#include <chrono>
#include <cstdint>
#include <string>

// How long a download waits, how often it lets the caller's messages run meanwhile, and how
// much it takes. The defaults fit the update description, the client's main use.
struct HttpLimits {
    std::chrono::milliseconds connect{120'000};
    std::chrono::milliseconds connectSlice{125};
    std::chrono::milliseconds readSlice{250};
    // Per wait for data; a response head or a success body waits without limit of its own.
    std::chrono::milliseconds failureBodyWait{2'000};
    std::chrono::milliseconds redirectBodyWait{4'000};
    // The whole download, redirects included: a server that stalls or never ends its body
    // cannot keep the caller waiting beyond it.
    std::chrono::milliseconds download{180'000};
    // The body of the final response.
    std::uint64_t mostBodyBytes = 64 * 1024;
};

// "64 KiB", "16 MiB", "1 GiB", "100 bytes": a size limit as the user reads it.
std::string SizeText(std::uint64_t bytes);

// "180 seconds", "300 ms".
std::string DurationText(std::chrono::milliseconds duration);

// A download stopped at one of its limits; the text names the limit.
class DownloadLimitReached : public AppError {
  public:
    using AppError::AppError;
};

// The texts of the two limits.
std::string DeadlineText(std::chrono::milliseconds download);
std::string TooLargeText(std::uint64_t mostBytes);
