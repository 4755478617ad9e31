#pragma once

#include <QString>

class QAction;
class QMenu;
class QToolBar;

namespace framework {

class FrameWindow;

// Menus, tool bars and accelerators of a frame, made from the resource data by id. Every
// item sends its command through the frame and is enabled as the command route says; its
// status-bar prompt and tool tip come from the string table entry of its command
// ("prompt\ntool tip").

// The text before the line break of a command's string: its status-bar prompt.
QString commandPrompt(int id);
// The text after the line break: its tool tip.
QString commandToolTip(int id);

// Fills the frame's menu bar from menu id. Returns the placeholder item of the recent-file
// list (the item marked "mru"), or null.
QAction* loadMenu(FrameWindow& frame, int id, QMenu** fileMenu = nullptr);

// A tool bar of 16 x 15 pixel buttons cut in order from the resource's picture strip.
QToolBar* loadToolBar(FrameWindow& frame, int id, const QString& objectName);

// The key combinations of accelerator table id, each sending its command while enabled.
void loadAccelerators(FrameWindow& frame, int id);

}  // namespace framework
