#pragma once

#include "cli/CliCommands.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

struct CliResult {
    CliStatus status;
    std::string out;
    std::string err;
};

inline CliResult RunTool(std::vector<std::string> arguments, bool showProgress = false) {
    std::ostringstream out, err;
    CliStatus status = RunCli(arguments, out, err, showProgress);
    return {status, out.str(), err.str()};
}

// A program folder holding the shipped templates and the demo project.
class CliProgramFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::copy(fs::path(VANTOR_SOURCE_DIR) / "templates", app.path() / "Templates");
        fs::copy_file(fs::path(VANTOR_SOURCE_DIR) / "examples" / "demo" / "settings.dat",
                      app.path() / "settings.dat");
    }
    std::string dir() const { return app.path().string(); }
    TempFolder app;
};
