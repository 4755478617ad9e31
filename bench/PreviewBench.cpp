// The preview panel with a 2048 x 2048 texture: switching between two resources that cut from
// it once it is decoded, one keystroke's worth of a working area changing while the
// coordinates dialog is open, and decoding the texture the first time. Each redraws the panel
// at once, as the screen would. The same switch is also measured in the whole editor, from
// the tree's selection to the painted window, the new button form included. Runs on Qt's
// offscreen platform.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QSettings>
#include <memory>

#include "bench/ScratchDirectory.h"
#include "ui/MainFrame.h"
#include "ui/TolvaneApp.h"
#include "ui/TolvaneDoc.h"
#include "ui/TolvaneView.h"
#include "ui/PreviewPanel.h"
#include "ui/PreviewScene.h"
#include "ui/TextureCache.h"

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
                                          working.area != nullptr ? working.row : 0, working));
        benchmark::DoNotOptimize(panel.grab());  // paints the whole panel, as the screen would
    }

    ScratchDirectory scratch;
    ResourceLibrary library;
    TextureCache cache;
    PreviewPanel panel;
};

PreviewFixture& fixture() {
    static PreviewFixture shared;
    return shared;
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

}  // namespace
