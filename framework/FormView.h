#pragma once

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

private:
    QWidget* formPage;
};

}  // namespace framework
