// The preview panel with a 2048 x 2048 texture: switching between two resources that cut from
// it once it is decoded, one keystroke's worth of a working area changing while the
// coordinates dialog is open, and decoding the texture the first time. Each redraws the panel
// at once, as the screen would. The same switch is also measured in the whole editor, from
// the tree's selection to the painted window, the new button form included; and so are single
// keystrokes in the button form and in the coordinates dialog for a button of 60 or 1,000
// areas on the texture, with each blend type, together with the memory a drawing takes. Runs
// on Qt's offscreen platform.

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QSettings>
#include <QTest>
#include <fstream>
#include <memory>
#include <string>

#include "bench/EditorBench.h"
#include "bench/ScratchDirectory.h"
#include "framework/Dialog.h"
#include "framework/ReportList.h"
#include "ui/ResourceIds.h"
#include "ui/form/TolvaneViewButton.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/TolvaneApp.h"
#include "ui/shell/TolvaneDoc.h"
#include "ui/shell/TolvaneView.h"
#include "ui/texture_editor/PreviewDock.h"
#include "ui/texture_editor/PreviewPanel.h"
#include "ui/texture_editor/PreviewScene.h"
#include "ui/texture_editor/TextureCache.h"

namespace {

constexpr int kTextureSide = 2048;
constexpr int kAreasPerButton = 12;

ResourceArea areaAt(float x, float y, float size) {
    ResourceArea area;
    area.x1 = x;
    area.y1 = y;
    area.x2 = x + size;
    area.y2 = y + size;
    area.offsetX = x / 8.0f;
    area.offsetY = y / 8.0f;
    return area;
}

// A library with one 2048 x 2048 PNG (7 as its size index) and two buttons of twelve areas
// each cut from it, and the panel that shows them.
class PreviewFixture {
public:
    PreviewFixture() : panel(cache) {
        QImage picture(kTextureSide, kTextureSide, QImage::Format_ARGB32);
        QPainter painter(&picture);
        painter.fillRect(picture.rect(), QColor(40, 90, 160));
        for (int band = 0; band < kTextureSide; band += 64) {
            painter.fillRect(band, 0, 32, kTextureSide, QColor(band % 256, 120, 60, 200));
        }
        painter.end();
        picture.save(QString::fromStdString(scratch.file("atlas.png")));

        auto texture = std::make_unique<TextureEntry>();
        texture->path = "atlas.png";
        texture->widthIndex = 7;
        texture->heightIndex = 7;
        library.textures.push_back(std::move(texture));
        library.resourcePath = scratch.file("");
        for (int button = 0; button < 2; ++button) {
            auto resource = std::make_unique<UiResource>();
            for (int index = 0; index < kAreasPerButton; ++index) {
                resource->areas.push_back(
                    areaAt(128.0f * index, 512.0f * button + 16.0f * index, 96.0f));
            }
            library.resources.push_back(std::move(resource));
        }
        panel.resize(420, 760);
        panel.show();
    }

    void show(int button, WorkingArea working = {}) {
        panel.showScene(BuildPreviewScene(library, "", library.resources[button].get(),
                                          {working.area != nullptr ? working.row : 0}, working));
        benchmark::DoNotOptimize(panel.grab());  // paints the whole panel, as the screen would
    }

    ScratchDirectory scratch;
    ResourceLibrary library;
    TextureCache cache;
    PreviewPanel panel;
};

PreviewFixture& fixture() {
    return sharedFixture<PreviewFixture>();
}

void BM_SwitchResourceWithLoadedTexture(benchmark::State& state) {
    PreviewFixture& preview = fixture();
    preview.show(0);
    int button = 0;
    for (auto _ : state) {
        button = 1 - button;
        preview.show(button);
    }
    state.counters["decodes"] = preview.cache.decodeCount();
}
BENCHMARK(BM_SwitchResourceWithLoadedTexture)->Unit(benchmark::kMillisecond);

void BM_CoordinatesKeystroke(benchmark::State& state) {
    PreviewFixture& preview = fixture();
    ResourceArea working = preview.library.resources[0]->areas[3];
    preview.show(0, {&working, 3});
    for (auto _ : state) {
        working.x2 += 1.0f;  // a digit typed into X2
        preview.show(0, {&working, 3});
    }
}
BENCHMARK(BM_CoordinatesKeystroke)->Unit(benchmark::kMillisecond);

void BM_FirstDecodeOfTheTexture(benchmark::State& state) {
    PreviewFixture& preview = fixture();
    for (auto _ : state) {
        TextureCache cold;
        benchmark::DoNotOptimize(cold.load({preview.scratch.file("atlas.png")}));
    }
}
BENCHMARK(BM_FirstDecodeOfTheTexture)->Unit(benchmark::kMillisecond);

// The whole editor showing the fixture's library: selecting the other button replaces the
// form and refreshes the preview; the window is then painted.
void BM_EditorSwitchButtonWithLoadedTexture(benchmark::State& state) {
    PreviewFixture& preview = fixture();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(preview.scratch.file("settings")));
    CTolvaneApp editor;
    if (!editor.InitInstance({})) {
        state.SkipWithError("the editor did not start");
        return;
    }
    currentDocument->UpdateAllViews(nullptr, CTolvaneDoc::kHintRecordsReplaced);
    currentDocument->library.swap(preview.library);
    currentTreeView->RebuildTree();
    QWidget* window = editor.mainWindow();
    window->resize(1600, 1000);
    int button = 0;
    for (auto _ : state) {
        button = 1 - button;
        currentTreeView->SelectResource(
            currentDocument->library.resources[static_cast<std::size_t>(button)].get());
        benchmark::DoNotOptimize(window->grab());
        state.PauseTiming();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the old form
        state.ResumeTiming();
    }
    currentDocument->UpdateAllViews(nullptr, CTolvaneDoc::kHintRecordsReplaced);
    currentDocument->library.swap(preview.library);
}
BENCHMARK(BM_EditorSwitchButtonWithLoadedTexture)->Unit(benchmark::kMillisecond);

// The most memory the process held since the last reset, above what it held at the reset:
// the kernel's high-water mark of the resident set, which writing 5 to clear_refs resets.
// Pictures are mapped by malloc and unmapped when freed (the threshold is fixed, as it would
// otherwise rise after the first big free), so the resident set shows the pictures alive.
class MemoryPeak {
public:
    MemoryPeak() {
        mallopt(M_MMAP_THRESHOLD, 128 * 1024);
        std::ofstream("/proc/self/clear_refs") << "5";
        start = statusKib("VmRSS:");
    }
    double mebibytes() const { return static_cast<double>(statusKib("VmHWM:") - start) / 1024.0; }

private:
    static long statusKib(const std::string& field) {
        std::ifstream status("/proc/self/status");
        for (std::string line; std::getline(status, line);) {
            if (line.rfind(field, 0) == 0) {
                return std::stol(line.substr(field.size()));
            }
        }
        return 0;
    }

    long start = 0;
};

constexpr int kAreaSide = 64;

// The whole editor with a button of areaCount areas of 64 x 64 cut from the fixture's
// 2048 x 2048 texture, which the library gives blendType, placed as an eighth of the texture;
// the button selected, its preview shown and painted. How much memory that first drawing
// took goes into the counters: decoding, which briefly holds two copies of the texture, and
// blending it included.
class BlendingEditor {
public:
    BlendingEditor(benchmark::State& state, int areaCount, std::int32_t blendType)
        : preview(fixture()) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(preview.scratch.file("settings")));
        started = editor.InitInstance({});
        if (!started) {
            state.SkipWithError("the editor did not start");
            return;
        }
        ResourceLibrary library;
        auto texture = std::make_unique<TextureEntry>();
        texture->path = "atlas.png";
        texture->widthIndex = 7;
        texture->heightIndex = 7;
        texture->blendType = blendType;
        library.textures.push_back(std::move(texture));
        library.resourcePath = preview.scratch.file("");
        auto button = std::make_unique<UiResource>();
        constexpr int kPerRow = kTextureSide / kAreaSide;
        for (int index = 0; index < areaCount; ++index) {
            button->areas.push_back(
                areaAt(static_cast<float>(index % kPerRow * kAreaSide),
                       static_cast<float>(index / kPerRow % kPerRow * kAreaSide), kAreaSide));
        }
        library.resources.push_back(std::move(button));
        currentDocument->library.swap(library);
        currentTreeView->RebuildTree();
        editor.mainWindow()->resize(1600, 1000);

        const MemoryPeak first;
        currentTreeView->SelectResource(currentDocument->library.resources[0].get());
        paint();
        state.counters["firstDrawingMiB"] = first.mebibytes();
        state.counters["textureMiB"] = kTextureSide * kTextureSide * 4 / (1024.0 * 1024.0);
    }

    // Paints the preview, as the screen would after a change.
    void paint() {
        benchmark::DoNotOptimize(qobject_cast<CMainFrame*>(editor.mainWindow())->preview()->grab());
    }

    PreviewFixture& preview;
    CTolvaneApp editor;
    bool started = false;
};

// Alternately types a letter at the end of edit and takes it back, painting the preview after
// each key; the peak memory of those drawings goes into the counters.
void typeIntoAndPaint(benchmark::State& state, QLineEdit& edit, BlendingEditor& scene) {
    edit.setFocus();
    edit.end(false);
    bool typed = false;
    const MemoryPeak peak;
    for (auto _ : state) {
        QTest::keyClick(&edit, typed ? Qt::Key_Backspace : Qt::Key_1);
        typed = !typed;
        scene.paint();
    }
    state.counters["keystrokePeakMiB"] = peak.mebibytes();
}

void BM_IdentifierKeystrokeWithManyAreas(benchmark::State& state) {
    BlendingEditor scene(state, static_cast<int>(state.range(0)),
                         static_cast<std::int32_t>(state.range(1)));
    if (scene.started) {
        typeIntoAndPaint(state, *currentButtonView->control<QLineEdit>(IDC_IDENTIFIER), scene);
    }
}

// The keys go into the coordinates dialog's "X Offset:" while it edits the first area.
void BM_CoordinatesDialogKeystrokeWithManyAreas(benchmark::State& state) {
    BlendingEditor scene(state, static_cast<int>(state.range(0)),
                         static_cast<std::int32_t>(state.range(1)));
    if (!scene.started) {
        return;
    }
    const framework::ModalDialogHandler previous =
        framework::setModalDialogHandler([&](framework::Dialog& dialog) {
            typeIntoAndPaint(state, *dialog.control<QLineEdit>(IDC_OFFSET_X), scene);
        });
    currentButtonView->areaList->SelectItem(0);
    QTest::mouseClick(currentButtonView->GetDlgItem(IDC_EDIT_AREA), Qt::LeftButton);
    framework::setModalDialogHandler(previous);
}

// Areas, then the blend type: 0 solid, 1 transparent, 2 transparent additive.
void ManyAreasOnEachBlendType(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({"areas", "blend"});
    for (const int areas : {60, 1000}) {
        for (const int blendType : {0, 1, 2}) {
            benchmark->Args({areas, blendType});
        }
    }
    benchmark->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_IdentifierKeystrokeWithManyAreas)->Apply(ManyAreasOnEachBlendType);
BENCHMARK(BM_CoordinatesDialogKeystrokeWithManyAreas)->Apply(ManyAreasOnEachBlendType);

}  // namespace
