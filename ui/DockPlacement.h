#pragma once

#include <QString>

class QDockWidget;
class QMainWindow;

// Docks a panel of frame where the settings under group say (on the right at first), floating
// or not, shown or not (shownAtFirst before anything was remembered). From then on every move,
// and every showing or hiding while the frame is shown, is remembered.
void restoreDockPlacement(QMainWindow& frame, QDockWidget& dock, const QString& group,
                          bool shownAtFirst);
