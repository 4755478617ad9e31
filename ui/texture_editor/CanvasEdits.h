#pragma once

class PreviewPanel;
class QMainWindow;
class QMenu;

// Makes what the user selects, draws and edits on the preview's texture and composed button
// into the list's selection and steps of the library's history, through the button form that
// shows the same areas; shows the gestures' texts in frame's status bar, and areaMenu as both
// views' context menu.
void ConnectCanvasEdits(PreviewPanel& panel, QMainWindow& frame, QMenu& areaMenu);
