#include "framework/UpperCaseEdit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace framework {

UpperCaseEdit::UpperCaseEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &UpperCaseEdit::followText);
}

QString UpperCaseEdit::raised(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (const char32_t letter : text.toUcs4()) {
        const char32_t capital = QChar::toUpper(letter);
        result += QString::fromUcs4(&capital, 1);
    }
    return result;
}

// What the program sets arrives here unraised: it is raised once more, which notifies again.
void UpperCaseEdit::followText(const QString& text) {
    const QString capitals = raised(text);
    if (capitals == text) {
        emit textAccepted(text);
        return;
    }
    const int caret = cursorPosition();
    setText(capitals);
    setCursorPosition(caret);
}

void UpperCaseEdit::pasteRaised() {
    if (isReadOnly()) {
        return;
    }
    const QString text = QApplication::clipboard()->text();
    if (!text.isEmpty()) {
        insert(raised(text));
    }
}

void UpperCaseEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        pasteRaised();
        event->accept();
        return;
    }
    const QString capitals = raised(event->text());
    if (capitals == event->text()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent raisedEvent(event->type(), event->key(), event->modifiers(), capitals,
                          event->isAutoRepeat(), event->count());
    QLineEdit::keyPressEvent(&raisedEvent);
    event->setAccepted(raisedEvent.isAccepted());
}

void UpperCaseEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent raisedEvent(event->preeditString(), event->attributes());
    raisedEvent.setCommitString(raised(event->commitString()), event->replacementStart(),
                                event->replacementLength());
    QLineEdit::inputMethodEvent(&raisedEvent);
}

// The standard menu, with its paste entry raising the text.
void UpperCaseEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-paste")) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &UpperCaseEdit::pasteRaised);
        }
    }
    menu->popup(event->globalPos());
}

void UpperCaseEdit::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    QMimeData capitals;
    capitals.setText(raised(event->mimeData()->text()));
    QDropEvent raisedEvent(event->position(), event->possibleActions(), &capitals,
                           event->buttons(), event->modifiers(), event->type());
    raisedEvent.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&raisedEvent);
    event->setDropAction(raisedEvent.dropAction());
    event->setAccepted(raisedEvent.isAccepted());
}

}  // namespace framework
