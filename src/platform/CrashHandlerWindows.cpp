#include "platform/CrashHandler.h"
#include "platform/CrashReportText.h"

#include <csignal>
#include <cstdlib>
#include <cwchar>
#include <exception>
#include <windows.h>
// dbghelp.h takes its types from windows.h.
#include <dbghelp.h>

namespace platform {

namespace {

constexpr int MaxFrames = 100;
constexpr DWORD FolderCapacity = 32768;
// Raised for nothing; marks the minidump of an abort, which has no exception of its own.
constexpr DWORD AbortCode = 0x40000015; // STATUS_FATAL_APP_EXIT
// How long an overflowed thread waits for its report: writing it may need a lock that the
// thread holds, and a hung process is worse than a lost report.
constexpr DWORD ReportWaitMs = 60 * 1000;
// Stack that a thread keeps for handing over its own overflow.
constexpr ULONG OverflowRoom = 64 * 1024;

// Everything the handler needs, made before any crash, so that a broken heap cannot stop it.
struct HandlerState {
    wchar_t folder[FolderCapacity] = {};
    wchar_t path[FolderCapacity + 64] = {};
    FixedText header;
    FixedText report;
    FixedText name;
    void (*whileReporting)() = nullptr;
    volatile LONG reporting = 0;
    // The thread that writes the report of a stack overflow, started with the handler.
    HANDLE reporter = nullptr;
    DWORD reporterId = 0;
    HANDLE crashed = nullptr;
    HANDLE reported = nullptr;
    EXCEPTION_POINTERS* pointers = nullptr;
    DWORD crashedThreadId = 0;
};

HandlerState state;

std::string_view ExceptionName(DWORD code) {
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
        return "EXCEPTION_ACCESS_VIOLATION";
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        return "EXCEPTION_ARRAY_BOUNDS_EXCEEDED";
    case EXCEPTION_DATATYPE_MISALIGNMENT:
        return "EXCEPTION_DATATYPE_MISALIGNMENT";
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
        return "EXCEPTION_FLT_DIVIDE_BY_ZERO";
    case EXCEPTION_ILLEGAL_INSTRUCTION:
        return "EXCEPTION_ILLEGAL_INSTRUCTION";
    case EXCEPTION_IN_PAGE_ERROR:
        return "EXCEPTION_IN_PAGE_ERROR";
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
        return "EXCEPTION_INT_DIVIDE_BY_ZERO";
    case EXCEPTION_PRIV_INSTRUCTION:
        return "EXCEPTION_PRIV_INSTRUCTION";
    case EXCEPTION_STACK_OVERFLOW:
        return "EXCEPTION_STACK_OVERFLOW";
    case AbortCode:
        return "abort";
    }
    return "exception";
}

void AddWide(FixedText& text, const wchar_t* wide) {
    char bytes[1024];
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, bytes, sizeof bytes, nullptr, nullptr);
    if (size > 1)
        text.add(std::string_view(bytes, static_cast<std::size_t>(size - 1)));
}

// "name+0x1a" where the module has symbols, and "module+0x1234" always.
void AddFrame(FixedText& text, HANDLE process, DWORD64 address) {
    text.add("  ").addHex(address);
    alignas(SYMBOL_INFO) char buffer[sizeof(SYMBOL_INFO) + 256];
    auto* symbol = reinterpret_cast<SYMBOL_INFO*>(buffer);
    symbol->SizeOfStruct = sizeof(SYMBOL_INFO);
    symbol->MaxNameLen = 255;
    DWORD64 displacement = 0;
    if (::SymFromAddr(process, address, &displacement, symbol))
        text.add(" ")
            .add(std::string_view(symbol->Name, symbol->NameLen))
            .add("+")
            .addHex(displacement);
    const DWORD64 base = ::SymGetModuleBase64(process, address);
    wchar_t module[MAX_PATH] = {};
    if (base && ::GetModuleFileNameW(reinterpret_cast<HMODULE>(base), module, MAX_PATH)) {
        const wchar_t* file = std::wcsrchr(module, L'\\');
        text.add(" (");
        AddWide(text, file ? file + 1 : module);
        text.add("+").addHex(address - base).add(")");
    }
    text.add("\r\n");
}

void AddBacktrace(FixedText& text, const CONTEXT& context, DWORD threadId) {
    HANDLE process = ::GetCurrentProcess();
    HANDLE thread = ::OpenThread(THREAD_QUERY_INFORMATION | THREAD_GET_CONTEXT, FALSE, threadId);
    CONTEXT walked = context;
    STACKFRAME64 frame{};
    frame.AddrPC.Offset = walked.Rip;
    frame.AddrPC.Mode = AddrModeFlat;
    frame.AddrFrame.Offset = walked.Rbp;
    frame.AddrFrame.Mode = AddrModeFlat;
    frame.AddrStack.Offset = walked.Rsp;
    frame.AddrStack.Mode = AddrModeFlat;
    for (int count = 0; count < MaxFrames; ++count) {
        if (!::StackWalk64(IMAGE_FILE_MACHINE_AMD64, process,
                           thread ? thread : ::GetCurrentThread(), &frame, &walked, nullptr,
                           ::SymFunctionTableAccess64, ::SymGetModuleBase64, nullptr) ||
            frame.AddrPC.Offset == 0)
            break;
        AddFrame(text, process, frame.AddrPC.Offset);
    }
    if (thread)
        ::CloseHandle(thread);
}

// Folder\Name + Extension in state.path.
const wchar_t* PathInFolder(const wchar_t* extension) {
    std::swprintf(state.path, FolderCapacity + 64, L"%ls\\%hs%ls", state.folder, state.name.c_str(),
                  extension);
    return state.path;
}

void WriteFileBytes(const wchar_t* path, std::string_view bytes) {
    HANDLE file =
        ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::FlushFileBuffers(file);
    ::CloseHandle(file);
}

void WriteMinidump(EXCEPTION_POINTERS* pointers, DWORD threadId) {
    HANDLE file = ::CreateFileW(PathInFolder(L".dmp"), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    // The pointers are this process's own memory, wherever the thread that crashed.
    MINIDUMP_EXCEPTION_INFORMATION exception{threadId, pointers, FALSE};
    ::MiniDumpWriteDump(::GetCurrentProcess(), ::GetCurrentProcessId(), file, MiniDumpNormal,
                        &exception, nullptr, nullptr);
    ::CloseHandle(file);
}

// The report of the exception of thread ThreadId, which is this one or waits meanwhile.
void WriteReport(EXCEPTION_POINTERS* pointers, DWORD threadId) {
    if (state.whileReporting)
        state.whileReporting();
    SYSTEMTIME now{};
    ::GetSystemTime(&now);
    const CivilTime time{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    state.name.clear();
    AddReportStem(state.name, time, ::GetCurrentProcessId());

    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    FixedText& report = state.report;
    report.clear();
    report.add(state.header.view()).add("Time: ");
    AddReportTime(report, time);
    report.add("\r\nException: ").add(ExceptionName(record.ExceptionCode)).add(" (");
    report.addHex(record.ExceptionCode).add(")\r\nAddress: ");
    report.addHex(reinterpret_cast<std::uintptr_t>(record.ExceptionAddress)).add("\r\n");
    if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record.NumberParameters >= 2) {
        report.add(record.ExceptionInformation[0] == 0   ? "Reading address: "
                   : record.ExceptionInformation[0] == 8 ? "Executing address: "
                                                         : "Writing address: ");
        report.addHex(record.ExceptionInformation[1]).add("\r\n");
    }
    if (!CrashReasonText().view().empty())
        report.add("Reason: ").add(CrashReasonText().view()).add("\r\n");
    report.add("Backtrace of the crashing thread:\r\n");
    AddBacktrace(report, *pointers->ContextRecord, threadId);
    WriteFileBytes(PathInFolder(L".txt"), report.view());
    WriteMinidump(pointers, threadId);
}

DWORD WINAPI ReportCrashes(void*) {
    ::WaitForSingleObject(state.crashed, INFINITE);
    WriteReport(state.pointers, state.crashedThreadId);
    ::SetEvent(state.reported);
    return 0;
}

// Writes the report of the calling thread's crash. A stack overflow leaves no room for that, so
// that thread hands its crash to the reporting thread and waits; any other crash is written
// where it happened, since a crash inside the heap or the loader may leave a lock held that only
// the crashed thread may take again. A second crash meanwhile goes on as without a handler.
void Report(EXCEPTION_POINTERS* pointers) {
    if (::InterlockedExchange(&state.reporting, 1) != 0)
        return;
    if (pointers->ExceptionRecord->ExceptionCode != EXCEPTION_STACK_OVERFLOW || !state.reporter) {
        WriteReport(pointers, ::GetCurrentThreadId());
        return;
    }
    state.pointers = pointers;
    state.crashedThreadId = ::GetCurrentThreadId();
    ::SetEvent(state.crashed);
    ::WaitForSingleObject(state.reported, ReportWaitMs);
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* pointers) {
    Report(pointers);
    // An overflowed stack has no room for what would follow (under Wine, the debugger's start
    // faults again and leaves the process hanging), so the process ends here, with the code.
    if (pointers->ExceptionRecord->ExceptionCode == EXCEPTION_STACK_OVERFLOW)
        ::TerminateProcess(::GetCurrentProcess(), EXCEPTION_STACK_OVERFLOW);
    // On to Windows Error Reporting, as without a handler.
    return EXCEPTION_CONTINUE_SEARCH;
}

void OnAbort(int) {
    CONTEXT context{};
    ::RtlCaptureContext(&context);
    EXCEPTION_RECORD record{};
    record.ExceptionCode = AbortCode;
    record.ExceptionAddress = reinterpret_cast<void*>(context.Rip);
    EXCEPTION_POINTERS pointers{&record, &context};
    Report(&pointers);
    // The runtime's abort goes on as without a handler.
    std::signal(SIGABRT, SIG_DFL);
}

void OnPureCall() {
    NoteCrashReason("pure virtual function call");
    std::abort();
}

void OnInvalidParameter(const wchar_t*, const wchar_t*, const wchar_t*, unsigned, uintptr_t) {
    NoteCrashReason("invalid parameter passed to a C runtime function");
    std::abort();
}

void AddSystem(FixedText& text) {
    // GetVersionEx answers what the manifest allows; the kernel's own file knows the truth.
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    auto rtlGetVersion = reinterpret_cast<RtlGetVersionFunction>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    text.add("Windows");
    if (rtlGetVersion && rtlGetVersion(&version) == 0)
        text.add(" ")
            .addDecimal(version.dwMajorVersion)
            .add(".")
            .addDecimal(version.dwMinorVersion)
            .add(" build ")
            .addDecimal(version.dwBuildNumber);
    text.add(" x64");
}

// Room on the calling thread's stack for the system to hand a stack overflow to the filter,
// which passes it on to the reporting thread.
void KeepRoomForCrash() {
    ULONG room = OverflowRoom;
    if (!::SetThreadStackGuarantee(&room))
        return;
    // A stack committed whole from the start (Wine's are) has its one guard page at the bottom,
    // so an overflow would come with no room whatever the guarantee. A guard page above the
    // room, set as _resetstkoflw sets one after an overflow, makes it come in time.
    SYSTEM_INFO system{};
    ::GetSystemInfo(&system);
    MEMORY_BASIC_INFORMATION stack{};
    MEMORY_BASIC_INFORMATION page{};
    if (!::VirtualQuery(&stack, &stack, sizeof stack))
        return;
    char* guard = static_cast<char*>(stack.AllocationBase) + system.dwPageSize + OverflowRoom;
    if (guard + system.dwPageSize < reinterpret_cast<char*>(&stack) &&
        ::VirtualQuery(guard, &page, sizeof page) && page.State == MEM_COMMIT &&
        !(page.Protect & PAGE_GUARD)) {
        DWORD previous = 0;
        ::VirtualProtect(guard, system.dwPageSize, page.Protect | PAGE_GUARD, &previous);
    }
}

} // namespace

ThreadCrashStack::ThreadCrashStack() {
    KeepRoomForCrash();
}

ThreadCrashStack::~ThreadCrashStack() = default;

void InstallCrashHandler(const CrashReportSettings& settings) {
    std::filesystem::create_directories(settings.folder);
    const std::wstring& folder = settings.folder.native();
    if (folder.size() >= FolderCapacity)
        throw std::system_error(std::make_error_code(std::errc::filename_too_long));
    std::wcsncpy(state.folder, folder.c_str(), FolderCapacity - 1);
    state.header.clear();
    state.header.add("Program: ").add(settings.program).add(" ").add(settings.version);
    state.header.add("\r\nSystem: ");
    AddSystem(state.header);
    state.header.add("\r\nProcess: ").addDecimal(::GetCurrentProcessId()).add("\r\n");
    state.whileReporting = settings.whileReporting;

    // Ready now; each module's symbols are read when a report first needs them.
    ::SymSetOptions(SYMOPT_UNDNAME | SYMOPT_DEFERRED_LOADS);
    ::SymInitialize(::GetCurrentProcess(), nullptr, TRUE);
    if (!state.reporter) {
        state.crashed = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        state.reported = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (state.crashed && state.reported)
            state.reporter =
                ::CreateThread(nullptr, 0, ReportCrashes, nullptr, 0, &state.reporterId);
    }

    KeepRoomForCrash();
    ::SetUnhandledExceptionFilter(OnUnhandledException);
    std::signal(SIGABRT, OnAbort);
    std::set_terminate(AbortOnTerminate);
    _set_purecall_handler(OnPureCall);
    _set_invalid_parameter_handler(OnInvalidParameter);
}

} // namespace platform
