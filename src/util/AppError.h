#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

// An error whose text is meant for the user, as it stands.
class AppError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// An error about one file: what() names the file, Reason() says only why ("It holds no
// project."), for a message that names the file already.
class FileError : public AppError {
  public:
    FileError(const std::string& text, std::string reason)
        : AppError(text), reason_(std::move(reason)) {}
    const std::string& reason() const { return reason_; }

  private:
    std::string reason_;
};

// A reason as a sentence of the program's texts: the system's own ("No such file or
// directory") lack the final full stop.
inline std::string AsSentence(std::string_view reason) {
    std::string sentence(reason);
    if (!sentence.empty() &&
        std::string_view(".!?").find(sentence.back()) == std::string_view::npos)
        sentence += '.';
    return sentence;
}
