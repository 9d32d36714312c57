#pragma once

#include "update/MessagePump.h"

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

// Runs work that waits (a download, a name lookup) on a thread of its own, so that the window
// never waits in a loop of its own for it, and hands its end back to the window's thread.
class BackgroundTask : public QObject {
  public:
    BackgroundTask() = default;
    // Stops the work at once and waits for its thread.
    ~BackgroundTask() override;

    // True from Start until Done has run.
    bool Busy() const { return busy_; }

    // Runs Work on the task's thread with a pump that says whether to go on, then Done on the
    // window's thread. Refused (false) while the task is busy.
    bool Start(std::function<void(const MessagePump& goOn)> work, std::function<void()> done);

    // Asks the work to stop; Done still runs once it has.
    void Cancel();

  private:
    void Join();

    std::thread thread_;
    std::shared_ptr<std::atomic<bool>> cancelled_;
    bool busy_ = false;
};
