#pragma once

#include "support/TestHttpServer.h"

#include <string>

// The server certificates the TLS tests use. WithoutIntermediate is sent without the
// intermediate that signed it, which is served over http where the certificate says.
enum class TestCertificate {
    Valid,
    OtherHost,
    Expired,
    UnknownIssuer,
    SelfSigned,
    WithoutIntermediate
};

// The tests' own certificate authority, made once per run; clients trust it through their
// configuration only.
const std::string& TestRootPem();
// The hash of its subject's name, as OpenSSL looks it up in a folder of certificates.
std::string TestRootSubjectHash();

// The TLS versions a secure test server offers: all that OpenSSL has, or one alone.
enum class TestTlsVersions { All, Tls10Only, Tls13Only };

// How a secure test server answers.
struct TestTlsSetup {
    TestCertificate certificate = TestCertificate::Valid;
    TestTlsVersions versions = TestTlsVersions::All;
    // Ends each session with close_notify; without it the connection is merely cut.
    bool closeNotify = true;
};

// Plays a TestHttpServer's script over TLS, as Setup says.
TestStreamMaker TlsStreams(TestTlsSetup setup);

struct TlsScenario;

// A server for every TLS scenario, in the order of TlsScenarios(), each answering every
// connection alike, with the two servers their redirects point to.
class TlsScenarioServers {
  public:
    TlsScenarioServers();
    ~TlsScenarioServers();
    // The address to fetch for scenario Index.
    std::string Url(std::size_t index) const;
    const TestHttpServer& Server(std::size_t index) const { return *servers_.at(index); }

  private:
    std::unique_ptr<TestHttpServer> plainTarget_, secureTarget_;
    std::vector<std::unique_ptr<TestHttpServer>> servers_;
};
