// tolvane-cli dump and build against resave on the same generated library, each command run
// as the user runs it: a process that reads one file and writes another, timed by the wall
// clock. The text form's conversions alone, in memory, show the core's own share.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "bench/GeneratedLibrary.h"
#include "bench/ScratchDirectory.h"
#include "library/LibraryFile.h"
#include "library/LibraryJson.h"

extern char** environ;

namespace {

const ScratchDirectory& scratch() {
    static const ScratchDirectory directory;
    return directory;
}

// The generated library of a size as a library file and as its text form.
struct Workload {
    std::string libraryFile;
    std::string jsonFile;
    std::string json;
};

const Workload& workloadFor(std::uint32_t resourceCount) {
    static std::map<std::uint32_t, Workload> workloads;
    Workload& workload = workloads[resourceCount];
    if (workload.libraryFile.empty()) {
        const auto library = makeGeneratedLibrary(resourceCount);
        const std::string name = "library-" + std::to_string(resourceCount);
        workload.libraryFile = scratch().file(name + ".gui");
        workload.jsonFile = scratch().file(name + ".json");
        workload.json = libraryToJson(*library);
        saveLibraryFile(workload.libraryFile, *library);
        saveFileSafely(workload.jsonFile, workload.json);
    }
    return workload;
}

// Runs tolvane-cli with the arguments, its standard output thrown away; true on exit 0.
bool runCli(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), TOLVANE_CLI_PATH);
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    int status = -1;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        ::waitpid(child, &status, 0);
    }
    posix_spawn_file_actions_destroy(&actions);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::uint32_t resourceCountOf(const benchmark::State& state) {
    return static_cast<std::uint32_t>(state.range(0));
}

void runCommand(benchmark::State& state, const std::vector<std::string>& arguments) {
    for (auto _ : state) {
        if (!runCli(arguments)) {
            state.SkipWithError("tolvane-cli failed");
            break;
        }
    }
}

void BM_Resave(benchmark::State& state) {
    runCommand(state, {"resave", workloadFor(resourceCountOf(state)).libraryFile,
                       scratch().file("resaved.gui")});
}

void BM_Dump(benchmark::State& state) {
    runCommand(state, {"dump", workloadFor(resourceCountOf(state)).libraryFile,
                       scratch().file("dumped.json")});
}

void BM_DumpToStandardOutput(benchmark::State& state) {
    runCommand(state, {"dump", workloadFor(resourceCountOf(state)).libraryFile});
}

void BM_Build(benchmark::State& state) {
    runCommand(state, {"build", workloadFor(resourceCountOf(state)).jsonFile,
                       scratch().file("built.gui")});
}

void BM_LibraryToJson(benchmark::State& state) {
    const auto library = makeGeneratedLibrary(resourceCountOf(state));
    for (auto _ : state) {
        benchmark::DoNotOptimize(libraryToJson(*library));
    }
}

void BM_LibraryFromJson(benchmark::State& state) {
    const Workload& workload = workloadFor(resourceCountOf(state));
    for (auto _ : state) {
        ResourceLibrary library;
        if (libraryFromJson(workload.json, library)) {
            state.SkipWithError("refused");
            break;
        }
    }
}

void commandSizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgName("resources")->Arg(10'000)->Arg(100'000);
    benchmark->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_Resave)->Apply(commandSizes);
BENCHMARK(BM_Dump)->Apply(commandSizes);
BENCHMARK(BM_DumpToStandardOutput)->Apply(commandSizes);
BENCHMARK(BM_Build)->Apply(commandSizes);
BENCHMARK(BM_LibraryToJson)->Apply(commandSizes);
BENCHMARK(BM_LibraryFromJson)->Apply(commandSizes);

}  // namespace

BENCHMARK_MAIN();
