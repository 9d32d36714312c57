#pragma once

#include "util/AppError.h"

#include <chrono>
#include <filesystem>
#include <string>

// The programs and names the hand-over to the system's installer uses; tests put stand-ins in
// their place.
struct InstallerPrograms {
    // Linux: the desktop's password prompt, and the package tool it runs as root.
    std::string pkexec = "pkexec";
    std::string aptGet = "/usr/bin/apt-get";
    // Windows: the name the wizard announces while it runs, and how long to wait for it to end.
    std::string runningCopyName = VANTOR_RUNNING_COPY_NAME;
    std::chrono::milliseconds wizardEndWait{60'000};
};

// The system gives the updater no way to install; the text says what the user can do instead.
class InstallByHand : public AppError {
  public:
    using AppError::AppError;
};

// What installs this system's copies, as a message names it: "its package".
std::string SystemInstallerName();

// Installs a verified update file and waits until it is in place. Linux: the package goes to
// apt-get behind the desktop's password prompt (pkexec). Windows: once the wizard has ended, the
// setup runs silently as an upgrade behind the administrator prompt. Throws AppError with a text
// for the user when it is refused or fails, and InstallByHand when nothing can ask for the
// password.
void InstallUpdateFile(const std::filesystem::path& file, const InstallerPrograms& programs);

// True where installing replaces the updater's own files, so that it must run from a copy
// outside the program folder.
bool UpdaterRunsFromCopy();
