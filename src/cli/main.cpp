#include "cli/CliCommands.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"

#include <iostream>

int main(int argc, char* argv[]) {
    platform::AnnounceRunningCopy(VANTOR_RUNNING_COPY_NAME);
    // A page printed to standard output keeps its line ends byte for byte.
    platform::MakeStandardOutputBinary();
    std::ios::sync_with_stdio(false);
    return ExitStatusOf(RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                               std::cerr, platform::StandardErrorIsTerminal()));
}
