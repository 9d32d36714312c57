// Prints a program's details as Explorer's Properties read them (GetFileVersionInfo), one
// "Name: value" line each, and whether its manifest asks for the user's own rights.
// Usage: file-version.exe PROGRAM
#include <cstdio>
#include <string>
#include <vector>
#include <windows.h>

int wmain(int argc, wchar_t* argv[]) {
    if (argc != 2)
        return 2;
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(argv[1], &ignored);
    std::vector<char> info(size);
    if (size == 0 || !::GetFileVersionInfoW(argv[1], 0, size, info.data())) {
        std::fprintf(stderr, "No version information\n");
        return 1;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length))
        std::printf("FileVersionNumber: %lu.%lu.%lu.%lu\n", HIWORD(fixed->dwFileVersionMS),
                    LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                    LOWORD(fixed->dwFileVersionLS));
    for (const wchar_t* name : {L"ProductName", L"FileDescription", L"CompanyName", L"FileVersion",
                                L"ProductVersion", L"OriginalFilename"}) {
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        wchar_t* value = nullptr;
        if (::VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length))
            std::printf("%ls: %ls\n", name, value);
    }
    // The manifest, as the loader finds it.
    HMODULE module = ::LoadLibraryExW(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC manifest = module ? ::FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST) : nullptr;
    if (manifest) {
        const char* text =
            static_cast<const char*>(::LockResource(::LoadResource(module, manifest)));
        std::printf("Manifest: %.*s\n", static_cast<int>(::SizeofResource(module, manifest)), text);
    }
    return 0;
}
