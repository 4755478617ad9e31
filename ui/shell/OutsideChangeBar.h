#pragma once

#include <QToolBar>

class QLabel;
class QPushButton;

// The bar across the top of the main window that says another program changed or deleted the
// open library's file, with what can be done about it. It interrupts nothing: it takes no
// focus, its buttons are reached with Tab and by their mnemonics, and screen readers announce
// it as an alert.
class OutsideChangeBar : public QToolBar {
    Q_OBJECT

public:
    enum class Kind { Changed, Deleted };

    explicit OutsideChangeBar(QWidget* parent = nullptr);

    // Shows the bar's message for kind and announces it.
    void announce(Kind kind);
    Kind kind() const { return shown; }
    // The message shown; empty while the bar is hidden.
    QString message() const;
    QPushButton* reloadButton() const { return reload; }
    QPushButton* keepButton() const { return keep; }

signals:
    void reloadChosen();
    void keepChosen();

private:
    Kind shown = Kind::Changed;
    QLabel* text = nullptr;
    QPushButton* reload = nullptr;
    QAction* reloadAction = nullptr;  // shows and hides reload in the bar
    QPushButton* keep = nullptr;
};
