// The library check and the header export of generated libraries in which a tenth of the
// resources reuse the id of their predecessor. The check runs without textures, so that it
// measures the passes over the resources and not the file system's lookups; those are
// measured on their own: 1,000 textures in a folder of 10,000 files, their paths spelt
// exactly or in another letter case (which must cost at most twice as much). A texture path
// of tens of thousands of folders ("a/a/.../x.png", as a crafted file may hold) must be
// checked in well under a second.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
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

// The texture folder gfx/ beside library.gui: 10,000 files, every tenth named in the library.
class TextureFolder {
public:
    static constexpr int kFiles = 10'000;
    static constexpr int kTextures = 1'000;

    TextureFolder() {
        std::filesystem::create_directory(scratch.file("gfx"));
        for (int index = 0; index < kFiles; ++index) {
            std::FILE* file = std::fopen(scratch.file("gfx/" + fileName(index)).c_str(), "w");
            if (file != nullptr) {
                std::fclose(file);
            }
        }
    }

    static std::string fileName(int index) {
        char name[32];
        std::snprintf(name, sizeof name, "textur_%05d.png", index);
        return name;
    }

    // The library, its texture paths spelt as the files or with capitals where they have none.
    std::unique_ptr<ResourceLibrary> library(bool otherCase) const {
        auto library = std::make_unique<ResourceLibrary>();
        library->name = "Texturen";
        library->resourcePath = "gfx\\";
        for (int index = 0; index < kFiles; index += kFiles / kTextures) {
            auto texture = std::make_unique<TextureEntry>();
            texture->path = fileName(index);
            if (otherCase) {
                texture->path[0] = 'T';
                texture->path.replace(texture->path.size() - 3, 3, "PNG");
            }
            library->textures.push_back(std::move(texture));
        }
        return library;
    }

    std::string libraryFile() const { return scratch.file("library.gui"); }

private:
    ScratchDirectory scratch;
};

void BM_TextureFileCheck(benchmark::State& state) {
    static const TextureFolder folder;
    const auto library = folder.library(state.range(0) != 0);
    std::int32_t errors = 0;
    for (auto _ : state) {
        errors = CheckLibrary(*library, folder.libraryFile()).errorCount;
    }
    state.counters["errors"] = errors;
}

// One texture whose path climbs down folderCount folders that do not exist.
void BM_DeepTexturePathCheck(benchmark::State& state) {
    const ScratchDirectory scratch;
    ResourceLibrary library;
    library.name = "Tief";
    auto texture = std::make_unique<TextureEntry>();
    for (std::int64_t folder = 0; folder < state.range(0); ++folder) {
        texture->path += "a/";
    }
    texture->path += "x.png";
    library.textures.push_back(std::move(texture));
    std::int32_t errors = 0;
    for (auto _ : state) {
        errors = CheckLibrary(library, scratch.file("tief.gui")).errorCount;
    }
    state.counters["errors"] = errors;
}

void resourceCounts(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgName("resources")->Arg(1'000)->Arg(10'000)->Arg(100'000);
    benchmark->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_LibraryCheck)->Apply(resourceCounts);
BENCHMARK(BM_HeaderExport)->Apply(resourceCounts);
BENCHMARK(BM_TextureFileCheck)->ArgName("otherCase")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeepTexturePathCheck)
    ->ArgName("folders")
    ->Arg(30'000)
    ->Arg(60'000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
