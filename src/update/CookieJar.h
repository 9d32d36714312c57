#pragma once

#include "update/Url.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Seconds since 1970-01-01 UTC of a cookie's "Expires" date (RFC 6265 5.1.1), or nothing.
std::optional<std::int64_t> ParseCookieDate(std::string_view text);

// One cookie as a server set it.
struct Cookie {
    std::string name, value, domain, path;
    bool hostOnly = true;
    bool secure = false;
    std::optional<std::int64_t> expires;
    std::vector<int> ports; // empty: any port
};

// The cookie that one "Set-Cookie" line sets (Version2: one cookie of a "Set-Cookie2" field)
// when it comes from Url at Now (seconds since 1970); nothing when the line sets none or names a
// domain that Url may not set cookies for.
std::optional<Cookie> ParseCookieLine(std::string_view text, bool version2, const Url& url,
                                      std::int64_t now);

// The cookies servers set during one run, sent back by domain and path (RFC 6265, which also
// reads the older Netscape and RFC 2109 forms; "Set-Cookie2" of RFC 2965 is read the same way).
class CookieJar {
  public:
    // Takes the cookies of one "Set-Cookie" field (Version2: "Set-Cookie2", which may set
    // several, separated by commas) received from Url at Now (seconds since 1970).
    void Take(std::string_view field, bool version2, const Url& url, std::int64_t now);

    // The value of the "Cookie" header for a request to Url, empty when no cookie applies.
    std::string CookieHeader(const Url& url, std::int64_t now) const;

  private:
    struct StoredCookie {
        Cookie cookie;
        // When the jar first took a cookie of this name, domain and path.
        std::uint64_t order = 0;
    };

    // Keeps Cookie in place of the one of the same name, domain and path; an expired cookie
    // only deletes that one.
    void Store(Cookie cookie, std::int64_t now);

    std::vector<StoredCookie> cookies_;
    std::uint64_t nextOrder_ = 0;
};
