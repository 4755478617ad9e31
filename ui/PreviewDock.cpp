#include "ui/PreviewDock.h"

#include <QFile>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMainWindow>
#include <QSettings>

#include "framework/ComboBox.h"
#include "framework/ReportList.h"
#include "ui/CanvasEdits.h"
#include "ui/PreviewPanel.h"
#include "ui/TolvaneDoc.h"
#include "ui/TolvaneView.h"
#include "ui/TolvaneViewButton.h"

CPreviewDock* currentPreview = nullptr;

namespace {

const QString kVisibleKey = QStringLiteral("Preview/visible");
const QString kAreaKey = QStringLiteral("Preview/area");
const QString kFloatingKey = QStringLiteral("Preview/floating");
const QString kGeometryKey = QStringLiteral("Preview/geometry");

}  // namespace

CPreviewDock::CPreviewDock(QMainWindow& mainWindow)
    : QDockWidget(QStringLiteral("Vorschau"), &mainWindow), frame(mainWindow) {
    currentPreview = this;
    setObjectName(QStringLiteral("previewDock"));
    content = new PreviewPanel(cache, this);
    setWidget(content);
    connect(content, &PreviewPanel::textureChosen, this, [this](std::int32_t id) {
        chosenTexture = {id,
                         currentTreeView != nullptr ? currentTreeView->currentRecord() : nullptr,
                         selectedAreaRow()};
        Refresh();
    });
    connect(content->textureView(), &AreaCanvas::areaDrawn, this, [this] {
        if (content->shownTexture() != nullptr) {
            lastDrawnTexture = content->shownTexture()->id;
        }
    });
    ConnectCanvasEdits(*content, frame);
}

CPreviewDock::~CPreviewDock() {
    if (currentPreview == this) {
        currentPreview = nullptr;
    }
}

void CPreviewDock::restoreSettings() {
    QSettings settings;
    const auto area = static_cast<Qt::DockWidgetArea>(
        settings.value(kAreaKey, static_cast<int>(Qt::RightDockWidgetArea)).toInt());
    frame.addDockWidget(isAreaAllowed(area) ? area : Qt::RightDockWidgetArea, this);
    if (settings.value(kFloatingKey, false).toBool()) {
        setFloating(true);
        restoreGeometry(settings.value(kGeometryKey).toByteArray());
    }
    setVisible(settings.value(kVisibleKey, true).toBool());

    // From now on every move is the user's, and remembered.
    connect(this, &QDockWidget::dockLocationChanged, this, [this] { saveSettings(); });
    connect(this, &QDockWidget::topLevelChanged, this, [this] { saveSettings(); });
    // Closed with its own button; the whole window closing hides it too, which is no choice.
    connect(this, &QDockWidget::visibilityChanged, this, [this] {
        if (frame.isVisible()) {
            saveSettings();
        }
    });
}

void CPreviewDock::saveSettings() {
    QSettings settings;
    settings.setValue(kVisibleKey, !isHidden());
    settings.setValue(kAreaKey, static_cast<int>(frame.dockWidgetArea(this)));
    settings.setValue(kFloatingKey, isFloating());
    if (isFloating()) {
        settings.setValue(kGeometryKey, saveGeometry());
    }
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

// The form is made anew for every selection in the tree; the preview hears of its area
// list's selection from the first refresh after that on.
int CPreviewDock::selectedAreaRow() {
    if (currentButtonView != followedForm) {
        followedForm = currentButtonView;
        if (followedForm != nullptr && followedForm->areaList != nullptr) {
            connect(followedForm->areaList->selectionModel(),
                    &QItemSelectionModel::selectionChanged, this, &CPreviewDock::Refresh);
        }
    }
    return followedForm != nullptr ? followedForm->SelectedAreaIndex() : -1;
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
    const int row = selectedAreaRow();
    content->showScene(BuildPreviewScene(
        currentDocument->library, QFile::encodeName(currentDocument->GetPathName()).toStdString(),
        resource, row, editing ? working : WorkingArea{}, wantedTexture(resource, row)));
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

// The dialog's own handlers were connected when it was made, so they have updated the
// working area by the time these run.
PreviewWorkingArea::PreviewWorkingArea(QWidget& dialog, const ResourceArea& area, int row) {
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
        connections.push_back(QObject::connect(edit, &QLineEdit::textChanged, NotifyPreview));
    }
    for (framework::ComboBox* list : dialog.findChildren<framework::ComboBox*>()) {
        connections.push_back(QObject::connect(list, &framework::ComboBox::picked, NotifyPreview));
    }
    if (currentPreview != nullptr) {
        currentPreview->setWorkingArea(
            {&area, row}, currentTreeView != nullptr ? currentTreeView->currentRecord() : nullptr);
    }
}

PreviewWorkingArea::~PreviewWorkingArea() {
    for (const QMetaObject::Connection& connection : connections) {
        QObject::disconnect(connection);
    }
    if (currentPreview != nullptr) {
        currentPreview->setWorkingArea({}, nullptr);
    }
}
