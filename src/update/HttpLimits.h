#pragma once

#include <chrono>

// How long a download waits, and how often it lets the caller's messages run meanwhile.
struct HttpLimits {
    std::chrono::milliseconds connect{120'000};
    std::chrono::milliseconds connectSlice{125};
    std::chrono::milliseconds readSlice{250};
    // Per wait for data; a response head or a success body waits without limit.
    std::chrono::milliseconds failureBodyWait{2'000};
    std::chrono::milliseconds redirectBodyWait{4'000};
};
