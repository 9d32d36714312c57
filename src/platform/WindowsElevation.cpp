#include "platform/WindowsElevation.h"

#include "platform/FileSystem.h"
#include "platform/WindowsCommandLine.h"
#include "platform/WindowsError.h"

#include <thread>
#include <windows.h>

namespace platform {

ElevatedRun RunElevatedAndWait(const std::string& program,
                               const std::vector<std::string>& arguments) {
    const std::wstring file = PathFromText(program).native();
    std::string parameters;
    for (const std::string& argument : arguments) {
        if (!parameters.empty())
            parameters += ' ';
        parameters += QuoteWindowsArgument(argument);
    }
    const std::wstring wideParameters = PathFromText(parameters).native();
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof execute;
    // No window of the shell's own asks about an unknown file; the process handle is kept.
    execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    execute.lpVerb = L"runas";
    execute.lpFile = file.c_str();
    execute.lpParameters = wideParameters.c_str();
    execute.nShow = SW_SHOWNORMAL;
    // The shell may hand the call to extensions that need COM on this thread.
    const HRESULT com =
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const BOOL started = ::ShellExecuteExW(&execute);
    const DWORD error = started ? ERROR_SUCCESS : ::GetLastError();
    if (SUCCEEDED(com))
        ::CoUninitialize();
    ElevatedRun run;
    if (!started) {
        run.outcome = error == ERROR_CANCELLED ? ElevatedRun::Outcome::Refused
                                               : ElevatedRun::Outcome::NotStarted;
        run.reason = WindowsErrorText(error);
        return run;
    }
    if (!execute.hProcess) {
        run.reason = "The system started no process for it.";
        return run;
    }
    ::WaitForSingleObject(execute.hProcess, INFINITE);
    DWORD exitCode = 1;
    ::GetExitCodeProcess(execute.hProcess, &exitCode);
    ::CloseHandle(execute.hProcess);
    run.outcome = ElevatedRun::Outcome::Finished;
    run.exitCode = exitCode;
    return run;
}

bool WaitUntilRunningCopiesEnd(const std::string& name, std::chrono::milliseconds limit) {
    const std::wstring wide = L"Global\\" + std::wstring(name.begin(), name.end());
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        // The mutex lives as long as a process holds a handle to it; the running copies never
        // own it, so its existence is the sign, as the setup program checks it.
        // A mutex that another user's copy made, and that this user may not open, exists all the
        // same.
        HANDLE mutex = ::OpenMutexW(SYNCHRONIZE, FALSE, wide.c_str());
        if (mutex)
            ::CloseHandle(mutex);
        else if (::GetLastError() == ERROR_FILE_NOT_FOUND)
            return true;
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
}

} // namespace platform
