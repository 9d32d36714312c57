#include "BenchProject.h"
#include "persistence/SettingsFile.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

std::filesystem::path BenchSettingsPath() {
    return std::filesystem::temp_directory_path() / "vantor-bench-settings.dat";
}

} // namespace

static void BM_SaveSettings(benchmark::State& state) {
    const TAffManager model = MakeBenchProject(static_cast<int>(state.range(0)));
    for (auto _ : state)
        SaveSettingsFile(BenchSettingsPath(), model);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SaveSettings)
    ->RangeMultiplier(10)
    ->Range(10, 10000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity();

static void BM_LoadSettings(benchmark::State& state) {
    SaveSettingsFile(BenchSettingsPath(), MakeBenchProject(static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadSettingsFile(BenchSettingsPath()));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadSettings)
    ->RangeMultiplier(10)
    ->Range(10, 10000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity();
