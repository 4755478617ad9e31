// Opening a big library, and New, Copy and Delete on it, each from the command to the selected
// tree item, and the history of such changes: recording a step, undo and redo, the memory a
// history holds. The whole editor runs on the offscreen platform, and every command rebuilds
// the real tree.

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <QCoreApplication>
#include <QEvent>
#include <QSettings>
#include <cstdint>
#include <memory>

#include "bench/GeneratedLibrary.h"
#include "bench/ScratchDirectory.h"
#include "document/ResourceChanges.h"
#include "document/TextureTableChange.h"
#include "framework/StandardIds.h"
#include "library/LibraryFile.h"
#include "ui/ResourceIds.h"
#include "ui/history/LibraryHistory.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/TolvaneApp.h"
#include "ui/shell/TolvaneDoc.h"
#include "ui/shell/TolvaneView.h"

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

    // False, with the benchmark skipped, when the editor did not start.
    bool load(std::uint32_t resourceCount, benchmark::State& state) {
        if (!started) {
            state.SkipWithError("the editor did not start");
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
    if (!editor.load(kResources, state)) {
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

// Undo (or redo) of command, from the key to the selected tree item; the library is brought
// back to its size outside the timing.
void runStep(benchmark::State& state, int command, bool selectFirst, bool redo) {
    Editor editor;
    if (!editor.load(kResources, state)) {
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        if (selectFirst) {
            editor.selectMiddle();
        }
        editor.dispatch(command);
        if (redo) {
            editor.dispatch(framework::ID_EDIT_UNDO);
        }
        Editor::settle();
        state.ResumeTiming();
        editor.dispatch(redo ? framework::ID_EDIT_REDO : framework::ID_EDIT_UNDO);
        benchmark::DoNotOptimize(currentTreeView->currentResource);
        state.PauseTiming();
        if (redo) {
            editor.dispatch(framework::ID_EDIT_UNDO);
        }
        state.ResumeTiming();
    }
    state.counters["resources"] = static_cast<double>(currentDocument->library.resourceCount());
}

void BM_UndoNewResource(benchmark::State& state) {
    runStep(state, ID_NEW_RESOURCE, false, false);
}
void BM_RedoNewResource(benchmark::State& state) {
    runStep(state, ID_NEW_RESOURCE, false, true);
}
void BM_UndoCopyResource(benchmark::State& state) {
    runStep(state, ID_COPY_RESOURCE, true, false);
}
void BM_RedoCopyResource(benchmark::State& state) {
    runStep(state, ID_COPY_RESOURCE, true, true);
}
void BM_UndoDeleteResource(benchmark::State& state) {
    runStep(state, ID_DELETE_RESOURCE, true, false);
}
void BM_RedoDeleteResource(benchmark::State& state) {
    runStep(state, ID_DELETE_RESOURCE, true, true);
}

// One identifier step of the resource in the middle, as a keystroke in the form records it.
std::unique_ptr<LibraryChange> identifierStep(int keystroke) {
    const auto& resources = currentDocument->library.resources;
    const std::size_t index = resources.size() / 2;
    ResourceFields after = ResourceFields::of(*resources[index]);
    after.identifier = "Knopf_" + std::to_string(keystroke);
    return std::make_unique<ResourceFieldsChange>(index, ResourceFields::of(*resources[index]),
                                                  after);
}

void BM_RecordIdentifierStep(benchmark::State& state) {
    Editor editor;
    if (!editor.load(kResources, state)) {
        return;
    }
    editor.selectMiddle();
    int keystroke = 0;
    for (auto _ : state) {
        currentDocument->history->perform(QStringLiteral("Bezeichner ändern"),
                                          identifierStep(++keystroke), {});
    }
}

// The heap that 1,000 identifier steps (none merged) hold, in bytes.
void BM_IdentifierHistoryMemory(benchmark::State& state) {
    Editor editor;
    if (!editor.load(kResources, state)) {
        return;
    }
    editor.selectMiddle();
    double held = 0;
    for (auto _ : state) {
        currentDocument->history->reset();
        const std::size_t before = mallinfo2().uordblks;
        for (int keystroke = 1; keystroke <= 1000; ++keystroke) {
            currentDocument->history->perform(QStringLiteral("Bezeichner ändern"),
                                              identifierStep(keystroke), {});
        }
        held = static_cast<double>(mallinfo2().uordblks - before);
    }
    state.counters["bytes"] = held;
}

// Undo (or redo) of a texture dialog opening that changed every one of 1,000 textures, from
// the key to the selected tree item.
void runTextureDialogStep(benchmark::State& state, bool redo) {
    Editor editor;
    if (!editor.load(kResources, state)) {
        return;
    }
    ResourceLibrary& library = currentDocument->library;
    while (library.textures.size() < 1000) {
        library.textures.push_back(std::make_unique<TextureEntry>(*library.textures.front()));
    }
    const std::vector<TextureEntry> before = TextureTableChange::rowsOf(library);
    for (auto& texture : library.textures) {
        texture->path += "_neu";
    }
    currentDocument->history->record(
        QStringLiteral("Texturbibliothek"),
        std::make_unique<TextureTableChange>(TextureTableChange::between(before, library)), {});
    editor.selectMiddle();
    for (auto _ : state) {
        state.PauseTiming();
        if (redo) {
            editor.dispatch(framework::ID_EDIT_UNDO);
        }
        Editor::settle();
        state.ResumeTiming();
        editor.dispatch(redo ? framework::ID_EDIT_REDO : framework::ID_EDIT_UNDO);
        state.PauseTiming();
        if (!redo) {
            editor.dispatch(framework::ID_EDIT_REDO);
        }
        state.ResumeTiming();
    }
}

void BM_UndoTextureDialog(benchmark::State& state) {
    runTextureDialogStep(state, false);
}
void BM_RedoTextureDialog(benchmark::State& state) {
    runTextureDialogStep(state, true);
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
BENCHMARK(BM_UndoNewResource)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RedoNewResource)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UndoCopyResource)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RedoCopyResource)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UndoDeleteResource)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RedoDeleteResource)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RecordIdentifierStep)->Iterations(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IdentifierHistoryMemory)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoTextureDialog)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RedoTextureDialog)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
