#pragma once

#include <QSplitter>

namespace framework {

class View;

// A static splitter of one row and several columns, each pane one view. Replacing a pane's
// view destroys the old one and keeps the column widths.
class SplitterWindow : public QSplitter {
    Q_OBJECT

public:
    SplitterWindow(int columns, QWidget* parent);

    // Puts view (whose widget is already made) into column; width is the column's first
    // width in pixels, 0 to leave it to the layout.
    void CreateView(int column, View* view, int width = 0);
    // Takes the view of column from its document and destroys it; the column keeps its place
    // until the next CreateView.
    void DeleteView(int column);
    View* GetPane(int column) const;
    // How much of the width that the frame gains or loses goes to column (kept for every
    // view the column gets).
    void setColumnStretch(int column, int stretch);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::vector<View*> panes;
    std::vector<int> stretches;
    std::vector<int> firstWidths;  // asked for before the splitter had a width of its own
    bool laidOut = false;
};

}  // namespace framework
