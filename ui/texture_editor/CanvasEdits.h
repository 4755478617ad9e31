#pragma once

class PreviewPanel;
class QMainWindow;

// Makes what the user draws and edits on the preview's texture into steps of the library's
// history, through the button form that shows the same areas, and shows the gestures' texts
// in frame's status bar.
void ConnectCanvasEdits(PreviewPanel& panel, QMainWindow& frame);
