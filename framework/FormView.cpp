#include "framework/FormView.h"

#include <QEvent>

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

void FormView::stretchToPane(int id) {
    stretched = GetDlgItem(id);
    if (stretched == nullptr) {
        return;
    }
    const QRect at = stretched->geometry();
    stretchedMargins =
        QMargins(0, 0, formPage->width() - at.right() - 1, formPage->height() - at.bottom() - 1);
    QSize least(at.left() + stretched->minimumWidth() + stretchedMargins.right(),
                at.top() + stretched->minimumHeight() + stretchedMargins.bottom());
    for (const QWidget* control : formPage->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control != stretched) {
            least = least.expandedTo(
                QSize(control->geometry().right() + 1 + stretchedMargins.right(),
                      control->geometry().bottom() + 1 + stretchedMargins.bottom()));
        }
    }
    formPage->setMinimumSize(least);
    formPage->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setWidgetResizable(true);
    formPage->installEventFilter(this);
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == formPage && stretched != nullptr && event->type() == QEvent::Resize) {
        const QPoint at = stretched->pos();
        stretched->resize(formPage->width() - at.x() - stretchedMargins.right(),
                          formPage->height() - at.y() - stretchedMargins.bottom());
    }
    return QScrollArea::eventFilter(watched, event);
}

}  // namespace framework
