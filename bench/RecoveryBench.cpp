#include "BenchProject.h"
#include "persistence/RecoveryCopy.h"
#include "persistence/SettingsFile.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

// Range 0 is the demo project; any other is that many items in each list.
TAffManager ProjectFor(const benchmark::State& state) {
    if (state.range(0) == 0)
        return *LoadSettingsFile(std::filesystem::path(VANTOR_SOURCE_DIR) /
                                 "examples/demo/settings.dat");
    return MakeBenchProject(static_cast<int>(state.range(0)));
}

std::filesystem::path BenchStateFolder() {
    return std::filesystem::temp_directory_path() / "vantor-bench-state";
}

} // namespace

// What the window's thread does a moment after a change, here an article edited: a snapshot
// of the project, handed to the writer.
static void BM_RecoveryCopyOnWindowThread(benchmark::State& state) {
    TAffManager project = ProjectFor(state);
    RecoveryCopy copy(BenchStateFolder());
    for (auto _ : state) {
        project.Articles.front().back() ^= 1;
        copy.Write(project);
    }
    copy.Flush();
    copy.Discard();
}
BENCHMARK(BM_RecoveryCopyOnWindowThread)->Arg(0)->Arg(10000)->Unit(benchmark::kMicrosecond);

// What the writer's thread does with it: the bytes made, the file replaced and put on the disk.
static void BM_RecoveryCopyOnWriterThread(benchmark::State& state) {
    const TAffManager project = ProjectFor(state);
    RecoveryCopy copy(BenchStateFolder());
    for (auto _ : state) {
        copy.Write(project);
        copy.Flush();
    }
    state.counters["bytes"] = static_cast<double>(FormatSettings(project).size());
    copy.Discard();
}
BENCHMARK(BM_RecoveryCopyOnWriterThread)
    ->Arg(0)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
