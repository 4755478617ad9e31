#pragma once

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <vector>

#include "framework/CommandRoute.h"
#include "framework/CommandTarget.h"

class QAction;

namespace framework {

class Document;
class View;

// The main window of a document: it keeps the active view, routes commands (active view,
// its document, the frame, the application) and keeps every command's menu items and
// buttons enabled as the route's handlers say. Enabling is renewed on the events that can
// change it: the focus moving, the focused edit's text or selection or the focused list's
// selection changing, the clipboard changing, the document changing, a menu opening, a
// control notifying its window, after every command, and before a shortcut is matched.
class FrameWindow : public QMainWindow, public CommandTarget {
    Q_OBJECT

public:
    explicit FrameWindow(Document& document);
    ~FrameWindow() override;

    Document& document() const { return doc; }

    // The active view, or null when none of the document's views is active.
    View* GetActiveView() const;
    void SetActiveView(View* view);

    CommandRoute route() const;
    // Runs id along the route if the route enables it now; false when it did not run.
    bool dispatch(int id);
    // Lets action send id, and enables it as the route says.
    void addCommandAction(int id, QAction* action);
    // Enables and checks every command's actions now.
    void updateCommandUI();
    // "<document title> - <application title>".
    void updateTitle();

    // Something that commands' enabling may depend on has changed: the application's main
    // window, if there is one, enables its commands anew.
    static void commandStateChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // The document announced a change of its contents (modified flag set, views updated).
    void documentChanged();

private:
    // Enables and checks the actions of id as ui says.
    void applyCommandUI(int id, const CommandUI& ui);
    void followFocus(QWidget* now);
    // Enables the commands anew whenever the focused widget's text or selection changes.
    void watchFocusWidget(QWidget* widget);

    Document& doc;
    View* activeView = nullptr;
    std::multimap<int, QPointer<QAction>> commandActions;
    std::vector<QMetaObject::Connection> focusWatch;
};

}  // namespace framework
