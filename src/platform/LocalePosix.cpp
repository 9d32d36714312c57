#include "platform/Locale.h"

#include <clocale>
#include <langinfo.h>
#include <locale.h>

namespace platform {

std::string UserDecimalSeparator() {
    // The user's locale comes from the environment, even when the program never called
    // setlocale (the command-line tool runs in the "C" locale).
    locale_t user = ::newlocale(LC_NUMERIC_MASK, "", locale_t(nullptr));
    if (!user)
        return std::localeconv()->decimal_point;
    std::string separator = ::nl_langinfo_l(RADIXCHAR, user);
    ::freelocale(user);
    return separator.empty() ? "." : separator;
}

} // namespace platform
