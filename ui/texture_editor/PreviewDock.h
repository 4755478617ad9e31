#pragma once

#include <QDockWidget>
#include <QMetaObject>
#include <QPointer>
#include <optional>
#include <vector>

#include "ui/texture_editor/NineSlicePanel.h"
#include "ui/texture_editor/PreviewScene.h"
#include "ui/texture_editor/SlicePanel.h"
#include "ui/texture_editor/TextureCache.h"

class CCoordinatesDlg;
class CTolvaneView_Button;
class PreviewPanel;
class QMainWindow;
class QMenu;

// The "Vorschau" panel of the main window: the tree's current resource on its textures and
// as its areas compose it. It only reads the library.
class CPreviewDock : public QDockWidget {
    Q_OBJECT

public:
    // areaMenu is the views' context menu.
    CPreviewDock(QMainWindow& frame, QMenu& areaMenu);
    ~CPreviewDock() override;

    // Shows the current resource as the library, the tree, the area list and an open
    // coordinates dialog have it now. While the panel is hidden this waits until it shows.
    void Refresh();

    // While a coordinates dialog edits area for resource owner (in place of row, -1 for a new
    // one), the preview shows it instead; a null area ends that.
    void setWorkingArea(WorkingArea area, const UiResource* owner);

    PreviewPanel* panel() const { return content; }
    // Opens the slicing panel of way, closing the other one; the one open, or null.
    void openSlicing(SlicePanel::Way way);
    SlicePanel* slicingPanel() const { return slicing; }
    // Opens the panel "Neunteiliger Knopf" for the area at row, the only one selected,
    // closing one open for another; the one open, or null.
    void openNineSlice(int row);
    NineSlicePanel* nineSlicePanel() const { return nineSlice; }
    TextureCache& textures() { return cache; }

signals:
    // The panel was drawn anew.
    void refreshed();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The selected rows of the area list, in order.
    std::vector<int> selectedAreaRows();

    TextureCache cache;
    PreviewPanel* content = nullptr;
    // The texture wanted for the resource and row shown: the one chosen for just these, else,
    // for a resource without areas, the one an area was last drawn on.
    std::optional<std::int32_t> wantedTexture(const UiResource* resource, int row) const;

    QPointer<CTolvaneView_Button> followedForm;
    struct TextureChoice {
        std::int32_t id;
        const UiResource* resource;  // compared, never read
        int row;
    };
    std::optional<TextureChoice> chosenTexture;
    QPointer<SlicePanel> slicing;
    QPointer<NineSlicePanel> nineSlice;
    std::optional<std::int32_t> lastDrawnTexture;
    WorkingArea working;
    const UiResource* workingOwner = nullptr;  // compared, never read
    bool stale = true;
};

// The preview of the main window, while there is one.
extern CPreviewDock* currentPreview;

// Tells the preview, if there is one, that what it shows may have changed.
void NotifyPreview();

// For as long as it lives, the preview shows the working area of a coordinates dialog in
// place of row (-1 for a new area) and follows every change made in the dialog.
class PreviewWorkingArea {
public:
    PreviewWorkingArea(CCoordinatesDlg& dialog, int row);
    ~PreviewWorkingArea();
    PreviewWorkingArea(const PreviewWorkingArea&) = delete;
    PreviewWorkingArea& operator=(const PreviewWorkingArea&) = delete;

private:
    QMetaObject::Connection connection;
};
