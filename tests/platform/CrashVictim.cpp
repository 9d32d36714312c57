// Installs the crash handler with its reports in FOLDER, then crashes as MODE says:
// crash_victim FOLDER null-write|abort|throw|terminate|fault-while-reporting
#include "platform/CrashHandler.h"

#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string_view>

// Exported, so that the report can name them.
extern "C" {

// A real fault even under the undefined-behaviour sanitizer, which would stop the store first.
[[gnu::noinline, gnu::no_sanitize("undefined")]] void CrashVictimNullWrite() {
    volatile int* volatile target = nullptr;
    *target = 1;
}

[[gnu::noinline]] void CrashVictimThrow() {
    throw std::runtime_error("secret typed by the user");
}

[[gnu::noinline]] void CrashVictimFaultInHandler() {
    CrashVictimNullWrite();
}
}

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    const std::string_view mode = argv[2];
    platform::InstallCrashHandler(
        {argv[1], "Crash Victim", "1.01",
         mode == "fault-while-reporting" ? CrashVictimFaultInHandler : nullptr});
    if (mode == "null-write" || mode == "fault-while-reporting")
        CrashVictimNullWrite();
    else if (mode == "abort")
        std::abort();
    else if (mode == "throw")
        CrashVictimThrow();
    else if (mode == "terminate")
        std::terminate();
    return 3;
}
