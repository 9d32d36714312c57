#include "platform/Tls.h"

#include <arpa/inet.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

namespace platform {

namespace {

template <class T, void (*Free)(T*)> struct FreeWith {
    void operator()(T* pointer) const noexcept { Free(pointer); }
};
using Context = std::unique_ptr<SSL_CTX, FreeWith<SSL_CTX, SSL_CTX_free>>;
using Ssl = std::unique_ptr<SSL, FreeWith<SSL, SSL_free>>;
using Bio = std::unique_ptr<BIO, FreeWith<BIO, BIO_free_all>>;
using Certificate = std::unique_ptr<X509, FreeWith<X509, X509_free>>;

// The newest error OpenSSL queued, in its words, or Fallback.
std::string OpenSslReason(const char* fallback) {
    unsigned long code = ERR_peek_last_error();
    const char* reason = code ? ERR_reason_error_string(code) : nullptr;
    ERR_clear_error();
    return reason ? reason : fallback;
}

std::string CertificateReason(long result) {
    switch (result) {
    case X509_V_ERR_CERT_HAS_EXPIRED:
        return TlsReason::Expired;
    case X509_V_ERR_CERT_NOT_YET_VALID:
        return TlsReason::NotYetValid;
    case X509_V_ERR_HOSTNAME_MISMATCH:
    case X509_V_ERR_IP_ADDRESS_MISMATCH:
        return TlsReason::OtherHost;
    case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
    case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
        return TlsReason::SelfSigned;
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
    case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
        return TlsReason::UnknownIssuer;
    case X509_V_ERR_CERT_REVOKED:
        return TlsReason::Revoked;
    default:
        return std::string("certificate not trusted: ") + X509_verify_cert_error_string(result);
    }
}

void AddRoot(SSL_CTX* context, const std::string& pem) {
    Bio source(BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size())));
    Certificate root(source ? PEM_read_bio_X509(source.get(), nullptr, nullptr, nullptr) : nullptr);
    if (!root || X509_STORE_add_cert(SSL_CTX_get_cert_store(context), root.get()) != 1)
        throw TlsError("The extra trusted root cannot be read: " + OpenSslReason("no PEM"));
}

// The session's own socket I/O, so that the socket's rules hold (no SIGPIPE, no blocking) and
// a socket error keeps the system's words.
struct SocketLink {
    Socket* socket;
    std::optional<std::system_error> failure;
};

int LinkWrite(BIO* bio, const char* data, int size) {
    auto* link = static_cast<SocketLink*>(BIO_get_data(bio));
    BIO_clear_retry_flags(bio);
    try {
        const std::size_t sent = link->socket->Send({data, static_cast<std::size_t>(size)});
        if (sent > 0)
            return static_cast<int>(sent);
        BIO_set_retry_write(bio);
    } catch (const std::system_error& error) {
        link->failure = error;
    }
    return -1;
}

int LinkRead(BIO* bio, char* data, int size) {
    auto* link = static_cast<SocketLink*>(BIO_get_data(bio));
    BIO_clear_retry_flags(bio);
    try {
        if (auto received = link->socket->Receive({data, static_cast<std::size_t>(size)}))
            return static_cast<int>(*received);
        BIO_set_retry_read(bio);
    } catch (const std::system_error& error) {
        link->failure = error;
    }
    return -1;
}

long LinkControl(BIO*, int command, long, void*) {
    return command == BIO_CTRL_FLUSH ? 1 : 0;
}

const BIO_METHOD* LinkMethod() {
    static BIO_METHOD* method = [] {
        BIO_METHOD* made = BIO_meth_new(BIO_get_new_index() | BIO_TYPE_SOURCE_SINK, "vantor");
        if (made &&
            (BIO_meth_set_write(made, LinkWrite) != 1 || BIO_meth_set_read(made, LinkRead) != 1 ||
             BIO_meth_set_ctrl(made, LinkControl) != 1))
            made = nullptr;
        return made;
    }();
    return method;
}

} // namespace

struct TlsSession::State {
    SocketLink link;
    Context context;
    Ssl ssl;

    // The reason of a failed call: the socket's own error, else OpenSSL's.
    [[noreturn]] void Fail(const std::string& prefix, const char* fallback) {
        if (link.failure) {
            ERR_clear_error();
            throw *link.failure;
        }
        throw TlsError(prefix + OpenSslReason(fallback));
    }
};

TlsSession::TlsSession(Socket& socket, const std::string& host, const TlsTrust& trust)
    : state_(std::make_unique<State>()) {
    state_->link.socket = &socket;
    ERR_clear_error();
    state_->context.reset(SSL_CTX_new(TLS_client_method()));
    SSL_CTX* context = state_->context.get();
    if (!context || SSL_CTX_set_min_proto_version(context, TLS1_2_VERSION) != 1 ||
        SSL_CTX_set_default_verify_paths(context) != 1)
        throw TlsError("TLS cannot be set up: " + OpenSslReason("out of memory"));
    if (!trust.extraRootPem.empty())
        AddRoot(context, trust.extraRootPem);
    SSL_CTX_set_verify(context, SSL_VERIFY_PEER, nullptr);
    SSL_CTX_set_mode(context, SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);

    state_->ssl.reset(SSL_new(context));
    SSL* ssl = state_->ssl.get();
    BIO* bio = LinkMethod() ? BIO_new(LinkMethod()) : nullptr;
    if (!ssl || !bio) {
        BIO_free(bio);
        throw TlsError("TLS cannot be set up: " + OpenSslReason("out of memory"));
    }
    BIO_set_data(bio, &state_->link);
    BIO_set_init(bio, 1);
    SSL_set_bio(ssl, bio, bio);
    // An address literal is checked against the certificate's IP entries and sent without SNI
    // (RFC 6066 3).
    unsigned char literal[16];
    const bool isAddress = inet_pton(AF_INET, host.c_str(), literal) == 1 ||
                           inet_pton(AF_INET6, host.c_str(), literal) == 1;
    const bool named = isAddress
                           ? X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(ssl), host.c_str()) == 1
                           : SSL_set_tlsext_host_name(ssl, host.c_str()) == 1 &&
                                 SSL_set1_host(ssl, host.c_str()) == 1;
    if (!named)
        throw TlsError("TLS cannot be set up for the host " + host + ".");
}

TlsSession::~TlsSession() = default;

TlsWait TlsSession::Handshake() {
    ERR_clear_error();
    state_->link.failure.reset();
    SSL* ssl = state_->ssl.get();
    const int result = SSL_connect(ssl);
    if (result == 1)
        return waiting_ = TlsWait::Nothing;
    switch (SSL_get_error(ssl, result)) {
    case SSL_ERROR_WANT_READ:
        return waiting_ = TlsWait::Readable;
    case SSL_ERROR_WANT_WRITE:
        return waiting_ = TlsWait::Writable;
    default:
        break;
    }
    if (long verified = SSL_get_verify_result(ssl); verified != X509_V_OK) {
        ERR_clear_error();
        throw TlsError(CertificateReason(verified));
    }
    const int reason = ERR_GET_REASON(ERR_peek_last_error());
    if (reason == SSL_R_TLSV1_ALERT_PROTOCOL_VERSION || reason == SSL_R_UNSUPPORTED_PROTOCOL) {
        ERR_clear_error();
        throw TlsError(TlsReason::OldProtocol);
    }
    state_->Fail("TLS handshake failed: ", "the server closed the connection");
}

// OpenSSL checks the certificate within the handshake.
bool TlsSession::WaitChecked(int) {
    return true;
}

std::optional<std::size_t> TlsSession::Receive(std::span<char> buffer) {
    ERR_clear_error();
    state_->link.failure.reset();
    SSL* ssl = state_->ssl.get();
    std::size_t count = 0;
    const int result = SSL_read_ex(ssl, buffer.data(), buffer.size(), &count);
    if (result == 1)
        return count;
    switch (SSL_get_error(ssl, result)) {
    case SSL_ERROR_ZERO_RETURN:
        return 0;
    case SSL_ERROR_WANT_READ:
        waiting_ = TlsWait::Readable;
        return std::nullopt;
    case SSL_ERROR_WANT_WRITE:
        waiting_ = TlsWait::Writable;
        return std::nullopt;
    default:
        // Without the server's close_notify, a body read to the end may have been cut off.
        state_->Fail("The secure connection was cut off: ", "unexpected end of data");
    }
}

std::size_t TlsSession::Send(std::string_view bytes) {
    ERR_clear_error();
    state_->link.failure.reset();
    SSL* ssl = state_->ssl.get();
    std::size_t count = 0;
    const int result = SSL_write_ex(ssl, bytes.data(), bytes.size(), &count);
    if (result == 1)
        return count;
    switch (SSL_get_error(ssl, result)) {
    case SSL_ERROR_WANT_READ:
        waiting_ = TlsWait::Readable;
        return 0;
    case SSL_ERROR_WANT_WRITE:
        waiting_ = TlsWait::Writable;
        return 0;
    default:
        state_->Fail("The secure connection broke: ", "unexpected end of data");
    }
}

} // namespace platform
