#pragma once

#include "framework/FrameWindow.h"

class CHistoryDock;
class CPreviewDock;
class WindowArrangement;
class QLabel;
class QMenu;
class QToolBar;

namespace framework {
class SplitterWindow;
}

// The main window: both tool bars at the top (the main one above the resource one), the
// menu, the status bar, a splitter with the resource tree above the form of the selected
// resource, and beside them the docks, the "Vorschau" panel taking most of the room.
class CMainFrame : public framework::FrameWindow {
    Q_OBJECT

public:
    explicit CMainFrame(framework::Document& document);

    // 0 puts a button form into the form's pane, any other kind the blank form. The old form
    // is destroyed, also when the kind does not change.
    void SwitchRightPane(int kind);

    framework::SplitterWindow* splitter() const { return splitterWindow; }
    QToolBar* mainToolBar() const { return mainBar; }
    QToolBar* resourceToolBar() const { return resourceBar; }
    CPreviewDock* preview() const { return previewDock; }
    CHistoryDock* history() const { return historyDock; }

    // Shows text in the status bar's message pane, where it stays until the next text; an
    // empty text brings back the idle message.
    void SetMessageText(const QString& text);
    QString messageText() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void OnCreate();
    void OnCreateClient();
    void createStatusBar();
    void createPreview();
    void createHistory();
    void moveFocusToPane(int step);
    void updateRecentFiles();

    QLabel* messagePane = nullptr;
    QToolBar* mainBar = nullptr;
    QToolBar* resourceBar = nullptr;
    framework::SplitterWindow* splitterWindow = nullptr;
    CPreviewDock* previewDock = nullptr;
    CHistoryDock* historyDock = nullptr;
    WindowArrangement* arrangement = nullptr;
    QMenu* fileMenu = nullptr;
    QAction* recentPlaceholder = nullptr;
};
