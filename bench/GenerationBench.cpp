#include "BenchProject.h"
#include "generator/TemplateEngine.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstring>
#include <ctime>

namespace {

// The time this thread has run, so that other programs on the machine do not count.
double CpuMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

// The fastest of several copies of the page's bytes into a buffer that is already in memory:
// the least any pass over the page can cost.
double MemcpyMicroseconds(const std::string& page) {
    std::string target(page.size(), '\0');
    double best = 1e300;
    for (int round = 0; round < 20; ++round) {
        const double start = CpuMicroseconds();
        std::memcpy(target.data(), page.data(), page.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
        best = std::min(best, CpuMicroseconds() - start);
    }
    return best;
}

} // namespace

// Reports beside the time the page's size, one memcpy of it and how many memcpys it takes.
static void BM_GeneratePage(benchmark::State& state) {
    const TAffManager model = MakeBenchProject(static_cast<int>(state.range(0)));
    const std::string templateText = ShippedTemplateText();
    const std::string page = ExpandTemplate(templateText, model);
    const double memcpyTime = MemcpyMicroseconds(page);
    double generating = 0;
    for (auto _ : state) {
        const double start = CpuMicroseconds();
        benchmark::DoNotOptimize(ExpandTemplate(templateText, model));
        generating += CpuMicroseconds() - start;
    }
    state.SetComplexityN(state.range(0));
    state.counters["page_MB"] = static_cast<double>(page.size()) / 1e6;
    state.counters["memcpy_us"] = memcpyTime;
    state.counters["x_memcpy"] = generating / static_cast<double>(state.iterations()) / memcpyTime;
}
BENCHMARK(BM_GeneratePage)
    ->RangeMultiplier(10)
    ->Range(10, 10000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity();

// A page bomb: every email of a project with 10,000 items per list holds the PPC table, whose
// ads hold "%", so that a count would search every byte of some 20 GB. Refused, never built.
static void BM_RefusePageBomb(benchmark::State& state) {
    TAffManager model = MakeBenchProject(10000);
    for (auto& ad : model.PPCAds)
        ad.insert(1, "Save 50% ");
    std::ranges::fill(model.Emails, "%%PPCADS%%");
    const std::string templateText = ShippedTemplateText();
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(ExpandTemplate(templateText, model));
            state.SkipWithError("the bomb was built");
        } catch (const std::exception&) {
        }
    }
}
BENCHMARK(BM_RefusePageBomb)->Unit(benchmark::kMillisecond);
