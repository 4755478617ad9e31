// The text form against the binary one on the same generated library: dump (binary in, text
// out) and build (text in, binary out) against resave (binary in, binary out), each in memory
// as the core does it and as tolvane-cli runs it, a process that reads one file and writes
// another. A command's time is the CPU time of its process (user and system), so that other
// work on the machine does not count; in memory it is the benchmark thread's CPU time.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "bench/GeneratedLibrary.h"
#include "bench/ScratchDirectory.h"
#include "library/LibraryFile.h"
#include "library/LibraryJson.h"
#include "persistence/MemoryStreams.h"

extern char** environ;

namespace {

const ScratchDirectory& scratch() {
    static const ScratchDirectory directory;
    return directory;
}

// The generated library of a size as a library file and as its text form, on disk and in
// memory.
struct Workload {
    std::string libraryFile;
    std::string jsonFile;
    std::string bytes;
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
        std::ifstream in(workload.libraryFile, std::ios::binary);
        workload.bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    return workload;
}

double seconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

// Runs tolvane-cli with the arguments, its standard output thrown away; the CPU seconds it
// took, or a negative number when it did not exit with 0.
double runCli(std::vector<std::string> arguments) {
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
    rusage usage{};
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        ::wait4(child, &status, 0, &usage);
    }
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return -1;
    }
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

std::uint32_t resourceCountOf(const benchmark::State& state) {
    return static_cast<std::uint32_t>(state.range(0));
}

void runCommand(benchmark::State& state, const std::vector<std::string>& arguments) {
    for (auto _ : state) {
        const double cpuSeconds = runCli(arguments);
        if (cpuSeconds < 0) {
            state.SkipWithError("tolvane-cli failed");
            break;
        }
        state.SetIterationTime(cpuSeconds);
    }
}

void BM_ResaveCommand(benchmark::State& state) {
    runCommand(state, {"resave", workloadFor(resourceCountOf(state)).libraryFile,
                       scratch().file("resaved.gui")});
}

void BM_DumpCommand(benchmark::State& state) {
    runCommand(state, {"dump", workloadFor(resourceCountOf(state)).libraryFile,
                       scratch().file("dumped.json")});
}

void BM_DumpCommandToStandardOutput(benchmark::State& state) {
    runCommand(state, {"dump", workloadFor(resourceCountOf(state)).libraryFile});
}

void BM_BuildCommand(benchmark::State& state) {
    runCommand(state, {"build", workloadFor(resourceCountOf(state)).jsonFile,
                       scratch().file("built.gui")});
}

// The binary file's bytes in, a library out.
void loadFromMemory(const std::string& bytes, ResourceLibrary& library) {
    MemoryInputStream in(bytes);
    library.load(in);
}

std::size_t savedSize(const ResourceLibrary& library) {
    MemoryOutputStream out;
    library.save(out);
    return out.view().size();
}

void BM_ResaveInMemory(benchmark::State& state) {
    const Workload& workload = workloadFor(resourceCountOf(state));
    for (auto _ : state) {
        ResourceLibrary library;
        loadFromMemory(workload.bytes, library);
        benchmark::DoNotOptimize(savedSize(library));
    }
}

void BM_DumpInMemory(benchmark::State& state) {
    const Workload& workload = workloadFor(resourceCountOf(state));
    for (auto _ : state) {
        ResourceLibrary library;
        loadFromMemory(workload.bytes, library);
        benchmark::DoNotOptimize(libraryToJson(library));
    }
}

void BM_BuildInMemory(benchmark::State& state) {
    const Workload& workload = workloadFor(resourceCountOf(state));
    for (auto _ : state) {
        ResourceLibrary library;
        if (libraryFromJson(workload.json, library)) {
            state.SkipWithError("refused");
            break;
        }
        benchmark::DoNotOptimize(savedSize(library));
    }
}

void sizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgName("resources")->Arg(1'000)->Arg(10'000)->Arg(100'000);
    benchmark->Unit(benchmark::kMillisecond);
}

void commandSizes(benchmark::internal::Benchmark* benchmark) {
    sizes(benchmark);
    benchmark->UseManualTime();
}

BENCHMARK(BM_ResaveCommand)->Apply(commandSizes);
BENCHMARK(BM_DumpCommand)->Apply(commandSizes);
BENCHMARK(BM_DumpCommandToStandardOutput)->Apply(commandSizes);
BENCHMARK(BM_BuildCommand)->Apply(commandSizes);
BENCHMARK(BM_ResaveInMemory)->Apply(sizes);
BENCHMARK(BM_DumpInMemory)->Apply(sizes);
BENCHMARK(BM_BuildInMemory)->Apply(sizes);

}  // namespace

BENCHMARK_MAIN();
