#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int ProjectCount = 1000;

// VANTOR_BENCH_DIR if set (a tmpfs such as /dev/shm leaves the disk out), else the system's
// temporary folder.
fs::path BenchParent() {
    const char* chosen = std::getenv("VANTOR_BENCH_DIR");
    return chosen ? fs::path(chosen) : fs::temp_directory_path();
}

// A program folder with the shipped templates and 1,000 copies of the demo project, each
// with a page name of its own; removed, with every page written, when the program ends.
class BatchFolder {
  public:
    BatchFolder() : root_(BenchParent() / "vantor-batch-bench") {
        fs::remove_all(root_);
        fs::create_directories(projects());
        fs::create_directories(app());
        fs::copy(fs::path(VANTOR_SOURCE_DIR) / "templates", app() / "Templates");
        std::ifstream in(fs::path(VANTOR_SOURCE_DIR) / "examples" / "demo" / "settings.dat",
                         std::ios::binary);
        std::ostringstream demo;
        demo << in.rdbuf();
        const std::string text = demo.str();
        const std::string name = "demo-page.htm";
        const auto at = text.find(name);
        for (int i = 0; i < ProjectCount; ++i) {
            const std::string copy = "copy" + std::to_string(i);
            std::ofstream(project(i), std::ios::binary)
                << text.substr(0, at) << copy << ".htm" << text.substr(at + name.size());
        }
    }
    ~BatchFolder() { fs::remove_all(root_); }

    fs::path app() const { return root_ / "app"; }
    fs::path projects() const { return root_ / "projects"; }
    fs::path project(int i) const { return projects() / ("copy" + std::to_string(i) + ".vantor"); }

    // Every run writes pages that are not there yet, as a first run does; the old ones are
    // kept aside until the end, since deleting thousands of files slows the next creations.
    void MoveOutputAside() {
        if (fs::exists(app() / "Output"))
            fs::rename(app() / "Output", root_ / ("old-output-" + std::to_string(++moved_)));
    }

  private:
    fs::path root_;
    int moved_ = 0;
};

BatchFolder& Folder() {
    static BatchFolder folder;
    return folder;
}

// Runs the CLI with its output thrown away; true when it exits with status 0.
bool RunCli(const std::vector<std::string>& arguments) {
    std::vector<char*> argv{const_cast<char*>(VANTOR_CLI_PROGRAM)};
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t child;
    const int started =
        posix_spawn(&child, VANTOR_CLI_PROGRAM, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return started == 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// The processor time the CLI processes have used so far, in milliseconds.
double ChildCpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto ms = [](const timeval& time) { return time.tv_sec * 1e3 + time.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Beside the wall-clock time, the CLI's own processor time: on a shared machine it shows the
// work done whatever else runs.
void CountPages(benchmark::State& state, double cpuBefore) {
    state.counters["per_page"] = benchmark::Counter(
        ProjectCount, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["cli_cpu_ms"] =
        benchmark::Counter(ChildCpuMilliseconds() - cpuBefore, benchmark::Counter::kAvgIterations);
}

} // namespace

// One generate per project, as a script without --projects would run them.
static void BM_SingleRuns(benchmark::State& state) {
    BatchFolder& folder = Folder();
    const std::string app = folder.app().string();
    const double cpuBefore = ChildCpuMilliseconds();
    for (auto _ : state) {
        state.PauseTiming();
        folder.MoveOutputAside();
        state.ResumeTiming();
        for (int i = 0; i < ProjectCount; ++i)
            if (!RunCli({"generate", "--app-dir", app, "--settings", folder.project(i).string()}))
                state.SkipWithError("generate failed");
    }
    CountPages(state, cpuBefore);
}
BENCHMARK(BM_SingleRuns)
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// All projects in one run, on as many threads as the argument says.
static void BM_BatchRun(benchmark::State& state) {
    BatchFolder& folder = Folder();
    const std::vector<std::string> arguments = {"generate",
                                                "--app-dir",
                                                folder.app().string(),
                                                "--projects",
                                                folder.projects().string(),
                                                "--jobs",
                                                std::to_string(state.range(0))};
    const double cpuBefore = ChildCpuMilliseconds();
    for (auto _ : state) {
        state.PauseTiming();
        folder.MoveOutputAside();
        state.ResumeTiming();
        if (!RunCli(arguments))
            state.SkipWithError("generate failed");
    }
    CountPages(state, cpuBefore);
}
BENCHMARK(BM_BatchRun)
    ->ArgName("jobs")
    ->Arg(1)
    ->Arg(2)
    ->Iterations(5)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
