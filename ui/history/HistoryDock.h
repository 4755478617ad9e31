#pragma once

#include <QDockWidget>

class QMainWindow;
class QUndoStack;
class QUndoView;

// The "Verlauf" panel: the library's steps by name under an entry for the state it was opened
// or created in. Choosing an entry takes the library to that state. The list is empty while
// the panel cannot be seen.
class CHistoryDock : public QDockWidget {
    Q_OBJECT

public:
    CHistoryDock(QMainWindow& frame, QUndoStack& steps);

    QUndoView* list() const { return view; }

private:
    QUndoView* view = nullptr;
};
