#pragma once

#include <QMargins>
#include <QScrollArea>

#include "framework/ControlHost.h"
#include "framework/View.h"

namespace framework {

// A view made from a child dialog template: its controls on a page of the template's size,
// scrolled when the pane is smaller.
class FormView : public QScrollArea, public View, public ControlHost {
    Q_OBJECT

public:
    explicit FormView(int templateId);

    QWidget* widget() override { return this; }
    // Writes the members into the controls.
    void OnInitialUpdate() override;

protected:
    QWidget* page() const { return formPage; }
    // From now on the page fills the pane, and control id grows and shrinks with it, keeping
    // its distance to the page's right and bottom edges. The page stays large enough for
    // every other control and for the control's least size; a smaller pane scrolls.
    void stretchToPane(int id);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* formPage;
    QWidget* stretched = nullptr;
    QMargins stretchedMargins;  // its distance to the page's edges, right and bottom
};

}  // namespace framework
