// The button form's area list rebuilt for a resource with many areas and a big texture table,
// and the change rule that runs for each keystroke in the coordinates dialog. Runs on Qt's
// offscreen platform with the editor's resource data.

#include <benchmark/benchmark.h>

#include <QLineEdit>
#include <QTest>
#include <memory>

#include "framework/ReportList.h"
#include "ui/ResourceIds.h"
#include "ui/dialogs/CoordinatesDlg.h"
#include "ui/form/TolvaneViewButton.h"
#include "ui/shell/TolvaneDoc.h"
#include "ui/shell/TolvaneView.h"

namespace {

// A document whose library has textureCount textures and one button with areaCount areas,
// each area naming one of the textures; the tree's current resource is that button.
class FormScene {
public:
    FormScene(int areaCount, int textureCount) {
        for (int id = 0; id < textureCount; ++id) {
            auto texture = std::make_unique<TextureEntry>();
            texture->id = id;
            texture->path = "textures\\gui_" + std::to_string(id) + ".png";
            document.library.textures.push_back(std::move(texture));
        }
        auto button = std::make_unique<UiResource>();
        for (int index = 0; index < areaCount; ++index) {
            ResourceArea area;
            area.x1 = static_cast<float>(index % 8) * 32.0f;
            area.y1 = static_cast<float>(index / 8) * 32.0f;
            area.x2 = area.x1 + 32.0f;
            area.y2 = area.y1 + 32.0f;
            area.offsetX = static_cast<float>(index) * 0.5f;
            area.textureId = index % textureCount;
            button->areas.push_back(area);
        }
        tree.currentResource = reinterpret_cast<quintptr>(button.get());
        document.library.resources.push_back(std::move(button));
        form.OnInitialUpdate();
    }

    CTolvaneDoc document;
    CTolvaneView tree;
    CTolvaneView_Button form;
};

void BM_RefillAreaList(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    FormScene scene(count, count);
    for (auto _ : state) {
        scene.form.RefillAreaList();
    }
    state.counters["rows"] = scene.form.areaList->GetItemCount();
}
BENCHMARK(BM_RefillAreaList)->Arg(1000)->Unit(benchmark::kMillisecond);

// Alternately types a digit at the end of X1 and takes it back: each key is one change of
// the edit, read, applied and shown again in display form.
void BM_CoordinatesKeystroke(benchmark::State& state) {
    FormScene scene(1, 1000);
    CCoordinatesDlg dialog;
    dialog.UpdateData(false);  // the edits show the working area, as when the dialog opens
    auto* x1 = dialog.control<QLineEdit>(IDC_X1);
    x1->setText(QStringLiteral("1"));
    x1->end(false);
    bool typed = false;
    for (auto _ : state) {
        QTest::keyClick(x1, typed ? Qt::Key_Backspace : Qt::Key_2);
        typed = !typed;
    }
    state.counters["x1"] = dialog.workingArea.x1;
}
BENCHMARK(BM_CoordinatesKeystroke)->Unit(benchmark::kMicrosecond);

}  // namespace
