#include "ui/history/HistoryDock.h"

#include <QMainWindow>
#include <QUndoView>

#include "framework/Resources.h"
#include "ui/ResourceIds.h"

CHistoryDock::CHistoryDock(QMainWindow& frame, QUndoStack& steps)
    : QDockWidget(framework::Resources::LoadString(IDS_HISTORY_TITLE), &frame) {
    setObjectName(QStringLiteral("historyDock"));
    view = new QUndoView(this);
    view->setEmptyLabel(framework::Resources::LoadString(IDS_HISTORY_START));
    view->setAccessibleName(windowTitle());
    setWidget(view);
    // Only while it can be seen does the list follow the history: else it would be rebuilt,
    // and its rows announced to a screen reader, at every step.
    connect(this, &QDockWidget::visibilityChanged, this,
            [this, &steps](bool visible) { view->setStack(visible ? &steps : nullptr); });
}
