#pragma once

#include "support/TempFolder.h"
#include "update/UpdateRefused.h"

#include <string>

// The signed update folder of fixtures/ (see its README.md).
inline std::string UpdateFixture(const std::string& name) {
    return ReadAll(fs::path(VANTOR_SOURCE_DIR) / "tests" / "update" / "fixtures" / name);
}

inline const std::string WindowsSetupBytes = "windows setup\r\n";
inline const std::string LinuxPackageBytes = "linux package\n";

// What UpdateRefused says when Call throws it; empty when Call returns.
template <typename Call> std::string RefusalOf(Call call) {
    try {
        call();
    } catch (const UpdateRefused& refused) {
        return refused.what();
    }
    return {};
}
