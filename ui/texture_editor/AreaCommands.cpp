#include "ui/texture_editor/AreaCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QMainWindow>
#include <QMimeData>
#include <QStatusBar>
#include <algorithm>
#include <optional>

#include "document/AreaArrangement.h"
#include "document/AreaClipboard.h"
#include "document/AreaListChange.h"
#include "framework/Application.h"
#include "framework/CommandBars.h"
#include "framework/CommandTarget.h"
#include "framework/FrameWindow.h"
#include "framework/ReportList.h"
#include "framework/Resources.h"
#include "framework/StandardIds.h"
#include "library/LibraryJson.h"
#include "ui/LibraryText.h"
#include "ui/ResourceIds.h"
#include "ui/form/TolvaneViewButton.h"
#include "ui/shell/TolvaneDoc.h"
#include "ui/shell/TolvaneView.h"
#include "ui/texture_editor/AreaCanvas.h"
#include "ui/texture_editor/ButtonComposition.h"
#include "ui/texture_editor/DragGesture.h"
#include "ui/texture_editor/PiecePlacementView.h"
#include "ui/texture_editor/PreviewDock.h"
#include "ui/texture_editor/PreviewPanel.h"

namespace {

const QString kAreasMimeType = QStringLiteral("application/x-tolvane-areas");
constexpr int kMessageMilliseconds = 10000;

// Where the focus is, as far as commands on areas go.
enum class AreaFocus { None, Texture, Pieces, List };

AreaFocus areaFocus() {
    const QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || currentButtonView == nullptr || currentPreview == nullptr) {
        return AreaFocus::None;
    }
    const PreviewPanel& panel = *currentPreview->panel();
    if (focus == panel.textureView()) {
        return AreaFocus::Texture;
    }
    if (focus == panel.compositionView()) {
        return AreaFocus::Pieces;
    }
    return focus == currentButtonView->areaList ? AreaFocus::List : AreaFocus::None;
}

// The selected areas the focused place acts on, in order.
std::vector<int> focusedRows(AreaFocus focus) {
    switch (focus) {
        case AreaFocus::Texture:
            return currentPreview->panel()->textureView()->selectedRows();
        case AreaFocus::Pieces:
            return currentPreview->panel()->compositionView()->selectedRows();
        case AreaFocus::List:
            return currentButtonView->SelectedAreaRows();
        case AreaFocus::None:
            break;
    }
    return {};
}

// The shown button's place in the library, while there is one.
std::optional<std::size_t> shownButton() {
    if (currentButtonView == nullptr || currentTreeView == nullptr || currentDocument == nullptr) {
        return std::nullopt;
    }
    const int index = currentDocument->IndexOf(currentTreeView->currentRecord());
    return index >= 0 ? std::optional<std::size_t>(index) : std::nullopt;
}

void tell(const QString& text) {
    if (framework::Application* application = framework::Application::instance()) {
        if (QMainWindow* frame = application->mainWindow()) {
            frame->statusBar()->showMessage(text, kMessageMilliseconds);
        }
    }
}

bool clipboardMayHoldAreas() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data != nullptr && (data->hasFormat(kAreasMimeType) || data->hasText());
}

void copyAreas(const std::vector<int>& rows) {
    const UiResource& resource = *currentTreeView->currentRecord();
    const std::string text = AreasAsText(currentDocument->library, resource,
                                         std::vector<std::size_t>(rows.begin(), rows.end()));
    auto* data = new QMimeData;
    data->setData(kAreasMimeType, QByteArray::fromStdString(text));
    data->setText(QString::fromStdString(text));
    QApplication::clipboard()->setMimeData(data);
}

void cutAreas(const std::vector<int>& rows) {
    copyAreas(rows);
    currentButtonView->ReplaceAreas(
        framework::Resources::LoadString(rows.size() > 1 ? IDS_STEP_CUT_AREAS : IDS_STEP_CUT_AREA),
        AreasWithout(*currentButtonView->Areas(), rows), {});
}

QString addedTexturesText(const std::vector<TextureEntry>& added) {
    QStringList names;
    for (const TextureEntry& texture : added) {
        names << QStringLiteral("%1: %2").arg(texture.id).arg(fromLibraryText(texture.path));
    }
    return QStringLiteral("Der Texturliste hinzugefügt: %1").arg(names.join(QStringLiteral(", ")));
}

void pasteAreas(std::size_t resourceIndex) {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    const std::string text = data == nullptr ? std::string()
                             : data->hasFormat(kAreasMimeType)
                                 ? data->data(kAreasMimeType).toStdString()
                                 : data->text().toStdString();
    ResourceLibrary copied;
    if (libraryFromJson(text, copied)) {
        tell(QStringLiteral("Die Zwischenablage enthält keine Bereiche."));
        return;
    }
    AreaPaste paste = PlanAreaPaste(currentDocument->library, resourceIndex, copied);
    if (paste.step == nullptr) {
        tell(QStringLiteral("Die Zwischenablage enthält keine Bereiche."));
        return;
    }
    currentButtonView->ChangeAreaOnCanvas(framework::Resources::LoadString(IDS_STEP_PASTE_AREAS),
                                          std::move(paste.step),
                                          {ShownResource::kKeep, ShownResource::kKeep, paste.rows,
                                           currentButtonView->SelectedAreaRows()});
    if (!paste.addedTextures.empty()) {
        tell(addedTexturesText(paste.addedTextures));
    }
}

struct Arrangement {
    int id;
    bool distributes;
    Alignment alignment;
    Axis axis;
};

constexpr Arrangement kArrangements[] = {
    {ID_ALIGN_LEFT, false, Alignment::Left, Axis::Horizontal},
    {ID_ALIGN_RIGHT, false, Alignment::Right, Axis::Horizontal},
    {ID_ALIGN_TOP, false, Alignment::Top, Axis::Vertical},
    {ID_ALIGN_BOTTOM, false, Alignment::Bottom, Axis::Vertical},
    {ID_CENTRE_HORIZONTALLY, false, Alignment::HorizontalCentre, Axis::Horizontal},
    {ID_CENTRE_VERTICALLY, false, Alignment::VerticalCentre, Axis::Vertical},
    {ID_DISTRIBUTE_HORIZONTALLY, true, Alignment::Left, Axis::Horizontal},
    {ID_DISTRIBUTE_VERTICALLY, true, Alignment::Top, Axis::Vertical},
};

const Arrangement* arrangementOf(int id) {
    const auto found = std::find_if(std::begin(kArrangements), std::end(kArrangements),
                                    [id](const Arrangement& a) { return a.id == id; });
    return found != std::end(kArrangements) ? found : nullptr;
}

// The rows an arrangement acts on: the button view's selected pieces while it has the focus,
// else the selected areas on the shown texture.
std::vector<int> arrangedRows(bool& pieces) {
    pieces = areaFocus() == AreaFocus::Pieces;
    if (currentPreview == nullptr || currentButtonView == nullptr) {
        return {};
    }
    return focusedRows(pieces ? AreaFocus::Pieces : AreaFocus::Texture);
}

}  // namespace

// While a gesture runs, its areas change under no other command.
void UpdateAreaClipboardCommand(framework::CommandUI& ui) {
    const AreaFocus focus = areaFocus();
    if (focus == AreaFocus::None || DragGesture::anyRunning()) {
        ui.Enable(false);
    } else if (ui.id() == framework::ID_EDIT_PASTE) {
        ui.Enable(shownButton().has_value() && clipboardMayHoldAreas());
    } else {
        ui.Enable(!focusedRows(focus).empty());
    }
}

void RunAreaClipboardCommand(int id) {
    const std::optional<std::size_t> button = shownButton();
    if (!button) {
        return;
    }
    if (id == framework::ID_EDIT_PASTE) {
        pasteAreas(*button);
        return;
    }
    const std::vector<int> rows = focusedRows(areaFocus());
    if (rows.empty()) {
        return;
    }
    if (id == framework::ID_EDIT_COPY) {
        copyAreas(rows);
    } else {
        cutAreas(rows);
    }
}

void UpdateArrangeCommand(framework::CommandUI& ui) {
    const Arrangement* arrangement = arrangementOf(ui.id());
    bool pieces = false;
    const std::size_t least = arrangement != nullptr && arrangement->distributes ? 3 : 2;
    ui.Enable(arrangement != nullptr && !DragGesture::anyRunning() &&
              arrangedRows(pieces).size() >= least);
}

void RunArrangeCommand(int id) {
    const Arrangement* arrangement = arrangementOf(id);
    bool pieces = false;
    const std::vector<int> rows = arrangedRows(pieces);
    if (arrangement == nullptr || rows.empty() || currentButtonView->Areas() == nullptr) {
        return;
    }
    std::vector<ResourceArea> after = *currentButtonView->Areas();
    std::vector<EdgeRect> rects;
    for (const int row : rows) {
        const ResourceArea& area = after[static_cast<std::size_t>(row)];
        const QRectF placed = PlacedRect(area);
        rects.push_back(pieces
                            ? EdgeRect{placed.left(), placed.top(), placed.right(), placed.bottom()}
                            : EdgeRect{area.x1, area.y1, area.x2, area.y2});
    }
    const std::vector<Shift> shifts = arrangement->distributes
                                          ? DistributionShifts(rects, arrangement->axis)
                                          : AlignmentShifts(rects, arrangement->alignment);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ResourceArea& area = after[static_cast<std::size_t>(rows[i])];
        const auto dx = static_cast<float>(shifts[i].dx);
        const auto dy = static_cast<float>(shifts[i].dy);
        if (pieces) {
            area.offsetX += dx;
            area.offsetY += dy;
        } else {
            area.x1 += dx;
            area.x2 += dx;
            area.y1 += dy;
            area.y2 += dy;
        }
    }
    currentButtonView->ReplaceAreas(framework::commandToolTip(id), std::move(after),
                                    currentButtonView->SelectedAreaRows());
}

void UpdateSliceCommand(framework::CommandUI& ui) {
    ui.Enable(currentPreview != nullptr && currentPreview->isVisible() && shownButton() &&
              !currentPreview->panel()->textureView()->texture().isNull());
}

void RunSliceCommand(int id) {
    if (currentPreview != nullptr) {
        currentPreview->openSlicing(id == ID_SLICE_GRID ? SlicePanel::Way::Grid
                                                        : SlicePanel::Way::Islands);
    }
}
