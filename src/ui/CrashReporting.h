#pragma once

#include <filesystem>

// Crash reports for the window: faults, aborts, uncaught exceptions and Qt's fatal messages
// leave a report in StateFolder/crashes. Without a state folder there are none.
void StartCrashReporting(const std::filesystem::path& stateFolder);
