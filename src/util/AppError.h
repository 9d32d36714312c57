#pragma once

#include <stdexcept>
#include <string>

// An error whose text is meant for the user, as it stands.
class AppError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
