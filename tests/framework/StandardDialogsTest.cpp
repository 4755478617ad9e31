#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/StandardIds.h"
#include "support/QtPrinters.h"
#include "support/TemporaryFolder.h"

// The real message box and file dialog behind the replaceable handlers: what they show and
// what they return.

namespace {

using framework::MessageButtons;

// While it lives, lets act handle the modal window that the next call opens; a window still
// open a while later fails the test and is closed.
template <typename Window>
class WhenShown {
public:
    explicit WhenShown(std::function<void(Window&)> act) {
        QTimer::singleShot(0, &watchdog, [act = std::move(act)] {
            auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
            if (window == nullptr) {
                ADD_FAILURE() << "no modal window of the expected kind";
                return;
            }
            act(*window);
        });
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] {
            if (auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "the modal window is still open";
                window->done(0);
            }
        });
        watchdog.start(5000);
    }

private:
    QTimer watchdog;
};

TEST(MessageBox, ShowsTheApplicationTitleAndReturnsTheIdOfTheAnswer) {
    const QMessageBox::StandardButton kEscape = QMessageBox::NoButton;
    const struct {
        MessageButtons buttons;
        QMessageBox::StandardButton pressed;  // NoButton: Esc
        int result;
    } cases[] = {
        {MessageButtons::Ok, QMessageBox::Ok, framework::IDOK},
        {MessageButtons::Ok, kEscape, framework::IDOK},
        {MessageButtons::YesNo, QMessageBox::Yes, framework::IDYES},
        {MessageButtons::YesNo, QMessageBox::No, framework::IDNO},
        {MessageButtons::YesNo, kEscape, framework::IDNO},
        {MessageButtons::YesNoCancel, QMessageBox::Yes, framework::IDYES},
        {MessageButtons::YesNoCancel, QMessageBox::No, framework::IDNO},
        {MessageButtons::YesNoCancel, QMessageBox::Cancel, framework::IDCANCEL},
        {MessageButtons::YesNoCancel, kEscape, framework::IDCANCEL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.buttons) << " " << c.pressed);
        const QMessageBox::StandardButtons offered =
            c.buttons == MessageButtons::Ok ? QMessageBox::Ok
            : c.buttons == MessageButtons::YesNo
                ? QMessageBox::Yes | QMessageBox::No
                : QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        bool shown = false;
        const WhenShown<QMessageBox> script([&](QMessageBox& box) {
            shown = true;
            EXPECT_EQ(box.windowTitle(), QStringLiteral("Tolvane"));
            EXPECT_EQ(box.text(), QStringLiteral("Bitte prüfen"));
            EXPECT_EQ(box.standardButtons(), offered);
            EXPECT_EQ(box.icon(), c.buttons == MessageButtons::Ok ? QMessageBox::Warning
                                                                  : QMessageBox::Question);
            if (c.pressed == kEscape) {
                QTest::keyClick(&box, Qt::Key_Escape);
            } else {
                box.button(c.pressed)->click();
            }
        });
        EXPECT_EQ(framework::AfxMessageBox(QStringLiteral("Bitte prüfen"), c.buttons), c.result);
        EXPECT_TRUE(shown);
    }
}

TEST(MessageBox, TheRecoverySetNamesItsButtonsAndClosingIsLater) {
    const struct {
        const char* pressed;  // null: Esc
        int result;
    } cases[] = {
        {"Wiederherstellen", framework::IDYES},
        {"Verwerfen", framework::IDNO},
        {"Später", framework::IDCANCEL},
        {nullptr, framework::IDCANCEL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pressed != nullptr ? c.pressed : "Esc");
        const WhenShown<QMessageBox> script([&](QMessageBox& box) {
            QStringList names;
            QAbstractButton* wanted = nullptr;
            for (QAbstractButton* button : box.buttons()) {
                names << button->text().remove(QLatin1Char('&'));
                if (c.pressed != nullptr && names.last() == QString::fromUtf8(c.pressed)) {
                    wanted = button;
                }
            }
            names.sort();
            EXPECT_EQ(names, (QStringList{QStringLiteral("Später"), QStringLiteral("Verwerfen"),
                                          QStringLiteral("Wiederherstellen")}));
            EXPECT_EQ(box.defaultButton()->text(), QStringLiteral("&Wiederherstellen"));
            if (wanted != nullptr) {
                wanted->click();
            } else {
                QTest::keyClick(&box, Qt::Key_Escape);
            }
        });
        EXPECT_EQ(framework::AfxMessageBox(QStringLiteral("Zurückholen?"),
                                           MessageButtons::RestoreDiscardLater),
                  c.result);
    }
}

TEST(MessageBox, ASetTitleComesBeforeTheStringTable) {
    framework::setApplicationTitle(QStringLiteral("Werkbank"));
    QString title;
    const WhenShown<QMessageBox> script([&](QMessageBox& box) {
        title = box.windowTitle();
        box.button(QMessageBox::Ok)->click();
    });
    framework::AfxMessageBox(QStringLiteral("Hinweis"));
    framework::setApplicationTitle(QString());
    EXPECT_EQ(title, QStringLiteral("Werkbank"));
    EXPECT_EQ(framework::applicationTitle(), QStringLiteral("Tolvane"));
}

class FileDialogTest : public ::testing::Test {
protected:
    QString path(const std::string& name) const {
        return QString::fromStdString(folder.file(name));
    }

    TemporaryFolder folder;
};

TEST_F(FileDialogTest, SaveDialogShowsTheFiltersAndAddsTheDefaultSuffix) {
    framework::FileDialogRequest request;
    request.open = false;
    request.fileName = QStringLiteral("Unbenannt");
    request.filters = {{QStringLiteral("Dateityp Tolvane (*.gui)"), QStringLiteral("*.gui")},
                       {QStringLiteral("Bilder (*.png;*.tga)"), QStringLiteral("*.png;*.tga")},
                       {QStringLiteral("Alle Dateien (*.*)"), QStringLiteral("*.*")}};
    request.defaultSuffix = QStringLiteral("gui");
    request.overwritePrompt = true;
    const WhenShown<QFileDialog> script([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        // "*.*" stands for every file, also those without a dot.
        EXPECT_EQ(dialog.nameFilters(), QStringList({QStringLiteral("Dateityp Tolvane (*.gui)"),
                                                     QStringLiteral("Bilder (*.png *.tga)"),
                                                     QStringLiteral("Alle Dateien (*)")}));
        EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("gui"));
        EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        dialog.selectFile(path("neu"));
        static_cast<QDialog&>(dialog).accept();  // as the dialog's own button does
    });
    EXPECT_EQ(framework::runFileDialog(request), path("neu.gui"));
}

TEST_F(FileDialogTest, OpenDialogReturnsTheChosenFileOrNothing) {
    writeFileBytes(folder.file("menu.gui"), "bytes");
    framework::FileDialogRequest request;
    request.open = true;
    request.fileMustExist = true;
    request.filters = {{QStringLiteral("Dateityp Tolvane (*.gui)"), QStringLiteral("*.gui")}};
    {
        const WhenShown<QFileDialog> script([&](QFileDialog& dialog) {
            EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
            EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
            dialog.selectFile(path("menu.gui"));
            static_cast<QDialog&>(dialog).accept();  // as the dialog's own button does
        });
        EXPECT_EQ(framework::runFileDialog(request), path("menu.gui"));
    }
    const WhenShown<QFileDialog> script([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(framework::runFileDialog(request), std::nullopt);
}

}  // namespace
