#include "support/TestHttpServer.h"
#include "support/TestTls.h"
#include "update/DownloadFile.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

constexpr std::size_t BodySize = 40 * 1024 * 1024;

std::filesystem::path BenchTarget() {
    return std::filesystem::temp_directory_path() / "vantor-bench-download.bin";
}

// A local server answering every connection with the same 40 MB body.
TestHttpServer& Server(bool chunked) {
    auto serve = [](std::string reply) {
        return std::make_unique<TestHttpServer>(std::vector<TestConnection>{{{std::move(reply)}}},
                                                true);
    };
    static const std::string body(BodySize, 'v');
    static auto plain = serve(Reply("HTTP/1.1 200 OK", body));
    static auto chunks = [&] {
        std::string reply = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
        for (std::size_t at = 0; at < BodySize; at += 16384)
            reply += "4000\r\n" + body.substr(at, 16384) + "\r\n";
        return serve(reply + "0\r\n\r\n");
    }();
    return chunked ? *chunks : *plain;
}

// The same body over TLS, from a server signed by the tests' own root.
TestHttpServer& SecureServer() {
    static const std::string body(BodySize, 'v');
    static auto server = std::make_unique<TestHttpServer>(
        std::vector<TestConnection>{{{Reply("HTTP/1.1 200 OK", body)}}}, true, TlsStreams({}));
    return *server;
}

// The file is far larger than an update description.
constexpr HttpLimits BenchLimits{.mostBodyBytes = BodySize};

void Download(benchmark::State& state, bool chunked) {
    HttpClient client(BenchLimits);
    const std::string url = Server(chunked).Url("/big.bin");
    for (auto _ : state)
        if (!DownloadFile(client, url, BenchTarget(), [] { return true; }))
            state.SkipWithError("the download failed");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BodySize));
}

} // namespace

static void BM_DownloadFile(benchmark::State& state) {
    Download(state, false);
}
BENCHMARK(BM_DownloadFile)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_DownloadFileChunked(benchmark::State& state) {
    Download(state, true);
}
BENCHMARK(BM_DownloadFileChunked)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_DownloadFileHttps(benchmark::State& state) {
    HttpClient client(BenchLimits, {TestRootPem()});
    const std::string url = SecureServer().Url("/big.bin");
    for (auto _ : state)
        if (!DownloadFile(client, url, BenchTarget(), [] { return true; }))
            state.SkipWithError("the download failed");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BodySize));
}
BENCHMARK(BM_DownloadFileHttps)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same file fetched by curl, for comparison.
static void Curl(benchmark::State& state, bool secure) {
    const std::string url = (secure ? SecureServer() : Server(false)).Url("/big.bin");
    const std::string target = BenchTarget().string();
    const std::string root =
        (std::filesystem::temp_directory_path() / "vantor-bench-root.pem").string();
    std::ofstream(root) << TestRootPem();
    std::vector<char*> argv{const_cast<char*>("curl"), const_cast<char*>("-sfo"),
                            const_cast<char*>(target.c_str())};
    if (secure) {
        argv.push_back(const_cast<char*>("--cacert"));
        argv.push_back(const_cast<char*>(root.c_str()));
    }
    argv.push_back(const_cast<char*>(url.c_str()));
    argv.push_back(nullptr);
    for (auto _ : state) {
        pid_t child = 0;
        int status = 0;
        if (posix_spawnp(&child, "curl", nullptr, nullptr, argv.data(), environ) != 0 ||
            waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("curl is not installed or failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BodySize));
}

static void BM_Curl(benchmark::State& state) {
    Curl(state, false);
}
BENCHMARK(BM_Curl)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_CurlHttps(benchmark::State& state) {
    Curl(state, true);
}
BENCHMARK(BM_CurlHttps)->Unit(benchmark::kMillisecond)->UseRealTime();
