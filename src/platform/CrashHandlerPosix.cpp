#include "platform/CrashHandler.h"
#include "platform/CrashReportText.h"

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <execinfo.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <system_error>
#include <time.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int CaughtSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
constexpr int MaxFrames = 100;

// Everything the handler needs, made before any crash: it may not allocate, lock or open folders.
struct HandlerState {
    int folder = -1;
    FixedText program;
    FixedText folderPath;
    FixedText header;
    FixedText name;
    FixedText report;
    void* frames[MaxFrames];
    void (*whileReporting)() = nullptr;
    std::atomic_flag reporting = ATOMIC_FLAG_INIT;
};

HandlerState state;
// Room to report a stack overflow, which leaves no room on the crashing stack; the first thread's
// is made with the program, every other thread's when it starts (ThreadCrashStack).
constexpr std::size_t AlternateStackSize = 128 * 1024;
alignas(16) char alternateStack[AlternateStackSize];

std::string_view SignalName(int signalNumber) {
    switch (signalNumber) {
    case SIGSEGV:
        return "SIGSEGV (invalid memory access)";
    case SIGBUS:
        return "SIGBUS (bus error)";
    case SIGILL:
        return "SIGILL (illegal instruction)";
    case SIGFPE:
        return "SIGFPE (arithmetic error)";
    case SIGABRT:
        return "SIGABRT (abort)";
    }
    return "unknown signal";
}

void WriteAllTo(int file, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(file, bytes.data(), bytes.size());
        if (written <= 0)
            return;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

// A second crash, in the handler or in another thread, goes straight to the default action.
void RestoreDefaultActions() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int signalNumber : CaughtSignals)
        ::sigaction(signalNumber, &action, nullptr);
}

void WriteReport(int signalNumber, const siginfo_t& info) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const CivilTime time = CivilTimeOf(static_cast<std::uint64_t>(now.tv_sec));

    state.name.clear();
    AddReportStem(state.name, time, static_cast<std::uint64_t>(::getpid()));
    state.name.add(".txt");
    const int file =
        ::openat(state.folder, state.name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);

    FixedText& report = state.report;
    report.clear();
    report.add(state.header.view()).add("Time: ");
    AddReportTime(report, time);
    report.add("\nSignal: ").add(SignalName(signalNumber)).add("\n");
    // A signal sent by a process has no faulting address.
    if (info.si_code <= 0)
        report.add("Sent by process: ").addDecimal(static_cast<std::uint64_t>(info.si_pid));
    else
        report.add("Address: ").addHex(reinterpret_cast<std::uintptr_t>(info.si_addr));
    report.add("\n");
    if (!CrashReasonText().view().empty())
        report.add("Reason: ").add(CrashReasonText().view()).add("\n");
    report.add("Backtrace of the crashing thread:\n");
    if (file >= 0) {
        WriteAllTo(file, report.view());
        backtrace_symbols_fd(state.frames, ::backtrace(state.frames, MaxFrames), file);
        ::fsync(file);
        ::close(file);
    }

    report.clear();
    report.add(state.program.view()).add(" crashed: ").add(SignalName(signalNumber)).add(".");
    if (file >= 0)
        report.add(" A report is in ").add(state.folderPath.view()).add("/").add(state.name.view());
    WriteAllTo(STDERR_FILENO, report.add("\n").view());
}

void OnCrashSignal(int signalNumber, siginfo_t* info, void* /*context*/) {
    RestoreDefaultActions();
    if (!state.reporting.test_and_set()) {
        if (state.whileReporting)
            state.whileReporting();
        WriteReport(signalNumber, *info);
    }
    // Delivered when the handler returns, now to the default action: the core dump is kept.
    ::raise(signalNumber);
}

void AddSystem(FixedText& text) {
    utsname system{};
    if (::uname(&system) == 0)
        text.add(system.sysname).add(" ").add(system.release).add(" ").add(system.machine);
    else
        text.add("Linux");
}

} // namespace

ThreadCrashStack::ThreadCrashStack() {
    stack_ = std::malloc(AlternateStackSize);
    if (!stack_)
        return;
    stack_t stack{};
    stack.ss_sp = stack_;
    stack.ss_size = AlternateStackSize;
    if (::sigaltstack(&stack, nullptr) != 0) {
        std::free(stack_);
        stack_ = nullptr;
    }
}

ThreadCrashStack::~ThreadCrashStack() {
    if (!stack_)
        return;
    stack_t stack{};
    stack.ss_flags = SS_DISABLE;
    ::sigaltstack(&stack, nullptr);
    std::free(stack_);
}

void InstallCrashHandler(const CrashReportSettings& settings) {
    std::filesystem::create_directories(settings.folder);
    const int folder =
        ::open(settings.folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0)
        throw std::system_error(errno, std::generic_category(), settings.folder.string());
    if (state.folder >= 0)
        ::close(state.folder);
    state.folder = folder;
    state.program.clear();
    state.program.add(settings.program);
    state.folderPath.clear();
    state.folderPath.add(settings.folder.native());
    state.header.clear();
    state.header.add("Program: ").add(settings.program).add(" ").add(settings.version);
    state.header.add("\nSystem: ");
    AddSystem(state.header);
    state.header.add("\nProcess: ").addDecimal(static_cast<std::uint64_t>(::getpid())).add("\n");
    state.whileReporting = settings.whileReporting;

    // The first backtrace loads the unwinder, which allocates: do it now, not in the handler.
    ::backtrace(state.frames, 1);

    stack_t stack{};
    stack.ss_sp = alternateStack;
    stack.ss_size = AlternateStackSize;
    ::sigaltstack(&stack, nullptr);

    struct sigaction action {};
    action.sa_sigaction = OnCrashSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int signalNumber : CaughtSignals)
        ::sigaction(signalNumber, &action, nullptr);
    std::set_terminate(AbortOnTerminate);
}

} // namespace platform
