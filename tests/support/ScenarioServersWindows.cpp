#include "support/ScenarioServers.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <sstream>
#include <vector>
#include <windows.h>

namespace {

class LinuxServers : public ScenarioServers {
  public:
    explicit LinuxServers(std::vector<std::string> urls) : urls_(std::move(urls)) {}
    std::string Url(std::size_t index) const override { return urls_.at(index); }

  private:
    std::vector<std::string> urls_;
};

} // namespace

std::unique_ptr<ScenarioServers> StartScenarioServers() {
    const char* folder = std::getenv("VANTOR_TLS_SERVERS");
    if (!folder)
        return nullptr;
    std::vector<std::string> urls;
    std::istringstream lines(ReadAll(fs::path(folder) / "servers.txt"));
    for (std::string line; std::getline(lines, line);)
        urls.push_back(line);
    return std::make_unique<LinuxServers>(std::move(urls));
}

std::string ScenarioRootPem() {
    const char* folder = std::getenv("VANTOR_TLS_SERVERS");
    return folder ? ReadAll(fs::path(folder) / "root.pem") : "";
}

bool SystemHasTls13() {
    return !::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
}

std::optional<TestStreamMaker> InProcessTlsStreams() {
    return std::nullopt;
}
