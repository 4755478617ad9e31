#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <map>

#include "framework/CommandRoute.h"
#include "framework/CommandTarget.h"

class QAction;

namespace framework {

class Document;
class View;

// The main window of a document: it keeps the active view, routes commands (active view,
// its document, the frame, the application) and keeps every command's menu items and
// buttons enabled as the route's handlers say.
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
    // Runs id along the route; false when no target handles it.
    bool dispatch(int id);
    // Lets action send id, and enables it as the route says.
    void addCommandAction(int id, QAction* action);
    // Enables and checks every command's actions now.
    void updateCommandUI();
    // "<document title> - <application title>".
    void updateTitle();

private:
    // Enables and checks the actions of id as ui says.
    void applyCommandUI(int id, const CommandUI& ui);
    void followFocus(QWidget* now);

    Document& doc;
    View* activeView = nullptr;
    std::multimap<int, QPointer<QAction>> commandActions;
    QTimer idleUpdate;
};

}  // namespace framework
