#pragma once

#include <QString>
#include <Qt>

class QDockWidget;
class QMainWindow;

// Docks dock in frame where the settings under group say (at initialArea, shown or not as
// shownAtFirst says, before anything was remembered), floating or not, and as wide (or, docked at
// the top or bottom, as high) as it was left. From then on every change the user makes to these is
// remembered.
void RememberDockPlacement(QMainWindow& frame, QDockWidget& dock, const QString& group,
                           Qt::DockWidgetArea initialArea, bool shownAtFirst);
