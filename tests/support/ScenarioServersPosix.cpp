#include "support/ScenarioServers.h"
#include "support/TestTls.h"

namespace {

class InProcessServers : public ScenarioServers {
  public:
    std::string Url(std::size_t index) const override { return servers_.Url(index); }

  private:
    TlsScenarioServers servers_;
};

} // namespace

std::unique_ptr<ScenarioServers> StartScenarioServers() {
    return std::make_unique<InProcessServers>();
}

std::string ScenarioRootPem() {
    return TestRootPem();
}

bool SystemHasTls13() {
    return true;
}

std::optional<TestStreamMaker> InProcessTlsStreams() {
    return TlsStreams({});
}
