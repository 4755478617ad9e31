#pragma once

#include <QSplitter>

namespace framework {

class View;

// A static splitter of several panes side by side or one above the other, each pane one view.
// Replacing a pane's view destroys the old one and keeps the panes' sizes.
class SplitterWindow : public QSplitter {
    Q_OBJECT

public:
    SplitterWindow(int panes, Qt::Orientation orientation, QWidget* parent);

    // Puts view (whose widget is already made) into pane.
    void CreateView(int pane, View* view);
    // Takes the view of pane from its document and destroys it; the pane keeps its place
    // until the next CreateView.
    void DeleteView(int pane);
    View* GetPane(int pane) const;
    // How much of the room that the frame gains or loses goes to pane (kept for every view
    // the pane gets).
    void setPaneStretch(int pane, int stretch);

private:
    std::vector<View*> panes;
    std::vector<int> stretches;
};

}  // namespace framework
