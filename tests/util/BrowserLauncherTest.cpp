#include "support/TempFolder.h"
#include "util/files/FileHelpers.h"
#include "util/text/UUtils.h"
#include "util/policies/BrowserLauncher.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const std::string* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }
    ~ScopedVariable() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

void WriteProgram(const TempFolder& folder, const std::string& relative, const std::string& text) {
    ::chmod(folder.write(relative, text).c_str(), 0755);
}

} // namespace

// A scratch home whose xdg-mime names the handler written in "handler", and whose handler
// writes each argument it receives on a line of its own.
TEST(OpenURLInBrowser, TheRegisteredBrowserReceivesTheAddressAsOneArgument) {
    TempFolder folder;
    const std::string home = PathText(folder.path());
    const std::string path = home + "/bin:" + std::getenv("PATH");
    ScopedVariable homeVariable("HOME", &home), dataHome("XDG_DATA_HOME", nullptr),
        pathVariable("PATH", &path);
    WriteProgram(folder, "bin/xdg-mime",
                 "#!/bin/sh\n[ \"$*\" = \"query default x-scheme-handler/http\" ] && "
                 "cat \"$HOME/handler\" 2>/dev/null\nexit 0\n");
    WriteProgram(folder, "my browser/record",
                 "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$HOME/args.part\"\n"
                 "mv \"$HOME/args.part\" \"$HOME/args\"\n");
    folder.write(".local/share/applications/recorder.desktop",
                 "[Desktop Entry]\nExec=\"" + home + "/my browser/record\" --new-window %u\n");

    EXPECT_FALSE(OpenURLInBrowser("http://www.example.com/"));
    folder.write("handler", "uninstalled.desktop\n");
    EXPECT_FALSE(OpenURLInBrowser("http://www.example.com/"));

    folder.write("handler", "recorder.desktop\n");
    EXPECT_TRUE(OpenURLInBrowser("http://www.example.com/joe 1"));
    // The browser is not waited for.
    for (int i = 0; i < 500 && !fs::exists(folder.path() / "args"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(ReadAll(folder.path() / "args"), "http://www.example.com/joe 1\n");
}
