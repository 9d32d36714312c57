#include "platform/Browser.h"
#include "platform/RegistryCommand.h"

#include <windows.h>

namespace platform {

std::string RegisteredBrowserProgram() {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, "\\http\\shell\\open\\command", 0, KEY_QUERY_VALUE,
                        &key) != ERROR_SUCCESS)
        return {};
    DWORD type = 0;
    DWORD size = 0;
    std::string command;
    if (::RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        command.resize(size);
        if (::RegQueryValueExA(key, nullptr, nullptr, &type,
                               reinterpret_cast<BYTE*>(command.data()), &size) != ERROR_SUCCESS)
            command.clear();
        command.resize(std::min<std::size_t>(size, command.size()));
        // Stored text usually ends with its NUL; the program part never holds one.
        command = command.substr(0, command.find('\0'));
    }
    ::RegCloseKey(key);
    return ProgramOfOpenCommand(command);
}

} // namespace platform
