#include "ui/DockPlacement.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QSettings>

namespace {

QString key(const QString& group, const char* name) {
    return group + QLatin1Char('/') + QLatin1String(name);
}

void saveDockPlacement(QMainWindow& frame, QDockWidget& dock, const QString& group) {
    QSettings settings;
    settings.setValue(key(group, "visible"), !dock.isHidden());
    settings.setValue(key(group, "area"), static_cast<int>(frame.dockWidgetArea(&dock)));
    settings.setValue(key(group, "floating"), dock.isFloating());
    if (dock.isFloating()) {
        settings.setValue(key(group, "geometry"), dock.saveGeometry());
    }
}

}  // namespace

void restoreDockPlacement(QMainWindow& frame, QDockWidget& dock, const QString& group,
                          bool shownAtFirst) {
    QSettings settings;
    const auto area = static_cast<Qt::DockWidgetArea>(
        settings.value(key(group, "area"), static_cast<int>(Qt::RightDockWidgetArea)).toInt());
    frame.addDockWidget(dock.isAreaAllowed(area) ? area : Qt::RightDockWidgetArea, &dock);
    if (settings.value(key(group, "floating"), false).toBool()) {
        dock.setFloating(true);
        dock.restoreGeometry(settings.value(key(group, "geometry")).toByteArray());
    }
    dock.setVisible(settings.value(key(group, "visible"), shownAtFirst).toBool());

    const auto save = [&frame, &dock, group] { saveDockPlacement(frame, dock, group); };
    QObject::connect(&dock, &QDockWidget::dockLocationChanged, &dock, save);
    QObject::connect(&dock, &QDockWidget::topLevelChanged, &dock, save);
    // The whole window closing hides the panel too, which is no choice of the user's.
    QObject::connect(&dock, &QDockWidget::visibilityChanged, &dock, [&frame, save] {
        if (frame.isVisible()) {
            save();
        }
    });
}
