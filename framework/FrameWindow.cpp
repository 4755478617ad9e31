#include "framework/FrameWindow.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <algorithm>

#include "framework/Application.h"
#include "framework/Document.h"
#include "framework/MessageBox.h"
#include "framework/View.h"

namespace framework {

FrameWindow::FrameWindow(Document& document) : doc(document) {
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { followFocus(now); });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &FrameWindow::updateCommandUI);
    doc.contentsChanged = [this] {
        updateCommandUI();
        emit documentChanged();
    };
    qApp->installEventFilter(this);
}

// Closing the window while it is destroyed moves the focus; by then the frame must no longer
// follow it, nor anything else.
FrameWindow::~FrameWindow() {
    for (const QMetaObject::Connection& connection : focusWatch) {
        disconnect(connection);
    }
    qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
    doc.contentsChanged = nullptr;
}

void FrameWindow::commandStateChanged() {
    if (Application* application = Application::instance()) {
        if (FrameWindow* frame = application->mainWindow()) {
            frame->updateCommandUI();
        }
    }
}

View* FrameWindow::GetActiveView() const {
    const auto& views = doc.views();
    return std::find(views.begin(), views.end(), activeView) != views.end() ? activeView : nullptr;
}

void FrameWindow::SetActiveView(View* view) {
    activeView = view;
    updateCommandUI();
}

// A shortcut is matched against its command's enabling, which is renewed just before, so that
// it never acts on a state computed under other conditions.
bool FrameWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && watched == QGuiApplication::focusObject()) {
        updateCommandUI();
    }
    return QMainWindow::eventFilter(watched, event);
}

void FrameWindow::followFocus(QWidget* now) {
    watchFocusWidget(now);
    for (View* view : doc.views()) {
        QWidget* widget = view->widget();
        if (now != nullptr && widget != nullptr && (widget == now || widget->isAncestorOf(now))) {
            SetActiveView(view);
            return;
        }
    }
    updateCommandUI();
}

void FrameWindow::watchFocusWidget(QWidget* widget) {
    for (const QMetaObject::Connection& connection : focusWatch) {
        disconnect(connection);
    }
    focusWatch.clear();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        focusWatch.push_back(
            connect(edit, &QLineEdit::textChanged, this, &FrameWindow::updateCommandUI));
        focusWatch.push_back(
            connect(edit, &QLineEdit::selectionChanged, this, &FrameWindow::updateCommandUI));
    } else if (auto* list = qobject_cast<QAbstractItemView*>(widget);
               list != nullptr && list->selectionModel() != nullptr) {
        focusWatch.push_back(connect(list->selectionModel(), &QItemSelectionModel::selectionChanged,
                                     this, &FrameWindow::updateCommandUI));
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
    const CommandRoute currentRoute = route();
    const bool enabled = routeUpdate(currentRoute, id).enabled.value_or(false);
    const bool handled = enabled && routeCommand(currentRoute, id);
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
            if (ui.prompt) {
                action->setStatusTip(*ui.prompt);
            }
        }
    }
}

void FrameWindow::updateTitle() {
    setWindowTitle(doc.GetTitle() + QStringLiteral(" - ") + applicationTitle());
}

}  // namespace framework
