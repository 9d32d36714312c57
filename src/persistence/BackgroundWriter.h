#pragma once

#include "util/files/FileHelpers.h"

#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

// Writes one file, atomically, on a thread of its own, so that neither making the bytes nor the
// disk's wait is felt; bytes given while a write runs replace any given before them that were
// not yet written.
class BackgroundWriter {
  public:
    // Failed, when given, is called on the writer's thread after a write failed.
    BackgroundWriter(std::filesystem::path file, FileAccess access,
                     std::function<void()> failed = {});
    // Waits for a write under way; bytes not yet written are dropped.
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    // Bytes is called on the writer's thread, for the file's whole content.
    void Write(std::function<std::string()> bytes);
    // Waits until everything given is on the disk, or has failed.
    void Flush();
    // The text of the last failed write, once; empty when none failed since the last call.
    std::string TakeError();

  private:
    void Run();

    const std::filesystem::path file_;
    const FileAccess access_;
    const std::function<void()> failed_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<std::string()> pending_;
    bool writing_ = false;
    bool stopping_ = false;
    std::string error_;
    std::thread thread_;
};
