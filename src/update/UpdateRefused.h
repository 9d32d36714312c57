#pragma once

#include "util/AppError.h"

// An update that must not be installed: a signature that does not verify, a malformed signed
// description, a downloaded file other than the one signed. The text says why.
class UpdateRefused : public AppError {
  public:
    using AppError::AppError;
};
