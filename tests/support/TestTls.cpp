#include "support/TestTls.h"

#include "support/TlsScenarios.h"
#include "util/AppError.h"

#include <cstdio>
#include <map>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

namespace {

constexpr int WaitSliceMs = 20;
constexpr long Day = 24 * 60 * 60;

struct Identity {
    EVP_PKEY* key = nullptr;
    X509* certificate = nullptr;
};

void Check(bool ok) {
    if (!ok)
        throw AppError("OpenSSL failed in the test certificates");
}

void AddExtension(X509* certificate, X509* issuer, int id, const char* value) {
    X509V3_CTX context;
    X509V3_set_ctx(&context, issuer, certificate, nullptr, nullptr, 0);
    X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, id, value);
    Check(extension && X509_add_ext(certificate, extension, -1) == 1);
    X509_EXTENSION_free(extension);
}

// An RSA certificate (Wine's crypt32 cannot check ECDSA signatures) for Name, signed by Issuer
// (itself when null), valid from NotBefore to NotAfter seconds from now; IssuerUrl, when given,
// is where its issuer's certificate can be fetched.
Identity Make(const char* name, const Identity* issuer, bool authority, const char* altNames,
              long notBefore = -Day, long notAfter = 3650 * Day,
              const std::string& issuerUrl = {}) {
    static long serial = 1;
    Identity made;
    made.key = EVP_RSA_gen(2048);
    made.certificate = X509_new();
    X509* certificate = made.certificate;
    Check(made.key && certificate);
    X509_set_version(certificate, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(certificate), serial++);
    X509_gmtime_adj(X509_getm_notBefore(certificate), notBefore);
    X509_gmtime_adj(X509_getm_notAfter(certificate), notAfter);
    X509_NAME* subject = X509_get_subject_name(certificate);
    X509_NAME_add_entry_by_txt(subject, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>(name), -1, -1, 0);
    X509* signer = issuer ? issuer->certificate : certificate;
    X509_set_issuer_name(certificate, X509_get_subject_name(signer));
    X509_set_pubkey(certificate, made.key);
    AddExtension(certificate, signer, NID_subject_key_identifier, "hash");
    AddExtension(certificate, signer, NID_authority_key_identifier, "keyid:always");
    if (authority) {
        AddExtension(certificate, signer, NID_basic_constraints, "critical,CA:TRUE");
        AddExtension(certificate, signer, NID_key_usage, "critical,keyCertSign,cRLSign");
    } else {
        AddExtension(certificate, signer, NID_basic_constraints, "critical,CA:FALSE");
        AddExtension(certificate, signer, NID_ext_key_usage, "serverAuth");
        AddExtension(certificate, signer, NID_subject_alt_name, altNames);
    }
    if (!issuerUrl.empty())
        AddExtension(certificate, signer, NID_info_access, ("caIssuers;URI:" + issuerUrl).c_str());
    Check(X509_sign(certificate, issuer ? issuer->key : made.key, EVP_sha256()) > 0);
    return made;
}

std::string Pem(X509* certificate) {
    BIO* out = BIO_new(BIO_s_mem());
    PEM_write_bio_X509(out, certificate);
    char* data = nullptr;
    long size = BIO_get_mem_data(out, &data);
    std::string pem(data, static_cast<std::size_t>(size));
    BIO_free(out);
    return pem;
}

std::string Der(X509* certificate) {
    unsigned char* data = nullptr;
    const int size = i2d_X509(certificate, &data);
    Check(size > 0);
    std::string der(reinterpret_cast<char*>(data), static_cast<std::size_t>(size));
    OPENSSL_free(data);
    return der;
}

// Every certificate of the tests; made at first use and kept for the run.
struct Certificates {
    Identity root = Make("Vantor Test Root", nullptr, true, nullptr);
    Identity intermediate = Make("Vantor Test Intermediate", &root, true, nullptr);
    Identity strangerRoot = Make("Stranger Root", nullptr, true, nullptr);
    TestHttpServer intermediateServer{
        {{{Reply("HTTP/1.1 200 OK\r\nContent-Type: application/pkix-cert",
                 Der(intermediate.certificate))}}},
        true};
    std::map<TestCertificate, std::pair<Identity, std::vector<X509*>>> servers{
        {TestCertificate::Valid,
         {Make("localhost", &intermediate, false, "DNS:localhost,IP:127.0.0.1"),
          {intermediate.certificate}}},
        {TestCertificate::OtherHost,
         {Make("other.example", &intermediate, false, "DNS:other.example"),
          {intermediate.certificate}}},
        {TestCertificate::Expired,
         {Make("localhost", &intermediate, false, "DNS:localhost", -30 * Day, -Day),
          {intermediate.certificate}}},
        {TestCertificate::UnknownIssuer,
         {Make("localhost", &strangerRoot, false, "DNS:localhost"), {}}},
        {TestCertificate::SelfSigned, {Make("localhost", nullptr, false, "DNS:localhost"), {}}},
        {TestCertificate::WithoutIntermediate,
         {Make("localhost", &intermediate, false, "DNS:localhost", -Day, 3650 * Day,
               intermediateServer.Url("/intermediate.cer")),
          {}}},
    };
};

const Certificates& AllCertificates() {
    // Never destroyed: the keys and certificates live as long as the run.
    static const Certificates* const made = new Certificates();
    return *made;
}

SSL_CTX* ServerContext(const TestTlsSetup& setup) {
    SSL_CTX* context = SSL_CTX_new(TLS_server_method());
    Check(context != nullptr);
    const auto& [identity, chain] = AllCertificates().servers.at(setup.certificate);
    Check(SSL_CTX_use_certificate(context, identity.certificate) == 1 &&
          SSL_CTX_use_PrivateKey(context, identity.key) == 1);
    for (X509* link : chain)
        Check(SSL_CTX_add1_chain_cert(context, link) == 1);
    if (setup.versions == TestTlsVersions::Tls10Only) {
        // OpenSSL 3 refuses TLS 1.0 at its default security level.
        SSL_CTX_set_security_level(context, 0);
        SSL_CTX_set_min_proto_version(context, TLS1_VERSION);
        SSL_CTX_set_max_proto_version(context, TLS1_VERSION);
    } else if (setup.versions == TestTlsVersions::Tls13Only) {
        SSL_CTX_set_min_proto_version(context, TLS1_3_VERSION);
    }
    return context;
}

// TLS through memory buffers, so that the server side never touches the socket's descriptor.
class TlsStream : public TestStream {
  public:
    TlsStream(platform::Socket socket, SSL_CTX* context, bool closeNotify)
        : socket_(std::move(socket)), ssl_(SSL_new(context)), closeNotify_(closeNotify) {
        in_ = BIO_new(BIO_s_mem());
        out_ = BIO_new(BIO_s_mem());
        BIO_set_mem_eof_return(in_, -1);
        SSL_set_bio(ssl_, in_, out_);
        SSL_set_accept_state(ssl_);
    }
    ~TlsStream() override {
        try {
            if (closeNotify_ && SSL_is_init_finished(ssl_)) {
                SSL_shutdown(ssl_);
                Flush();
            }
        } catch (const std::runtime_error&) {
        }
        SSL_free(ssl_);
    }

    // Runs the handshake; false when the client broke it off or stopping was asked.
    bool Accept(const std::atomic<bool>& stopping) {
        while (!stopping) {
            ERR_clear_error();
            const int result = SSL_do_handshake(ssl_);
            Flush();
            if (result == 1)
                return true;
            if (SSL_get_error(ssl_, result) != SSL_ERROR_WANT_READ)
                return false;
            Feed(WaitSliceMs);
            if (closed_)
                return false;
        }
        return false;
    }

    std::optional<std::size_t> Receive(std::span<char> buffer) override {
        for (;;) {
            ERR_clear_error();
            std::size_t count = 0;
            if (SSL_read_ex(ssl_, buffer.data(), buffer.size(), &count) == 1)
                return count;
            if (SSL_get_error(ssl_, 0) != SSL_ERROR_WANT_READ)
                return 0;
            Flush();
            if (!Feed(0))
                return closed_ ? std::optional<std::size_t>(0) : std::nullopt;
        }
    }

    std::size_t Send(std::string_view bytes) override {
        ERR_clear_error();
        std::size_t count = 0;
        // A large reply goes out in pieces, so that the encrypted copy stays small.
        bytes = bytes.substr(0, 256 * 1024);
        if (SSL_write_ex(ssl_, bytes.data(), bytes.size(), &count) != 1)
            throw AppError("The test server's TLS write failed");
        Flush();
        return count;
    }

    bool WaitReadable(int milliseconds) override {
        return SSL_pending(ssl_) > 0 || BIO_ctrl_pending(in_) > 0 || closed_ ||
               socket_.WaitReadable(milliseconds);
    }
    bool WaitWritable(int milliseconds) override { return socket_.WaitWritable(milliseconds); }

  private:
    // Takes what the client sent within Milliseconds; false when nothing came.
    bool Feed(int milliseconds) {
        if (closed_ || !socket_.WaitReadable(milliseconds))
            return false;
        char buffer[16384];
        auto count = socket_.Receive(buffer);
        if (!count)
            return false;
        if (*count == 0) {
            closed_ = true;
            return false;
        }
        BIO_write(in_, buffer, static_cast<int>(*count));
        return true;
    }

    void Flush() {
        char buffer[16384];
        int count;
        while ((count = BIO_read(out_, buffer, sizeof buffer)) > 0) {
            for (std::string_view left(buffer, static_cast<std::size_t>(count)); !left.empty();) {
                left.remove_prefix(socket_.Send(left));
                if (!left.empty())
                    socket_.WaitWritable(WaitSliceMs);
            }
        }
    }

    platform::Socket socket_;
    SSL* ssl_;
    BIO* in_;
    BIO* out_;
    bool closeNotify_;
    bool closed_ = false;
};

} // namespace

const std::string& TestRootPem() {
    static const std::string pem = Pem(AllCertificates().root.certificate);
    return pem;
}

std::string TestRootSubjectHash() {
    char hash[16];
    std::snprintf(hash, sizeof hash, "%08lx",
                  X509_subject_name_hash(AllCertificates().root.certificate));
    return hash;
}

TestStreamMaker TlsStreams(TestTlsSetup setup) {
    std::shared_ptr<SSL_CTX> context(ServerContext(setup), SSL_CTX_free);
    return [context, setup](platform::Socket socket,
                            const std::atomic<bool>& stopping) -> std::unique_ptr<TestStream> {
        auto stream =
            std::make_unique<TlsStream>(std::move(socket), context.get(), setup.closeNotify);
        if (!stream->Accept(stopping))
            return nullptr;
        return stream;
    };
}

TlsScenarioServers::TlsScenarioServers() {
    plainTarget_ = std::make_unique<TestHttpServer>(
        std::vector<TestConnection>{{{Reply("HTTP/1.1 200 OK", "over http")}}}, true);
    secureTarget_ = std::make_unique<TestHttpServer>(
        std::vector<TestConnection>{{{Reply("HTTP/1.1 200 OK", "over https")}}}, true,
        TlsStreams({}));
    auto substitute = [](std::string text, const std::string& name, const std::string& url) {
        if (std::size_t at = text.find(name); at != std::string::npos)
            text.replace(at, name.size(), url);
        return text;
    };
    for (const TlsScenario& scenario : TlsScenarios()) {
        TestConnection connection = scenario.replies;
        for (auto& reply : connection.replies)
            reply = substitute(substitute(reply, "{http}", plainTarget_->Url("/plain")), "{https}",
                               secureTarget_->Url("/secure"));
        TestStreamMaker secure;
        using Kind = TlsScenario::Kind;
        static const std::map<Kind, TestTlsSetup> setups{
            {Kind::Valid, {}},
            {Kind::OtherHost, {TestCertificate::OtherHost}},
            {Kind::Expired, {TestCertificate::Expired}},
            {Kind::UnknownIssuer, {TestCertificate::UnknownIssuer}},
            {Kind::SelfSigned, {TestCertificate::SelfSigned}},
            {Kind::Tls10Only, {TestCertificate::Valid, TestTlsVersions::Tls10Only}},
            {Kind::Tls13Only, {TestCertificate::Valid, TestTlsVersions::Tls13Only}},
            {Kind::WithoutIntermediate, {TestCertificate::WithoutIntermediate}},
            {Kind::CutOff, {TestCertificate::Valid, TestTlsVersions::All, false}},
        };
        if (scenario.kind != Kind::Plain)
            secure = TlsStreams(setups.at(scenario.kind));
        servers_.push_back(std::make_unique<TestHttpServer>(std::vector<TestConnection>{connection},
                                                            true, std::move(secure)));
    }
}

TlsScenarioServers::~TlsScenarioServers() = default;

std::string TlsScenarioServers::Url(std::size_t index) const {
    return servers_.at(index)->Url("/a");
}
