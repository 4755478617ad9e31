// The editor as a screen reader's user has it: the whole, shown window, on whatever platform and
// accessibility bus the environment gives (bench/accessibility-bench.sh starts a bus and a
// client listening for events). Each figure runs from the user's action until the editor has
// nothing more to do: the accessibility bridge's messages and the client's questions about
// them are answered in the event loop, so the time runs until that loop has been idle for a
// while (the idle wait itself not counted).
//   - one keystroke in "Bezeichner" of a button with 60 areas on a 2048 x 2048 Solid texture;
//   - "Neue Ressource" on a library of 10,000 resources;
//   - opening a library of 100,000 resources.

#include <benchmark/benchmark.h>

#include <QAbstractEventDispatcher>
#include <QAccessible>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QSettings>
#include <QTest>
#include <QThread>
#include <memory>

#include "bench/GeneratedLibrary.h"
#include "bench/ScratchDirectory.h"
#include "library/LibraryFile.h"
#include "ui/ResourceIds.h"
#include "ui/form/TolvaneViewButton.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/TolvaneApp.h"
#include "ui/shell/TolvaneDoc.h"
#include "ui/shell/TolvaneView.h"

namespace {

constexpr int kTextureSide = 2048;
constexpr int kAreas = 60;
constexpr qint64 kQuietNanoseconds = 300'000'000;

// Runs the event loop until it found nothing to do for the quiet time; returns the seconds
// from clock's start to the last event handled.
double settle(const QElapsedTimer& clock) {
    QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance();
    qint64 lastWork = clock.nsecsElapsed();
    while (clock.nsecsElapsed() - lastWork < kQuietNanoseconds) {
        if (loop->processEvents(QEventLoop::AllEvents)) {
            lastWork = clock.nsecsElapsed();
        } else {
            QThread::usleep(500);
        }
    }
    return static_cast<double>(lastWork) / 1e9;
}

// The editor's window, shown, with an empty library.
class Editor {
public:
    Editor() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(scratch.file("settings")));
        app = std::make_unique<CTolvaneApp>();
        started = app->InitInstance({});
        if (started) {
            app->mainWindow()->resize(1600, 1000);
            QElapsedTimer clock;
            clock.start();
            settle(clock);
        }
    }

    bool running(benchmark::State& state) {
        if (!started) {
            state.SkipWithError("the editor did not start");
        }
        state.counters["accessible"] = QAccessible::isActive() ? 1 : 0;
        return started;
    }

    std::string save(const ResourceLibrary& library, const std::string& name) {
        const std::string path = scratch.file(name);
        return SUCCEEDED(saveLibraryFile(path, library)) ? path : std::string();
    }
    bool open(const std::string& path) {
        return app->OpenDocumentFile(QString::fromStdString(path)) != nullptr;
    }
    void dispatch(int command) { app->mainWindow()->dispatch(command); }

    ScratchDirectory scratch;

private:
    std::unique_ptr<CTolvaneApp> app;
    bool started = false;
};

// One button of kAreas areas of 64 x 64, in rows, cut from a 2048 x 2048 Solid PNG.
std::unique_ptr<ResourceLibrary> buttonOnBigTexture(const std::string& folder) {
    QImage picture(kTextureSide, kTextureSide, QImage::Format_RGB32);
    picture.fill(QColor(40, 90, 160));
    picture.save(QString::fromStdString(folder + "atlas.png"));
    auto library = std::make_unique<ResourceLibrary>();
    auto texture = std::make_unique<TextureEntry>();
    texture->path = "atlas.png";
    texture->widthIndex = 7;
    texture->heightIndex = 7;
    texture->blendType = 0;
    library->textures.push_back(std::move(texture));
    library->resourcePath = folder;
    auto button = std::make_unique<UiResource>();
    button->identifier = "KNOPF";
    for (int index = 0; index < kAreas; ++index) {
        ResourceArea area;
        area.x1 = static_cast<float>(index % 32 * 64);
        area.y1 = static_cast<float>(index / 32 * 64);
        area.x2 = area.x1 + 64.0f;
        area.y2 = area.y1 + 64.0f;
        area.offsetX = area.x1 / 4.0f;
        area.offsetY = area.y1 / 4.0f;
        button->areas.push_back(area);
    }
    library->resources.push_back(std::move(button));
    return library;
}

void BM_IdentifierKeystroke(benchmark::State& state) {
    Editor editor;
    if (!editor.running(state)) {
        return;
    }
    const std::string path =
        editor.save(*buttonOnBigTexture(editor.scratch.file("")), "button.gui");
    if (path.empty() || !editor.open(path)) {
        state.SkipWithError("the library did not open");
        return;
    }
    currentTreeView->SelectResource(currentDocument->library.resources[0].get());
    auto* identifier = currentButtonView->control<QLineEdit>(IDC_IDENTIFIER);
    identifier->setFocus();
    identifier->end(false);
    QElapsedTimer clock;
    clock.start();
    settle(clock);
    bool typed = false;
    for (auto _ : state) {
        clock.start();
        QTest::keyClick(identifier, typed ? Qt::Key_Backspace : Qt::Key_A);
        state.SetIterationTime(settle(clock));
        typed = !typed;
    }
}
BENCHMARK(BM_IdentifierKeystroke)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_NewResource(benchmark::State& state) {
    Editor editor;
    if (!editor.running(state)) {
        return;
    }
    const std::string path = editor.save(*makeGeneratedLibrary(10'000), "resources.gui");
    if (path.empty() || !editor.open(path)) {
        state.SkipWithError("the library did not open");
        return;
    }
    QElapsedTimer clock;
    clock.start();
    settle(clock);
    for (auto _ : state) {
        clock.start();
        editor.dispatch(ID_NEW_RESOURCE);
        state.SetIterationTime(settle(clock));
    }
}
BENCHMARK(BM_NewResource)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_OpenLibrary(benchmark::State& state) {
    Editor editor;
    if (!editor.running(state)) {
        return;
    }
    const std::string path = editor.save(*makeGeneratedLibrary(100'000), "big.gui");
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        if (path.empty() || !editor.open(path)) {
            state.SkipWithError("the library did not open");
            break;
        }
        state.SetIterationTime(settle(clock));
    }
}
BENCHMARK(BM_OpenLibrary)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
