#include "support/TempFolder.h"
#include "support/TestHttpServer.h"
#include "support/TestTls.h"
#include "update/DownloadFile.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// Sets an environment variable for the life of the object.
class EnvironmentVariable {
  public:
    EnvironmentVariable(const char* name, const std::string& value) : name_(name) {
        ::setenv(name, value.c_str(), 1);
    }
    ~EnvironmentVariable() { ::unsetenv(name_); }

  private:
    const char* name_;
};

} // namespace

// OpenSSL's SSL_CERT_FILE and SSL_CERT_DIR name the trusted certificates instead of the
// system's, as in every program built on OpenSSL; the README says so.
TEST(TrustStore, SslCertFileAndSslCertDirReplaceTheSystemsTrustedCertificates) {
    TempFolder folder;
    const fs::path target = folder.path() / "mainappupdate.inf";
    const fs::path rootFile = folder.write("root.pem", TestRootPem());
    TestHttpServer server({{{Reply("HTTP/1.1 200 OK", "trusted")}}}, true, TlsStreams({}));
    auto fetch = [&] {
        HttpClient program;
        std::string failure;
        const bool fetched = DownloadFile(
            program, server.Url("/"), target, [] { return true; }, &failure);
        return fetched ? std::string("fetched") : failure;
    };
    EXPECT_EQ(fetch(), "certificate issuer is unknown");
    {
        const EnvironmentVariable file("SSL_CERT_FILE", rootFile.string());
        const EnvironmentVariable noFolder("SSL_CERT_DIR", (folder.path() / "none").string());
        EXPECT_EQ(fetch(), "fetched");
    }
    {
        // A folder of certificates is looked up by the hash of their subject's name.
        const fs::path certificates = folder.path() / "certs";
        fs::create_directory(certificates);
        const fs::path noFile = folder.path() / "none.pem";
        const EnvironmentVariable file("SSL_CERT_FILE", noFile.string());
        const EnvironmentVariable dir("SSL_CERT_DIR", certificates.string());
        EXPECT_EQ(fetch(), "certificate issuer is unknown");
        fs::copy_file(rootFile, certificates / (TestRootSubjectHash() + ".0"));
        EXPECT_EQ(fetch(), "fetched");
    }
    // The system's store alone again: the tests' own authority is unknown to it.
    EXPECT_EQ(fetch(), "certificate issuer is unknown");
}
