// The library check and the header export of generated libraries in which a tenth of the
// resources reuse the id of their predecessor. The check runs without textures, so that it
// measures the passes over the resources and not the file system's lookups.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "bench/GeneratedLibrary.h"
#include "bench/ScratchDirectory.h"
#include "document/HeaderExport.h"
#include "document/LibraryCheck.h"

namespace {

std::unique_ptr<ResourceLibrary> makeLibraryWithSharedIds(std::uint32_t resourceCount) {
    auto library = makeGeneratedLibrary(resourceCount);
    library->textures.clear();
    for (std::size_t index = 9; index < library->resources.size(); index += 10) {
        library->resources[index]->id = library->resources[index - 1]->id;
    }
    return library;
}

const ResourceLibrary& libraryFor(std::uint32_t resourceCount) {
    static std::map<std::uint32_t, std::unique_ptr<ResourceLibrary>> libraries;
    std::unique_ptr<ResourceLibrary>& library = libraries[resourceCount];
    if (!library) {
        library = makeLibraryWithSharedIds(resourceCount);
    }
    return *library;
}

const ResourceLibrary& libraryFor(const benchmark::State& state) {
    return libraryFor(static_cast<std::uint32_t>(state.range(0)));
}

void BM_LibraryCheck(benchmark::State& state) {
    const ResourceLibrary& library = libraryFor(state);
    std::int32_t errors = 0;
    for (auto _ : state) {
        const LibraryCheckResult result = CheckLibrary(library);
        errors = result.errorCount;
        benchmark::DoNotOptimize(result.lines.data());
    }
    state.counters["errors"] = errors;
}

void BM_HeaderExport(benchmark::State& state) {
    const ResourceLibrary& library = libraryFor(state);
    const ScratchDirectory scratch;
    const std::string path = scratch.file("library.h");
    for (auto _ : state) {
        if (ExportHeader(library, path) != HeaderExportResult::Ok) {
            state.SkipWithError("export failed");
            break;
        }
    }
}

void resourceCounts(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgName("resources")->Arg(1'000)->Arg(10'000)->Arg(100'000);
    benchmark->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_LibraryCheck)->Apply(resourceCounts);
BENCHMARK(BM_HeaderExport)->Apply(resourceCounts);

}  // namespace

BENCHMARK_MAIN();
