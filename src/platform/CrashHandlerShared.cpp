#include "platform/CrashHandler.h"
#include "platform/CrashReportText.h"

#include <cstdlib>
#include <cxxabi.h>
#include <exception>

namespace platform {

namespace {

// At namespace scope: no guard to take when a handler first reads it.
FixedText crashReason;

} // namespace

FixedText& CrashReasonText() {
    return crashReason;
}

void NoteCrashReason(std::string_view reason) {
    CrashReasonText().clear();
    CrashReasonText().add(reason);
}

// Names the exception's type, never its text, which may hold what the user typed.
void AbortOnTerminate() {
    FixedText& reason = CrashReasonText();
    reason.clear();
    reason.add("std::terminate called ");
    if (const std::type_info* type = abi::__cxa_current_exception_type()) {
        int status = -1;
        char* readable = abi::__cxa_demangle(type->name(), nullptr, nullptr, &status);
        reason.add("after an uncaught exception of type ")
            .add(status == 0 && readable ? readable : type->name());
        std::free(readable);
    } else {
        reason.add("without an active exception");
    }
    std::abort();
}

} // namespace platform
