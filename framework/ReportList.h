#pragma once

#include <QStringList>
#include <QTreeView>
#include <QtGlobal>
#include <vector>

class QStandardItemModel;

namespace framework {

// A list in report mode: rows of cells under titled, left-aligned columns of fixed order,
// one row selectable at a time, the selection shown also while the list has no focus. It
// has no column until the program inserts one; cells of columns it does not have are not
// kept. Each row holds a value of the program's. A click and a key press are announced
// after the list has handled them, so the selection has already moved.
class ReportList : public QTreeView {
    Q_OBJECT

public:
    explicit ReportList(QWidget* parent = nullptr);

    // Inserts a column before column index (at the end when index is past it); returns its
    // index.
    int InsertColumn(int index, const QString& title, int widthPixels);
    // Widens or narrows column to show its title and the widest of texts whole, by the list's
    // font and style.
    void FitColumn(int column, const QStringList& texts);
    // False when there is no such column.
    bool DeleteColumn(int index);
    int GetColumnCount() const;

    // Inserts a row with text in column 0 before row index (at the end when past it);
    // returns its index.
    int InsertItem(int index, const QString& text);
    // Inserts a row with the texts of its cells, column by column, in one step (texts for
    // columns the list does not have are not kept); returns its index.
    int InsertRow(int index, const QStringList& cells);
    // Gives row the texts of its cells, column by column; a row just past the last is
    // inserted. Cells whose text stays are left alone, so that nothing announces them changed.
    void SetRow(int row, const QStringList& cells);
    void SetItemText(int row, int column, const QString& text);
    QString GetItemText(int row, int column) const;
    bool DeleteItem(int row);
    void DeleteAllItems();
    int GetItemCount() const;

    void SetItemData(int row, qint64 value);
    qint64 GetItemData(int row) const;

    // Selects row alone; -1 or a row outside the list clears the selection.
    void SelectItem(int row);
    // Selects exactly rows (given in ascending order; none for an empty list), the first of
    // them current.
    void SelectItems(const std::vector<int>& rows);
    // The selected rows, in ascending order.
    std::vector<int> GetSelectedItems() const;
    // Whether row is (partly) in sight in the list's window.
    bool IsRowInSight(int row) const;
    bool IsItemSelected(int row) const;
    // Walks the rows from the top: the first selected one, or -1.
    int GetFirstSelectedItem() const;

signals:
    void clickedOnList();
    void keyPressedOnList(int key);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QStandardItemModel* rows;
};

}  // namespace framework
