#include "ui/UserMessages.h"

#include "ui/TextBridge.h"

UserMessages::UserMessages(std::shared_ptr<MessagePresenter> presenter)
    : presenter_(std::move(presenter)) {}

int UserMessages::MessageDialog(const QString& text, MessageKind kind,
                                MessageButtons buttons) const {
    return presenter_->MessageDialog(text, kind, buttons, 0);
}

void UserMessages::RunReportingErrors(const std::function<void()>& handler) const {
    try {
        handler();
    } catch (const std::exception& error) {
        MessageDialog(FromModel(error.what()), MessageKind::Error, MessageButtons::Ok);
    }
}

std::function<void()> UserMessages::Reporting(std::function<void()> handler) const {
    return [this, handler = std::move(handler)] { RunReportingErrors(handler); };
}
