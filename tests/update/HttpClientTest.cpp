#include "support/TempFolder.h"
#include "support/TestHttpServer.h"
#include "support/UnansweredListener.h"
#include "update/DownloadFile.h"

#include <climits>
#include <future>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

const std::string Ok = "HTTP/1.1 200 OK";
const std::string Chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";

std::string Redirect(std::string_view location, std::string_view fields = "") {
    return Reply("HTTP/1.1 302 Found\r\nLocation: " + std::string(location) + std::string(fields),
                 "moved");
}

// DownloadFile on a short leash: waits in 1 ms slices, gives up on failure and redirect
// bodies after 50 ms, and is cancelled after 2000 empty slices so a fault cannot hang.
class Download : public ::testing::Test {
  protected:
    // The body in the target file, or nothing when DownloadFile failed (the target as it was
    // before then, and no temporary file left either way).
    std::optional<std::string> Fetch(const std::string& url, TestHttpServer* server = nullptr) {
        const auto before = fs::exists(target) ? std::optional(ReadAll(target)) : std::nullopt;
        auto pump = [&] {
            ++pumps;
            if (server)
                server->Tick();
            if (whileWaiting)
                whileWaiting();
            return pumps < cancelAfter;
        };
        failure.clear();
        const bool fetched = DownloadFile(*client, url, target, pump, &failure);
        const auto after = fs::exists(target) ? std::optional(ReadAll(target)) : std::nullopt;
        if (!fetched) {
            EXPECT_EQ(after, before) << url;
        }
        if (fs::exists(target.parent_path()))
            for (const auto& entry : fs::directory_iterator(target.parent_path())) {
                EXPECT_FALSE(entry.path().filename().string().starts_with(".vantor-"))
                    << entry.path();
            }
        return fetched ? after : std::nullopt;
    }

    std::optional<std::string> FetchFrom(std::vector<TestConnection> script) {
        TestHttpServer server(std::move(script));
        return Fetch(server.Url("/live/mainappupdate.inf"), &server);
    }

    TempFolder folder;
    fs::path target = folder.path() / "mainappupdate.inf";
    HttpLimits limits{.connect = 2s,
                      .connectSlice = 1ms,
                      .readSlice = 1ms,
                      .failureBodyWait = 50ms,
                      .redirectBodyWait = 50ms};
    std::optional<HttpClient> client{std::in_place, limits};
    std::string failure;
    int pumps = 0;
    int cancelAfter = 2000;
    std::function<void()> whileWaiting;
};

} // namespace

TEST_F(Download, KeepsTheBodyOfEachFormAndFailsCleanlyOtherwise) {
    const std::string chunks = "3;x=y\r\nabc\r\n2\r\nde\r\n0\r\nX-Trailer: 1\r\n\r\n";
    struct Case {
        const char* name;
        std::vector<TestConnection> script;
        std::optional<std::string> body;
    } cases[] = {
        {"content length", {{{Reply(Ok, "abc")}}}, "abc"},
        {"content length 0", {{{Reply(Ok, "")}, true}}, ""},
        {"204 reads no body", {{{"HTTP/1.1 204 No Content\r\n\r\n"}, true}}, ""},
        {"until close", {{{Ok + "\r\nContent-Length: -3\r\n\r\nto the end"}}}, "to the end"},
        {"chunked, winning over length",
         {{{Ok + "\r\nContent-Length: 99\r\nTransfer-Encoding: chunked\r\n\r\n" + chunks}, true}},
         "abcde"},
        {"informational responses skipped",
         {{{"HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 103 Early Hints\r\nLink: x\r\n\r\n" +
            Reply(Ok, "ok")}}},
         "ok"},
        {"200 with a Location is a redirect",
         {{{Reply(Ok + "\r\nlocation:  /b ", "not this"), Reply(Ok, "this")}}},
         "this"},
        {"404", {{{Reply("HTTP/1.1 404 Not Found", "gone")}}}, std::nullopt},
        {"304", {{{"HTTP/1.1 304 Not Modified\r\n\r\n"}, true}}, std::nullopt},
        {"body cut short", {{{Ok + "\r\nContent-Length: 10\r\n\r\nabc"}}}, std::nullopt},
        {"last chunk missing", {{{Chunked + "3\r\nabc\r\n"}}}, std::nullopt},
        {"head cut short", {{{Ok + "\r\nContent-Length: 3\r\n"}}}, std::nullopt},
        {"head line of 16385",
         {{{Ok + "\r\nX: " + std::string(16382, 'a') + "\r\n\r\n"}}},
         std::nullopt},
        {"redirect to another scheme", {{{Redirect("ftp://127.0.0.1/")}}}, std::nullopt},
        {"redirect nowhere", {{{Reply("HTTP/1.1 301 Moved", "")}}}, std::nullopt},
    };
    for (auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(FetchFrom(test.script), test.body);
    }
}

TEST_F(Download, SendsTheFixedRequestHeadAndKeepsCookiesForTheRun) {
    TestHttpServer server({{{Redirect("../next?a=1", "\r\nSet-Cookie: id=7; Path=/\r\n"
                                                     "Set-Cookie2: v=2; Version=1; Path=\"/\""),
                             Reply(Ok, "first")}},
                           {{Reply(Ok, "second")}}});
    EXPECT_EQ(Fetch(server.Url("/live/app/x.inf#part")), "first");
    EXPECT_EQ(Fetch(server.Url("/other")), "second");
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0], "GET /live/app/x.inf HTTP/1.1\r\nContent-Type: text/html\r\nHost: "
                           "127.0.0.1:" +
                               std::to_string(server.Port()) +
                               "\r\nAccept: text/html, */*\r\nUser-Agent: Mozilla/3.0 "
                               "(compatible; Indy Library)\r\n\r\n");
    EXPECT_TRUE(requests[1].starts_with("GET /live/next?a=1 HTTP/1.1\r\n"));
    for (const auto& request : {requests[1], requests[2]})
        EXPECT_TRUE(request.ends_with("Library)\r\nCookie: id=7; v=2\r\n\r\n")) << request;
    EXPECT_EQ(server.Connections(), 2); // one per download
}

TEST_F(Download, FollowsFourteenRedirectsButNotFifteen) {
    for (int redirects : {14, 15}) {
        TestConnection chain;
        for (int i = 1; i <= redirects; ++i)
            chain.replies.push_back(Redirect("/r" + std::to_string(i)));
        chain.replies.push_back(Reply(Ok, "arrived"));
        TestHttpServer server({chain});
        EXPECT_EQ(Fetch(server.Url("/r0")),
                  redirects == 14 ? std::optional<std::string>("arrived") : std::nullopt);
        EXPECT_EQ(server.Requests().size(), 15u);
    }
}

TEST_F(Download, ReusesAConnectionOnlyWhenTheServerAllows) {
    struct Case {
        const char* name;
        std::vector<TestConnection> script;
        int connections;
    } cases[] = {
        {"kept", {{{Redirect("/b"), Reply(Ok, "done")}}}, 1},
        {"close",
         {{{Redirect("/b", "\r\nProxy-Connection: Close")}, true}, {{Reply(Ok, "done")}}},
         2},
        {"HTTP/1.0",
         {{{Reply("HTTP/1.0 302 Found\r\nLocation: /b", "")}, true}, {{Reply(Ok, "done")}}},
         2},
        {"HTTP/1.0 keep-alive",
         {{{Reply("HTTP/1.0 302 Found\r\nConnection: keep-alive\r\nLocation: /b", ""),
            Reply(Ok, "done")}}},
         1},
        {"closed while idle, tried again once", {{{Redirect("/b"), ""}}, {{Reply(Ok, "done")}}}, 2},
        {"redirect body too slow",
         {{{Redirect("/b").substr(0, Redirect("/b").size() - 3)}, true}, {{Reply(Ok, "done")}}},
         2},
    };
    for (auto& test : cases) {
        SCOPED_TRACE(test.name);
        TestHttpServer server(test.script);
        EXPECT_EQ(Fetch(server.Url("/a")), "done");
        EXPECT_EQ(server.Connections(), test.connections);
    }
}

TEST_F(Download, WaitsForASlowServerWhileThePumpRuns) {
    TestHttpServer server({{{Reply(Ok + "\r\nX-Slow: yes", "one byte at a time")}, false, true}});
    EXPECT_EQ(Fetch(server.Url("/"), &server), "one byte at a time");
    EXPECT_GT(pumps, 50);
}

TEST_F(Download, ASilentServerWaitsUntilThePumpCancels) {
    TestHttpServer server({{{""}, true}});
    fs::path other = folder.path() / "other.inf";
    // A second download meanwhile is refused and touches nothing.
    whileWaiting = [&] {
        EXPECT_FALSE(DownloadFile(*client, server.Url("/"), other, [] { return true; }));
    };
    cancelAfter = 300;
    EXPECT_EQ(Fetch(server.Url("/")), std::nullopt);
    EXPECT_EQ(pumps, 300);
    EXPECT_EQ(server.Requests().size(), 1u);
    EXPECT_FALSE(fs::exists(other));
}

TEST_F(Download, FailsLeavingThePreviousFileAsItWas) {
    int closedPort;
    {
        platform::ListeningSocket listener;
        closedPort = listener.Port();
    }
    std::ofstream(target) << "previous";
    EXPECT_EQ(Fetch("http://127.0.0.1:" + std::to_string(closedPort) + "/"), std::nullopt);
    EXPECT_EQ(Fetch("http://no-such-host.invalid/"), std::nullopt);
    // Cut off in the middle of the body: the previous file is kept whole.
    EXPECT_EQ(FetchFrom({{{Ok + "\r\nContent-Length: 10\r\n\r\nabc"}}}), std::nullopt);
    EXPECT_EQ(ReadAll(target), "previous");

    std::ofstream(target) << "previous";
    EXPECT_EQ(FetchFrom({{{Reply(Ok, "replaced")}}}), "replaced");

    target = folder.path() / "missing" / "x.inf";
    EXPECT_EQ(FetchFrom({{{Reply(Ok, "nowhere to go")}}}), std::nullopt);
}

TEST_F(Download, GivesUpAConnectThatIsNeverAnsweredAtTheConnectLimit) {
    const UnansweredListener listener;
    HttpClient patient{{.connect = 300ms, .connectSlice = 1ms}};
    int waits = 0;
    try {
        patient.Get(
            "http://127.0.0.1:" + std::to_string(listener.Port()) + "/", [](std::string_view) {},
            [&] { return ++waits < 5'000; });
        ADD_FAILURE() << "the connect should not succeed";
    } catch (const AppError& error) {
        EXPECT_STREQ(error.what(), "Connect timed out.");
    }
    // The window's messages ran all the while.
    EXPECT_GT(waits, 10);
}

TEST_F(Download, RefusesABodyLargerThanItsLimit) {
    limits.mostBodyBytes = 10;
    client.emplace(limits);
    const std::string tooLarge = "the file is larger than 10 bytes, the most this download takes";
    std::ofstream(target) << "previous";
    struct Case {
        const char* name;
        std::vector<TestConnection> script;
        std::optional<std::string> body;
    } cases[] = {
        {"at the limit", {{{Reply(Ok, "0123456789")}}}, "0123456789"},
        {"announced larger", {{{Ok + "\r\nContent-Length: 11\r\n\r\n"}, true}}, std::nullopt},
        {"chunked beyond it",
         {{{Chunked + "6\r\nabcdef\r\n6\r\nghijkl\r\n0\r\n\r\n"}}},
         std::nullopt},
        {"endless until close", {{{Ok + "\r\n\r\n" + std::string(100'000, 'x')}}}, std::nullopt},
    };
    for (auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(FetchFrom(test.script), test.body);
        if (!test.body) {
            EXPECT_EQ(failure, tooLarge);
        }
        std::ofstream(target) << "previous";
    }
}

TEST_F(Download, GivesUpAtTheDeadlineOfTheWholeDownload) {
    limits.download = 300ms;
    client.emplace(limits);
    cancelAfter = INT_MAX;
    const std::string late = "the download did not finish within 300 ms";
    std::ofstream(target) << "previous";
    struct Case {
        const char* name;
        TestConnection script;
    } cases[] = {
        {"no answer", {{""}, true}},
        {"a head and then nothing", {{Ok + "\r\nContent-Length: 10\r\n\r\nabc"}, true}},
        {"a byte at a time, for ever",
         {{Ok + "\r\nContent-Length: 9\r\n\r\n" + std::string(9, 'x')}, true, true}},
    };
    for (auto& test : cases) {
        SCOPED_TRACE(test.name);
        pumps = 0;
        TestHttpServer server({test.script});
        // Ticks only every 50th wait, so the trickle is too slow to finish in time.
        whileWaiting = [&] {
            if (pumps % 50 == 0)
                server.Tick();
        };
        EXPECT_EQ(Fetch(server.Url("/")), std::nullopt);
        EXPECT_EQ(failure, late);
        EXPECT_EQ(ReadAll(target), "previous");
    }
}

TEST_F(Download, AHostLookupThatNeverAnswersIsGivenUpAtTheConnectLimitOrCancelled) {
    // A resolver that answers only once the test is over, as one that never gets a reply.
    auto over = std::make_shared<std::promise<void>>();
    HostResolver silent = [answer = over->get_future().share()](const std::string&, int) {
        answer.wait();
        return std::vector<platform::SocketAddress>{};
    };
    HttpClient patient{{.connect = 300ms, .connectSlice = 1ms}, {}, silent};
    int waits = 0;
    EXPECT_FALSE(DownloadFile(
        patient, "http://slow.example/", target, [&] { return ++waits < 100'000; }, &failure));
    EXPECT_EQ(failure, "looking up slow.example timed out");
    // The window's messages ran all the while.
    EXPECT_GT(waits, 10);

    waits = 0;
    EXPECT_FALSE(DownloadFile(
        patient, "http://slow.example/", target, [&] { return ++waits < 20; }, &failure));
    EXPECT_EQ(failure, "the download was cancelled");
    EXPECT_EQ(waits, 20);
    over->set_value();
}
