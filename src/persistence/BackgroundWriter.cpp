#include "persistence/BackgroundWriter.h"

#include "platform/CrashHandler.h"
#include "util/files/FileHelpers.h"

#include <utility>

BackgroundWriter::BackgroundWriter(std::filesystem::path file, FileAccess access,
                                   std::function<void()> failed)
    : file_(std::move(file)), access_(access), failed_(std::move(failed)), thread_([this] {
          const platform::ThreadCrashStack crashStack;
          Run();
      }) {}

BackgroundWriter::~BackgroundWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void BackgroundWriter::Write(std::function<std::string()> bytes) {
    {
        std::lock_guard lock(mutex_);
        pending_ = std::move(bytes);
    }
    changed_.notify_all();
}

void BackgroundWriter::Flush() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !pending_ && !writing_; });
}

std::string BackgroundWriter::TakeError() {
    std::lock_guard lock(mutex_);
    return std::exchange(error_, {});
}

void BackgroundWriter::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return pending_ || stopping_; });
        if (stopping_)
            return;
        const std::function<std::string()> bytes = std::exchange(pending_, nullptr);
        writing_ = true;
        lock.unlock();
        std::string error;
        try {
            WriteFileAtomically(file_, bytes(), access_);
        } catch (const std::exception& failure) {
            error = failure.what();
        }
        const bool failed = !error.empty();
        lock.lock();
        writing_ = false;
        if (failed)
            error_ = std::move(error);
        changed_.notify_all();
        if (failed && failed_) {
            // Told outside the lock: the one told may take the error at once.
            lock.unlock();
            failed_();
            lock.lock();
        }
    }
}
