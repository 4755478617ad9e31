#include "ui/history/HistoryDock.h"

#include <QMainWindow>
#include <QUndoView>

#include "framework/Resources.h"
#include "ui/ResourceIds.h"

CHistoryDock::CHistoryDock(QMainWindow& frame, QUndoStack& steps)
    : QDockWidget(framework::Resources::LoadString(IDS_HISTORY_TITLE), &frame) {
    setObjectName(QStringLiteral("historyDock"));
    view = new QUndoView(&steps, this);
    view->setEmptyLabel(framework::Resources::LoadString(IDS_HISTORY_START));
    view->setAccessibleName(windowTitle());
    setWidget(view);
}
