#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "framework/FormView.h"
#include "ui/history/LibraryHistory.h"

class CCoordinatesDlg;
class ResourceArea;
class QLineEdit;
class UiResource;

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

    // Builds the columns of the area list (anew, when repeated); fills no rows.
    void OnInitialUpdate() override;
    // The width a form needs to show its fields, its buttons and its area list with every
    // column whole.
    static int PreferredWidth();
    // Loads the form from the tree's current resource.
    void FillFromSelection();
    // Rebuilds every row from the current resource's areas; selects none.
    void RefillAreaList();
    // The first selected row, which is the area's index, or -1 when it is no area's.
    int SelectedAreaIndex() const;
    // Makes an area change drawn on the preview as the history's step nameId; afterwards, and
    // after its undo and redo, the rows shown select that area (-1 for none). A run of
    // nudges of one area (merging) is one step.
    void ChangeAreaOnCanvas(int nameId, std::unique_ptr<LibraryChange> step, ShownResource rows,
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

    void OnNewArea();
    void OnEditArea();
    void OnDeleteArea();
    void OnCopyArea();
    void OnChangeId();
    void OnChangeIdentifier();
};

// The one button form, while it exists.
extern CTolvaneView_Button* currentButtonView;
