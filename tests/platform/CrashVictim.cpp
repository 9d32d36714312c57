// Installs the crash handler with its reports in FOLDER, then crashes as MODE says:
// crash_victim FOLDER null-write|abort|throw|terminate|fault-while-reporting|overflow|
//                     thread-overflow
#include "platform/CrashHandler.h"
#include "util/ParallelFor.h"

#include <chrono>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string_view>
#include <thread>

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

// Fills the stack until it overflows; Depth is never negative.
[[gnu::noinline]] int CrashVictimRecurse(int depth) {
    volatile char room[1024];
    room[0] = static_cast<char>(depth);
    if (depth < 0)
        return 0;
    return CrashVictimRecurse(depth + 1) + room[0];
}
}

// Overflows the stack of a thread that the program's own code started.
void OverflowOnAnotherThread() {
    const auto first = std::this_thread::get_id();
    ParallelFor(2, 2, [first](std::size_t) {
        if (std::this_thread::get_id() != first)
            CrashVictimRecurse(1);
        for (;;)
            std::this_thread::sleep_for(std::chrono::seconds(1));
    });
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
    else if (mode == "overflow")
        CrashVictimRecurse(1);
    else if (mode == "thread-overflow")
        OverflowOnAnotherThread();
    return 3;
}
