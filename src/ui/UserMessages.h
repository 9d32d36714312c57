#pragma once

#include "ui/MessageDialog.h"

#include <QString>
#include <functional>
#include <memory>

// The window's message boxes, shown through its presenter, and the report of the errors its
// handlers raise.
class UserMessages {
  public:
    explicit UserMessages(std::shared_ptr<MessagePresenter> presenter);

    int MessageDialog(const QString& text, MessageKind kind, MessageButtons buttons) const;

    // Runs a handler to its end; an error it raises is shown in an error box.
    void RunReportingErrors(const std::function<void()>& handler) const;

    // Handler as a slot that reports its own errors: unwinding through Qt's frames, which are
    // built without exceptions, would skip their clean-up.
    std::function<void()> Reporting(std::function<void()> handler) const;

  private:
    std::shared_ptr<MessagePresenter> presenter_;
};
