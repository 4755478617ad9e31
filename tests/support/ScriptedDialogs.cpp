#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

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
