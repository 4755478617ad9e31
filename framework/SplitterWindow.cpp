#include "framework/SplitterWindow.h"

#include "framework/Document.h"
#include "framework/View.h"

namespace framework {

SplitterWindow::SplitterWindow(int columns, QWidget* parent)
    : QSplitter(Qt::Horizontal, parent),
      panes(static_cast<std::size_t>(columns), nullptr),
      stretches(static_cast<std::size_t>(columns), 1),
      firstWidths(static_cast<std::size_t>(columns), 0) {
    setChildrenCollapsible(false);
    for (int column = 0; column < columns; ++column) {
        addWidget(new QWidget);  // stands in until the column gets its view
    }
}

void SplitterWindow::CreateView(int column, View* view, int width) {
    const QList<int> widths = sizes();
    QWidget* previous = widget(column);
    replaceWidget(column, view->widget());
    delete previous;
    panes[static_cast<std::size_t>(column)] = view;
    setStretchFactor(column, stretches[static_cast<std::size_t>(column)]);
    setSizes(widths);
    if (width > 0) {
        firstWidths[static_cast<std::size_t>(column)] = width;
    }
}

void SplitterWindow::DeleteView(int column) {
    View* view = panes[static_cast<std::size_t>(column)];
    if (view == nullptr) {
        return;
    }
    panes[static_cast<std::size_t>(column)] = nullptr;
    if (Document* document = view->GetDocument()) {
        document->RemoveView(view);
    }
    const QList<int> widths = sizes();
    QWidget* old = view->widget();
    replaceWidget(column, new QWidget);
    setStretchFactor(column, stretches[static_cast<std::size_t>(column)]);
    setSizes(widths);
    // The view goes with its widget, once the event that led here is done with it.
    old->hide();
    old->deleteLater();
}

// The first widths count once the splitter has its size: those columns get them, the
// others share the rest.
void SplitterWindow::resizeEvent(QResizeEvent* event) {
    QSplitter::resizeEvent(event);
    if (laidOut || width() <= 0) {
        return;
    }
    laidOut = true;
    int fixed = 0;
    int shared = 0;
    for (const int first : firstWidths) {
        fixed += first;
        shared += first == 0 ? 1 : 0;
    }
    const int rest = std::max(0, width() - fixed - handleWidth() * (count() - 1));
    QList<int> widths;
    for (const int first : firstWidths) {
        widths << (first > 0 ? first : rest / std::max(1, shared));
    }
    setSizes(widths);
}

void SplitterWindow::setColumnStretch(int column, int stretch) {
    stretches[static_cast<std::size_t>(column)] = stretch;
    setStretchFactor(column, stretch);
}

View* SplitterWindow::GetPane(int column) const {
    return panes[static_cast<std::size_t>(column)];
}

}  // namespace framework
