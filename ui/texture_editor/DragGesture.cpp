#include "ui/texture_editor/DragGesture.h"

#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <utility>
#include <vector>

#include "framework/FrameWindow.h"

namespace {

struct WaitingTask {
    QPointer<QObject> context;
    std::function<void()> task;
};

std::vector<WaitingTask>& waitingTasks() {
    static std::vector<WaitingTask> tasks;
    return tasks;
}

}  // namespace

DragGesture::DragGesture(QWidget& gestureView, std::function<void()> cancel)
    : view(gestureView), cancelView(std::move(cancel)), modalWindows([this] {
          if (active()) {
              cancelView();
          }
      }) {
    view.installEventFilter(this);
}

DragGesture::~DragGesture() {
    if (active()) {
        running = nullptr;
    }
}

void DragGesture::begin() {
    running = this;
    framework::FrameWindow::commandStateChanged();
}

// What waited runs after the event that ended the gesture, not inside the view's handling of it.
void DragGesture::end() {
    if (!active()) {
        return;
    }
    running = nullptr;
    framework::FrameWindow::commandStateChanged();
    for (WaitingTask& waiting : std::exchange(waitingTasks(), {})) {
        if (waiting.context != nullptr) {
            QTimer::singleShot(0, waiting.context, std::move(waiting.task));
        }
    }
}

void DragGesture::cancelRunning() {
    if (running != nullptr) {
        running->cancelView();
    }
}

void DragGesture::afterGesture(QObject* context, std::function<void()> task) {
    if (running == nullptr) {
        task();
    } else {
        waitingTasks().push_back({context, std::move(task)});
    }
}

bool DragGesture::eventFilter(QObject* watched, QEvent* event) {
    if (!active()) {
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::FocusOut:
        case QEvent::Hide:
            cancelView();
            break;
        case QEvent::ActivationChange:
            if (!view.isActiveWindow()) {
                cancelView();
            }
            break;
        case QEvent::MouseMove:
            if (!(static_cast<QMouseEvent*>(event)->buttons() & Qt::LeftButton)) {
                cancelView();
            }
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}
