#pragma once

#include <QDialog>
#include <QPointer>
#include <array>

#include "document/NineSliceInput.h"
#include "library/uiresourcecontrol.h"

class CPreviewDock;
class QCheckBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// The modeless panel "Neunteiliger Knopf": the margins, the size and the centre of a
// nine-part button cut from the one selected area, checked as they are typed. The margins
// show as guide lines over the area on the texture, which drag them too; the composed button
// shows the pieces meanwhile. "OK" makes them in the area's place as one step ("Neunteiliger
// Knopf"), selected afterwards; what is wrong is said and keeps "OK" disabled. The panel
// closes when the selection changes.
class NineSlicePanel : public QDialog {
    Q_OBJECT

public:
    // For the area at row of the resource the form shows, the only one selected.
    NineSlicePanel(CPreviewDock& preview, int row, QWidget* parent);
    ~NineSlicePanel() override;

    int row() const { return areaRow; }
    // The problems, one a line, and the note on fractional edges; empty when there are none.
    QString problemsText() const;
    QString noteText() const;
    bool canApply() const;
    // "OK".
    void apply();

protected:
    // However it closes (OK, Abbrechen, Esc, the close box), the guides and the proposed
    // pieces go with it.
    void hideEvent(QHideEvent* event) override;

private:
    enum Field { Left, Top, Right, Bottom, Width, Height, kFields };

    QLineEdit* field(QFormLayout& form, const QString& label, const std::string& value);
    NineSliceEntries entries() const;
    // The values or the area changed: checked anew, shown on the texture and composed.
    void recheck();
    // The library or the selection changed: the area is followed, or the panel closes.
    void followLibrary();
    void takeDraggedMargins(const NineSliceMargins& margins);
    // Ends what the panel shows on the texture and the composed button.
    void stopShowing();
    // The area the panel cuts, as the library has it now; null when it is no longer the one
    // selected alone.
    const ResourceArea* selectedArea() const;

    QPointer<CPreviewDock> preview;  // gone first when the window closes
    const UiResource* resource;      // compared, never read
    const int areaRow;
    ResourceArea area;
    std::array<QLineEdit*, kFields> fields{};
    QCheckBox* centre = nullptr;
    QLabel* problemsLabel = nullptr;
    QLabel* noteLabel = nullptr;
    QPushButton* okButton = nullptr;
    NineSliceCheck check;
};
