#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>
// dbghelp.h takes its types from windows.h.
#include <dbghelp.h>

namespace {

struct Crash {
    DWORD exitCode = 0;
    std::string report;
    std::string minidump;
};

// Runs the crashing program beside this one, and reads the report and minidump it left.
Crash CrashVictim(const wchar_t* mode) {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    const fs::path victim = fs::path(self).parent_path() / L"crash_victim.exe";
    TempFolder folder;
    const fs::path reports = folder.path() / "crashes";
    std::wstring command = L"\"" + victim.wstring() + L"\" \"" + reports.wstring() + L"\" " + mode;

    Crash crash;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        ADD_FAILURE() << "cannot start " << victim.string();
        return crash;
    }
    ::WaitForSingleObject(process.hProcess, 60000);
    ::GetExitCodeProcess(process.hProcess, &crash.exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);

    int files = 0;
    for (const auto& entry : fs::directory_iterator(reports)) {
        ++files;
        (entry.path().extension() == ".txt" ? crash.report : crash.minidump) =
            ReadAll(entry.path());
    }
    EXPECT_EQ(files, 2);
    return crash;
}

// The code and thread of the exception that the minidump records; zeros when it records none.
std::pair<DWORD, DWORD> MinidumpException(std::string& minidump) {
    MINIDUMP_DIRECTORY* entry = nullptr;
    void* stream = nullptr;
    ULONG size = 0;
    if (minidump.empty() ||
        !::MiniDumpReadDumpStream(minidump.data(), ExceptionStream, &entry, &stream, &size))
        return {0, 0};
    const auto* exception = static_cast<const MINIDUMP_EXCEPTION_STREAM*>(stream);
    return {exception->ExceptionRecord.ExceptionCode, exception->ThreadId};
}

} // namespace

TEST(CrashHandlerWindowsTest, AnAccessViolationLeavesAReportAndAMinidump) {
    const Crash crash = CrashVictim(L"null-write");
    EXPECT_NE(crash.exitCode, 0u);
    EXPECT_NE(crash.report.find("Program: Crash Victim 1.01\r\nSystem: Windows "),
              std::string::npos);
    EXPECT_NE(crash.report.find("\r\nException: EXCEPTION_ACCESS_VIOLATION (0x00000000c0000005)"),
              std::string::npos)
        << crash.report;
    EXPECT_NE(crash.report.find("\r\nWriting address: 0x0000000000000000\r\n"), std::string::npos);
    EXPECT_NE(crash.report.find("(crash_victim.exe+0x"), std::string::npos) << crash.report;
    EXPECT_TRUE(crash.minidump.starts_with("MDMP"));
}

TEST(CrashHandlerWindowsTest, AnUncaughtExceptionIsReportedByItsTypeAlone) {
    const Crash crash = CrashVictim(L"throw");
    EXPECT_NE(crash.exitCode, 0u);
    EXPECT_NE(crash.report.find("\r\nException: abort"), std::string::npos) << crash.report;
    EXPECT_NE(crash.report.find("Reason: std::terminate called after an uncaught exception of "
                                "type std::runtime_error\r\n"),
              std::string::npos);
    EXPECT_EQ(crash.report.find("secret"), std::string::npos);
    EXPECT_TRUE(crash.minidump.starts_with("MDMP"));
}

TEST(CrashHandlerWindowsTest, AStackOverflowOnAnyThreadIsReportedAndEndsTheProcess) {
    for (const wchar_t* mode : {L"overflow", L"thread-overflow"}) {
        SCOPED_TRACE(fs::path(mode).string());
        Crash crash = CrashVictim(mode);
        EXPECT_EQ(crash.exitCode, static_cast<DWORD>(EXCEPTION_STACK_OVERFLOW));
        EXPECT_NE(crash.report.find("\r\nException: EXCEPTION_STACK_OVERFLOW (0x00000000c00000fd)"),
                  std::string::npos)
            << crash.report;
        EXPECT_NE(crash.report.find("(crash_victim.exe+0x"), std::string::npos);
        const auto [code, thread] = MinidumpException(crash.minidump);
        EXPECT_EQ(code, static_cast<DWORD>(EXCEPTION_STACK_OVERFLOW));
        EXPECT_NE(thread, 0u);
    }
}
