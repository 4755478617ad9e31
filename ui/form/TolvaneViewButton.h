#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "framework/FormView.h"
#include "library/uiresourcecontrol.h"
#include "ui/history/LibraryHistory.h"

class CCoordinatesDlg;
class QLineEdit;

namespace framework {
class ReportList;
}

// The right pane for a button: the id, the identifier and the areas of the tree's current
// resource, edited in place in the library. It also carries out the clipboard and undo
// commands for whichever of its edits has the focus.
class CTolvaneView_Button : public framework::FormView {
    Q_OBJECT

public:
    CTolvaneView_Button();
    ~CTolvaneView_Button() override;

    // Builds the columns of the area list (anew, when repeated), each wide enough for its
    // widest value, the texture's path taking the rest; fills no rows.
    void OnInitialUpdate() override;
    // The width a form needs to show its fields, its buttons and its area list with every
    // column whole.
    static int PreferredWidth();
    // Loads the form from the tree's current resource.
    void FillFromSelection();
    // Brings the rows in line with the current resource's areas, changing only what differs;
    // selects none.
    void RefillAreaList();
    // The selected rows that are areas (their indices), in order.
    std::vector<int> SelectedAreaRows() const;
    // The first of them, or -1.
    int SelectedAreaIndex() const;
    // The current resource's areas, or null when there is none.
    const std::vector<ResourceArea>* Areas() const;
    // Makes the current resource's areas after, as the history's step name; afterwards and
    // after a redo the list selects selectAfter, after an undo the rows selected now. A run of
    // nudges of the same areas (merging) is one step.
    void ReplaceAreas(const QString& name, std::vector<ResourceArea> after,
                      std::vector<int> selectAfter,
                      LibraryHistory::Typing merging = LibraryHistory::Typing::None);
    // Makes an area change made on the preview as the history's step name; afterwards, and
    // after its undo and redo, the list selects the rows rows says. A run of nudges of the
    // same areas (merging) is one step.
    void ChangeAreaOnCanvas(const QString& name, std::unique_ptr<LibraryChange> step,
                            ShownResource rows,
                            LibraryHistory::Typing merging = LibraryHistory::Typing::None);
    // Shows area's edges, size and offsets in row of the list, while a gesture changes them.
    // An area being drawn shows in a provisional row after the last one, added by the first
    // call for that row and dropped by DropDrawnAreaRow.
    void ShowAreaEdges(int row, const ResourceArea& area);
    // Drops the provisional row of an area being drawn, if the list shows one.
    void DropDrawnAreaRow();
    // Whether window is a one-line text edit.
    static bool IsEditControl(const QWidget* window);

    framework::ReportList* areaList = nullptr;
    std::uint32_t idValue = 0;
    QString identifierText;

protected:
    void DoDataExchange(framework::DataExchange& exchange) override;

private:
    // The resource the form edits, or null when there is none to edit.
    UiResource* resource() const;
    // Makes change to the current resource as the history's step nameId; steps of typing in
    // one edit merge.
    void change(int nameId, std::unique_ptr<LibraryChange> step,
                LibraryHistory::Typing typing = LibraryHistory::Typing::None);
    // The current resource's position in the library.
    std::size_t resourceIndex() const;
    // The form's edit with the focus, or null.
    QLineEdit* focusedEdit() const;
    // Runs dialog; true when it was confirmed and the form and its resource are still there.
    bool runCoordinatesDialog(CCoordinatesDlg& dialog);
    // Shows each area in its row, the selection left alone unless rows go.
    void fillAreaRows();

    // What each row shows; none where a gesture's values show.
    struct ListedRow {
        ResourceArea area;
        QString path;
    };
    std::vector<std::optional<ListedRow>> listedRows;

    void OnNewArea();
    void OnEditArea();
    void OnDeleteArea();
    void OnCopyArea();
    void OnChangeId();
    void OnChangeIdentifier();
};

// The one button form, while it exists.
extern CTolvaneView_Button* currentButtonView;
