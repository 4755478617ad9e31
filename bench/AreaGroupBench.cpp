// Several areas at once in the whole editor on the offscreen platform, on a button of 1,000
// areas over a 2048 x 2048 texture: one mouse move of a drag of all of them, with the texture
// view painted again as the screen would; the release that makes the drag one step; and
// pasting 1,000 areas into the button.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointingDevice>
#include <QSettings>
#include <memory>
#include <numeric>

#include "bench/ScratchDirectory.h"
#include "document/AreaClipboard.h"
#include "framework/ReportList.h"
#include "framework/StandardIds.h"
#include "library/LibraryFile.h"
#include "ui/form/TolvaneViewButton.h"
#include "ui/history/LibraryHistory.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/TolvaneApp.h"
#include "ui/shell/TolvaneDoc.h"
#include "ui/shell/TolvaneView.h"
#include "ui/texture_editor/AreaCanvas.h"
#include "ui/texture_editor/PreviewDock.h"
#include "ui/texture_editor/PreviewPanel.h"

namespace {

constexpr int kTextureSide = 2048;
constexpr int kSizeIndex = 7;  // 16 << 7 pixels
constexpr int kAreas = 1000;

// Areas of 40 x 40 pixels in a grid of 32 columns, each placed where it lies.
std::unique_ptr<ResourceLibrary> library() {
    auto made = std::make_unique<ResourceLibrary>();
    auto texture = std::make_unique<TextureEntry>();
    texture->path = "atlas.png";
    texture->widthIndex = texture->heightIndex = kSizeIndex;
    made->textures.push_back(std::move(texture));
    auto button = std::make_unique<UiResource>();
    for (int row = 0; row < kAreas; ++row) {
        ResourceArea area;
        area.x1 = area.offsetX = static_cast<float>((row % 32) * 64);
        area.y1 = area.offsetY = static_cast<float>((row / 32) * 64);
        area.x2 = area.x1 + 40;
        area.y2 = area.y1 + 40;
        button->areas.push_back(area);
    }
    made->resources.push_back(std::move(button));
    return made;
}

// The editor on that library with every area selected and the texture fitted.
class GroupEditor {
public:
    GroupEditor() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(scratch.file("settings")));
        QImage sheet(kTextureSide, kTextureSide, QImage::Format_ARGB32);
        sheet.fill(QColor(90, 140, 60, 200));
        sheet.save(QString::fromStdString(scratch.file("atlas.png")));
        const std::string path = scratch.file("areas.gui");
        saveLibraryFile(path, *library());
        app = std::make_unique<CTolvaneApp>();
        started = app->InitInstance({QString::fromStdString(path)});
        if (!started) {
            return;
        }
        frame().showNormal();
        frame().resize(1600, 1000);
        currentTreeView->SelectResource(currentDocument->library.resources.front().get());
        std::vector<int> all(kAreas);
        std::iota(all.begin(), all.end(), 0);
        currentButtonView->areaList->SelectItems(all);
        QApplication::processEvents();
        canvas().zoomToFit();
    }

    CMainFrame& frame() { return *qobject_cast<CMainFrame*>(app->mainWindow()); }
    AreaCanvas& canvas() { return *frame().preview()->panel()->textureView(); }
    QPointF areaCentre(int row) {
        return canvas().viewFromTexture({(row % 32) * 64.0 + 20, (row / 32) * 64.0 + 20});
    }
    void send(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, canvas().mapToGlobal(at), button, buttons, Qt::NoModifier,
                          QPointingDevice::primaryPointingDevice());
        QApplication::sendEvent(&canvas(), &event);
    }

    ScratchDirectory scratch;
    std::unique_ptr<CTolvaneApp> app;
    bool started = false;
};

void BM_DragOfAThousandSelectedAreasRepaints(benchmark::State& state) {
    GroupEditor editor;
    if (!editor.started) {
        state.SkipWithError("the editor did not start");
        return;
    }
    const QPointF press = editor.areaCentre(500);
    editor.send(QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 50;
        editor.send(QEvent::MouseMove, press + QPointF(10 + step, step), Qt::NoButton,
                    Qt::LeftButton);
        // The views follow and repaint, once each, as on screen (a grab would paint again).
        QApplication::processEvents();
    }
    editor.send(QEvent::MouseButtonPress, press, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
    editor.send(QEvent::MouseButtonRelease, press, Qt::LeftButton, Qt::NoButton);
}
BENCHMARK(BM_DragOfAThousandSelectedAreasRepaints)->Unit(benchmark::kMillisecond);

void BM_ReleaseMakesTheDragOfAThousandAreasOneStep(benchmark::State& state) {
    GroupEditor editor;
    if (!editor.started) {
        state.SkipWithError("the editor did not start");
        return;
    }
    const QPointF press = editor.areaCentre(500);
    for (auto _ : state) {
        state.PauseTiming();
        editor.send(QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
        editor.send(QEvent::MouseMove, press + QPointF(24, 16), Qt::NoButton, Qt::LeftButton);
        QApplication::processEvents();
        state.ResumeTiming();
        editor.send(QEvent::MouseButtonRelease, press + QPointF(24, 16), Qt::LeftButton,
                    Qt::NoButton);
        QApplication::processEvents();
        state.PauseTiming();
        currentDocument->history->stack().undo();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReleaseMakesTheDragOfAThousandAreasOneStep)->Unit(benchmark::kMillisecond);

void BM_PasteOfAThousandAreas(benchmark::State& state) {
    GroupEditor editor;
    if (!editor.started) {
        state.SkipWithError("the editor did not start");
        return;
    }
    const UiResource& button = *currentDocument->library.resources.front();
    std::vector<std::size_t> rows(kAreas);
    std::iota(rows.begin(), rows.end(), std::size_t{0});
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(AreasAsText(currentDocument->library, button, rows)));
    QApplication::clipboard()->setMimeData(data);
    editor.frame().activateWindow();
    editor.canvas().setFocus();
    QApplication::processEvents();
    for (auto _ : state) {
        editor.frame().dispatch(framework::ID_EDIT_PASTE);
        QApplication::processEvents();
        state.PauseTiming();
        if (button.areas.size() != 2 * kAreas) {
            state.SkipWithError("nothing was pasted");
            break;
        }
        currentDocument->history->stack().undo();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PasteOfAThousandAreas)->Unit(benchmark::kMillisecond);

}  // namespace
