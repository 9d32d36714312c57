#include "support/ScenarioServers.h"
#include "support/TempFolder.h"
#include "support/TestHttpServer.h"
#include "support/TlsScenarios.h"
#include "update/DownloadFile.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

class Https : public ::testing::Test {
  protected:
    // The body in the target file, or nothing when DownloadFile failed (the target as it was
    // before then).
    std::optional<std::string> Fetch(const std::string& url) {
        failure.clear();
        const auto before = fs::exists(target) ? std::optional(ReadAll(target)) : std::nullopt;
        auto pump = [&] { return ++pumps < cancelAfter; };
        const bool fetched = DownloadFile(client, url, target, pump, &failure);
        const auto after = fs::exists(target) ? std::optional(ReadAll(target)) : std::nullopt;
        if (!fetched) {
            EXPECT_EQ(after, before) << url;
        }
        return fetched ? after : std::nullopt;
    }

    TempFolder folder;
    fs::path target = folder.path() / "mainappupdate.inf";
    HttpClient client{{.connect = 5s,
                       .connectSlice = 1ms,
                       .readSlice = 1ms,
                       .failureBodyWait = 50ms,
                       .redirectBodyWait = 50ms,
                       .mostBodyBytes = 4 * 1024 * 1024},
                      {ScenarioRootPem()}};
    std::string failure;
    int pumps = 0;
    int cancelAfter = 20'000;
};

} // namespace

TEST_F(Https, VerifiesTheServerAndKeepsTheBodyByteForByte) {
    auto servers = StartScenarioServers();
    if (!servers)
        GTEST_SKIP() << "VANTOR_TLS_SERVERS is not set (scripts/test-windows.sh sets it)";
    const auto scenarios = TlsScenarios();
    for (std::size_t index = 0; index < scenarios.size(); ++index) {
        const TlsScenario& scenario = scenarios[index];
        if (scenario.kind == TlsScenario::Tls13Only && !SystemHasTls13())
            continue;
        SCOPED_TRACE(scenario.name);
        EXPECT_EQ(Fetch(servers->Url(index)), scenario.body);
        EXPECT_TRUE(failure.starts_with(scenario.reason)) << failure;
    }
}

TEST_F(Https, TrustsOnlyTheSystemStoreUnlessConfigured) {
    auto servers = StartScenarioServers();
    if (!servers)
        GTEST_SKIP() << "VANTOR_TLS_SERVERS is not set (scripts/test-windows.sh sets it)";
    HttpClient program;
    EXPECT_FALSE(DownloadFile(
        program, servers->Url(0), target, [] { return true; }, &failure));
    EXPECT_EQ(failure, "certificate issuer is unknown");
}

TEST_F(Https, AStalledHandshakeKeepsThePumpRunningUntilCancelledOrTheConnectLimit) {
    // A plain server that never answers the client's hello.
    TestHttpServer silent({{{""}, true}}, true);
    const std::string url = "https://localhost:" + std::to_string(silent.Port()) + "/";
    cancelAfter = 200;
    EXPECT_EQ(Fetch(url), std::nullopt);
    EXPECT_EQ(pumps, 200);
    EXPECT_EQ(failure, "the download was cancelled");

    HttpClient patient{{.connect = 300ms, .connectSlice = 1ms}};
    int waits = 0;
    EXPECT_FALSE(DownloadFile(
        patient, url, target, [&] { return ++waits < 100'000; }, &failure));
    EXPECT_EQ(failure, "the secure handshake timed out");
    EXPECT_GT(waits, 10);
}

TEST_F(Https, KeepsTheConnectionAndCarriesLargeBodiesWhole) {
    const auto streams = InProcessTlsStreams();
    if (!streams)
        GTEST_SKIP() << "no TLS server runs in the tests' own process on this system";
    std::string body(3 * 1024 * 1024 + 17, '\0');
    for (std::size_t at = 0; at < body.size(); ++at)
        body[at] = static_cast<char>((at * 7919) >> 3);
    TestHttpServer server(
        {{{Reply("HTTP/1.1 302 Found\r\nLocation: /b", ""), Reply("HTTP/1.1 200 OK", body)}}},
        false, *streams);
    // Compared as a whole: a mismatch printed byte by byte would drown the report.
    // An address written as an IP address is checked against the certificate's IP entry.
    const std::string host = "127.0.0.1:" + std::to_string(server.Port());
    EXPECT_TRUE(Fetch("https://" + host + "/a") == body) << failure;
    EXPECT_EQ(server.Connections(), 1);
    EXPECT_NE(server.Requests().at(1).find("\r\nHost: " + host + "\r\n"), std::string::npos);
}
