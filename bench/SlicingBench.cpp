// Slicing texture sheets. The islands of a 4096 x 4096 sheet holding 10,000 pieces must be
// found in under 300 ms; each change of a field in the slicing panels recomputes the
// candidates of a 2048 x 2048 sheet, which must take under 50 ms. Also measured: the island
// under one pixel (a double click) and applying 10,000 candidates against 10,000 areas that
// are kept.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include "document/AutoSlicing.h"
#include "document/GridSlicing.h"
#include "document/IslandFinding.h"
#include "document/SliceApplication.h"

namespace {

// A sheet of side x side pixels with columns x columns pieces, one per cell: blobs of random
// size and place within their cell, with holes, with soft (half transparent) edges and with
// specks beside them that touch only at a corner, as painted sprite sheets have.
struct Sheet {
    std::vector<std::uint32_t> argb;
    int side = 0;
    TexturePixels pixels() const { return {argb.data(), side, side, side}; }
};

Sheet makeSheet(int side, int columns) {
    Sheet sheet;
    sheet.side = side;
    sheet.argb.assign(std::size_t(side) * side, 0u);
    std::mt19937 random(27);
    const int cell = side / columns;
    const auto set = [&sheet](int x, int y, std::uint32_t value) {
        sheet.argb[std::size_t(y) * sheet.side + x] = value;
    };
    for (int row = 0; row < columns; ++row) {
        for (int column = 0; column < columns; ++column) {
            const int radius = std::uniform_int_distribution(cell / 5, cell / 2 - 4)(random);
            const int cx = column * cell + cell / 2 + std::uniform_int_distribution(-2, 2)(random);
            const int cy = row * cell + cell / 2 + std::uniform_int_distribution(-2, 2)(random);
            for (int y = cy - radius; y <= cy + radius; ++y) {
                for (int x = cx - radius; x <= cx + radius; ++x) {
                    const int d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                    if (d2 > radius * radius || d2 < radius * radius / 9) {
                        continue;  // outside, or the hole in the middle
                    }
                    const bool edge = d2 > (radius - 1) * (radius - 1);
                    set(x, y, edge ? 0x40202020u : 0xff8040c0u);
                }
            }
            set(cx + radius + 1, cy - 1, 0xff000000u);  // touches the rim at a corner
        }
    }
    return sheet;
}

const Sheet& sheetOf(int side, int columns) {
    static std::map<std::pair<int, int>, std::unique_ptr<Sheet>> sheets;
    std::unique_ptr<Sheet>& sheet = sheets[{side, columns}];
    if (!sheet) {
        sheet = std::make_unique<Sheet>(makeSheet(side, columns));
    }
    return *sheet;
}

// 10,000 pieces on 4096 x 4096.
void BM_IslandsOfABigSheet(benchmark::State& state) {
    const Sheet& sheet = sheetOf(4096, 100);
    std::size_t count = 0;
    for (auto _ : state) {
        const auto islands = FindIslands(sheet.pixels(), {1, 0});
        count = islands->size();
        benchmark::DoNotOptimize(islands->data());
    }
    state.counters["islands"] = double(count);
}

// The automatic panel on 2048 x 2048 with 2,500 pieces: its defaults, merging by a gap, and
// a threshold above the soft edges.
void BM_AutoCandidates(benchmark::State& state) {
    const Sheet& sheet = sheetOf(2048, 50);
    AutoSliceSettings settings;
    settings.mergeGap = static_cast<int>(state.range(0));
    settings.threshold = static_cast<int>(state.range(1));
    std::size_t count = 0;
    for (auto _ : state) {
        const auto candidates = AutoSliceCandidates(sheet.pixels(), 1, settings);
        count = candidates->rects.size();
        benchmark::DoNotOptimize(candidates->rects.data());
    }
    state.counters["candidates"] = double(count);
}

// The grid panel on 2048 x 2048: cells of 16 (16,384 cells, mostly empty ones), empty cells
// left out, cells trimmed.
void BM_GridCandidates(benchmark::State& state) {
    const Sheet& sheet = sheetOf(2048, 50);
    GridSettings settings;
    settings.cellWidth = settings.cellHeight = 16;
    settings.skipEmpty = state.range(0) != 0;
    settings.trimCells = state.range(1) != 0;
    std::size_t count = 0;
    for (auto _ : state) {
        const auto candidates = GridCandidates(sheet.pixels(), 1, settings);
        count = candidates->rects.size();
        benchmark::DoNotOptimize(candidates->rects.data());
    }
    state.counters["candidates"] = double(count);
}

// A double click on the last piece of the big sheet, the worst place: every row is read.
void BM_IslandAtAPixel(benchmark::State& state) {
    const Sheet& sheet = sheetOf(4096, 100);
    const int centre = 99 * 40 + 20;
    int x = centre;
    while (!ShowRule{}.shows(sheet.argb[std::size_t(centre) * 4096 + x])) {
        ++x;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(IslandAt(sheet.pixels(), {}, x, centre));
    }
}

// "Behalten und ergänzen" on a sheet sliced before: 10,000 candidates, 10,000 kept areas.
void BM_PlanKeepingExistingAreas(benchmark::State& state) {
    const Sheet& sheet = sheetOf(4096, 100);
    const std::vector<PixelRect> candidates = AutoSliceCandidates(sheet.pixels(), 1, {})->rects;
    ResourceLibrary library;
    library.resources.push_back(std::make_unique<UiResource>());
    for (const PixelRect& rect : candidates) {
        library.resources[0]->areas.push_back(SlicedArea(rect, 0));
    }
    std::size_t leftOut = 0;
    for (auto _ : state) {
        const SlicePlan plan = PlanSlice(library, 0, 0, candidates, ExistingAreas::KeepAndAdd);
        leftOut = plan.leftOut.size();
        benchmark::DoNotOptimize(plan.leftOut.data());
    }
    state.counters["leftOut"] = double(leftOut);
}

}  // namespace

BENCHMARK(BM_IslandsOfABigSheet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutoCandidates)
    ->Args({0, 0})
    ->Args({4, 0})
    ->Args({0, 100})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridCandidates)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IslandAtAPixel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanKeepingExistingAreas)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
