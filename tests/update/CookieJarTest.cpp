#include "update/CookieJar.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int64_t Now = 1'700'000'000; // 2023-11-14

struct Case {
    const char* name;
    std::vector<std::pair<const char*, const char*>> received; // address, Set-Cookie field
    const char* requested;
    const char* expected;
};

} // namespace

TEST(CookieJar, SendsCookiesBackByDomainAndPath) {
    const Case cases[] = {
        {"host only, not to a sub-domain",
         {{"http://example.com/", "id=1"}},
         "http://a.example.com/",
         ""},
        {"domain reaches sub-domains",
         {{"http://example.com/", "id=1; Domain=.Example.com"}},
         "http://a.example.com/",
         "id=1"},
        {"another site's or a single-label domain refused",
         {{"http://example.com/", "id=1; Domain=other.com"},
          {"http://a.example.com/", "id=2; domain=com"}},
         "http://other.com/",
         ""},
        {"default path is the folder",
         {{"http://h/live/app/x.inf", "id=1"}},
         "http://h/live/other",
         ""},
        {"path matches whole segments",
         {{"http://h/", "a=1; Path=/live"}, {"http://h/", "b=2; Path=/live/"}},
         "http://h/lively",
         ""},
        {"longer path first, then older",
         {{"http://h/", "a=1; Path=/"}, {"http://h/", "b=2; Path=/live"}, {"http://h/", "c=3"}},
         "http://h/live/x",
         "b=2; a=1; c=3"},
        {"replaced, deleted by a past date or max-age 0, kept to a future date",
         {{"http://h/", "a=1"},
          {"http://h/", "a=2; Expires=Sun Nov  6 08:49:37 2095"},
          {"http://h/", "b=1"},
          {"http://h/", "b=; Expires=Thu, 01-Jan-1970 00:00:01 GMT"},
          {"http://h/", "c=1; Max-Age=0; Expires=Wed, 09 Jun 2100 10:18:14 GMT"},
          {"http://h/", "d=1; Expires=Sun, 31 Feb 2100 08:49:37 GMT"}},
         "http://h/",
         "a=2; d=1"},
        {"secure sent over https",
         {{"https://h/", "s=1; Secure"}, {"http://h/", "p=2"}},
         "https://h/",
         "s=1; p=2"},
        {"secure not sent over http, nameless and control bytes ignored",
         {{"http://h/", "s=1; Secure"}, {"http://h/", "=v"}, {"http://h/", "c=a\rb"}},
         "http://h/",
         ""},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        CookieJar jar;
        for (auto [address, field] : test.received)
            jar.Take(field, false, ParseUrl(address), Now);
        EXPECT_EQ(jar.CookieHeader(ParseUrl(test.requested), Now), test.expected);
    }
}

TEST(CookieJar, ReadsSetCookie2ListsAndExpiresDuringTheRun) {
    CookieJar jar;
    jar.Take("a=\"1,2\"; Version=\"1\"; Path=\"/\", b=2; Version=1; Port", true,
             ParseUrl("http://h:8080/x"), Now);
    jar.Take("c=3; Max-Age=60", false, ParseUrl("http://h:8080/"), Now);
    EXPECT_EQ(jar.CookieHeader(ParseUrl("http://h:8080/"), Now), "a=\"1,2\"; b=2; c=3");
    EXPECT_EQ(jar.CookieHeader(ParseUrl("http://h/"), Now + 61), "a=\"1,2\"");
}
