#include "platform/WindowsError.h"

#include <windows.h>

namespace platform {

namespace {

class WindowsCategory : public std::error_category {
  public:
    const char* name() const noexcept override { return "windows"; }
    std::string message(int code) const override {
        return WindowsErrorText(static_cast<unsigned long>(code));
    }
};

} // namespace

const std::error_category& WindowsErrorCategory() {
    static const WindowsCategory category;
    return category;
}

std::error_code LastWindowsError() {
    return {static_cast<int>(::GetLastError()), WindowsErrorCategory()};
}

std::string WindowsErrorText(unsigned long code) {
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length ? std::string(text, length) : "Error " + std::to_string(code);
    ::LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
        message.pop_back();
    return message;
}

} // namespace platform
