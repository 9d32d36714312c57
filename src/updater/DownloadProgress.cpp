#include "updater/DownloadProgress.h"

#include <cmath>
#include <cstdio>

namespace {

// A second of data or so is too little to tell a rate from.
constexpr std::chrono::milliseconds LeastMeasuredTime{1000};

constexpr double Megabyte = 1024.0 * 1024.0;

std::string Number(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

} // namespace

DownloadProgress ProgressMeter::At(std::uint64_t received, Clock::time_point now) const {
    DownloadProgress progress{received, total_, std::nullopt};
    const auto elapsed = std::chrono::duration<double>(now - start_);
    if (received == 0 || received > total_ || now - start_ < LeastMeasuredTime)
        return progress;
    const double bytesPerSecond = double(received) / elapsed.count();
    const double left = double(total_ - received) / bytesPerSecond;
    progress.timeLeft = std::chrono::seconds(static_cast<long long>(std::ceil(left)));
    return progress;
}

std::string ProgressText(const DownloadProgress& progress) {
    std::string text;
    if (progress.total >= Megabyte)
        text = Number(double(progress.received) / Megabyte, 1) + " of " +
               Number(double(progress.total) / Megabyte, 1) + " MB";
    else
        text = Number(std::ceil(double(progress.received) / 1024.0), 0) + " of " +
               Number(std::ceil(double(progress.total) / 1024.0), 0) + " KB";
    if (progress.timeLeft) {
        const long long seconds = progress.timeLeft->count();
        text += seconds < 60 ? ", about " + std::to_string(seconds) + " s left"
                             : ", about " + std::to_string((seconds + 59) / 60) + " min left";
    }
    return text;
}
