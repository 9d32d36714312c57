#include "platform/FileSystem.h"
#include "platform/Locale.h"

#include <windows.h>

namespace platform {

std::string UserDecimalSeparator() {
    wchar_t separator[8] = {};
    if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 1)
        return ".";
    return platform::TextOfPath(separator);
}

} // namespace platform
