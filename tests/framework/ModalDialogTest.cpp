// Modal dialogs opened by commands: owned by the main window, and answered by test scripts.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

#include "TestDialogs.h"
#include "framework/Application.h"
#include "framework/DocTemplate.h"
#include "framework/StandardIds.h"
#include "support/ScriptedDialogs.h"

namespace {

using framework::IDCANCEL;
using framework::IDOK;

constexpr int kEditCommand = 32790;

// A document whose command opens the exchange dialog without a parent, as the editor's
// commands do, and keeps what the dialog answered.
class DialogDocument : public framework::Document {
public:
    DialogDocument() {
        onCommand(kEditCommand, [this] {
            ExchangeDialog dialog;
            dialog.name = name;
            result = dialog.DoModal();
            if (result == IDOK) {
                name = dialog.name;
            }
        });
    }

    QString name = QStringLiteral("alt");
    int result = 0;
};

class ModalDialogTest : public TestTemplates {
protected:
    void SetUp() override {
        app.AddDocTemplate(std::make_unique<framework::SingleDocTemplate>(
            framework::DocumentString::parse(QStringLiteral("Test\n\nTest\n\n\n\n")),
            [] { return std::make_unique<DialogDocument>(); },
            [](framework::Document& document) {
                return std::make_unique<framework::FrameWindow>(document);
            }));
        ASSERT_NE(app.OpenDocumentFile(QString()), nullptr);
        frame().setGeometry(100, 80, 900, 700);
        showActive(frame());
    }

    DialogDocument& doc() { return static_cast<DialogDocument&>(*app.document()); }
    framework::FrameWindow& frame() { return *app.mainWindow(); }

    framework::Application app;
    ScriptedModalDialogs dialogs;
    ScriptedMessageBoxes boxes;
};

TEST_F(ModalDialogTest, ADialogWithoutParentIsCentredOverAndModalForTheMainWindow) {
    dialogs.answer([this](framework::Dialog& dialog) {
        EXPECT_EQ(dialog.parentWidget(), &frame());
        EXPECT_TRUE(dialog.isWindow());
        EXPECT_TRUE(dialog.isModal());
        const QPoint offset = dialog.frameGeometry().center() - frame().frameGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << ", " << offset.y();
        press(dialog, IDCANCEL);
    });
    EXPECT_TRUE(frame().dispatch(kEditCommand));
    EXPECT_EQ(doc().result, IDCANCEL);
    EXPECT_EQ(dialogs.titles(), QStringList{QStringLiteral("Prüfdialog")});
}

TEST_F(ModalDialogTest, AScriptAnswersTheDialogThatACommandOpens) {
    dialogs.answer([](framework::Dialog& dialog) {
        EXPECT_EQ(dialog.control<QLineEdit>(kNameEdit)->text(), QStringLiteral("alt"));
        retype(dialog, kNameEdit, QStringLiteral("neu"));
        retype(dialog, kCountEdit, QStringLiteral("x"));
        press(dialog, IDOK);  // refused: the count is no number
        EXPECT_TRUE(dialog.isVisible());
        retype(dialog, kCountEdit, QStringLiteral("3"));
        press(dialog, IDOK);
    });
    boxes.answer(IDOK);
    frame().dispatch(kEditCommand);
    EXPECT_EQ(boxes.take().size(), 1);
    EXPECT_EQ(doc().result, IDOK);
    EXPECT_EQ(doc().name, QStringLiteral("neu"));
}

TEST_F(ModalDialogTest, ADialogTheScriptLeavesOpenIsCancelled) {
    // The script's own failure is expected here; what matters is the result.
    ::testing::TestPartResultArray failures;
    {
        ::testing::ScopedFakeTestPartResultReporter reporter(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD,
            &failures);
        dialogs.answer([](framework::Dialog& dialog) {
            retype(dialog, kNameEdit, QStringLiteral("neu"));
        });
        frame().dispatch(kEditCommand);
    }
    EXPECT_EQ(failures.size(), 1);
    EXPECT_EQ(doc().result, IDCANCEL);
    EXPECT_EQ(doc().name, QStringLiteral("alt"));
}

}  // namespace
