#include "support/TempFolder.h"
#include "util/FileHelpers.h"
#include "util/UUtils.h"

#include <chrono>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedVariable() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

void WriteProgram(const TempFolder& folder, const std::string& relative, const std::string& text) {
    ::chmod(folder.write(relative, text).c_str(), 0755);
}

// A scratch home whose desktop answers xdg-mime with the handler named in "handler" and whose
// browser writes each argument it receives on a line of its own.
class ScratchDesktop : public ::testing::Test {
  protected:
    ScratchDesktop()
        : home_("HOME", folder.path().c_str()), dataHome_("XDG_DATA_HOME", nullptr),
          path_("PATH", (PathText(folder.path() / "bin") + ":" + std::getenv("PATH")).c_str()) {
        WriteProgram(folder, "bin/xdg-mime",
                     "#!/bin/sh\n"
                     "[ \"$*\" = \"query default x-scheme-handler/http\" ] && "
                     "cat \"$HOME/handler\" 2>/dev/null\nexit 0\n");
        WriteProgram(folder, "my browser/record",
                     "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$HOME/args.part\"\n"
                     "mv \"$HOME/args.part\" \"$HOME/args\"\n");
        folder.write(".local/share/applications/recorder.desktop",
                     "[Desktop Entry]\nName=Recorder\nExec=\"" + PathText(folder.path()) +
                         "/my browser/record\" --new-window %u\n");
    }

    std::string ReceivedArguments() {
        const auto file = folder.path() / "args";
        for (int i = 0; i < 500 && !std::filesystem::exists(file); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return ReadAll(file);
    }

    TempFolder folder;

  private:
    ScopedVariable home_, dataHome_, path_;
};

} // namespace

TEST_F(ScratchDesktop, TheBrowserReceivesTheAddressAsOneArgument) {
    folder.write("handler", "recorder.desktop\n");
    EXPECT_TRUE(OpenURLInBrowser("http://www.example.com/joe 1"));
    EXPECT_EQ(ReceivedArguments(), "http://www.example.com/joe 1\n");
}

TEST_F(ScratchDesktop, NoRegisteredBrowserOpensNothing) {
    EXPECT_FALSE(OpenURLInBrowser("http://www.example.com/"));
    folder.write("handler", "uninstalled.desktop\n");
    EXPECT_FALSE(OpenURLInBrowser("http://www.example.com/"));
}
