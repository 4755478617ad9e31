#pragma once

#include <functional>
#include <memory>

// What the benchmarks that drive the editor's widgets share (see EditorBenchMain.cpp).

// Runs cleanup once the benchmarks ended, while the application object still exists.
void afterBenchmarks(std::function<void()> cleanup);

// A fixture made on first use and shared by every run of a program's benchmarks; its widgets
// go when the benchmarks ended, before the application object does.
template <typename Fixture>
Fixture& sharedFixture() {
    static std::unique_ptr<Fixture> shared;
    if (!shared) {
        shared = std::make_unique<Fixture>();
        afterBenchmarks([] { shared.reset(); });
    }
    return *shared;
}
