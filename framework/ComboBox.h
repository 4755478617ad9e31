#pragma once

#include <QComboBox>
#include <QtGlobal>

namespace framework {

// A combo box as dialogs use it: the program fills the list and selects entries, the user
// picks them. Filling selects nothing; only a pick by the user (mouse, keys, wheel) is
// announced, through picked. A drop-down combo's text field never adds to the list, and
// Enter in it goes to the dialog.
class ComboBox : public QComboBox {
    Q_OBJECT

public:
    // textField: a drop-down combo with a text field, else a drop-down list.
    explicit ComboBox(bool textField, QWidget* parent = nullptr);

    // Appends text to the list and returns its index; the selection stays as it was.
    int AddString(const QString& text);
    void ResetContent();
    int GetCount() const { return count(); }
    // The selected entry's index, or -1.
    int GetCurSel() const { return currentIndex(); }
    // Selects entry index; -1 or an index outside the list selects nothing.
    void SetCurSel(int index);
    QString GetLBText(int index) const { return itemText(index); }
    void SetItemData(int index, qint64 value);
    qint64 GetItemData(int index) const;

    // Makes the list show as many entries as fit in height pixels below the closed box.
    void setDroppedHeight(int height);

signals:
    void picked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace framework
