#include "framework/ComboBox.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace framework {

ComboBox::ComboBox(bool textField, QWidget* parent) : QComboBox(parent) {
    setEditable(textField);
    if (QLineEdit* field = lineEdit()) {
        // The field neither completes nor picks: without these, Enter or leaving the field
        // would select an entry matching its text.
        setCompleter(nullptr);
        disconnect(field, SIGNAL(returnPressed()), this, nullptr);
        disconnect(field, SIGNAL(editingFinished()), this, nullptr);
    }
    setInsertPolicy(QComboBox::NoInsert);
    // A plain drop-down list, so that the number of visible entries holds in every style.
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    connect(this, &QComboBox::activated, this, [this] { emit picked(); });
}

int ComboBox::AddString(const QString& text) {
    const int selected = currentIndex();
    addItem(text);
    // Adding to an empty list would select the new entry.
    if (currentIndex() != selected) {
        setCurrentIndex(selected);
    }
    return count() - 1;
}

void ComboBox::ResetContent() {
    clear();
    if (QLineEdit* field = lineEdit()) {
        field->clear();
    }
}

void ComboBox::SetCurSel(int index) {
    setCurrentIndex(index >= 0 && index < count() ? index : -1);
}

void ComboBox::SetItemData(int index, qint64 value) {
    setItemData(index, value);
}

qint64 ComboBox::GetItemData(int index) const {
    return itemData(index).toLongLong();
}

void ComboBox::setDroppedHeight(int height) {
    const int entryHeight = qMax(1, fontMetrics().height());
    setMaxVisibleItems(qMax(1, (height - sizeHint().height()) / entryHeight));
}

// Enter and Return belong to the dialog (its default button), never to the text field,
// which would otherwise pick a matching entry.
void ComboBox::keyPressEvent(QKeyEvent* event) {
    if (isEditable() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->ignore();
        return;
    }
    QComboBox::keyPressEvent(event);
}

}  // namespace framework
