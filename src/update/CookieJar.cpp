#include "update/CookieJar.h"

#include "update/HttpLine.h"
#include "util/text/CaseFolding.h"

#include <algorithm>
#include <charconv>
#include <chrono>

namespace {

std::string_view Unquoted(std::string_view text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t LeadingDigits(std::string_view text) {
    std::size_t count = 0;
    while (count < text.size() && IsDigit(text[count]))
        ++count;
    return count;
}

int NumberOf(std::string_view digits) {
    int number = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return number;
}

// RFC 6265 5.1.1: a token of Least to Most digits, then anything that is not a digit.
bool DigitsToken(std::string_view token, std::size_t least, std::size_t most, int& value) {
    std::size_t count = LeadingDigits(token);
    if (count < least || count > most)
        return false;
    value = NumberOf(token.substr(0, count));
    return true;
}

bool TimeToken(std::string_view token, int& hour, int& minute, int& second) {
    int* parts[] = {&hour, &minute, &second};
    for (int i = 0; i < 3; ++i) {
        std::size_t count = LeadingDigits(token);
        if (count < 1 || count > 2)
            return false;
        *parts[i] = NumberOf(token.substr(0, count));
        token.remove_prefix(count);
        if (i < 2) {
            if (!token.starts_with(':'))
                return false;
            token.remove_prefix(1);
        }
    }
    return token.empty() || !IsDigit(token.front());
}

bool IsIpAddress(std::string_view host) {
    return host.find(':') != std::string_view::npos ||
           host.find_first_not_of("0123456789.") == std::string_view::npos;
}

// RFC 6265 5.1.3.
bool DomainMatches(std::string_view host, std::string_view domain) {
    if (host == domain)
        return true;
    return host.size() > domain.size() && host.ends_with(domain) &&
           host[host.size() - domain.size() - 1] == '.' && !IsIpAddress(host);
}

// RFC 6265 5.1.4.
bool PathMatches(std::string_view requestPath, std::string_view cookiePath) {
    if (!requestPath.starts_with(cookiePath))
        return false;
    return requestPath.size() == cookiePath.size() || cookiePath.ends_with('/') ||
           requestPath[cookiePath.size()] == '/';
}

std::string DefaultPath(std::string_view requestPath) {
    std::size_t last = requestPath.rfind('/');
    if (!requestPath.starts_with('/') || last == 0 || last == std::string_view::npos)
        return "/";
    return std::string(requestPath.substr(0, last));
}

// Set-Cookie2 separates cookies by commas; a quoted value may hold one.
std::vector<std::string_view> SplitOutsideQuotes(std::string_view text) {
    std::vector<std::string_view> parts;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (text[i] == ',' && !quoted) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::vector<int> PortList(std::string_view text) {
    std::vector<int> ports;
    for (auto part : SplitOutsideQuotes(Unquoted(text))) {
        part = TrimBlanks(part);
        if (!part.empty() && LeadingDigits(part) == part.size())
            ports.push_back(NumberOf(part));
    }
    return ports;
}

// "name=value" of a cookie line; nothing when the name is blank.
std::optional<Cookie> NameAndValue(std::string_view pair) {
    const std::size_t equals = pair.find('=');
    if (equals == std::string_view::npos || TrimBlanks(pair.substr(0, equals)).empty())
        return std::nullopt;
    Cookie cookie;
    cookie.name = TrimBlanks(pair.substr(0, equals));
    cookie.value = TrimBlanks(pair.substr(equals + 1));
    // A control byte would end or split the "Cookie" line sent back.
    auto control = [](char c) {
        return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F;
    };
    if (std::ranges::any_of(cookie.name + cookie.value, control))
        return std::nullopt;
    return cookie;
}

// The Domain attribute; false when Url may not set cookies for that domain.
bool TakeDomain(std::string_view value, const Url& url, Cookie& cookie) {
    if (value.starts_with('.'))
        value.remove_prefix(1);
    const std::string host = FoldAsciiCase(url.host);
    const std::string domain = FoldAsciiCase(value);
    // A domain of one label ("com") would reach every site under it.
    if (!DomainMatches(host, domain) || (domain != host && domain.find('.') == std::string::npos))
        return false;
    cookie.hostOnly = domain.find('.') == std::string::npos;
    cookie.domain = domain;
    return true;
}

// Applies one attribute of a cookie line; false when it refuses the whole cookie.
bool TakeAttribute(std::string_view attribute, bool version2, const Url& url, Cookie& cookie,
                   std::optional<std::int64_t>& maxAge) {
    const std::size_t split = attribute.find('=');
    const std::string name = FoldAsciiCase(TrimBlanks(attribute.substr(0, split)));
    std::string_view value =
        split == std::string_view::npos ? std::string_view() : attribute.substr(split + 1);
    value = TrimBlanks(value);
    if (version2)
        value = Unquoted(value);
    if (name == "expires") {
        if (auto date = ParseCookieDate(value))
            cookie.expires = date;
    } else if (name == "max-age") {
        bool negative = value.starts_with('-');
        std::string_view digits = value.substr(negative ? 1 : 0);
        if (!digits.empty() && LeadingDigits(digits) == digits.size())
            maxAge = negative ? -1 : digits.size() > 9 ? std::int64_t(1) << 40 : NumberOf(digits);
    } else if (name == "domain" && !value.empty()) {
        return TakeDomain(value, url, cookie);
    } else if (name == "path") {
        cookie.path = value.starts_with('/') ? std::string(value) : DefaultPath(url.path);
    } else if (name == "secure") {
        cookie.secure = true;
    } else if (name == "port" && version2) {
        cookie.ports =
            split == std::string_view::npos ? std::vector<int>{url.port} : PortList(value);
    }
    return true;
}

} // namespace

std::optional<std::int64_t> ParseCookieDate(std::string_view text) {
    auto delimiter = [](char c) {
        auto b = static_cast<unsigned char>(c);
        return b == 0x09 || (b >= 0x20 && b <= 0x2F) || (b >= 0x3B && b <= 0x40) ||
               (b >= 0x5B && b <= 0x60) || (b >= 0x7B && b <= 0x7E);
    };
    static constexpr std::string_view Months[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                                  "jul", "aug", "sep", "oct", "nov", "dec"};
    int hour = -1, minute = 0, second = 0, day = -1, month = -1, year = -1;
    bool timeFound = false;
    for (std::size_t i = 0; i < text.size();) {
        if (delimiter(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !delimiter(text[end]))
            ++end;
        std::string_view token = text.substr(i, end - i);
        i = end;
        int value = 0;
        if (!timeFound && TimeToken(token, hour, minute, second)) {
            timeFound = true;
        } else if (day < 0 && DigitsToken(token, 1, 2, value)) {
            day = value;
        } else if (month < 0 && token.size() >= 3) {
            auto found =
                std::find(std::begin(Months), std::end(Months), FoldAsciiCase(token.substr(0, 3)));
            if (found != std::end(Months))
                month = static_cast<int>(found - std::begin(Months)) + 1;
            else if (year < 0 && DigitsToken(token, 2, 4, value))
                year = value;
        } else if (year < 0 && DigitsToken(token, 2, 4, value)) {
            year = value;
        }
    }
    if (year >= 70 && year <= 99)
        year += 1900;
    else if (year >= 0 && year <= 69)
        year += 2000;
    if (!timeFound || day < 1 || day > 31 || month < 0 || year < 1601 || hour > 23 || minute > 59 ||
        second > 59)
        return std::nullopt;
    using namespace std::chrono;
    const year_month_day date{std::chrono::year(year), std::chrono::month(unsigned(month)),
                              std::chrono::day(unsigned(day))};
    if (!date.ok())
        return std::nullopt;
    return sys_days(date).time_since_epoch() / seconds(1) + hour * 3600 + minute * 60 + second;
}

std::optional<Cookie> ParseCookieLine(std::string_view text, bool version2, const Url& url,
                                      std::int64_t now) {
    const std::size_t semicolon = text.find(';');
    std::optional<Cookie> cookie = NameAndValue(text.substr(0, semicolon));
    if (!cookie)
        return std::nullopt;
    cookie->domain = FoldAsciiCase(url.host);
    cookie->path = DefaultPath(url.path);
    std::optional<std::int64_t> maxAge;
    std::string_view attributes =
        semicolon == std::string_view::npos ? std::string_view() : text.substr(semicolon + 1);
    while (!attributes.empty()) {
        const std::size_t end = attributes.find(';');
        if (!TakeAttribute(attributes.substr(0, end), version2, url, *cookie, maxAge))
            return std::nullopt;
        attributes.remove_prefix(end == std::string_view::npos ? attributes.size() : end + 1);
    }
    if (maxAge)
        cookie->expires = *maxAge <= 0 ? now - 1 : now + *maxAge;
    return cookie;
}

void CookieJar::Take(std::string_view field, bool version2, const Url& url, std::int64_t now) {
    const std::vector<std::string_view> lines =
        version2 ? SplitOutsideQuotes(field) : std::vector<std::string_view>{field};
    for (auto line : lines)
        if (auto cookie = ParseCookieLine(line, version2, url, now))
            Store(std::move(*cookie), now);
}

void CookieJar::Store(Cookie cookie, std::int64_t now) {
    auto same = std::find_if(cookies_.begin(), cookies_.end(), [&](const StoredCookie& other) {
        return other.cookie.name == cookie.name && other.cookie.domain == cookie.domain &&
               other.cookie.path == cookie.path;
    });
    const std::uint64_t order = same != cookies_.end() ? same->order : nextOrder_++;
    if (same != cookies_.end())
        cookies_.erase(same);
    // An expiry in the past is how a server deletes a cookie.
    if (!cookie.expires || *cookie.expires > now)
        cookies_.push_back({std::move(cookie), order});
}

std::string CookieJar::CookieHeader(const Url& url, std::int64_t now) const {
    const std::string host = FoldAsciiCase(url.host);
    std::vector<const StoredCookie*> matching;
    for (const auto& stored : cookies_) {
        const Cookie& cookie = stored.cookie;
        bool domainOk =
            cookie.hostOnly ? host == cookie.domain : DomainMatches(host, cookie.domain);
        bool portOk = cookie.ports.empty() || std::ranges::count(cookie.ports, url.port) > 0;
        if (domainOk && portOk && (!cookie.secure || url.secure) &&
            PathMatches(url.path, cookie.path) && (!cookie.expires || *cookie.expires > now))
            matching.push_back(&stored);
    }
    // Longer paths first, then the older cookie first (RFC 6265 5.4).
    std::ranges::sort(matching, [](const StoredCookie* a, const StoredCookie* b) {
        if (a->cookie.path.size() != b->cookie.path.size())
            return a->cookie.path.size() > b->cookie.path.size();
        return a->order < b->order;
    });
    std::string header;
    for (const StoredCookie* stored : matching) {
        if (!header.empty())
            header += "; ";
        header += stored->cookie.name + "=" + stored->cookie.value;
    }
    return header;
}
