#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/WindowsCommandLine.h"

#include <chrono>
#include <shlobj.h>
#include <windows.h>

namespace platform {

namespace {

std::wstring Wide(const std::string& text) {
    return platform::PathFromText(text).native();
}

// Starts Program with its arguments quoted so that each arrives whole; Output, when given,
// receives the child's standard output.
bool Spawn(const std::string& program, const std::vector<std::string>& arguments, HANDLE output,
           PROCESS_INFORMATION& process) {
    std::wstring commandLine = Wide(WindowsCommandLine(program, arguments));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output;
        startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    }
    return ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, output != nullptr, 0,
                            nullptr, nullptr, &startup, &process);
}

} // namespace

bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) {
    PROCESS_INFORMATION process{};
    if (!Spawn(program, arguments, nullptr, process))
        return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

std::optional<std::string> ReadProgramOutput(const std::string& program,
                                             const std::vector<std::string>& arguments,
                                             int timeLimitMilliseconds) {
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inheritable, 0))
        return std::nullopt;
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    PROCESS_INFORMATION process{};
    const bool started = Spawn(program, arguments, writeEnd, process);
    ::CloseHandle(writeEnd);
    if (!started) {
        ::CloseHandle(readEnd);
        return std::nullopt;
    }
    ::CloseHandle(process.hThread);

    std::string output;
    bool finished = false;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(timeLimitMilliseconds);
    while (std::chrono::steady_clock::now() < deadline) {
        DWORD available = 0;
        if (!::PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr)) {
            finished = ::GetLastError() == ERROR_BROKEN_PIPE;
            break;
        }
        if (available == 0) {
            ::Sleep(10);
            continue;
        }
        char buffer[4096];
        DWORD count = 0;
        if (!::ReadFile(readEnd, buffer, sizeof buffer, &count, nullptr))
            break;
        output.append(buffer, count);
    }
    ::CloseHandle(readEnd);
    if (!finished)
        ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hProcess);
    if (!finished)
        return std::nullopt;
    return output;
}

std::optional<int> RunProgramAndWait(const std::string& program,
                                     const std::vector<std::string>& arguments) {
    PROCESS_INFORMATION process{};
    if (!Spawn(program, arguments, nullptr, process))
        return std::nullopt;
    ::CloseHandle(process.hThread);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 1;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}

bool ShellOpen(const std::string& address) {
    const std::wstring file = Wide(address);
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    // Values above 32 mean success.
    return result > 32;
}

bool RunsAsAdministrator() {
    return ::IsUserAnAdmin();
}

void AnnounceRunningCopy(const std::string& name) {
    // Held until the process ends; the system closes it then. Global, so that a setup program
    // run by another user in another session sees it too.
    const std::wstring wide = L"Global\\" + std::wstring(name.begin(), name.end());
    ::CreateMutexW(nullptr, FALSE, wide.c_str());
}

} // namespace platform
