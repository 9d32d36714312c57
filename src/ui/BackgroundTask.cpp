#include "ui/BackgroundTask.h"

#include "platform/CrashHandler.h"

BackgroundTask::~BackgroundTask() {
    Cancel();
    Join();
}

bool BackgroundTask::Start(std::function<void(const MessagePump& goOn)> work,
                           std::function<void()> done) {
    if (busy_)
        return false;
    Join();
    busy_ = true;
    cancelled_ = std::make_shared<std::atomic<bool>>(false);
    thread_ = std::thread(
        [this, cancelled = cancelled_, work = std::move(work), done = std::move(done)]() mutable {
            const platform::ThreadCrashStack crashStack;
            work([cancelled] { return !cancelled->load(); });
            // Dropped by Qt when the task is gone by then; its destructor waits for this thread.
            QMetaObject::invokeMethod(
                this,
                [this, done = std::move(done)] {
                    busy_ = false;
                    Join();
                    done();
                },
                Qt::QueuedConnection);
        });
    return true;
}

void BackgroundTask::Cancel() {
    if (cancelled_)
        cancelled_->store(true);
}

void BackgroundTask::Join() {
    if (thread_.joinable())
        thread_.join();
}
