#include "framework/FrameWindow.h"

#include <QAction>
#include <QApplication>
#include <algorithm>

#include "framework/Application.h"
#include "framework/Document.h"
#include "framework/MessageBox.h"
#include "framework/View.h"

namespace framework {

namespace {

// Enabling also follows changes that no command or focus change announces (a count that
// another window changed): a cheap pass a few times a second stands in for idle time.
constexpr int kIdleUpdateMilliseconds = 200;

}  // namespace

FrameWindow::FrameWindow(Document& document) : doc(document) {
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { followFocus(now); });
    connect(&idleUpdate, &QTimer::timeout, this, &FrameWindow::updateCommandUI);
    idleUpdate.start(kIdleUpdateMilliseconds);
}

// Closing the window while it is destroyed moves the focus; by then the frame must no longer
// follow it.
FrameWindow::~FrameWindow() {
    disconnect(qApp, nullptr, this, nullptr);
    idleUpdate.stop();
}

View* FrameWindow::GetActiveView() const {
    const auto& views = doc.views();
    return std::find(views.begin(), views.end(), activeView) != views.end() ? activeView : nullptr;
}

void FrameWindow::SetActiveView(View* view) {
    activeView = view;
    updateCommandUI();
}

void FrameWindow::followFocus(QWidget* now) {
    for (View* view : doc.views()) {
        QWidget* widget = view->widget();
        if (now != nullptr && widget != nullptr && (widget == now || widget->isAncestorOf(now))) {
            SetActiveView(view);
            return;
        }
    }
}

CommandRoute FrameWindow::route() const {
    CommandRoute result;
    if (View* view = GetActiveView()) {
        result.push_back(view);
        result.push_back(view->GetDocument());
    } else {
        result.push_back(&doc);
    }
    result.push_back(const_cast<FrameWindow*>(this));
    result.push_back(Application::instance());
    return result;
}

bool FrameWindow::dispatch(int id) {
    const bool handled = routeCommand(route(), id);
    updateCommandUI();
    return handled;
}

void FrameWindow::addCommandAction(int id, QAction* action) {
    commandActions.emplace(id, action);
    connect(action, &QAction::triggered, this, [this, id] { dispatch(id); });
}

void FrameWindow::updateCommandUI() {
    const CommandRoute currentRoute = route();
    for (auto it = commandActions.begin(); it != commandActions.end();
         it = commandActions.upper_bound(it->first)) {
        applyCommandUI(it->first, routeUpdate(currentRoute, it->first));
    }
}

void FrameWindow::applyCommandUI(int id, const CommandUI& ui) {
    const auto [first, last] = commandActions.equal_range(id);
    for (auto it = first; it != last; ++it) {
        if (QAction* action = it->second) {
            action->setEnabled(ui.enabled.value_or(false));
            if (ui.checked) {
                action->setCheckable(true);
                action->setChecked(*ui.checked);
            }
        }
    }
}

void FrameWindow::updateTitle() {
    setWindowTitle(doc.GetTitle() + QStringLiteral(" - ") + applicationTitle());
}

}  // namespace framework
