#include "ui/texture_editor/CanvasEdits.h"

#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <algorithm>

#include "document/AreaChange.h"
#include "document/AreaListChange.h"
#include "document/IslandFinding.h"
#include "document/SliceApplication.h"
#include "framework/ReportList.h"
#include "framework/Resources.h"
#include "ui/ResourceIds.h"
#include "ui/form/TolvaneViewButton.h"
#include "ui/shell/TolvaneDoc.h"
#include "ui/shell/TolvaneView.h"
#include "ui/texture_editor/AreaCanvas.h"
#include "ui/texture_editor/PiecePlacementView.h"
#include "ui/texture_editor/PreviewPanel.h"
#include "ui/texture_editor/SlicePanel.h"

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

bool isArea(const EditedResource& edited, int row) {
    return row >= 0 && static_cast<std::size_t>(row) < edited.resource->areas.size();
}

void setEdges(ResourceArea& area, const EdgeRect& rect) {
    area.x1 = static_cast<float>(rect.x1);
    area.y1 = static_cast<float>(rect.y1);
    area.x2 = static_cast<float>(rect.x2);
    area.y2 = static_cast<float>(rect.y2);
}

QString step(int nameId) {
    return framework::Resources::LoadString(nameId);
}

QString stepName(AreaCanvas::Edit edit, bool several) {
    switch (edit) {
        case AreaCanvas::Edit::Resize:
            return step(several ? IDS_STEP_RESIZE_AREAS : IDS_STEP_RESIZE_AREA);
        case AreaCanvas::Edit::Trim:
            return step(several ? IDS_STEP_TRIM_AREAS : IDS_STEP_TRIM_AREA);
        case AreaCanvas::Edit::Move:
        case AreaCanvas::Edit::Nudge:
            break;
    }
    return step(several ? IDS_STEP_MOVE_AREAS : IDS_STEP_MOVE_AREA);
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
        step(IDS_STEP_DRAW_AREA),
        AreaChange::inserted(edited->index, edited->resource->areas.size(), area),
        {ShownResource::kKeep, ShownResource::kKeep, std::vector<int>{row}, std::nullopt});
}

// "Bereich aus Insel": the box of the island under the pixel, by the threshold automatic
// slicing last used; what stands in its way is told in the status bar.
void cutIsland(const PreviewPanel& panel, QPoint pixel, QMainWindow& frame) {
    const std::optional<EditedResource> edited = editedResource();
    const PreviewTexture* texture = panel.shownTexture();
    const QImage& picture = panel.textureView()->texture();
    if (!edited || texture == nullptr || picture.isNull()) {
        return;
    }
    const auto tell = [&frame](const QString& text) {
        frame.statusBar()->showMessage(text, kMessageMilliseconds);
    };
    if (texture->blendType == 0) {
        tell(
            QStringLiteral("Auf einer Textur der Art Solid ist jedes Pixel sichtbar; "
                           "sie lässt sich nur im Raster zerlegen."));
        return;
    }
    const TexturePixels pixels{reinterpret_cast<const std::uint32_t*>(picture.constBits()),
                               picture.width(), picture.height(), picture.bytesPerLine() / 4};
    const std::optional<PixelRect> island = IslandAt(
        pixels, ShowRule{texture->blendType, SlicePanel::lastThreshold()}, pixel.x(), pixel.y());
    if (!island) {
        tell(QStringLiteral("Unter dem Zeiger ist kein sichtbares Pixel."));
        return;
    }
    const int row = static_cast<int>(edited->resource->areas.size());
    currentButtonView->ChangeAreaOnCanvas(
        step(IDS_STEP_AREA_FROM_ISLAND),
        AreaChange::inserted(edited->index, edited->resource->areas.size(),
                             SlicedArea(*island, texture->id)),
        {ShownResource::kKeep, ShownResource::kKeep, std::vector<int>{row}, std::nullopt});
}

// Rows that are no areas of the library (any more) are left alone.
void changed(const std::vector<AreaRect>& areas, AreaCanvas::Edit edit) {
    const std::optional<EditedResource> edited = editedResource();
    if (!edited) {
        return;
    }
    std::vector<ResourceArea> after = edited->resource->areas;
    std::vector<int> rows;
    for (const AreaRect& area : areas) {
        if (isArea(*edited, area.row)) {
            setEdges(after[static_cast<std::size_t>(area.row)], area.rect);
            rows.push_back(area.row);
        }
    }
    std::sort(rows.begin(), rows.end());
    currentButtonView->ReplaceAreas(
        stepName(edit, rows.size() > 1), std::move(after), currentButtonView->SelectedAreaRows(),
        edit == AreaCanvas::Edit::Nudge ? LibraryHistory::Typing::AreaNudge
                                        : LibraryHistory::Typing::None);
}

void deleted(std::vector<int> rows) {
    const std::optional<EditedResource> edited = editedResource();
    if (!edited) {
        return;
    }
    std::erase_if(rows, [&edited](int row) { return !isArea(*edited, row); });
    std::sort(rows.begin(), rows.end());
    if (!rows.empty()) {
        currentButtonView->ReplaceAreas(
            step(rows.size() > 1 ? IDS_STEP_DELETE_AREAS : IDS_STEP_DELETE_AREA),
            AreasWithout(edited->resource->areas, rows), {});
    }
}

void placed(const std::vector<int>& rows, int dx, int dy, bool nudge) {
    const std::optional<EditedResource> edited = editedResource();
    if (!edited) {
        return;
    }
    std::vector<ResourceArea> after = edited->resource->areas;
    int moved = 0;
    for (const int row : rows) {
        if (isArea(*edited, row)) {
            after[static_cast<std::size_t>(row)].offsetX += static_cast<float>(dx);
            after[static_cast<std::size_t>(row)].offsetY += static_cast<float>(dy);
            ++moved;
        }
    }
    currentButtonView->ReplaceAreas(
        step(moved > 1 ? IDS_STEP_PLACE_AREAS : IDS_STEP_PLACE_AREA), std::move(after),
        currentButtonView->SelectedAreaRows(),
        nudge ? LibraryHistory::Typing::PieceNudge : LibraryHistory::Typing::None);
}

// The list rows and the composed button follow a gesture while it runs; an area being drawn
// has a provisional row until the gesture ends, when the rows followed show their areas again.
void following(PreviewPanel& panel, const std::vector<AreaRect>& areas,
               std::vector<int>& followed) {
    panel.followGesture(areas);
    const std::optional<EditedResource> edited = editedResource();
    if (!edited) {
        return;
    }
    if (areas.empty()) {
        currentButtonView->DropDrawnAreaRow();
        for (const int row : std::exchange(followed, {})) {
            if (isArea(*edited, row)) {
                currentButtonView->ShowAreaEdges(
                    row, edited->resource->areas[static_cast<std::size_t>(row)]);
            }
        }
        return;
    }
    // Rows out of sight are left as they are: a group of many areas moves at the pointer's pace.
    followed.clear();
    for (const AreaRect& area : areas) {
        if (area.row >= 0 && !currentButtonView->areaList->IsRowInSight(area.row)) {
            continue;
        }
        followed.push_back(area.row);
        if (area.row < 0 && panel.shownTexture() != nullptr) {
            ResourceArea drawing;
            setEdges(drawing, area.rect);
            drawing.textureId = panel.shownTexture()->id;
            currentButtonView->ShowAreaEdges(static_cast<int>(edited->resource->areas.size()),
                                             drawing);
        } else if (isArea(*edited, area.row)) {
            ResourceArea moved = edited->resource->areas[static_cast<std::size_t>(area.row)];
            setEdges(moved, area.rect);
            currentButtonView->ShowAreaEdges(area.row, moved);
        }
    }
}

// The list rows follow pieces while they are dragged.
void placing(const std::vector<int>& rows, std::optional<QPoint> delta) {
    const std::optional<EditedResource> edited = editedResource();
    if (!edited) {
        return;
    }
    for (const int row : rows) {
        if (!isArea(*edited, row)) {
            continue;
        }
        ResourceArea area = edited->resource->areas[static_cast<std::size_t>(row)];
        if (delta) {
            area.offsetX += static_cast<float>(delta->x());
            area.offsetY += static_cast<float>(delta->y());
        }
        currentButtonView->ShowAreaEdges(row, area);
    }
}

void selectionEdited(std::vector<int> rows, SelectionEdit edit) {
    if (currentButtonView == nullptr) {
        return;
    }
    std::vector<int> selected = currentButtonView->SelectedAreaRows();
    std::sort(rows.begin(), rows.end());
    std::vector<int> result;
    switch (edit) {
        case SelectionEdit::Replace:
            result = rows;
            break;
        case SelectionEdit::Add:
            std::set_union(selected.begin(), selected.end(), rows.begin(), rows.end(),
                           std::back_inserter(result));
            break;
        case SelectionEdit::Toggle:
            std::set_symmetric_difference(selected.begin(), selected.end(), rows.begin(),
                                          rows.end(), std::back_inserter(result));
            break;
    }
    currentButtonView->areaList->SelectItems(result);
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

void ConnectCanvasEdits(PreviewPanel& panel, QMainWindow& frame, QMenu& areaMenu) {
    AreaCanvas* canvas = panel.textureView();
    PiecePlacementView* pieces = panel.compositionView();
    QObject::connect(canvas, &AreaCanvas::selectionEdited, &panel, selectionEdited);
    QObject::connect(canvas, &AreaCanvas::areaDrawn, &panel,
                     [&panel](const EdgeRect& rect) { drawn(panel, rect); });
    QObject::connect(canvas, &AreaCanvas::areasChanged, &panel, changed);
    QObject::connect(
        canvas, &AreaCanvas::areasFollowing, &panel,
        [&panel, followed = std::vector<int>()](const std::vector<AreaRect>& areas) mutable {
            following(panel, areas, followed);
        });
    QObject::connect(canvas, &AreaCanvas::areasDeleteAsked, &panel, deleted);
    QObject::connect(canvas, &AreaCanvas::areaOpenAsked, &panel, opened);
    QObject::connect(canvas, &AreaCanvas::islandAsked, &panel,
                     [&panel, &frame](QPoint pixel) { cutIsland(panel, pixel, frame); });
    QObject::connect(pieces, &PiecePlacementView::selectionEdited, &panel, selectionEdited);
    QObject::connect(pieces, &PiecePlacementView::piecesMoved, &panel, placed);
    QObject::connect(pieces, &PiecePlacementView::piecesFollowing, &panel, placing);
    const auto showMenu = [&areaMenu](QPoint at) { areaMenu.popup(at); };
    QObject::connect(canvas, &AreaCanvas::contextMenuAsked, &areaMenu, showMenu);
    QObject::connect(pieces, &PiecePlacementView::contextMenuAsked, &areaMenu, showMenu);
    // A gesture's text is replaced at its next move; what a key reports stays a while.
    QObject::connect(canvas, &AreaCanvas::message, &frame, [&frame](const QString& text) {
        frame.statusBar()->showMessage(text, kMessageMilliseconds);
    });
}
