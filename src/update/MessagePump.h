#pragma once

#include "util/AppError.h"

#include <functional>

// Runs the caller's pending work while a download waits for the network; returning false
// asks the download to stop.
using TMessagePump = std::function<bool()>;

// The caller stopped the download through its message pump.
class TDownloadCancelled : public AppError {
  public:
    TDownloadCancelled() : AppError("The download was cancelled.") {}
};
