#include "ui/shell/WindowArrangement.h"

#include <QDockWidget>
#include <QEvent>
#include <QMainWindow>
#include <QSettings>
#include <QSplitter>
#include <QTimer>
#include <algorithm>

// One dock's settings, and what it remembers on the person's behalf while it lives.
class WindowArrangement::Dock : public QObject {
public:
    Dock(WindowArrangement& owner, QDockWidget& dockWidget, const QString& group,
         Qt::DockWidgetArea area, bool shown, DockSize size)
        : QObject(&owner),
          arrangement(owner),
          dock(dockWidget),
          prefix(group + '/'),
          defaultArea(area),
          shownAtFirst(shown),
          defaultSize(std::move(size)) {}

    void restore() {
        QSettings settings;
        const auto area = static_cast<Qt::DockWidgetArea>(
            settings.value(key("area"), static_cast<int>(defaultArea)).toInt());
        frame().addDockWidget(dock.isAreaAllowed(area) ? area : defaultArea, &dock);
        if (settings.value(key("floating"), false).toBool()) {
            dock.setFloating(true);
            dock.restoreGeometry(settings.value(key("geometry")).toByteArray());
        }
        dock.setVisible(settings.value(key("visible"), shownAtFirst).toBool());
        chosenSize = std::max(0, settings.value(key("size"), 0).toInt());
        arrangement.whenLaidOut([this] { followWindowSize(); });

        // From now on every move is the person's, and remembered; a size chosen on one side
        // of the window means nothing on another.
        connect(&dock, &QDockWidget::dockLocationChanged, this, [this] {
            chosenSize = 0;
            QSettings().remove(key("size"));
            save();
        });
        connect(&dock, &QDockWidget::topLevelChanged, this, [this] { save(); });
        // Closed with its own button; the whole window closing hides it too, which is no
        // choice.
        connect(&dock, &QDockWidget::visibilityChanged, this, [this] {
            if (frame().isVisible()) {
                save();
            }
        });
        dock.installEventFilter(this);
    }

    // The size the person chose is kept; the default size, for the default place, follows the
    // window.
    void followWindowSize() {
        if (dock.isFloating()) {
            return;
        }
        if (chosenSize > 0) {
            resize(chosenSize);
        } else if (frame().dockWidgetArea(&dock) == defaultArea) {
            resize(defaultSize());
        }
    }

    void reset() {
        QSettings().remove(prefix.chopped(1));
        chosenSize = 0;
        dock.setFloating(false);
        frame().addDockWidget(defaultArea, &dock);
        dock.setVisible(shownAtFirst);
    }

protected:
    // Dragging the separator beside the dock resizes it; what the window or the arrangement
    // does to its size is no choice of the person's.
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize && arrangement.draggingSeparator && dock.isVisible() &&
            !dock.isFloating()) {
            chosenSize = size();
            QSettings().setValue(key("size"), chosenSize);
        }
        return false;
    }

private:
    QMainWindow& frame() const { return arrangement.frame; }
    QString key(const char* name) const { return prefix + QLatin1String(name); }

    // The direction in which the dock's size is the person's: across its side of the window.
    Qt::Orientation orientation() const {
        const Qt::DockWidgetArea area = frame().dockWidgetArea(&dock);
        return area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea ? Qt::Vertical
                                                                                 : Qt::Horizontal;
    }
    int size() const { return orientation() == Qt::Horizontal ? dock.width() : dock.height(); }

    void resize(int wanted) {
        if (wanted > 0) {
            frame().resizeDocks({&dock}, {wanted}, orientation());
        }
    }

    void save() {
        QSettings settings;
        settings.setValue(key("visible"), !dock.isHidden());
        settings.setValue(key("area"), static_cast<int>(frame().dockWidgetArea(&dock)));
        settings.setValue(key("floating"), dock.isFloating());
        if (dock.isFloating()) {
            settings.setValue(key("geometry"), dock.saveGeometry());
        }
    }

    WindowArrangement& arrangement;
    QDockWidget& dock;
    const QString prefix;
    const Qt::DockWidgetArea defaultArea;
    const bool shownAtFirst;
    const DockSize defaultSize;
    int chosenSize = 0;  // by the person, now or before a restart; 0 for none
};

// One splitter's sizes: the person's once they moved a handle.
class WindowArrangement::Splitter : public QObject {
public:
    Splitter(WindowArrangement& owner, QSplitter& splitterWidget, const QString& settingsKey,
             SplitterSizes sizes)
        : QObject(&owner),
          splitter(splitterWidget),
          key(settingsKey),
          defaultSizes(std::move(sizes)) {
        connect(&splitter, &QSplitter::splitterMoved, this, [this] {
            chosenState = splitter.saveState();
            QSettings().setValue(key, chosenState);
        });
        chosenState = QSettings().value(key).toByteArray();
        owner.whenLaidOut([this] { followWindowSize(); });
    }

    void followWindowSize() {
        if (chosenState.isEmpty() || !splitter.restoreState(chosenState)) {
            splitter.setSizes(defaultSizes());
        }
    }

    void reset() {
        QSettings().remove(key);
        chosenState.clear();
    }

private:
    QSplitter& splitter;
    const QString key;
    const SplitterSizes defaultSizes;
    QByteArray chosenState;  // by the person, now or before a restart; empty for none
};

WindowArrangement::WindowArrangement(QMainWindow& mainWindow)
    : QObject(&mainWindow), frame(mainWindow) {
    frame.installEventFilter(this);
}

void WindowArrangement::addDock(QDockWidget& dock, const QString& group, Qt::DockWidgetArea area,
                                bool shown, DockSize defaultSize) {
    docks.push_back(new Dock(*this, dock, group, area, shown, std::move(defaultSize)));
    docks.back()->restore();
}

void WindowArrangement::addSplitter(QSplitter& splitter, const QString& key,
                                    SplitterSizes defaultSizes) {
    splitters.push_back(new Splitter(*this, splitter, key, std::move(defaultSizes)));
}

// The sizes follow once the docks are back in their places and laid out.
void WindowArrangement::reset() {
    for (Dock* dock : docks) {
        dock->reset();
    }
    for (Splitter* splitter : splitters) {
        splitter->reset();
    }
    following = true;
    QTimer::singleShot(0, this, [this] { followWindowSize(); });
}

void WindowArrangement::whenLaidOut(std::function<void()> sizing) {
    if (laidOut) {
        sizing();
    } else {
        waitingSizes.push_back(std::move(sizing));
    }
}

void WindowArrangement::followWindowSize() {
    following = false;
    for (Dock* dock : docks) {
        dock->followWindowSize();
    }
    for (Splitter* splitter : splitters) {
        splitter->followWindowSize();
    }
}

// A press on the frame itself, not on a widget in it, grabs a separator between its docks and
// its central widget.
bool WindowArrangement::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        draggingSeparator = true;
    } else if (event->type() == QEvent::MouseButtonRelease) {
        draggingSeparator = false;
    } else if (event->type() == QEvent::Show && !laidOut) {
        QTimer::singleShot(0, this, [this] {
            laidOut = true;
            for (const std::function<void()>& sizing : std::exchange(waitingSizes, {})) {
                sizing();
            }
        });
    } else if (event->type() == QEvent::Resize && laidOut && !following) {
        following = true;
        QTimer::singleShot(0, this, [this] { followWindowSize(); });
    }
    return false;
}
