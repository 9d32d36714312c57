#pragma once

#include "support/TestHttpServer.h"

#include <optional>
#include <string>
#include <vector>

// What a secure server does in one case of the TLS tests, and what a download from it must
// give. The same table runs in process on Linux and, on Windows, against the Linux servers of
// tls_test_server (tests/support/TlsServerMain.cpp), so both systems answer alike.
struct TlsScenario {
    const char* name;
    // How the server answers: TLS with this certificate, or plain (a server that never
    // answers the handshake, or the plain end of a redirect).
    enum Kind {
        Valid,
        OtherHost,
        Expired,
        UnknownIssuer,
        SelfSigned,
        Tls10Only,
        Tls13Only,
        WithoutIntermediate,
        CutOff,
        Plain
    };
    Kind kind;
    // Replies to each connection; "{https}" and "{http}" stand for the addresses of two more
    // servers, which answer "over https" and "over http".
    TestConnection replies;
    // The body fetched, or nothing when the download must fail.
    std::optional<std::string> body;
    // The failure's reason starts with this.
    std::string reason;
};

inline std::vector<TlsScenario> TlsScenarios() {
    const std::string ok = "HTTP/1.1 200 OK";
    const std::string chunked = ok + "\r\nTransfer-Encoding: chunked\r\n\r\n";
    const std::string binary("\x00\x01\r\n\xff", 5);
    // SChannel fetches an intermediate that the server left out from where the certificate says,
    // as Windows' own programs do; OpenSSL, like Firefox, does not.
#ifdef _WIN32
    const bool fetchesIntermediates = true;
#else
    const bool fetchesIntermediates = false;
#endif
    return {
        {"keep-alive redirect then chunked body",
         TlsScenario::Valid,
         {{Reply("HTTP/1.1 302 Found\r\nLocation: /b", ""),
           chunked + "5\r\n" + binary + "\r\n7\r\n secure\r\n0\r\n\r\n"}},
         binary + " secure",
         ""},
        {"until close, ended by close_notify",
         TlsScenario::Valid,
         {{ok + "\r\n\r\nto the end"}},
         "to the end",
         ""},
        {"until close, cut off",
         TlsScenario::CutOff,
         {{ok + "\r\n\r\nto the"}},
         std::nullopt,
         "the secure connection was cut off"},
        {"content length cut short",
         TlsScenario::Valid,
         {{ok + "\r\nContent-Length: 10\r\n\r\nabc"}},
         std::nullopt,
         "the connection closed before the whole body arrived"},
        {"another host's name",
         TlsScenario::OtherHost,
         {{Reply(ok, "x")}},
         std::nullopt,
         "certificate is for another host name"},
        {"expired",
         TlsScenario::Expired,
         {{Reply(ok, "x")}},
         std::nullopt,
         "certificate has expired"},
        {"unknown issuer",
         TlsScenario::UnknownIssuer,
         {{Reply(ok, "x")}},
         std::nullopt,
         "certificate issuer is unknown"},
        {"self-signed",
         TlsScenario::SelfSigned,
         {{Reply(ok, "x")}},
         std::nullopt,
         "self-signed certificate"},
        {"TLS 1.0 only",
         TlsScenario::Tls10Only,
         {{Reply(ok, "x")}},
         std::nullopt,
         "TLS handshake failed"},
        {"TLS 1.3 only", TlsScenario::Tls13Only, {{Reply(ok, "x")}}, "x", ""},
        {"intermediate left out",
         TlsScenario::WithoutIntermediate,
         {{Reply(ok, "x")}},
         fetchesIntermediates ? std::optional<std::string>("x") : std::nullopt,
         fetchesIntermediates ? "" : "certificate issuer is unknown"},
        {"https to http refused",
         TlsScenario::Valid,
         {{Reply("HTTP/1.1 301 Moved\r\nLocation: {http}", "")}},
         std::nullopt,
         "the secure address redirects to plain http"},
        {"http to https followed",
         TlsScenario::Plain,
         {{Reply("HTTP/1.1 301 Moved\r\nLocation: {https}", "")}},
         "over https",
         ""},
    };
}
