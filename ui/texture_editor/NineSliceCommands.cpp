#include "ui/texture_editor/NineSliceCommands.h"

#include <algorithm>
#include <optional>

#include "document/NineSliceChanges.h"
#include "document/NineSliceInput.h"
#include "document/NineSliceRecognition.h"
#include "framework/CommandTarget.h"
#include "framework/Resources.h"
#include "framework/StandardIds.h"
#include "ui/ResourceIds.h"
#include "ui/dialogs/NineSliceResizeDlg.h"
#include "ui/form/TolvaneViewButton.h"
#include "ui/shell/TolvaneDoc.h"
#include "ui/shell/TolvaneView.h"
#include "ui/texture_editor/DragGesture.h"
#include "ui/texture_editor/PreviewDock.h"
#include "ui/texture_editor/PreviewPanel.h"

namespace {

// The nine-part set of the shown button's first selected area, and the button's place in
// the library.
struct SelectedSet {
    NineSliceSet set;
    std::size_t resourceIndex = 0;
};

std::optional<SelectedSet> selectedSet() {
    if (currentButtonView == nullptr || currentTreeView == nullptr || currentDocument == nullptr) {
        return std::nullopt;
    }
    const int index = currentDocument->IndexOf(currentTreeView->currentRecord());
    const std::vector<ResourceArea>* areas = currentButtonView->Areas();
    const int row = currentButtonView->SelectedAreaIndex();
    if (index < 0 || areas == nullptr || row < 0) {
        return std::nullopt;
    }
    std::optional<NineSliceSet> set = FindNineSliceSet(*areas, static_cast<std::size_t>(row));
    if (!set) {
        return std::nullopt;
    }
    return SelectedSet{std::move(*set), static_cast<std::size_t>(index)};
}

// One step ("Knopfgröße ändern"); the selection stays.
void resize(const SelectedSet& selected, int width, int height) {
    const std::vector<int> rows = currentButtonView->SelectedAreaRows();
    currentButtonView->ChangeAreaOnCanvas(
        framework::Resources::LoadString(IDS_STEP_NINE_SLICE_RESIZE),
        ResizeNineSliceButton(selected.resourceIndex, *currentButtonView->Areas(), selected.set,
                              width, height),
        {ShownResource::kKeep, ShownResource::kKeep, rows, rows});
}

// The size the handle makes of set moved by delta, kept to sizes the set can take.
std::pair<int, int> draggedSize(const NineSliceSet& set, QPoint delta) {
    const NineSliceButton& button = set.button;
    const int leastWidth = std::max(1, button.margins.left + button.margins.right);
    const int leastHeight = std::max(1, button.margins.top + button.margins.bottom);
    return {std::clamp(button.width + delta.x(), leastWidth, kMaxNineSliceSide),
            std::clamp(button.height + delta.y(), leastHeight, kMaxNineSliceSide)};
}

void followHandle(PreviewPanel& panel, std::optional<QPoint> delta) {
    const std::optional<SelectedSet> selected = delta ? selectedSet() : std::nullopt;
    if (!selected) {
        panel.proposeAreas(std::nullopt);
        return;
    }
    const auto [width, height] = draggedSize(selected->set, *delta);
    NineSliceButton resized = selected->set.button;
    resized.width = width;
    resized.height = height;
    // Each piece takes the row of the area it replaces, as the step does.
    std::vector<ResourceArea> areas = *currentButtonView->Areas();
    const std::vector<NineSlicePiece> pieces = NineSlicePieces(resized);
    for (std::size_t i = 0; i < pieces.size() && i < selected->set.rows.size(); ++i) {
        areas[selected->set.rows[i]] = pieces[i].area;
    }
    panel.proposeAreas(std::move(areas),
                       QStringLiteral("Knopfgröße: %1 × %2").arg(width).arg(height));
}

void dropHandle(QPoint delta) {
    if (const std::optional<SelectedSet> selected = selectedSet()) {
        const auto [width, height] = draggedSize(selected->set, delta);
        resize(*selected, width, height);
    }
}

}  // namespace

void UpdateNineSliceCommand(framework::CommandUI& ui) {
    if (currentPreview == nullptr || currentButtonView == nullptr || DragGesture::anyRunning()) {
        ui.Enable(false);
    } else if (ui.id() == ID_NINE_SLICE) {
        ui.Enable(currentButtonView->SelectedAreaRows().size() == 1);
    } else {
        ui.Enable(selectedSet().has_value());
    }
}

void RunNineSliceCommand(int id) {
    if (currentPreview == nullptr || currentButtonView == nullptr) {
        return;
    }
    if (id == ID_NINE_SLICE) {
        const std::vector<int> rows = currentButtonView->SelectedAreaRows();
        if (rows.size() == 1) {
            currentPreview->openNineSlice(rows.front());
        }
        return;
    }
    const std::optional<SelectedSet> selected = selectedSet();
    if (!selected) {
        return;
    }
    CNineSliceResizeDlg dialog(selected->set);
    if (dialog.DoModal() != framework::IDOK) {
        return;
    }
    // The library is as it was: the dialog was modal.
    if (dialog.width() != selected->set.button.width ||
        dialog.height() != selected->set.button.height) {
        resize(*selected, dialog.width(), dialog.height());
    }
}

void ConnectNineSliceHandle(PreviewPanel& panel) {
    PiecePlacementView* view = panel.compositionView();
    QObject::connect(view, &PiecePlacementView::sizeFollowing, &panel,
                     [&panel](std::optional<QPoint> delta) { followHandle(panel, delta); });
    QObject::connect(view, &PiecePlacementView::sizeDragged, &panel, dropHandle);
}
