#pragma once

#include "util/AppError.h"

#include <functional>

// Runs the caller's pending work while a download waits for the network; returning false
// asks the download to stop.
using MessagePump = std::function<bool()>;

// The caller stopped the download through its message pump.
class DownloadCancelled : public AppError {
  public:
    DownloadCancelled() : AppError("The download was cancelled.") {}
};
