#include "framework/FormView.h"

#include "framework/DialogUnits.h"
#include "framework/Resources.h"

namespace framework {

FormView::FormView(int templateId) : formPage(new QWidget) {
    setFrameShape(QFrame::NoFrame);
    setWidget(formPage);
    const DialogTemplate& dialogTemplate = Resources::dialog(templateId);
    buildControls(formPage, dialogTemplate);
    const DialogUnits units(formPage->font());
    formPage->setFixedSize(units.toPixelsX(dialogTemplate.rect.width()),
                           units.toPixelsY(dialogTemplate.rect.height()));
}

void FormView::OnInitialUpdate() {
    UpdateData(false);
}

}  // namespace framework
