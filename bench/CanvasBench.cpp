// The preview's texture as an editor, with 1,000 areas outlined on a 2048 x 2048 texture:
// one mouse move of a drag with the view painted again, as the screen would; a click picking
// the area under the pointer; the composed button following a drag; and trimming an area of
// the whole texture. Runs on Qt's offscreen platform.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPointingDevice>

#include "bench/EditorBench.h"
#include "bench/ScratchDirectory.h"
#include "document/CanvasGeometry.h"
#include "ui/texture_editor/AreaCanvas.h"
#include "ui/texture_editor/PreviewPanel.h"
#include "ui/texture_editor/TextureCache.h"

namespace {

constexpr int kTextureSide = 2048;
constexpr int kAreas = 1000;

QImage sheet() {
    QImage picture(kTextureSide, kTextureSide, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    for (int band = 0; band < kTextureSide; band += 64) {
        painter.fillRect(band, band / 2, 32, kTextureSide / 2, QColor(band % 256, 120, 60, 200));
    }
    return picture;
}

// Areas of 40 x 40 pixels in a grid over the texture (32 columns), area 500 selected.
std::vector<TextureView::Outline> outlines() {
    std::vector<TextureView::Outline> shapes;
    for (int row = 0; row < kAreas; ++row) {
        const double x = (row % 32) * 64.0;
        const double y = (row / 32) * 64.0;
        shapes.push_back({QRectF(x, y, 40, 40), row, row == 500});
    }
    return shapes;
}

class CanvasFixture {
public:
    CanvasFixture() : texture(sheet()) {
        canvas.resize(800, 800);
        canvas.setTexture(texture, outlines());
        canvas.show();
    }

    void send(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, canvas.mapToGlobal(at), button, buttons, Qt::NoModifier,
                          QPointingDevice::primaryPointingDevice());
        QApplication::sendEvent(&canvas, &event);
    }

    QImage texture;
    AreaCanvas canvas;
};

CanvasFixture& fixture() {
    return sharedFixture<CanvasFixture>();
}

void BM_DragMoveRepaintsTheTextureView(benchmark::State& state) {
    CanvasFixture& f = fixture();
    f.canvas.zoomToFit();
    const QPointF press =
        f.canvas.viewFromTexture({(500 % 32) * 64.0 + 20, (500 / 32) * 64.0 + 20});
    f.send(QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 50;
        f.send(QEvent::MouseMove, press + QPointF(10 + step, step), Qt::NoButton, Qt::LeftButton);
        benchmark::DoNotOptimize(f.canvas.grab());  // paints the view, as the screen would
    }
    // The right button cancels the drag.
    f.send(QEvent::MouseButtonPress, press, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
    f.send(QEvent::MouseButtonRelease, press, Qt::LeftButton, Qt::NoButton);
}
BENCHMARK(BM_DragMoveRepaintsTheTextureView)->Unit(benchmark::kMillisecond);

// A click at a stack of areas: the pick under the pointer, without repainting.
void BM_ClickPicksTheAreaUnderThePointer(benchmark::State& state) {
    CanvasFixture& f = fixture();
    f.canvas.zoomToFit();
    const QPointF at = f.canvas.viewFromTexture({20 * 64.0 + 20, 20 * 64.0 + 20});
    int picked = -1;
    QObject::connect(&f.canvas, &AreaCanvas::selectionEdited,
                     [&picked](const std::vector<int>& rows, SelectionEdit) {
                         picked = rows.empty() ? -1 : rows.front();
                     });
    for (auto _ : state) {
        f.send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        f.send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }
    state.counters["picked"] = picked;
}
BENCHMARK(BM_ClickPicksTheAreaUnderThePointer)->Unit(benchmark::kMicrosecond);

// The panel on a button of the 1,000 areas, each placed where it lies on the texture: while
// area 500 is dragged, the composed button is drawn again with it where it now is.
void BM_ComposedButtonFollowsADrag(benchmark::State& state) {
    ScratchDirectory scratch;
    sheet().save(QString::fromStdString(scratch.file("atlas.png")));
    TextureCache cache;
    PreviewPanel panel(cache);
    panel.resize(420, 760);
    panel.show();
    PreviewScene scene;
    scene.hasResource = true;
    scene.textures.push_back(
        {0, "atlas.png", {scratch.file("atlas.png")}, kTextureSide, kTextureSide, 1});
    for (const TextureView::Outline& outline : outlines()) {
        ResourceArea area;
        area.x1 = static_cast<float>(outline.rect.left());
        area.y1 = static_cast<float>(outline.rect.top());
        area.x2 = static_cast<float>(outline.rect.right());
        area.y2 = static_cast<float>(outline.rect.bottom());
        area.offsetX = area.x1;
        area.offsetY = area.y1;
        scene.areas.push_back(area);
    }
    scene.selectedRows = {500};
    panel.showScene(scene);
    const ResourceArea& dragged = scene.areas[500];
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 50;
        panel.followGesture(
            {{500, EdgeRect{dragged.x1 + step, dragged.y1, dragged.x2 + step, dragged.y2}}});
        benchmark::DoNotOptimize(panel.compositionView()->grab());
    }
}
BENCHMARK(BM_ComposedButtonFollowsADrag)->Unit(benchmark::kMillisecond);

// The pixels of the whole texture, most of them transparent, as T trims them.
void BM_TrimTheWholeTexture(benchmark::State& state) {
    const QImage texture = sheet();
    const TexturePixels pixels{reinterpret_cast<const std::uint32_t*>(texture.constBits()),
                               texture.width(), texture.height(), texture.bytesPerLine() / 4};
    for (auto _ : state) {
        benchmark::DoNotOptimize(TrimmedRect({0, 0, kTextureSide, kTextureSide}, pixels, 1));
    }
}
BENCHMARK(BM_TrimTheWholeTexture)->Unit(benchmark::kMillisecond);

// The worst case: nothing shows, so every pixel is looked at.
void BM_TrimAnInvisibleTexture(benchmark::State& state) {
    QImage texture(kTextureSide, kTextureSide, QImage::Format_ARGB32);
    texture.fill(Qt::transparent);
    const TexturePixels pixels{reinterpret_cast<const std::uint32_t*>(texture.constBits()),
                               texture.width(), texture.height(), texture.bytesPerLine() / 4};
    for (auto _ : state) {
        benchmark::DoNotOptimize(TrimmedRect({0, 0, kTextureSide, kTextureSide}, pixels, 1));
    }
}
BENCHMARK(BM_TrimAnInvisibleTexture)->Unit(benchmark::kMillisecond);

}  // namespace
