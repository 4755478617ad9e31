#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <Qt>
#include <functional>
#include <vector>

class QDockWidget;
class QMainWindow;
class QSplitter;

// How the main window shares its room: where each dock is, whether it is shown and floating,
// how wide it is (or, docked at the top or bottom, how high), and how each splitter divides
// its room. Until the person changes them they are the defaults given here, worked out anew
// whenever the window changes its size; every change the person makes is remembered across
// restarts; reset() brings back the defaults at once.
class WindowArrangement : public QObject {
public:
    // Sizes in pixels, worked out for the window's size of the moment.
    using DockSize = std::function<int()>;
    using SplitterSizes = std::function<QList<int>()>;

    explicit WindowArrangement(QMainWindow& frame);

    // The dock's settings live under group; by default it is at area, shown as shown says, and
    // defaultSize wide (or high; 0 leaves it to the layout).
    void addDock(QDockWidget& dock, const QString& group, Qt::DockWidgetArea area, bool shown,
                 DockSize defaultSize);
    // The splitter's sizes live under key; by default they are defaultSizes.
    void addSplitter(QSplitter& splitter, const QString& key, SplitterSizes defaultSizes);

    // Forgets what was remembered and arranges the window as at first.
    void reset();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Dock;
    class Splitter;

    // Sizes wait until the window has been shown and laid out: given before, the layout
    // would take the docks' size hints and scale the splitters again.
    void whenLaidOut(std::function<void()> sizing);
    // The sizes the person has not chosen follow the window's new size.
    void followWindowSize();

    QMainWindow& frame;
    std::vector<Dock*> docks;  // children of this
    std::vector<Splitter*> splitters;
    std::vector<std::function<void()>> waitingSizes;
    bool laidOut = false;
    bool following = false;  // a new size is to be followed once the layout has settled
    bool draggingSeparator = false;
};
