#pragma once

#include <QObject>
#include <functional>

#include "framework/ModalWindow.h"

class QWidget;

// A drag with the left button on a view of the texture editor, from its press to its release.
// It refers to the library's areas by row, so nothing else may change them under it: the
// library's undo and redo are disabled while it runs, and what must wait for it (a file
// handed over) runs once it ended. It ends, cancelled, as soon as its release can no longer
// come to it: a modal window opens, its view loses the focus or is hidden, the window is
// deactivated, a move arrives without the left button, or the library is replaced.
class DragGesture : public QObject {
    Q_OBJECT

public:
    // cancel ends the view's gesture, leaving the library and the views as before it; it
    // calls end().
    DragGesture(QWidget& view, std::function<void()> cancel);
    ~DragGesture() override;

    // The left button went down on the view and may start a gesture.
    void begin();
    // The gesture ended, by its release or cancelled.
    void end();
    bool active() const { return running == this; }

    static bool anyRunning() { return running != nullptr; }
    // Cancels the gesture that runs, if one does.
    static void cancelRunning();
    // Runs task at once when no gesture runs, else after it ended, unless context is gone.
    static void afterGesture(QObject* context, std::function<void()> task);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static inline DragGesture* running = nullptr;

    QWidget& view;
    std::function<void()> cancelView;
    framework::ModalWindowWatch modalWindows;
};
