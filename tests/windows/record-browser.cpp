// A browser for the Windows wizard's check: appends the address it is started with, as one
// UTF-8 line, to browser-addresses.txt beside itself.
#include <cstdio>
#include <string>
#include <windows.h>

int wmain(int argc, wchar_t* argv[]) {
    if (argc != 2)
        return 2;
    std::wstring log(MAX_PATH, L'\0');
    log.resize(::GetModuleFileNameW(nullptr, log.data(), MAX_PATH));
    log = log.substr(0, log.find_last_of(L'\\') + 1) + L"browser-addresses.txt";
    std::string address(
        ::WideCharToMultiByte(CP_UTF8, 0, argv[1], -1, nullptr, 0, nullptr, nullptr), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, argv[1], -1, address.data(), address.size(), nullptr,
                          nullptr);
    address.pop_back();
    FILE* file = ::_wfopen(log.c_str(), L"ab");
    if (!file)
        return 1;
    std::fprintf(file, "%s\n", address.c_str());
    return std::fclose(file) == 0 ? 0 : 1;
}
