#include "BenchProject.h"
#include "generator/TemplateEngine.h"

#include <benchmark/benchmark.h>

static void BM_GeneratePage(benchmark::State& state) {
    const TAffManager model = MakeBenchProject(static_cast<int>(state.range(0)));
    const std::string templateText = ShippedTemplateText();
    for (auto _ : state)
        benchmark::DoNotOptimize(ExpandTemplate(templateText, model));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_GeneratePage)
    ->RangeMultiplier(10)
    ->Range(10, 10000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity();
