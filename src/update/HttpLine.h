#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The longest line a response head or a chunk-size line may hold, its line end not counted.
inline constexpr std::size_t LongestHttpLine = 16384;

// Gathers one line that may arrive in pieces. A line ends at LF; a CR just before the LF is
// dropped.
class HttpLineReader {
  public:
    // Takes bytes up to and including the LF and returns how many it used; throws AppError
    // "Max line length exceeded." once the line is too long.
    std::size_t Feed(std::string_view bytes);

    bool Complete() const { return complete_; }
    // The line without its end (what has arrived so far, while incomplete).
    const std::string& Line() const { return line_; }
    void Clear();

  private:
    std::string line_;
    bool complete_ = false;
};

// The text with blanks and tabs removed at both ends.
std::string_view TrimBlanks(std::string_view text);
