#pragma once

#include "util/AppError.h"

#include <string>
#include <string_view>

// A refusal of Generate Code, carrying the text the user is shown.
class DeliveryError : public AppError {
  public:
    enum class Reason {
        InvalidFileName,
        NameLeavesOutput,
        NoOutputFolder,
        NoTemplate,
        EmptyTemplate,
        PageTooLarge
    };

    // Detail is the file name for NameLeavesOutput, the template file's path for EmptyTemplate,
    // and is not used otherwise.
    explicit DeliveryError(Reason reason, std::string_view detail = {});

    Reason reason() const { return reason_; }

  private:
    Reason reason_;
};
