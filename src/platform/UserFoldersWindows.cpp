#include "platform/UserFolders.h"

#include <shlobj.h>
#include <windows.h>

namespace platform {

bool CanWriteFolder(const std::filesystem::path& folder) {
    // Access rules on Windows are lists, not bits: trying is the one reliable answer.
    const std::filesystem::path probe = folder / L"~vantor-write-check.tmp";
    HANDLE file = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_FILE_EXISTS;
    ::CloseHandle(file);
    return true;
}

namespace {

std::filesystem::path KnownFolder(const KNOWNFOLDERID& id) {
    wchar_t* folder = nullptr;
    std::filesystem::path result;
    if (::SHGetKnownFolderPath(id, 0, nullptr, &folder) == S_OK)
        result = folder;
    ::CoTaskMemFree(folder);
    return result;
}

} // namespace

std::filesystem::path UserCacheFolder() {
    return KnownFolder(FOLDERID_LocalAppData);
}

std::filesystem::path UserDataFolder() {
    return KnownFolder(FOLDERID_RoamingAppData);
}

std::filesystem::path UserStateFolder() {
    return KnownFolder(FOLDERID_LocalAppData);
}

std::filesystem::path UserConfigFolder() {
    return KnownFolder(FOLDERID_RoamingAppData);
}

} // namespace platform
