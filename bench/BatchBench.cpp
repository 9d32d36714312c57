#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int ProjectCount = 1000;

// A program folder with the shipped templates and 1,000 copies of the demo project, each
// with a page name of its own; removed, with every page written, when the program ends.
class BatchFolder {
  public:
    BatchFolder() : root_(fs::temp_directory_path() / "vantor-batch-bench") {
        fs::remove_all(root_);
        fs::create_directories(projects());
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

void CountPages(benchmark::State& state) {
    state.counters["per_page"] = benchmark::Counter(
        ProjectCount, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

// One generate per project, as a script without --projects would run them.
static void BM_SingleRuns(benchmark::State& state) {
    BatchFolder& folder = Folder();
    const std::string app = folder.app().string();
    for (auto _ : state) {
        state.PauseTiming();
        folder.MoveOutputAside();
        state.ResumeTiming();
        for (int i = 0; i < ProjectCount; ++i)
            if (!RunCli({"generate", "--app-dir", app, "--settings", folder.project(i).string()}))
                state.SkipWithError("generate failed");
    }
    CountPages(state);
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
    for (auto _ : state) {
        state.PauseTiming();
        folder.MoveOutputAside();
        state.ResumeTiming();
        if (!RunCli(arguments))
            state.SkipWithError("generate failed");
    }
    CountPages(state);
}
BENCHMARK(BM_BatchRun)
    ->ArgName("jobs")
    ->Arg(1)
    ->Arg(2)
    ->Iterations(5)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
