// The recovery copy of a big library with unsaved changes: what writing it costs the user
// interface's thread (the library written into memory and handed to the writing thread), and,
// for comparison, the whole write until the copy is on the disk (synced and renamed).

#include <benchmark/benchmark.h>

#include <QSettings>
#include <cstdint>
#include <memory>

#include "bench/GeneratedLibrary.h"
#include "bench/ScratchDirectory.h"
#include "framework/FrameWindow.h"
#include "ui/ResourceIds.h"
#include "ui/shell/RecoveryKeeper.h"
#include "ui/shell/TolvaneApp.h"
#include "ui/shell/TolvaneDoc.h"

namespace {

// The editor with its recovery copies in a scratch folder, on a generated library with one
// unsaved change.
class Editor {
public:
    explicit Editor(std::uint32_t resourceCount) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(scratch.file("settings")));
        app = std::make_unique<CTolvaneApp>(QString(),
                                            QString::fromStdString(scratch.file("recovery")));
        if (!app->InitInstance({}) || app->recoveryKeeper() == nullptr) {
            return;
        }
        const std::unique_ptr<ResourceLibrary> generated = makeGeneratedLibrary(resourceCount);
        currentDocument->UpdateAllViews(nullptr, CTolvaneDoc::kHintRecordsReplaced);
        currentDocument->library.swap(*generated);
        app->mainWindow()->dispatch(ID_NEW_RESOURCE);
        keeper = app->recoveryKeeper();
    }

    ScratchDirectory scratch;
    std::unique_ptr<CTolvaneApp> app;
    RecoveryKeeper* keeper = nullptr;
};

void BM_RecoveryCopyOnTheInterfaceThread(benchmark::State& state) {
    Editor editor(static_cast<std::uint32_t>(state.range(0)));
    if (editor.keeper == nullptr) {
        state.SkipWithError("the editor did not start with a recovery folder");
        return;
    }
    for (auto _ : state) {
        editor.keeper->writeCopy();
        state.PauseTiming();
        editor.keeper->finishWriting();  // the next copy does not wait for this one
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RecoveryCopyOnTheInterfaceThread)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_RecoveryCopyUntilOnDisk(benchmark::State& state) {
    Editor editor(static_cast<std::uint32_t>(state.range(0)));
    if (editor.keeper == nullptr) {
        state.SkipWithError("the editor did not start with a recovery folder");
        return;
    }
    for (auto _ : state) {
        editor.keeper->writeCopy();
        editor.keeper->finishWriting();
    }
}
BENCHMARK(BM_RecoveryCopyUntilOnDisk)->Arg(10'000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
