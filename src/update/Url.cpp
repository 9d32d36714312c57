#include "update/Url.h"

#include "util/AppError.h"
#include "util/text/CaseFolding.h"

#include <charconv>

namespace {

// The parts of an address or reference (RFC 3986 3); a missing part is nullopt.
struct Reference {
    std::optional<std::string_view> scheme;
    std::optional<std::string_view> authority;
    std::string_view path;
    std::optional<std::string_view> query;
};

bool IsAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

Reference SplitReference(std::string_view text) {
    Reference parts;
    text = text.substr(0, text.find('#'));
    // A scheme is a letter and letters, digits, "+", "-" or "." before the first ":".
    std::size_t colon = text.find_first_of(":/?");
    if (colon != std::string_view::npos && colon > 0 && text[colon] == ':' && IsAlpha(text[0]) &&
        text.substr(0, colon).find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTU"
                                                "VWXYZ0123456789+-.") == std::string_view::npos) {
        parts.scheme = text.substr(0, colon);
        text.remove_prefix(colon + 1);
    }
    if (text.starts_with("//")) {
        text.remove_prefix(2);
        std::size_t end = text.find_first_of("/?");
        parts.authority = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end);
    }
    std::size_t question = text.find('?');
    parts.path = text.substr(0, question);
    if (question != std::string_view::npos)
        parts.query = text.substr(question + 1);
    return parts;
}

// Percent-encodes the bytes that would break or smuggle into a request line.
std::string PercentEncoded(std::string_view text) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string result;
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F) {
            result += '%';
            result += Hex[byte >> 4];
            result += Hex[byte & 15];
        } else {
            result += c;
        }
    }
    return result;
}

// True for https, false for http; throws for any other scheme.
bool IsSecureScheme(std::string_view scheme) {
    const std::string lower = FoldAsciiCase(scheme);
    if (lower != "http" && lower != "https")
        throw AppError("Unsupported protocol \"" + std::string(scheme) + "\".");
    return lower == "https";
}

int DefaultPort(bool secure) {
    return secure ? 443 : 80;
}

void SetAuthority(Url& url, std::string_view authority) {
    // Credentials are never sent; only the host and port are used.
    if (std::size_t at = authority.rfind('@'); at != std::string_view::npos)
        authority.remove_prefix(at + 1);
    std::string_view port;
    if (authority.starts_with('[')) {
        std::size_t close = authority.find(']');
        if (close == std::string_view::npos)
            throw AppError("Bad host name in the address.");
        url.host = authority.substr(1, close - 1);
        authority.remove_prefix(close + 1);
        if (!authority.empty() && !authority.starts_with(':'))
            throw AppError("Bad host name in the address.");
        port = authority.substr(authority.empty() ? 0 : 1);
    } else {
        std::size_t colon = authority.find(':');
        url.host = authority.substr(0, colon);
        if (colon != std::string_view::npos)
            port = authority.substr(colon + 1);
    }
    if (url.host.empty() || url.host.find_first_of(" \t\r\n/\\@[]") != std::string::npos ||
        PercentEncoded(url.host) != url.host)
        throw AppError("Bad host name in the address.");
    url.port = DefaultPort(url.secure);
    if (!port.empty()) {
        auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), url.port);
        if (error != std::errc() || end != port.data() + port.size() || url.port < 1 ||
            url.port > 65535 || !IsDigit(port.front()))
            throw AppError("Bad port in the address.");
    }
}

void SetPathAndQuery(Url& url, std::string_view path, std::optional<std::string_view> query) {
    url.path = path.empty() ? "/" : PercentEncoded(path);
    url.query.reset();
    if (query)
        url.query = PercentEncoded(*query);
}

// RFC 3986 5.2.4.
std::string WithoutDotSegments(std::string_view input) {
    std::string output;
    while (!input.empty()) {
        if (input.starts_with("../")) {
            input.remove_prefix(3);
        } else if (input.starts_with("./") || input.starts_with("/./")) {
            input.remove_prefix(2);
        } else if (input == "/.") {
            input = "/";
        } else if (input.starts_with("/../") || input == "/..") {
            input = input.size() == 3 ? std::string_view("/") : input.substr(3);
            std::size_t last = output.rfind('/');
            output.erase(last == std::string::npos ? 0 : last);
        } else if (input == "." || input == "..") {
            input = {};
        } else {
            std::size_t next = input.find('/', 1);
            output += input.substr(0, next);
            input.remove_prefix(next == std::string_view::npos ? input.size() : next);
        }
    }
    return output;
}

} // namespace

std::string Url::Target() const {
    return query ? path + "?" + *query : path;
}

std::string Url::HostHeader() const {
    std::string text = host.find(':') == std::string::npos ? host : "[" + host + "]";
    return port == DefaultPort(secure) ? text : text + ":" + std::to_string(port);
}

std::string Url::Text() const {
    return (secure ? "https://" : "http://") + HostHeader() + Target();
}

Url ParseUrl(std::string_view address) {
    Reference parts = SplitReference(address);
    if (!parts.scheme || !parts.authority)
        throw AppError("\"" + std::string(address) + "\" is not an http address.");
    Url url;
    url.secure = IsSecureScheme(*parts.scheme);
    SetAuthority(url, *parts.authority);
    SetPathAndQuery(url, parts.path, parts.query);
    return url;
}

Url ResolveUrl(const Url& base, std::string_view reference) {
    Reference parts = SplitReference(reference);
    Url url = base;
    if (parts.scheme) {
        url.secure = IsSecureScheme(*parts.scheme);
        if (!parts.authority)
            throw AppError("\"" + std::string(reference) + "\" is not an http address.");
    }
    if (parts.authority)
        SetAuthority(url, *parts.authority);
    if (parts.scheme || parts.authority || parts.path.starts_with('/')) {
        SetPathAndQuery(url, WithoutDotSegments(parts.path), parts.query);
    } else if (parts.path.empty()) {
        if (parts.query)
            url.query = PercentEncoded(*parts.query);
    } else {
        std::string merged = base.path.substr(0, base.path.rfind('/') + 1);
        merged += parts.path;
        SetPathAndQuery(url, WithoutDotSegments(merged), parts.query);
    }
    return url;
}
