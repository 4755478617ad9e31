#include "framework/SplitterWindow.h"

#include "framework/Document.h"
#include "framework/View.h"

namespace framework {

SplitterWindow::SplitterWindow(int count, Qt::Orientation orientation, QWidget* parent)
    : QSplitter(orientation, parent),
      panes(static_cast<std::size_t>(count), nullptr),
      stretches(static_cast<std::size_t>(count), 1) {
    setChildrenCollapsible(false);
    for (int pane = 0; pane < count; ++pane) {
        addWidget(new QWidget);  // stands in until the pane gets its view
    }
}

void SplitterWindow::CreateView(int pane, View* view) {
    const QList<int> kept = sizes();
    QWidget* previous = widget(pane);
    replaceWidget(pane, view->widget());
    delete previous;
    panes[static_cast<std::size_t>(pane)] = view;
    setStretchFactor(pane, stretches[static_cast<std::size_t>(pane)]);
    setSizes(kept);
}

void SplitterWindow::DeleteView(int pane) {
    View* view = panes[static_cast<std::size_t>(pane)];
    if (view == nullptr) {
        return;
    }
    panes[static_cast<std::size_t>(pane)] = nullptr;
    if (Document* document = view->GetDocument()) {
        document->RemoveView(view);
    }
    const QList<int> kept = sizes();
    QWidget* old = view->widget();
    replaceWidget(pane, new QWidget);
    setStretchFactor(pane, stretches[static_cast<std::size_t>(pane)]);
    setSizes(kept);
    // The view goes with its widget, once the event that led here is done with it.
    old->hide();
    old->deleteLater();
}

void SplitterWindow::setPaneStretch(int pane, int stretch) {
    stretches[static_cast<std::size_t>(pane)] = stretch;
    setStretchFactor(pane, stretch);
}

View* SplitterWindow::GetPane(int pane) const {
    return panes[static_cast<std::size_t>(pane)];
}

}  // namespace framework
