#include "ui/texture_editor/CanvasEdits.h"

#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>

#include "document/AreaChange.h"
#include "framework/ReportList.h"
#include "ui/ResourceIds.h"
#include "ui/form/TolvaneViewButton.h"
#include "ui/shell/TolvaneDoc.h"
#include "ui/shell/TolvaneView.h"
#include "ui/texture_editor/AreaCanvas.h"
#include "ui/texture_editor/PiecePlacementView.h"
#include "ui/texture_editor/PreviewPanel.h"

namespace {

constexpr int kMessageMilliseconds = 10000;

// The resource the form shows and its position in the library, while there is one.
struct EditedResource {
    UiResource* resource = nullptr;
    std::size_t index = 0;
};

std::optional<EditedResource> editedResource() {
    if (currentButtonView == nullptr || currentTreeView == nullptr || currentDocument == nullptr) {
        return std::nullopt;
    }
    UiResource* resource = currentTreeView->currentRecord();
    const int index = currentDocument->IndexOf(resource);
    if (resource == nullptr || index < 0) {
        return std::nullopt;
    }
    return EditedResource{resource, static_cast<std::size_t>(index)};
}

void setEdges(ResourceArea& area, const EdgeRect& rect) {
    area.x1 = static_cast<float>(rect.x1);
    area.y1 = static_cast<float>(rect.y1);
    area.x2 = static_cast<float>(rect.x2);
    area.y2 = static_cast<float>(rect.y2);
}

int stepName(AreaCanvas::Edit edit) {
    switch (edit) {
        case AreaCanvas::Edit::Resize:
            return IDS_STEP_RESIZE_AREA;
        case AreaCanvas::Edit::Trim:
            return IDS_STEP_TRIM_AREA;
        case AreaCanvas::Edit::Move:
        case AreaCanvas::Edit::Nudge:
            break;
    }
    return IDS_STEP_MOVE_AREA;
}

void drawn(const PreviewPanel& panel, const EdgeRect& rect) {
    const std::optional<EditedResource> edited = editedResource();
    if (!edited || panel.shownTexture() == nullptr) {
        return;
    }
    ResourceArea area;
    setEdges(area, rect);
    area.textureId = panel.shownTexture()->id;
    const int row = static_cast<int>(edited->resource->areas.size());
    currentButtonView->ChangeAreaOnCanvas(
        IDS_STEP_DRAW_AREA,
        AreaChange::inserted(edited->index, edited->resource->areas.size(), area),
        {ShownResource::kKeep, ShownResource::kKeep, row, -1});
}

void changed(int row, const EdgeRect& rect, AreaCanvas::Edit edit) {
    const std::optional<EditedResource> edited = editedResource();
    if (!edited || row < 0 || static_cast<std::size_t>(row) >= edited->resource->areas.size()) {
        return;
    }
    const ResourceArea& before = edited->resource->areas[static_cast<std::size_t>(row)];
    ResourceArea after = before;
    setEdges(after, rect);
    if (after == before) {
        return;
    }
    currentButtonView->ChangeAreaOnCanvas(
        stepName(edit),
        AreaChange::replaced(edited->index, static_cast<std::size_t>(row), before, after),
        {ShownResource::kKeep, ShownResource::kKeep, row, row},
        edit == AreaCanvas::Edit::Nudge ? LibraryHistory::Typing::AreaNudge
                                        : LibraryHistory::Typing::None);
}

void deleted(int row) {
    const std::optional<EditedResource> edited = editedResource();
    if (!edited || row < 0 || static_cast<std::size_t>(row) >= edited->resource->areas.size()) {
        return;
    }
    currentButtonView->ChangeAreaOnCanvas(
        IDS_STEP_DELETE_AREA,
        AreaChange::removed(edited->index, static_cast<std::size_t>(row),
                            edited->resource->areas[static_cast<std::size_t>(row)]),
        {ShownResource::kKeep, ShownResource::kKeep, -1, row});
}

void placed(int row, int dx, int dy, bool nudge) {
    const std::optional<EditedResource> edited = editedResource();
    if (!edited || row < 0 || static_cast<std::size_t>(row) >= edited->resource->areas.size()) {
        return;
    }
    const ResourceArea& before = edited->resource->areas[static_cast<std::size_t>(row)];
    ResourceArea after = before;
    after.offsetX += static_cast<float>(dx);
    after.offsetY += static_cast<float>(dy);
    currentButtonView->ChangeAreaOnCanvas(
        IDS_STEP_PLACE_AREA,
        AreaChange::replaced(edited->index, static_cast<std::size_t>(row), before, after),
        {ShownResource::kKeep, ShownResource::kKeep, row, row},
        nudge ? LibraryHistory::Typing::PieceNudge : LibraryHistory::Typing::None);
}

// The list row and the composed button follow a gesture while it runs; an area being drawn
// has a provisional row until the gesture ends.
void following(PreviewPanel& panel, int row, std::optional<EdgeRect> rect) {
    panel.followGesture(row, rect);
    const std::optional<EditedResource> edited = editedResource();
    if (!edited) {
        return;
    }
    if (row < 0) {
        if (!rect || panel.shownTexture() == nullptr) {
            currentButtonView->DropDrawnAreaRow();
            return;
        }
        ResourceArea drawing;
        setEdges(drawing, *rect);
        drawing.textureId = panel.shownTexture()->id;
        currentButtonView->ShowAreaEdges(static_cast<int>(edited->resource->areas.size()), drawing);
        return;
    }
    if (static_cast<std::size_t>(row) >= edited->resource->areas.size()) {
        return;
    }
    ResourceArea area = edited->resource->areas[static_cast<std::size_t>(row)];
    if (rect) {
        setEdges(area, *rect);
    }
    currentButtonView->ShowAreaEdges(row, area);
}

// The list row follows a piece while it is dragged.
void placing(int row, std::optional<QPoint> delta) {
    const std::optional<EditedResource> edited = editedResource();
    if (!edited || row < 0 || static_cast<std::size_t>(row) >= edited->resource->areas.size()) {
        return;
    }
    ResourceArea area = edited->resource->areas[static_cast<std::size_t>(row)];
    if (delta) {
        area.offsetX += static_cast<float>(delta->x());
        area.offsetY += static_cast<float>(delta->y());
    }
    currentButtonView->ShowAreaEdges(row, area);
}

void picked(int row) {
    if (currentButtonView != nullptr) {
        currentButtonView->areaList->SelectItem(row);
    }
}

// As "Bereich bearbeiten..." does, for the area the list now selects.
void opened(int row) {
    if (currentButtonView == nullptr) {
        return;
    }
    currentButtonView->areaList->SelectItem(row);
    if (auto* edit = qobject_cast<QPushButton*>(currentButtonView->GetDlgItem(IDC_EDIT_AREA))) {
        edit->click();
    }
}

}  // namespace

void ConnectCanvasEdits(PreviewPanel& panel, QMainWindow& frame) {
    AreaCanvas* canvas = panel.textureView();
    QObject::connect(canvas, &AreaCanvas::areaPicked, &panel, picked);
    QObject::connect(canvas, &AreaCanvas::areaDrawn, &panel,
                     [&panel](const EdgeRect& rect) { drawn(panel, rect); });
    QObject::connect(canvas, &AreaCanvas::areaChanged, &panel, changed);
    QObject::connect(
        canvas, &AreaCanvas::areaFollowing, &panel,
        [&panel](int row, std::optional<EdgeRect> rect) { following(panel, row, rect); });
    QObject::connect(canvas, &AreaCanvas::areaDeleteAsked, &panel, deleted);
    QObject::connect(canvas, &AreaCanvas::areaOpenAsked, &panel, opened);
    QObject::connect(panel.compositionView(), &PiecePlacementView::piecePicked, &panel, picked);
    QObject::connect(panel.compositionView(), &PiecePlacementView::pieceMoved, &panel, placed);
    QObject::connect(panel.compositionView(), &PiecePlacementView::pieceFollowing, &panel, placing);
    // A gesture's text is replaced at its next move; what a key reports stays a while.
    QObject::connect(canvas, &AreaCanvas::message, &frame, [&frame](const QString& text) {
        frame.statusBar()->showMessage(text, kMessageMilliseconds);
    });
}
