#pragma once

#include <cstddef>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Replaces many files the way WriteFileAtomically replaces one, waiting for the disk once for
// all of them. Files staged and never committed are removed with the object.
class FileReplacements {
  public:
    FileReplacements() = default;
    FileReplacements(const FileReplacements&) = delete;
    FileReplacements& operator=(const FileReplacements&) = delete;
    ~FileReplacements();

    // Writes the new bytes of Path beside it, under Key; several threads may stage at once.
    // Throws AppError "Cannot create file ..." and stages nothing then.
    void Stage(std::size_t key, const std::filesystem::path& path, std::string_view bytes);

    // Puts every staged file on the disk, then in place, on up to Jobs threads. Returns the key
    // and the text "Cannot create file ..." of each one that could not be.
    std::vector<std::pair<std::size_t, std::string>> Commit(unsigned jobs = 1);

  private:
    struct Staged {
        std::size_t key;
        std::filesystem::path target;
        std::filesystem::path temporary;
    };
    std::mutex staging_;
    std::vector<Staged> staged_;
};
