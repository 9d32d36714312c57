#pragma once

#include <optional>
#include <string>
#include <string_view>

// An http or https address split into what a request needs; the fragment is dropped.
struct Url {
    bool secure = false; // https
    std::string host;    // an IPv6 address without its brackets
    int port = 80;
    std::string path; // starts with "/"
    std::optional<std::string> query;

    // Path and query as the request line carries them.
    std::string Target() const;
    // The value of the "Host" header: the host, and ":" + port unless it is the scheme's default.
    std::string HostHeader() const;
    std::string Text() const;
};

// Splits an absolute http or https address; throws AppError for anything else. Bytes
// a request line cannot carry (controls, blanks, non-ASCII) are percent-encoded.
Url ParseUrl(std::string_view address);

// Where Reference (a redirect's "Location") points when read against Base (RFC 3986 5.2).
Url ResolveUrl(const Url& base, std::string_view reference);
