#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// How far a download has come.
struct DownloadProgress {
    std::uint64_t received = 0;
    std::uint64_t total = 0;
    // Nothing until the rate can be told.
    std::optional<std::chrono::seconds> timeLeft;
};

// Receives the progress of a download, a few times a second and once at its end.
using ProgressReport = std::function<void(const DownloadProgress&)>;

// Estimates the time left from the rate since the download started.
class ProgressMeter {
  public:
    using Clock = std::chrono::steady_clock;

    ProgressMeter(std::uint64_t total, Clock::time_point start) : total_(total), start_(start) {}

    DownloadProgress At(std::uint64_t received, Clock::time_point now) const;

  private:
    std::uint64_t total_;
    Clock::time_point start_;
};

// "3.2 of 8.5 MB, about 12 s left"; KB below a megabyte, minutes from a minute on.
std::string ProgressText(const DownloadProgress& progress);
