// Load and save of generated libraries as the document and the command-line tool do them
// (the whole file in one transfer, parsed from and written into memory), and field by field
// through tsFileStream, measured against bare system call floors: loops of ::read() and
// ::write() with exactly the transfers that a field-by-field load and save make, the whole
// file in one ::read(), in one ::write() with ::fsync(). Every iteration opens and closes its
// file. Load and save against memory show the core's own share, without system calls.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "bench/CallRecording.h"
#include "bench/GeneratedLibrary.h"
#include "bench/ScratchDirectory.h"
#include "library/LibraryFile.h"
#include "library/uiresourcecontrol.h"
#include "persistence/MemoryStreams.h"
#include "persistence/tsStream.h"

namespace {

const ScratchDirectory& scratch() {
    static const ScratchDirectory directory;
    return directory;
}

// What the benchmarks of one library size share: the library, its saved file, and the
// sizes of the stream calls that saving and loading it make.
struct Workload {
    std::unique_ptr<ResourceLibrary> library;
    std::string libraryFile;
    std::string bytes;  // the file's contents
    std::vector<std::uint32_t> writeSizes;
    std::vector<std::uint32_t> readSizes;
};

void require(bool condition, const std::string& what) {
    if (!condition) {
        throw std::runtime_error(what);
    }
}

std::string fileContents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::unique_ptr<Workload> makeWorkload(std::uint32_t resourceCount) {
    auto workload = std::make_unique<Workload>();
    workload->library = makeGeneratedLibrary(resourceCount);
    workload->libraryFile = scratch().file("library-" + std::to_string(resourceCount) + ".gui");

    tsFileStream output;
    require(SUCCEEDED(output.open(workload->libraryFile.c_str(), TS_OPEN_CREATE | TS_OPEN_WRITE)),
            "cannot create " + workload->libraryFile);
    RecordingOutputStream writes(output);
    require(SUCCEEDED(workload->library->save(writes)), "save failed");
    output.close();
    workload->writeSizes = std::move(writes.sizes);
    workload->bytes = fileContents(workload->libraryFile);

    tsFileStream input;
    require(SUCCEEDED(input.open(workload->libraryFile.c_str(), TS_OPEN_READ)),
            "cannot open " + workload->libraryFile);
    RecordingInputStream reads(input);
    ResourceLibrary loaded;
    require(SUCCEEDED(loaded.load(reads)) && loaded.resourceCount() == resourceCount,
            "load failed");
    workload->readSizes = std::move(reads.sizes);
    return workload;
}

const Workload& workloadFor(std::uint32_t resourceCount) {
    static std::map<std::uint32_t, std::unique_ptr<Workload>> workloads;
    std::unique_ptr<Workload>& workload = workloads[resourceCount];
    if (!workload) {
        workload = makeWorkload(resourceCount);
    }
    return *workload;
}

std::uint32_t resourceCountOf(const benchmark::State& state) {
    return static_cast<std::uint32_t>(state.range(0));
}

// Bytes per second, and the time of one call (stream call or system call) as a counter.
void reportTransfers(benchmark::State& state, std::size_t bytes, std::size_t calls) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes));
    state.counters["calls"] = static_cast<double>(calls);
    state.counters["time/call"] = benchmark::Counter(
        static_cast<double>(calls),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// save straight into the file, one system call per field.
void BM_SaveFieldByField(benchmark::State& state) {
    const Workload& workload = workloadFor(resourceCountOf(state));
    const std::string path = scratch().file("save.gui");
    for (auto _ : state) {
        tsFileStream stream;
        if (FAILED(stream.open(path.c_str(), TS_OPEN_CREATE | TS_OPEN_WRITE)) ||
            FAILED(workload.library->save(stream))) {
            state.SkipWithError("save failed");
            break;
        }
    }
    reportTransfers(state, workload.bytes.size(), workload.writeSizes.size());
}

// The document's save: into memory, one write to a temporary file, sync, rename.
void BM_Save(benchmark::State& state) {
    const Workload& workload = workloadFor(resourceCountOf(state));
    const std::string path = scratch().file("save.gui");
    for (auto _ : state) {
        if (FAILED(saveLibraryFile(path, *workload.library))) {
            state.SkipWithError("save failed");
            break;
        }
    }
    reportTransfers(state, workload.bytes.size(), 1);
}

// The floor of the document's save: the whole file in one ::write(), then ::fsync().
void BM_WriteWholeAndSync(benchmark::State& state) {
    const Workload& workload = workloadFor(resourceCountOf(state));
    const std::string path = scratch().file("write.gui");
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        const bool complete = fd >= 0 &&
                              ::write(fd, workload.bytes.data(), workload.bytes.size()) ==
                                  static_cast<ssize_t>(workload.bytes.size()) &&
                              ::fsync(fd) == 0;
        ::close(fd);
        if (!complete) {
            state.SkipWithError("write failed");
            break;
        }
    }
    reportTransfers(state, workload.bytes.size(), 1);
}

// One ::write() per stream call that save makes, of the same sizes and bytes.
void BM_WriteLoop(benchmark::State& state) {
    const Workload& workload = workloadFor(resourceCountOf(state));
    const std::string path = scratch().file("write.gui");
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        const char* next = workload.bytes.data();
        bool complete = fd >= 0;
        for (const std::uint32_t size : workload.writeSizes) {
            complete = complete && ::write(fd, next, size) == static_cast<ssize_t>(size);
            next += size;
        }
        ::close(fd);
        if (!complete) {
            state.SkipWithError("write failed");
            break;
        }
    }
    reportTransfers(state, workload.bytes.size(), workload.writeSizes.size());
}

// load straight from the file, one system call per field.
void BM_LoadFieldByField(benchmark::State& state) {
    const Workload& workload = workloadFor(resourceCountOf(state));
    ResourceLibrary library;
    for (auto _ : state) {
        state.PauseTiming();
        library.clear();  // as the document does before it loads
        state.ResumeTiming();
        tsFileStream stream;
        if (FAILED(stream.open(workload.libraryFile.c_str(), TS_OPEN_READ)) ||
            FAILED(library.load(stream))) {
            state.SkipWithError("load failed");
            break;
        }
    }
    reportTransfers(state, workload.bytes.size(), workload.readSizes.size());
}

// The document's and the command-line tool's load: one read of the whole file, then load
// from memory.
void BM_Load(benchmark::State& state) {
    const Workload& workload = workloadFor(resourceCountOf(state));
    for (auto _ : state) {
        state.PauseTiming();
        auto library = std::make_unique<ResourceLibrary>();
        state.ResumeTiming();
        if (FAILED(loadLibraryFile(workload.libraryFile, *library))) {
            state.SkipWithError("load failed");
            break;
        }
        state.PauseTiming();
        library.reset();
        state.ResumeTiming();
    }
    reportTransfers(state, workload.bytes.size(), 1);
}

// One ::read() per stream call that load makes, of the same sizes.
void BM_ReadLoop(benchmark::State& state) {
    const Workload& workload = workloadFor(resourceCountOf(state));
    std::vector<char> buffer(
        *std::max_element(workload.readSizes.begin(), workload.readSizes.end()));
    for (auto _ : state) {
        const int fd = ::open(workload.libraryFile.c_str(), O_RDONLY | O_CLOEXEC);
        bool complete = fd >= 0;
        for (const std::uint32_t size : workload.readSizes) {
            complete = complete && ::read(fd, buffer.data(), size) == static_cast<ssize_t>(size);
        }
        benchmark::DoNotOptimize(buffer.data());
        ::close(fd);
        if (!complete) {
            state.SkipWithError("read failed");
            break;
        }
    }
    reportTransfers(state, workload.bytes.size(), workload.readSizes.size());
}

// The whole file in one ::read(): the cost of the bytes alone.
void BM_ReadWhole(benchmark::State& state) {
    const Workload& workload = workloadFor(resourceCountOf(state));
    std::vector<char> buffer(workload.bytes.size());
    for (auto _ : state) {
        const int fd = ::open(workload.libraryFile.c_str(), O_RDONLY | O_CLOEXEC);
        const bool complete = fd >= 0 && ::read(fd, buffer.data(), buffer.size()) ==
                                             static_cast<ssize_t>(buffer.size());
        benchmark::DoNotOptimize(buffer.data());
        ::close(fd);
        if (!complete) {
            state.SkipWithError("read failed");
            break;
        }
    }
    reportTransfers(state, workload.bytes.size(), 1);
}

// Pages the process touched for the first time so far: each one a fault that the system
// answers with a fresh, zeroed page.
long pageFaults() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

void reportPageFaults(benchmark::State& state, long faults) {
    state.counters["faults"] =
        benchmark::Counter(static_cast<double>(faults), benchmark::Counter::kAvgIterations);
}

void BM_SaveToMemory(benchmark::State& state) {
    const Workload& workload = workloadFor(resourceCountOf(state));
    MemoryOutputStream stream;
    const long faultsBefore = pageFaults();
    for (auto _ : state) {
        stream.clear();
        if (FAILED(workload.library->save(stream))) {
            state.SkipWithError("save failed");
            break;
        }
    }
    reportPageFaults(state, pageFaults() - faultsBefore);
    reportTransfers(state, workload.bytes.size(), workload.writeSizes.size());
}

void BM_LoadFromMemory(benchmark::State& state) {
    const Workload& workload = workloadFor(resourceCountOf(state));
    MemoryInputStream stream(workload.bytes);
    ResourceLibrary library;
    const long faultsBefore = pageFaults();
    for (auto _ : state) {
        state.PauseTiming();
        library.clear();
        stream.rewind();
        state.ResumeTiming();
        if (FAILED(library.load(stream))) {
            state.SkipWithError("load failed");
            break;
        }
    }
    reportPageFaults(state, pageFaults() - faultsBefore);
    reportTransfers(state, workload.bytes.size(), workload.readSizes.size());
}

void resourceCounts(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgName("resources")->Arg(1'000)->Arg(10'000)->Arg(100'000);
    benchmark->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Save)->Apply(resourceCounts);
BENCHMARK(BM_WriteWholeAndSync)->Apply(resourceCounts);
BENCHMARK(BM_SaveFieldByField)->Apply(resourceCounts);
BENCHMARK(BM_WriteLoop)->Apply(resourceCounts);
BENCHMARK(BM_Load)->Apply(resourceCounts);
BENCHMARK(BM_LoadFieldByField)->Apply(resourceCounts);
BENCHMARK(BM_ReadLoop)->Apply(resourceCounts);
BENCHMARK(BM_ReadWhole)->Apply(resourceCounts);
BENCHMARK(BM_SaveToMemory)->Apply(resourceCounts);
BENCHMARK(BM_LoadFromMemory)->Apply(resourceCounts);

}  // namespace

BENCHMARK_MAIN();
