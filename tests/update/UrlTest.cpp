#include "update/Url.h"

#include "util/AppError.h"

#include <gtest/gtest.h>

TEST(Url, SplitsAbsoluteHttpAddresses) {
    struct Case {
        const char* address;
        const char* host; // nullptr: refused
        int port;
        const char* target;
        const char* hostHeader;
    } cases[] = {
        {"http://example.com/live/a.inf?x=1#top", "example.com", 80, "/live/a.inf?x=1",
         "example.com"},
        {"HTTP://Example.com:8080", "Example.com", 8080, "/", "Example.com:8080"},
        {"http://user:secret@h:/a b\xC3\xA9", "h", 80, "/a%20b%C3%A9", "h"},
        {"http://[::1]:81/v6", "::1", 81, "/v6", "[::1]:81"},
        {"HTTPS://example.com/", "example.com", 443, "/", "example.com"},
        {"HTTPS://example.com:80/", "example.com", 80, "/", "example.com:80"},
        {"ftp://example.com/", nullptr, 0, "", ""},
        {"http://h:99999/", nullptr, 0, "", ""},
        {"http://bad host/", nullptr, 0, "", ""},
        {"example.com/mainappupdate.inf", nullptr, 0, "", ""},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.address);
        if (!test.host) {
            EXPECT_THROW(ParseUrl(test.address), AppError);
            continue;
        }
        const Url url = ParseUrl(test.address);
        EXPECT_EQ(url.secure, std::string_view(test.address).starts_with("HTTPS"));
        EXPECT_EQ(url.host, test.host);
        EXPECT_EQ(url.port, test.port);
        EXPECT_EQ(url.Target(), test.target);
        EXPECT_EQ(url.HostHeader(), test.hostHeader);
    }
}

TEST(Url, ResolvesRedirectsAgainstThePreviousAddress) {
    const Url base = ParseUrl("http://h:81/a/b/c?q");
    struct Case {
        const char* location;
        const char* resolved; // nullptr: refused
    } cases[] = {
        {"/x/./y/../z", "http://h:81/x/z"},
        {"d?e", "http://h:81/a/b/d?e"},
        {"../../../d", "http://h:81/d"},
        {"?y", "http://h:81/a/b/c?y"},
        {"", "http://h:81/a/b/c?q"},
        {"//other/p", "http://other/p"},
        {"http://o:82", "http://o:82/"},
        {"/x\r\nEvil: 1", "http://h:81/x%0D%0AEvil:%201"},
        {"https://h/", "https://h/"},
        {"https://h:443/p", "https://h/p"},
        {"mailto:a@b", nullptr},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.location);
        if (!test.resolved)
            EXPECT_THROW(ResolveUrl(base, test.location), AppError);
        else
            EXPECT_EQ(ResolveUrl(base, test.location).Text(), test.resolved);
    }
}
