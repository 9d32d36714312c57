#include "platform/CrashHandler.h"
#include "platform/Tls.h"
#include "platform/WindowsError.h"

#define SECURITY_WIN32
#include <windows.h>
// After windows.h, which these need.
#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <exception>
#include <mutex>
#include <security.h>
#include <thread>
#include <wincrypt.h>
// SCH_CREDENTIALS, which takes its UNICODE_STRING from subauth.h.
#define SCHANNEL_USE_BLACKLISTS
#include <subauth.h>
// After subauth.h.
#include <schannel.h>

namespace platform {

namespace {

// SECURITY_FLAG_IGNORE_UNKNOWN_CA and SECURITY_FLAG_IGNORE_REVOCATION of wininet.h, which the
// policy check reads.
constexpr DWORD IgnoreUnknownAuthority = 0x00000100;
constexpr DWORD IgnoreRevocation = 0x00000080;

// Room for one TLS record and what follows it; SChannel decrypts one record at a time.
constexpr std::size_t ReceiveChunk = 32 * 1024;

std::string HexCode(SECURITY_STATUS status) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(status));
    return text;
}

std::string StatusText(SECURITY_STATUS status) {
    std::string text = WindowsErrorText(static_cast<unsigned long>(status));
    return text.starts_with("Error ") ? "error " + HexCode(status) : text;
}

[[noreturn]] void ThrowHandshakeError(SECURITY_STATUS status) {
    if (status == SEC_E_ALGORITHM_MISMATCH || status == SEC_E_UNSUPPORTED_FUNCTION)
        throw TlsError(TlsReason::OldProtocol);
    throw TlsError("TLS handshake failed: " + StatusText(status));
}

struct CertificateFree {
    void operator()(PCCERT_CONTEXT certificate) const noexcept {
        CertFreeCertificateContext(certificate);
    }
};
using Certificate = std::unique_ptr<const CERT_CONTEXT, CertificateFree>;

struct StoreClose {
    void operator()(HCERTSTORE store) const noexcept { CertCloseStore(store, 0); }
};
using Store = std::unique_ptr<void, StoreClose>;

struct ChainFree {
    void operator()(PCCERT_CHAIN_CONTEXT chain) const noexcept { CertFreeCertificateChain(chain); }
};
using Chain = std::unique_ptr<const CERT_CHAIN_CONTEXT, ChainFree>;

Certificate CertificateFromPem(const std::string& pem) {
    DWORD size = 0;
    if (!CryptStringToBinaryA(pem.data(), static_cast<DWORD>(pem.size()), CRYPT_STRING_BASE64HEADER,
                              nullptr, &size, nullptr, nullptr))
        throw TlsError("The extra trusted root cannot be read.");
    std::string der(size, '\0');
    if (!CryptStringToBinaryA(pem.data(), static_cast<DWORD>(pem.size()), CRYPT_STRING_BASE64HEADER,
                              reinterpret_cast<BYTE*>(der.data()), &size, nullptr, nullptr))
        throw TlsError("The extra trusted root cannot be read.");
    Certificate certificate(CertCreateCertificateContext(
        X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, reinterpret_cast<const BYTE*>(der.data()), size));
    if (!certificate)
        throw TlsError("The extra trusted root cannot be read.");
    return certificate;
}

// Verifies the server's certificate for Host the way WinHTTP does: its chain by the system's
// engine and store, then the SSL policy with the host name. A chain that ends at ExtraRoot
// counts as trusted; the program never gives one.
void VerifyServer(PCCERT_CONTEXT server, const std::string& host, PCCERT_CONTEXT extraRoot) {
    Store others(CertOpenStore(CERT_STORE_PROV_COLLECTION, 0, 0, 0, nullptr));
    Store roots(CertOpenStore(CERT_STORE_PROV_MEMORY, 0, 0, 0, nullptr));
    if (!others || !roots || !CertAddStoreToCollection(others.get(), server->hCertStore, 0, 0) ||
        (extraRoot && (!CertAddCertificateContextToStore(roots.get(), extraRoot,
                                                         CERT_STORE_ADD_ALWAYS, nullptr) ||
                       !CertAddStoreToCollection(others.get(), roots.get(), 0, 0))))
        throw TlsError("The server's certificate cannot be checked: " +
                       WindowsErrorText(GetLastError()));

    CERT_CHAIN_PARA parameters{};
    parameters.cbSize = sizeof parameters;
    LPSTR serverUse = const_cast<LPSTR>(szOID_PKIX_KP_SERVER_AUTH);
    parameters.RequestedUsage.dwType = USAGE_MATCH_TYPE_AND;
    parameters.RequestedUsage.Usage.cUsageIdentifier = 1;
    parameters.RequestedUsage.Usage.rgpszUsageIdentifier = &serverUse;
    // Intermediates the server left out are fetched from the address its certificate names, as
    // Windows' own programs fetch them. Revocation stays as far as Windows already knows it:
    // browsers do not refuse a server whose lists cannot be had either.
    const DWORD flags =
        CERT_CHAIN_REVOCATION_CHECK_CHAIN_EXCLUDE_ROOT | CERT_CHAIN_REVOCATION_CHECK_CACHE_ONLY;
    PCCERT_CHAIN_CONTEXT made = nullptr;
    if (!CertGetCertificateChain(nullptr, server, nullptr, others.get(), &parameters, flags,
                                 nullptr, &made))
        throw TlsError("The server's certificate cannot be checked: " +
                       WindowsErrorText(GetLastError()));
    Chain chain(made);

    const CERT_SIMPLE_CHAIN* simple = chain->cChain > 0 ? chain->rgpChain[0] : nullptr;
    const CERT_CONTEXT* top = simple && simple->cElement > 0
                                  ? simple->rgpElement[simple->cElement - 1]->pCertContext
                                  : nullptr;
    const bool extraTrusted =
        extraRoot && top &&
        CertCompareCertificate(X509_ASN_ENCODING, top->pCertInfo, extraRoot->pCertInfo);
    // The chain's own verdict is read here rather than left to the policy check, which under
    // Wine lets an unknown root through once revocation is not asked for.
    DWORD status = chain->TrustStatus.dwErrorStatus;
    // Revocation that cannot be learnt now (no list cached, offline) does not refuse the
    // server, as browsers do not refuse it.
    status &= ~(CERT_TRUST_REVOCATION_STATUS_UNKNOWN | CERT_TRUST_IS_OFFLINE_REVOCATION);
    if (extraTrusted)
        status &= ~CERT_TRUST_IS_UNTRUSTED_ROOT;
    if (status & CERT_TRUST_IS_NOT_TIME_VALID)
        throw TlsError(CertVerifyTimeValidity(nullptr, server->pCertInfo) < 0
                           ? TlsReason::NotYetValid
                           : TlsReason::Expired);
    if (status & CERT_TRUST_IS_REVOKED)
        throw TlsError(TlsReason::Revoked);
    if (status & (CERT_TRUST_IS_UNTRUSTED_ROOT | CERT_TRUST_IS_PARTIAL_CHAIN))
        throw TlsError(simple && simple->cElement == 1 &&
                               CertCompareCertificateName(X509_ASN_ENCODING,
                                                          &server->pCertInfo->Issuer,
                                                          &server->pCertInfo->Subject)
                           ? TlsReason::SelfSigned
                           : TlsReason::UnknownIssuer);
    if (status != CERT_TRUST_NO_ERROR)
        throw TlsError("certificate not trusted: trust status " +
                       HexCode(static_cast<SECURITY_STATUS>(status)));

    // The chain is sound; the policy check adds the host name.
    std::wstring wideHost(host.begin(), host.end());
    SSL_EXTRA_CERT_CHAIN_POLICY_PARA ssl{};
    ssl.cbSize = sizeof ssl;
    ssl.dwAuthType = AUTHTYPE_SERVER;
    ssl.fdwChecks = IgnoreRevocation | (extraTrusted ? IgnoreUnknownAuthority : 0);
    ssl.pwszServerName = wideHost.data();
    CERT_CHAIN_POLICY_PARA policy{};
    policy.cbSize = sizeof policy;
    policy.pvExtraPolicyPara = &ssl;
    CERT_CHAIN_POLICY_STATUS result{};
    result.cbSize = sizeof result;
    if (!CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chain.get(), &policy, &result))
        throw TlsError("The server's certificate cannot be checked: " +
                       WindowsErrorText(GetLastError()));
    if (result.dwError == static_cast<DWORD>(CERT_E_CN_NO_MATCH))
        throw TlsError(TlsReason::OtherHost);
    if (result.dwError != 0)
        throw TlsError("certificate not trusted: " +
                       StatusText(static_cast<SECURITY_STATUS>(result.dwError)));
}

// TLS 1.2 and every later version the system has. SCH_CREDENTIALS names the versions left out,
// so later ones come as Windows gains them; systems before Windows 10 1809 do not know it and
// take the versions wanted in SCHANNEL_CRED, where some refuse TLS 1.3 as unknown.
SECURITY_STATUS AcquireClientCredentials(CredHandle& handle) {
    // The chain is checked after the handshake, so that a test root can be given to it alone
    // and the reason of a refusal is known.
    const DWORD flags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS;
    auto acquire = [&handle](void* credentials) {
        TimeStamp expiry;
        return AcquireCredentialsHandleA(nullptr, const_cast<char*>(UNISP_NAME_A),
                                         SECPKG_CRED_OUTBOUND, nullptr, credentials, nullptr,
                                         nullptr, &handle, &expiry);
    };
    TLS_PARAMETERS parameters{};
    parameters.grbitDisabledProtocols =
        SP_PROT_SSL2_CLIENT | SP_PROT_SSL3_CLIENT | SP_PROT_TLS1_0_CLIENT | SP_PROT_TLS1_1_CLIENT;
    SCH_CREDENTIALS current{};
    current.dwVersion = SCH_CREDENTIALS_VERSION;
    current.dwFlags = flags;
    current.cTlsParameters = 1;
    current.pTlsParameters = &parameters;
    SECURITY_STATUS status = acquire(&current);
    for (const DWORD versions :
         {DWORD{SP_PROT_TLS1_2_CLIENT | SP_PROT_TLS1_3_CLIENT}, DWORD{SP_PROT_TLS1_2_CLIENT}}) {
        if (status == SEC_E_OK)
            break;
        SCHANNEL_CRED older{};
        older.dwVersion = SCHANNEL_CRED_VERSION;
        older.dwFlags = flags;
        older.grbitEnabledProtocols = versions;
        status = acquire(&older);
    }
    return status;
}

// The check of the server's certificate, on a thread of its own: building the chain may fetch
// what the server left out of it, and the caller keeps its window answering meanwhile.
struct ServerCheck {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::exception_ptr error;
};

std::shared_ptr<ServerCheck> StartServerCheck(Certificate server, const std::string& host,
                                              PCCERT_CONTEXT extraRoot) {
    auto check = std::make_shared<ServerCheck>();
    Certificate root(extraRoot ? CertDuplicateCertificateContext(extraRoot) : nullptr);
    // Detached: a download given up does not wait for the network; the thread owns what it uses.
    std::thread([check, server = std::move(server), host, root = std::move(root)] {
        const ThreadCrashStack crashStack;
        std::exception_ptr error;
        try {
            VerifyServer(server.get(), host, root.get());
        } catch (...) {
            error = std::current_exception();
        }
        const std::lock_guard lock(check->mutex);
        check->error = error;
        check->finished = true;
        check->done.notify_all();
    }).detach();
    return check;
}

// Refuses a session older than TLS 1.2 whatever the credentials asked for: Wine takes
// SCH_CREDENTIALS but not the versions it leaves out.
void CheckVersion(CtxtHandle& context) {
    SecPkgContext_ConnectionInfo connection{};
    const SECURITY_STATUS status =
        QueryContextAttributesA(&context, SECPKG_ATTR_CONNECTION_INFO, &connection);
    if (status != SEC_E_OK)
        ThrowHandshakeError(status);
    if (connection.dwProtocol & (SP_PROT_SSL2 | SP_PROT_SSL3 | SP_PROT_TLS1_0 | SP_PROT_TLS1_1))
        throw TlsError(TlsReason::OldProtocol);
}

} // namespace

struct TlsSession::State {
    Socket* socket = nullptr;
    std::string host;
    Certificate extraRoot;
    CredHandle credentials{};
    bool haveCredentials = false;
    CtxtHandle context{};
    bool haveContext = false;
    bool established = false;
    bool peerClosed = false;
    // Bytes received and not yet handed to SChannel, and a record SChannel found incomplete.
    std::string incoming;
    bool needMore = false;
    // Encrypted bytes still to go out, and decrypted bytes not yet taken.
    std::string outgoing;
    std::string plain;
    SecPkgContext_StreamSizes sizes{};
    // Runs once the handshake is through; the session is established when it passes.
    std::shared_ptr<ServerCheck> check;

    ~State() {
        if (haveContext)
            DeleteSecurityContext(&context);
        if (haveCredentials)
            FreeCredentialsHandle(&credentials);
    }

    // Sends what is waiting to go out; false while some of it is left.
    bool Flush() {
        while (!outgoing.empty()) {
            const std::size_t sent = socket->Send(outgoing);
            if (sent == 0)
                return false;
            outgoing.erase(0, sent);
        }
        return true;
    }

    // Reads what has arrived into Incoming: false when nothing is there yet.
    bool Fill(const char* closedText) {
        const std::size_t before = incoming.size();
        incoming.resize(before + ReceiveChunk);
        auto received = socket->Receive(std::span(incoming).subspan(before));
        incoming.resize(before + received.value_or(0));
        if (!received)
            return false;
        if (*received == 0)
            throw TlsError(closedText);
        needMore = false;
        return true;
    }

    // One step of InitializeSecurityContext with what has arrived (none on the first call).
    SECURITY_STATUS Step() {
        SecBuffer in[2] = {
            {static_cast<unsigned long>(incoming.size()), SECBUFFER_TOKEN, incoming.data()},
            {0, SECBUFFER_EMPTY, nullptr}};
        SecBufferDesc inDesc{SECBUFFER_VERSION, 2, in};
        SecBuffer out[1] = {{0, SECBUFFER_TOKEN, nullptr}};
        SecBufferDesc outDesc{SECBUFFER_VERSION, 1, out};
        const unsigned long wanted = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT |
                                     ISC_REQ_CONFIDENTIALITY | ISC_REQ_ALLOCATE_MEMORY |
                                     ISC_REQ_STREAM;
        unsigned long granted = 0;
        const SECURITY_STATUS status = InitializeSecurityContextA(
            &credentials, haveContext ? &context : nullptr, const_cast<char*>(host.c_str()), wanted,
            0, 0, haveContext ? &inDesc : nullptr, 0, &context, &outDesc, &granted, nullptr);
        // A first call that fails makes no context to delete.
        haveContext = haveContext || status == SEC_I_CONTINUE_NEEDED || status == SEC_E_OK;
        if (out[0].pvBuffer) {
            outgoing.append(static_cast<const char*>(out[0].pvBuffer), out[0].cbBuffer);
            FreeContextBuffer(out[0].pvBuffer);
        }
        if (status == SEC_E_INCOMPLETE_MESSAGE) {
            needMore = true;
        } else if (in[1].BufferType == SECBUFFER_EXTRA && in[1].cbBuffer > 0) {
            incoming.erase(0, incoming.size() - in[1].cbBuffer);
        } else {
            incoming.clear();
        }
        return status;
    }

    // Decrypts the records that have arrived whole into Plain.
    void Decrypt() {
        while (!incoming.empty() && !needMore && !peerClosed) {
            SecBuffer buffers[4] = {
                {static_cast<unsigned long>(incoming.size()), SECBUFFER_DATA, incoming.data()},
                {0, SECBUFFER_EMPTY, nullptr},
                {0, SECBUFFER_EMPTY, nullptr},
                {0, SECBUFFER_EMPTY, nullptr}};
            SecBufferDesc description{SECBUFFER_VERSION, 4, buffers};
            const SECURITY_STATUS status = DecryptMessage(&context, &description, 0, nullptr);
            if (status == SEC_E_INCOMPLETE_MESSAGE) {
                needMore = true;
                return;
            }
            if (status == SEC_I_CONTEXT_EXPIRED) {
                // The server's close_notify.
                peerClosed = true;
                incoming.clear();
                return;
            }
            if (status != SEC_E_OK)
                throw TlsError("The secure connection broke: " +
                               (status == SEC_I_RENEGOTIATE
                                    ? std::string("the server asked to renegotiate")
                                    : StatusText(status)));
            std::string extra;
            std::size_t decrypted = 0;
            for (const SecBuffer& buffer : buffers) {
                if (buffer.BufferType == SECBUFFER_DATA) {
                    plain.append(static_cast<const char*>(buffer.pvBuffer), buffer.cbBuffer);
                    decrypted += buffer.cbBuffer;
                }
                if (buffer.BufferType == SECBUFFER_EXTRA)
                    extra.assign(incoming.data() + incoming.size() - buffer.cbBuffer,
                                 buffer.cbBuffer);
            }
            // Wine's SChannel answers the close_notify with nothing decrypted rather than
            // SEC_I_CONTEXT_EXPIRED; servers send no empty records otherwise.
            if (decrypted == 0 && extra.empty())
                peerClosed = true;
            incoming = std::move(extra);
        }
    }

    std::size_t TakePlain(std::span<char> buffer) {
        const std::size_t count = std::min(buffer.size(), plain.size());
        std::memcpy(buffer.data(), plain.data(), count);
        plain.erase(0, count);
        return count;
    }
};

TlsSession::TlsSession(Socket& socket, const std::string& host, const TlsTrust& trust)
    : state_(std::make_unique<State>()) {
    state_->socket = &socket;
    state_->host = host;
    if (!trust.extraRootPem.empty())
        state_->extraRoot = CertificateFromPem(trust.extraRootPem);
    const SECURITY_STATUS status = AcquireClientCredentials(state_->credentials);
    if (status != SEC_E_OK)
        throw TlsError("TLS cannot be set up: " + StatusText(status));
    state_->haveCredentials = true;
}

TlsSession::~TlsSession() = default;

TlsWait TlsSession::Handshake() {
    State& state = *state_;
    for (;;) {
        if (!state.Flush())
            return waiting_ = TlsWait::Writable;
        if (state.established)
            return waiting_ = TlsWait::Nothing;
        if (state.check) {
            if (!WaitChecked(0))
                return waiting_ = TlsWait::Checked;
            if (state.check->error)
                std::rethrow_exception(state.check->error);
            const SECURITY_STATUS sized =
                QueryContextAttributesA(&state.context, SECPKG_ATTR_STREAM_SIZES, &state.sizes);
            if (sized != SEC_E_OK)
                ThrowHandshakeError(sized);
            state.established = true;
            continue;
        }
        if (state.haveContext && (state.incoming.empty() || state.needMore) &&
            !state.Fill("TLS handshake failed: the server closed the connection"))
            return waiting_ = TlsWait::Readable;
        const SECURITY_STATUS status = state.Step();
        if (status == SEC_E_INCOMPLETE_MESSAGE || status == SEC_I_CONTINUE_NEEDED)
            continue;
        if (status == SEC_I_INCOMPLETE_CREDENTIALS)
            throw TlsError("TLS handshake failed: the server asks for a client certificate");
        if (status != SEC_E_OK)
            ThrowHandshakeError(status);
        PCCERT_CONTEXT remote = nullptr;
        if (QueryContextAttributesA(&state.context, SECPKG_ATTR_REMOTE_CERT_CONTEXT, &remote) !=
                SEC_E_OK ||
            !remote)
            throw TlsError("TLS handshake failed: the server sent no certificate");
        Certificate server(remote);
        CheckVersion(state.context);
        state.check = StartServerCheck(std::move(server), state.host, state.extraRoot.get());
    }
}

bool TlsSession::WaitChecked(int milliseconds) {
    if (!state_->check)
        return true;
    ServerCheck& check = *state_->check;
    std::unique_lock lock(check.mutex);
    return check.done.wait_for(lock, std::chrono::milliseconds(milliseconds),
                               [&] { return check.finished; });
}

std::optional<std::size_t> TlsSession::Receive(std::span<char> buffer) {
    State& state = *state_;
    // A request encrypted by Send may still be waiting to go out.
    if (!state.Flush()) {
        waiting_ = TlsWait::Writable;
        return std::nullopt;
    }
    for (;;) {
        state.Decrypt();
        if (!state.plain.empty())
            return state.TakePlain(buffer);
        if (state.peerClosed)
            return 0;
        // Without the server's close_notify, a body read to the end may have been cut off.
        if (!state.Fill("The secure connection was cut off: the server closed it without "
                        "ending the session")) {
            waiting_ = TlsWait::Readable;
            return std::nullopt;
        }
    }
}

std::size_t TlsSession::Send(std::string_view bytes) {
    State& state = *state_;
    if (!state.Flush()) {
        waiting_ = TlsWait::Writable;
        return 0;
    }
    const SecPkgContext_StreamSizes& sizes = state.sizes;
    const std::size_t count = std::min<std::size_t>(bytes.size(), sizes.cbMaximumMessage);
    std::string record(sizes.cbHeader + count + sizes.cbTrailer, '\0');
    std::memcpy(record.data() + sizes.cbHeader, bytes.data(), count);
    SecBuffer buffers[4] = {
        {sizes.cbHeader, SECBUFFER_STREAM_HEADER, record.data()},
        {static_cast<unsigned long>(count), SECBUFFER_DATA, record.data() + sizes.cbHeader},
        {sizes.cbTrailer, SECBUFFER_STREAM_TRAILER, record.data() + sizes.cbHeader + count},
        {0, SECBUFFER_EMPTY, nullptr}};
    SecBufferDesc description{SECBUFFER_VERSION, 4, buffers};
    const SECURITY_STATUS status = EncryptMessage(&state.context, 0, &description, 0);
    if (status != SEC_E_OK)
        throw TlsError("The secure connection broke: " + StatusText(status));
    record.resize(buffers[0].cbBuffer + buffers[1].cbBuffer + buffers[2].cbBuffer);
    state.outgoing = std::move(record);
    // The record is ours now; what the socket does not take yet goes out with the next call.
    state.Flush();
    return count;
}

} // namespace platform
