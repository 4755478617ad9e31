#pragma once

#include <QLineEdit>

namespace framework {

// A one-line edit that shows and holds every letter as a capital, whether typed, pasted,
// dropped or set by the program. Letters are raised one at a time, so a letter without a
// single capital ("ß") stays as it is. Typing and pasting keep the edit's undo history.
// textChanged may briefly carry small letters set by the program; textAccepted carries every
// change once, in capitals.
class UpperCaseEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit UpperCaseEdit(QWidget* parent = nullptr);

    // Each letter of text as its capital, where it has one of its own.
    static QString raised(const QString& text);

    // Inserts the clipboard's text in capitals.
    void pasteRaised();

signals:
    void textAccepted(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void followText(const QString& text);
};

}  // namespace framework
