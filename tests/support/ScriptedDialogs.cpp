#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "framework/ComboBox.h"
#include "framework/StandardIds.h"

ScriptedMessageBoxes::ScriptedMessageBoxes() {
    previous =
        framework::setMessageBoxHandler([this](const QString& text, framework::MessageButtons) {
            shown << text;
            if (answers.empty()) {
                ADD_FAILURE() << "unexpected message box: " << text.toStdString();
                return framework::IDCANCEL;
            }
            const int result = answers.front();
            answers.pop_front();
            return result;
        });
}

ScriptedMessageBoxes::~ScriptedMessageBoxes() {
    framework::setMessageBoxHandler(previous);
    EXPECT_TRUE(answers.empty()) << answers.size() << " scripted answer(s) not asked for";
}

QStringList ScriptedMessageBoxes::take() {
    return std::exchange(shown, {});
}

ScriptedFileDialogs::ScriptedFileDialogs() {
    previous = framework::setFileDialogHandler(
        [this](const framework::FileDialogRequest& request) -> std::optional<QString> {
            asked.push_back(request);
            if (answers.empty()) {
                ADD_FAILURE() << "unexpected file dialog";
                return std::nullopt;
            }
            std::optional<QString> result = answers.front();
            answers.pop_front();
            return result;
        });
}

ScriptedFileDialogs::~ScriptedFileDialogs() {
    framework::setFileDialogHandler(previous);
    EXPECT_TRUE(answers.empty()) << answers.size() << " scripted file(s) not asked for";
}

ScriptedModalDialogs::ScriptedModalDialogs() {
    previous = framework::setModalDialogHandler([this](framework::Dialog& dialog) {
        shown << dialog.windowTitle();
        if (scripts.empty()) {
            ADD_FAILURE() << "unexpected dialog: " << dialog.windowTitle().toStdString();
            return;
        }
        const Script script = std::move(scripts.front());
        scripts.pop_front();
        script(dialog);
        EXPECT_FALSE(dialog.isVisible())
            << "the script left " << dialog.windowTitle().toStdString() << " open";
    });
}

ScriptedModalDialogs::~ScriptedModalDialogs() {
    framework::setModalDialogHandler(previous);
    EXPECT_TRUE(scripts.empty()) << scripts.size() << " dialog script(s) not used";
}

void press(framework::Dialog& dialog, int id) {
    auto* button = dialog.control<QPushButton>(id);
    ASSERT_NE(button, nullptr) << "no button " << id;
    QTest::mouseClick(button, Qt::LeftButton);
}

void retype(framework::Dialog& dialog, int id, const QString& text) {
    auto* edit = dialog.control<QLineEdit>(id);
    ASSERT_NE(edit, nullptr) << "no edit " << id;
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(edit, Qt::Key_Delete);
    } else {
        QTest::keyClicks(edit, text);
    }
}

void pick(framework::Dialog& dialog, int id, int index) {
    auto* combo = dialog.control<framework::ComboBox>(id);
    ASSERT_NE(combo, nullptr) << "no combo box " << id;
    ASSERT_LT(index, combo->count());
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    const QRect entry = list->visualRect(list->model()->index(index, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
}
