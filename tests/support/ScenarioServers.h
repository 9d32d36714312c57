#pragma once

#include "support/TestHttpServer.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

// The secure servers of the TLS scenarios (TlsScenarios()). On Linux they run in this process;
// on Windows they are the Linux servers that tls_test_server, started by scripts/test-windows.sh,
// wrote into the folder $VANTOR_TLS_SERVERS.
class ScenarioServers {
  public:
    virtual ~ScenarioServers() = default;
    // The address to fetch for scenario Index.
    virtual std::string Url(std::size_t index) const = 0;
};

// Nothing when there are none to be had (on Windows: $VANTOR_TLS_SERVERS is not set).
std::unique_ptr<ScenarioServers> StartScenarioServers();

// The root the scenario servers are signed by; empty when it is not known.
std::string ScenarioRootPem();

// Whether the system's TLS can speak TLS 1.3: not under Wine, whose SChannel stops at 1.2.
bool SystemHasTls13();

// Secure streams for a TestHttpServer of this process, with the valid certificate; nothing where
// the tests have no TLS server of their own (Windows).
std::optional<TestStreamMaker> InProcessTlsStreams();
