#include "ui/texture_editor/PreviewDock.h"

#include <QFile>
#include <QItemSelectionModel>
#include <QMainWindow>

#include "framework/ReportList.h"
#include "ui/dialogs/CoordinatesDlg.h"
#include "ui/form/TolvaneViewButton.h"
#include "ui/shell/TolvaneDoc.h"
#include "ui/shell/TolvaneView.h"
#include "ui/texture_editor/CanvasEdits.h"
#include "ui/texture_editor/NineSliceCommands.h"
#include "ui/texture_editor/PreviewPanel.h"

CPreviewDock* currentPreview = nullptr;

CPreviewDock::CPreviewDock(QMainWindow& mainWindow, QMenu& areaMenu)
    : QDockWidget(QStringLiteral("Vorschau"), &mainWindow) {
    currentPreview = this;
    setObjectName(QStringLiteral("previewDock"));
    content = new PreviewPanel(cache, this);
    setWidget(content);
    // Which file a texture's path finds can change with the folder (a file spelt in another
    // letter case appearing, say), so the files are looked up again.
    connect(&cache, &TextureCache::textureFilesChanged, this, &CPreviewDock::Refresh);
    connect(content, &PreviewPanel::textureChosen, this, [this](std::int32_t id) {
        const std::vector<int> rows = selectedAreaRows();
        chosenTexture = {id,
                         currentTreeView != nullptr ? currentTreeView->currentRecord() : nullptr,
                         rows.empty() ? -1 : rows.front()};
        Refresh();
    });
    connect(content->textureView(), &AreaCanvas::areaDrawn, this, [this] {
        if (content->shownTexture() != nullptr) {
            lastDrawnTexture = content->shownTexture()->id;
        }
    });
    ConnectCanvasEdits(*content, mainWindow, areaMenu);
    ConnectNineSliceHandle(*content);
}

CPreviewDock::~CPreviewDock() {
    if (currentPreview == this) {
        currentPreview = nullptr;
    }
}

void CPreviewDock::openSlicing(SlicePanel::Way way) {
    if (slicing != nullptr && slicing->way() != way) {
        slicing->close();  // goes once the event loop is back
        slicing = nullptr;
    }
    if (slicing == nullptr) {
        slicing = new SlicePanel(way, *this, parentWidget());
        connect(slicing, &SlicePanel::gridAsked, this,
                [this] { openSlicing(SlicePanel::Way::Grid); });
        // Beside the texture, over the form, where it hides none of what it slices.
        slicing->move(parentWidget()->mapToGlobal(QPoint(24, parentWidget()->height() / 3)));
    }
    slicing->show();
    slicing->raise();
    slicing->activateWindow();
}

void CPreviewDock::openNineSlice(int row) {
    if (nineSlice != nullptr && nineSlice->row() != row) {
        nineSlice->close();
        nineSlice = nullptr;
    }
    if (nineSlice == nullptr) {
        nineSlice = new NineSlicePanel(*this, row, parentWidget());
        nineSlice->move(parentWidget()->mapToGlobal(QPoint(24, parentWidget()->height() / 3)));
    }
    nineSlice->show();
    nineSlice->raise();
    nineSlice->activateWindow();
}

void CPreviewDock::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    if (stale) {
        Refresh();
    }
}

void CPreviewDock::setWorkingArea(WorkingArea area, const UiResource* owner) {
    working = area;
    workingOwner = owner;
    Refresh();
}

// The form is made anew when the tree goes from a button to anything else; the preview
// hears of its area list's selection from the first refresh after that on.
std::vector<int> CPreviewDock::selectedAreaRows() {
    if (currentButtonView != followedForm) {
        followedForm = currentButtonView;
        if (followedForm != nullptr && followedForm->areaList != nullptr) {
            connect(followedForm->areaList->selectionModel(),
                    &QItemSelectionModel::selectionChanged, this, &CPreviewDock::Refresh);
        }
    }
    return followedForm != nullptr ? followedForm->SelectedAreaRows() : std::vector<int>{};
}

void CPreviewDock::Refresh() {
    if (isHidden() || currentDocument == nullptr) {
        stale = true;
        return;
    }
    stale = false;
    const UiResource* resource =
        currentTreeView != nullptr ? currentTreeView->currentRecord() : nullptr;
    // The working area belongs to the resource the dialog was opened for, which may have gone.
    const bool editing = resource != nullptr && resource == workingOwner;
    std::vector<int> rows = selectedAreaRows();
    const int row = rows.empty() ? -1 : rows.front();
    content->showScene(BuildPreviewScene(
        currentDocument->library, QFile::encodeName(currentDocument->GetPathName()).toStdString(),
        resource, std::move(rows), editing ? working : WorkingArea{},
        wantedTexture(resource, row)));
    emit refreshed();
}

std::optional<std::int32_t> CPreviewDock::wantedTexture(const UiResource* resource, int row) const {
    if (chosenTexture && chosenTexture->resource == resource && chosenTexture->row == row) {
        return chosenTexture->id;
    }
    if (resource != nullptr && resource->areas.empty()) {
        return lastDrawnTexture;
    }
    return std::nullopt;
}

void NotifyPreview() {
    if (currentPreview != nullptr) {
        currentPreview->Refresh();
    }
}

PreviewWorkingArea::PreviewWorkingArea(CCoordinatesDlg& dialog, int row)
    : connection(QObject::connect(&dialog, &CCoordinatesDlg::workingAreaChanged, NotifyPreview)) {
    if (currentPreview != nullptr) {
        currentPreview->setWorkingArea(
            {&dialog.workingArea, row},
            currentTreeView != nullptr ? currentTreeView->currentRecord() : nullptr);
    }
}

PreviewWorkingArea::~PreviewWorkingArea() {
    QObject::disconnect(connection);
    if (currentPreview != nullptr) {
        currentPreview->setWorkingArea({}, nullptr);
    }
}
