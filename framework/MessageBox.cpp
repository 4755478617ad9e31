#include "framework/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "framework/FrameworkTexts.h"
#include "framework/ModalWindow.h"
#include "framework/Resources.h"
#include "framework/StandardIds.h"

namespace framework {

namespace {

QString& title() {
    static QString value;
    return value;
}

// Wiederherstellen, Verwerfen, Später; closing the box is Später, which changes nothing.
int showRestoreBox(QMessageBox& box) {
    box.setIcon(QMessageBox::Question);
    QPushButton* restore = box.addButton(texts::restoreButton(), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(texts::discardButton(), QMessageBox::DestructiveRole);
    QPushButton* later = box.addButton(texts::laterButton(), QMessageBox::RejectRole);
    box.setDefaultButton(restore);
    box.setEscapeButton(later);
    box.exec();
    return box.clickedButton() == restore   ? IDYES
           : box.clickedButton() == discard ? IDNO
                                            : IDCANCEL;
}

// A box that names no icon gets a warning sign for OK and a question mark for questions.
int showRealBox(const QString& text, MessageButtons buttons) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(applicationTitle());
    box.setText(text);
    switch (buttons) {
        case MessageButtons::RestoreDiscardLater:
            return showRestoreBox(box);
        case MessageButtons::Ok:
            box.setIcon(QMessageBox::Warning);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::YesNo:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MessageButtons::YesNoCancel:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Yes:
            return IDYES;
        case QMessageBox::No:
            return buttons == MessageButtons::Ok ? IDOK : IDNO;
        case QMessageBox::Cancel:
            return IDCANCEL;
        default:
            // Closing a question box without an answer counts as the safe answer.
            return buttons == MessageButtons::Ok            ? IDOK
                   : buttons == MessageButtons::YesNoCancel ? IDCANCEL
                                                            : IDNO;
    }
}

MessageBoxHandler& handler() {
    static MessageBoxHandler value;
    return value;
}

}  // namespace

int AfxMessageBox(const QString& text, MessageButtons buttons) {
    announceModalWindow();
    return handler() ? handler()(text, buttons) : showRealBox(text, buttons);
}

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler replacement) {
    return std::exchange(handler(), std::move(replacement));
}

void setApplicationTitle(const QString& value) {
    title() = value;
}

QString applicationTitle() {
    if (!title().isEmpty()) {
        return title();
    }
    const QString fromStrings = Resources::LoadString(AFX_IDS_APP_TITLE);
    return fromStrings.isEmpty() ? QApplication::applicationName() : fromStrings;
}

}  // namespace framework
