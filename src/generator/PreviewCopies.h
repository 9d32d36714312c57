#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The bytes of a page's preview copy: those of its file in Output/, with a <base> that resolves
// its relative addresses (its pictures) in OutputFolder, wherever the copy lies.
std::string PreviewCopyBytes(std::string_view pageText, const std::filesystem::path& outputFolder);

// Files a browser shows as previews, in a folder of their own that only the user may enter, made
// on first use in the temporary folder and removed with everything in it by the destructor. Each
// copy has a new name, as the browser may still be reading the one before.
class PreviewCopies {
  public:
    // The folder goes into Parent; by default the system's temporary folder.
    explicit PreviewCopies(std::filesystem::path parent = {});
    ~PreviewCopies();
    PreviewCopies(const PreviewCopies&) = delete;
    PreviewCopies& operator=(const PreviewCopies&) = delete;

    // Writes Bytes into a new copy and returns its path. Throws AppError "Cannot create file ...".
    std::filesystem::path Write(std::string_view bytes);

  private:
    std::filesystem::path parent_;
    std::filesystem::path folder_;
    int written_ = 0;
};
