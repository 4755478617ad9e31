// Opening a big library, and New, Copy and Delete on it, each from the command to the selected
// tree item: the whole editor runs on the offscreen platform, and every command rebuilds the
// real tree.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEvent>
#include <QSettings>
#include <cstdint>
#include <memory>

#include "bench/GeneratedLibrary.h"
#include "bench/ScratchDirectory.h"
#include "library/LibraryFile.h"
#include "ui/MainFrame.h"
#include "ui/ResourceIds.h"
#include "ui/TolvaneApp.h"
#include "ui/TolvaneDoc.h"
#include "ui/TolvaneView.h"

namespace {

constexpr std::uint32_t kResources = 10'000;

// The editor, started with an empty library into which the generated one is swapped.
class Editor {
public:
    Editor() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(scratch.file("settings")));
        app = std::make_unique<CTolvaneApp>();
        started = app->InitInstance({});
    }

    bool load(std::uint32_t resourceCount) {
        if (!started) {
            return false;
        }
        const std::unique_ptr<ResourceLibrary> generated = makeGeneratedLibrary(resourceCount);
        currentDocument->UpdateAllViews(nullptr, CTolvaneDoc::kHintRecordsReplaced);
        currentDocument->library.swap(*generated);
        currentTreeView->RebuildTree();
        return true;
    }

    // Writes the generated library as a file and returns its path.
    std::string saveGenerated(std::uint32_t resourceCount) {
        const std::string path = scratch.file("generated.gui");
        return SUCCEEDED(saveLibraryFile(path, *makeGeneratedLibrary(resourceCount)))
                   ? path
                   : std::string();
    }
    bool open(const std::string& path) {
        return started && app->OpenDocumentFile(QString::fromStdString(path)) != nullptr;
    }

    void dispatch(int command) { app->mainWindow()->dispatch(command); }
    void selectMiddle() {
        const auto& resources = currentDocument->library.resources;
        currentTreeView->SelectResource(resources[resources.size() / 2].get());
    }
    // Lets the forms that the commands replaced go.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

private:
    ScratchDirectory scratch;
    std::unique_ptr<CTolvaneApp> app;
    bool started = false;
};

void runCommand(benchmark::State& state, int command, bool selectFirst) {
    Editor editor;
    if (!editor.load(kResources)) {
        state.SkipWithError("the editor did not start");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        if (selectFirst) {
            editor.selectMiddle();
        }
        Editor::settle();
        state.ResumeTiming();
        editor.dispatch(command);
        benchmark::DoNotOptimize(currentTreeView->currentResource);
    }
    state.counters["resources"] = static_cast<double>(currentDocument->library.resourceCount());
}

void BM_NewResource(benchmark::State& state) {
    runCommand(state, ID_NEW_RESOURCE, false);
}

void BM_CopyResource(benchmark::State& state) {
    runCommand(state, ID_COPY_RESOURCE, true);
}

void BM_DeleteResource(benchmark::State& state) {
    runCommand(state, ID_DELETE_RESOURCE, true);
}

// Opening a library as the user does: read, backup written beside it, tree rebuilt.
void BM_OpenLibrary(benchmark::State& state) {
    Editor editor;
    const std::string path = editor.saveGenerated(kResources);
    for (auto _ : state) {
        if (path.empty() || !editor.open(path)) {
            state.SkipWithError("the library did not open");
            break;
        }
        state.PauseTiming();
        Editor::settle();
        state.ResumeTiming();
    }
    state.counters["resources"] = static_cast<double>(currentDocument->library.resourceCount());
}

BENCHMARK(BM_OpenLibrary)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

// A fixed, small number of runs, so that the library stays near its size.
BENCHMARK(BM_NewResource)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyResource)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DeleteResource)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
