#pragma once

#include <cstdint>
#include <vector>

// A listener on 127.0.0.1 that never accepts, its queue filled by connects of its own: the system
// drops further connection requests, so a connect to it neither succeeds nor fails until the
// client's limit. Throws std::runtime_error when it cannot be set up.
class UnansweredListener {
  public:
    UnansweredListener();
    UnansweredListener(const UnansweredListener&) = delete;
    UnansweredListener& operator=(const UnansweredListener&) = delete;
    ~UnansweredListener();

    int Port() const { return port_; }

  private:
    std::intptr_t listener_;
    std::vector<std::intptr_t> queued_;
    int port_ = 0;
};
