#include "ui/shell/DockPlacement.h"

#include <QDockWidget>
#include <QEvent>
#include <QMainWindow>
#include <QSettings>
#include <QTimer>

namespace {

// The settings of one dock and what it does on their behalf while it lives.
class DockSettings : public QObject {
public:
    DockSettings(QMainWindow& mainWindow, QDockWidget& dockWidget, const QString& group)
        : QObject(&dockWidget), frame(mainWindow), dock(dockWidget), prefix(group + '/') {}

    void restore(Qt::DockWidgetArea initialArea, bool shownAtFirst) {
        QSettings settings;
        const auto area = static_cast<Qt::DockWidgetArea>(
            settings.value(key("area"), static_cast<int>(initialArea)).toInt());
        frame.addDockWidget(dock.isAreaAllowed(area) ? area : initialArea, &dock);
        if (settings.value(key("floating"), false).toBool()) {
            dock.setFloating(true);
            dock.restoreGeometry(settings.value(key("geometry")).toByteArray());
        }
        dock.setVisible(settings.value(key("visible"), shownAtFirst).toBool());
        if (const int size = settings.value(key("size"), 0).toInt(); size > 0) {
            holdSize(size);
        }

        // From now on every move is the user's, and remembered.
        connect(&dock, &QDockWidget::dockLocationChanged, this, [this] { save(); });
        connect(&dock, &QDockWidget::topLevelChanged, this, [this] { save(); });
        // Closed with its own button; the whole window closing hides it too, which is no
        // choice.
        connect(&dock, &QDockWidget::visibilityChanged, this, [this] {
            if (frame.isVisible()) {
                save();
            }
        });
        dock.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &frame) {
            if (event->type() == QEvent::Show) {
                frame.removeEventFilter(this);
                QTimer::singleShot(0, this, [this] { releaseSize(); });
            }
            return false;
        }
        // Dragging the separator beside the dock resizes it.
        if (event->type() == QEvent::Resize && frame.isVisible() && dock.isVisible() &&
            !dock.isFloating()) {
            QSettings().setValue(key("size"),
                                 orientation() == Qt::Horizontal ? dock.width() : dock.height());
        }
        return false;
    }

private:
    QString key(const char* name) const { return prefix + QLatin1String(name); }

    // The direction in which the dock's size is the user's: across its side of the window.
    Qt::Orientation orientation() const {
        const Qt::DockWidgetArea area = frame.dockWidgetArea(&dock);
        return area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea ? Qt::Vertical
                                                                                 : Qt::Horizontal;
    }

    // A hidden window cannot place a dock by size yet: it has not got its final size, and
    // the layout takes the dock's size hint again until a size was set while it is shown. So
    // the dock asks for size as its least until the window has been shown and laid out, and
    // is then given it.
    void holdSize(int size) {
        if (frame.isVisible()) {
            frame.resizeDocks({&dock}, {size}, orientation());
            return;
        }
        heldSize = size;
        freeMinimum = dock.minimumSize();
        dock.setMinimumSize(orientation() == Qt::Horizontal ? QSize(size, freeMinimum.height())
                                                            : QSize(freeMinimum.width(), size));
        frame.installEventFilter(this);
    }

    void releaseSize() {
        dock.setMinimumSize(freeMinimum);
        frame.resizeDocks({&dock}, {heldSize}, orientation());
    }

    void save() {
        QSettings settings;
        settings.setValue(key("visible"), !dock.isHidden());
        settings.setValue(key("area"), static_cast<int>(frame.dockWidgetArea(&dock)));
        settings.setValue(key("floating"), dock.isFloating());
        if (dock.isFloating()) {
            settings.setValue(key("geometry"), dock.saveGeometry());
        }
    }

    QMainWindow& frame;
    QDockWidget& dock;
    const QString prefix;
    int heldSize = 0;   // the remembered size, until the window has been shown
    QSize freeMinimum;  // the dock's own least size meanwhile
};

}  // namespace

void RememberDockPlacement(QMainWindow& frame, QDockWidget& dock, const QString& group,
                           Qt::DockWidgetArea initialArea, bool shownAtFirst) {
    (new DockSettings(frame, dock, group))->restore(initialArea, shownAtFirst);
}
