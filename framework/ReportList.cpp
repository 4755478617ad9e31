#include "framework/ReportList.h"

#include <QHeaderView>
#include <QItemSelection>
#include <QKeyEvent>
#include <QStandardItemModel>
#include <QStyleOptionViewItem>
#include <algorithm>

namespace framework {

namespace {

constexpr int kRowValueRole = Qt::UserRole;

}  // namespace

ReportList::ReportList(QWidget* parent) : QTreeView(parent), rows(new QStandardItemModel(this)) {
    rows->setColumnCount(0);
    setModel(rows);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The selection looks the same with and without the focus.
    QPalette colours = palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    }
    setPalette(colours);
}

int ReportList::InsertColumn(int index, const QString& title, int widthPixels) {
    const int column = qBound(0, index, rows->columnCount());
    rows->insertColumn(column);
    auto* heading = new QStandardItem(title);
    heading->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    rows->setHorizontalHeaderItem(column, heading);
    header()->resizeSection(column, widthPixels);
    return column;
}

void ReportList::FitColumn(int column, const QStringList& texts) {
    if (column < 0 || column >= rows->columnCount()) {
        return;
    }
    // The size a cell asks for is the one below which its text is cut.
    QStyleOptionViewItem cell;
    initViewItemOption(&cell);
    cell.features |= QStyleOptionViewItem::HasDisplay;
    int width = header()->sectionSizeHint(column);
    for (const QString& text : texts) {
        cell.text = text;
        width = std::max(
            width,
            style()->sizeFromContents(QStyle::CT_ItemViewItem, &cell, QSize(), this).width());
    }
    header()->resizeSection(column, width);
}

bool ReportList::DeleteColumn(int index) {
    if (index < 0 || index >= rows->columnCount()) {
        return false;
    }
    return rows->removeColumn(index);
}

int ReportList::GetColumnCount() const {
    return rows->columnCount();
}

int ReportList::InsertItem(int index, const QString& text) {
    const int row = qBound(0, index, rows->rowCount());
    rows->insertRow(row);
    // The row's value lives in its vertical heading, which exists also without columns.
    rows->setVerticalHeaderItem(row, new QStandardItem);
    SetItemText(row, 0, text);
    return row;
}

int ReportList::InsertRow(int index, const QStringList& cells) {
    const int row = qBound(0, index, rows->rowCount());
    QList<QStandardItem*> items;
    for (int column = 0; column < rows->columnCount(); ++column) {
        items.append(new QStandardItem(column < cells.size() ? cells[column] : QString()));
    }
    if (items.isEmpty()) {
        rows->insertRow(row);
    } else {
        rows->insertRow(row, items);
    }
    rows->setVerticalHeaderItem(row, new QStandardItem);
    return row;
}

void ReportList::SetRow(int row, const QStringList& cells) {
    if (row == rows->rowCount()) {
        InsertRow(row, cells);
        return;
    }
    for (int column = 0; column < rows->columnCount(); ++column) {
        SetItemText(row, column, column < cells.size() ? cells[column] : QString());
    }
}

void ReportList::SetItemText(int row, int column, const QString& text) {
    if (row < 0 || row >= rows->rowCount() || column < 0 || column >= rows->columnCount()) {
        return;
    }
    if (QStandardItem* cell = rows->item(row, column)) {
        cell->setText(text);  // an unchanged text announces nothing
    } else {
        rows->setItem(row, column, new QStandardItem(text));
    }
}

QString ReportList::GetItemText(int row, int column) const {
    const QStandardItem* cell = rows->item(row, column);
    return cell != nullptr ? cell->text() : QString();
}

bool ReportList::DeleteItem(int row) {
    return row >= 0 && row < rows->rowCount() && rows->removeRow(row);
}

void ReportList::DeleteAllItems() {
    rows->removeRows(0, rows->rowCount());
}

int ReportList::GetItemCount() const {
    return rows->rowCount();
}

void ReportList::SetItemData(int row, qint64 value) {
    if (QStandardItem* heading = rows->verticalHeaderItem(row)) {
        heading->setData(value, kRowValueRole);
    }
}

qint64 ReportList::GetItemData(int row) const {
    const QStandardItem* heading = rows->verticalHeaderItem(row);
    return heading != nullptr ? heading->data(kRowValueRole).toLongLong() : 0;
}

void ReportList::SelectItem(int row) {
    if (row < 0 || row >= rows->rowCount() || rows->columnCount() == 0) {
        clearSelection();
        return;
    }
    const QModelIndex cell = rows->index(row, 0);
    selectionModel()->setCurrentIndex(
        cell, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// One selection change for all of them, so that followers hear of it once.
void ReportList::SelectItems(const std::vector<int>& selected) {
    QItemSelection selection;
    for (std::size_t i = 0; i < selected.size();) {
        std::size_t end = i + 1;
        while (end < selected.size() && selected[end] == selected[end - 1] + 1) {
            ++end;
        }
        const int first = selected[i];
        const int last = selected[end - 1];
        if (first >= 0 && last < rows->rowCount() && rows->columnCount() > 0) {
            selection.select(rows->index(first, 0), rows->index(last, rows->columnCount() - 1));
        }
        i = end;
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (!selection.isEmpty()) {
        selectionModel()->setCurrentIndex(selection.first().topLeft(),
                                          QItemSelectionModel::NoUpdate);
    }
}

std::vector<int> ReportList::GetSelectedItems() const {
    std::vector<int> selected;
    for (const QModelIndex& cell : selectionModel()->selectedRows()) {
        selected.push_back(cell.row());
    }
    std::sort(selected.begin(), selected.end());
    return selected;
}

bool ReportList::IsRowInSight(int row) const {
    if (row < 0 || row >= rows->rowCount() || rows->columnCount() == 0) {
        return false;
    }
    return visualRect(rows->index(row, 0)).intersects(viewport()->rect());
}

bool ReportList::IsItemSelected(int row) const {
    return selectionModel()->isRowSelected(row, QModelIndex());
}

int ReportList::GetFirstSelectedItem() const {
    for (int row = 0; row < rows->rowCount(); ++row) {
        if (IsItemSelected(row)) {
            return row;
        }
    }
    return -1;
}

void ReportList::mouseReleaseEvent(QMouseEvent* event) {
    QTreeView::mouseReleaseEvent(event);
    emit clickedOnList();
}

void ReportList::keyPressEvent(QKeyEvent* event) {
    QTreeView::keyPressEvent(event);
    emit keyPressedOnList(event->key());
}

}  // namespace framework
