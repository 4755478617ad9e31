#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "TestDialogs.h"
#include "framework/StandardIds.h"
#include "support/ScriptedDialogs.h"

namespace {

using framework::IDCANCEL;
using framework::IDOK;

const QString kEnterUnsigned = QStringLiteral("Geben Sie eine positive ganze Zahl ein.");

// The ways a user ends a dialog.
enum class Ending { Ok, Cancel, Enter, Escape, CloseBox };

const char* nameOf(Ending ending) {
    switch (ending) {
        case Ending::Ok:
            return "OK";
        case Ending::Cancel:
            return "Abbrechen";
        case Ending::Enter:
            return "Enter";
        case Ending::Escape:
            return "Esc";
        case Ending::CloseBox:
            return "close box";
    }
    return "";
}

void end(ExchangeDialog& dialog, Ending ending) {
    switch (ending) {
        case Ending::Ok:
            QTest::mouseClick(dialog.control<QPushButton>(IDOK), Qt::LeftButton);
            break;
        case Ending::Cancel:
            QTest::mouseClick(dialog.control<QPushButton>(IDCANCEL), Qt::LeftButton);
            break;
        case Ending::Enter:
            QTest::keyClick(dialog.edit(kNameEdit), Qt::Key_Return);
            break;
        case Ending::Escape:
            QTest::keyClick(dialog.edit(kNameEdit), Qt::Key_Escape);
            break;
        case Ending::CloseBox:
            dialog.close();
            break;
    }
}

// Runs the dialog modally and lets whileOpen act inside its loop; a dialog still open a while
// later fails the test and is cancelled.
int runModal(ExchangeDialog& dialog, const std::function<void()>& whileOpen) {
    bool ran = false;
    QTimer::singleShot(0, &dialog, [&] {
        ran = true;
        whileOpen();
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &dialog, [&dialog] {
        ADD_FAILURE() << "the dialog is still open";
        dialog.done(IDCANCEL);
    });
    watchdog.start(5000);
    const int result = dialog.DoModal();
    EXPECT_TRUE(ran);
    EXPECT_FALSE(dialog.isVisible());
    return result;
}

class DialogTest : public TestTemplates {
protected:
    ScriptedMessageBoxes boxes;
};

TEST_F(DialogTest, PlacesControlsInDialogUnitsOfItsFont) {
    // A quarter of the average letter width across, an eighth of the height down, rounded;
    // for several fonts, since with some sizes a wrong rounding goes unnoticed.
    const QFont applicationFont = QApplication::font();
    for (int pixels : {0, 11, 13, 16}) {
        SCOPED_TRACE(pixels);
        QFont font = applicationFont;
        if (pixels != 0) {
            font.setPixelSize(pixels);
        }
        QApplication::setFont(font);
        ExchangeDialog dialog(kGridTemplate);
        const QFontMetrics metrics(dialog.font());
        const int averageWidth =
            qRound(metrics.horizontalAdvance(
                       QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                   52.0);
        ASSERT_GT(averageWidth, 0);
        const auto across = [&](int units) { return qRound(units * averageWidth / 4.0); };
        const auto down = [&](int units) { return qRound(units * metrics.height() / 8.0); };

        ASSERT_NE(dialog.GetDlgItem(kGridList), nullptr);
        EXPECT_EQ(dialog.GetDlgItem(kGridList)->geometry(),
                  QRect(across(7), down(7), across(479), down(198)));
        EXPECT_EQ(dialog.edit(kNameEdit)->geometry(),
                  QRect(across(53), down(213), across(42), down(14)));
        EXPECT_EQ(dialog.size(), QSize(across(503), down(389)));
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Raster"));
    }
    QApplication::setFont(applicationFont);
}

TEST_F(DialogTest, FocusStartsAndTabsInTheTemplateOrderPastTheLabels) {
    ExchangeDialog dialog;
    showActive(dialog);
    // The focus starts at the first control that takes it.
    ASSERT_EQ(controlIdOf(QApplication::focusWidget()), kNameEdit);

    std::vector<int> order;
    for (int step = 0; step < 9; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order.push_back(controlIdOf(QApplication::focusWidget()));
    }
    EXPECT_EQ(order, (std::vector<int>{kCountEdit, kWidthEdit, kHeightEdit, kKindCombo, kChoiceList,
                                       IDOK, IDCANCEL, kCountButton, kNameEdit}));
}

TEST_F(DialogTest, ModalOkWritesTheMembersInFirstAndReadsThemBack) {
    for (Ending ending : {Ending::Ok, Ending::Enter}) {
        SCOPED_TRACE(nameOf(ending));
        ExchangeDialog dialog;
        dialog.name = QStringLiteral("vorher");
        dialog.width = 2.5f;
        const int result = runModal(dialog, [&] {
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_TRUE(dialog.isModal());
            EXPECT_EQ(dialog.edit(kNameEdit)->text(), QStringLiteral("vorher"));
            EXPECT_EQ(dialog.edit(kWidthEdit)->text(), QStringLiteral("2.5"));
            dialog.edit(kNameEdit)->setText(QStringLiteral("nachher"));
            dialog.edit(kCountEdit)->setText(QStringLiteral(" 42 "));
            end(dialog, ending);
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(dialog.name, QStringLiteral("nachher"));
        EXPECT_EQ(dialog.count, 42u);
    }
}

TEST_F(DialogTest, ModalOkWithAnUnreadableTextKeepsTheDialogOpen) {
    for (Ending ending : {Ending::Ok, Ending::Enter}) {
        SCOPED_TRACE(nameOf(ending));
        ExchangeDialog dialog;
        const int result = runModal(dialog, [&] {
            dialog.edit(kCountEdit)->setText(QStringLiteral("-1"));
            boxes.answer(IDOK);
            end(dialog, ending);
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(boxes.take(), QStringList{kEnterUnsigned});

            dialog.edit(kCountEdit)->setText(QStringLiteral("4"));
            end(dialog, ending);
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(dialog.count, 4u);
    }
}

TEST_F(DialogTest, ModalCancelEndsWithoutReadingTheControls) {
    for (Ending ending : {Ending::Cancel, Ending::Escape, Ending::CloseBox}) {
        SCOPED_TRACE(nameOf(ending));
        ExchangeDialog dialog;
        dialog.name = QStringLiteral("vorher");
        const int result = runModal(dialog, [&] {
            dialog.edit(kNameEdit)->setText(QStringLiteral("nachher"));
            dialog.edit(kCountEdit)->setText(QStringLiteral("keine Zahl"));
            end(dialog, ending);
        });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(dialog.cancels, 1);
        EXPECT_EQ(dialog.name, QStringLiteral("vorher"));
        EXPECT_TRUE(boxes.take().isEmpty());
    }
}

TEST_F(DialogTest, EnterPressesTheButtonThatHasTheFocus) {
    ExchangeDialog dialog;
    auto* count = dialog.control<QPushButton>(kCountButton);
    int result = runModal(dialog, [&] {
        count->setFocus();
        QTest::keyClick(count, Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.notified, QStringList{QStringLiteral("clicked 1010")});
        // Away from the buttons, Enter is OK again.
        dialog.edit(kNameEdit)->setFocus();
        QTest::keyClick(dialog.edit(kNameEdit), Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);

    result = runModal(dialog, [&] {
        auto* cancel = dialog.control<QPushButton>(IDCANCEL);
        cancel->setFocus();
        QTest::keyClick(cancel, Qt::Key_Return);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(DialogTest, ModelessStartsHiddenWithTheMembersWritten) {
    ExchangeDialog dialog;
    dialog.count = 17;
    EXPECT_TRUE(dialog.Create());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(dialog.edit(kCountEdit)->text(), QStringLiteral("17"));
}

TEST_F(DialogTest, EndingAModelessDialogOnlyHidesIt) {
    const struct {
        Ending ending;
        bool reads;
    } cases[] = {
        {Ending::Ok, true},      {Ending::Enter, true},     {Ending::Cancel, false},
        {Ending::Escape, false}, {Ending::CloseBox, false},
    };
    auto* dialog = new ExchangeDialog;
    QPointer<ExchangeDialog> alive(dialog);
    ASSERT_TRUE(dialog->Create());
    for (const auto& c : cases) {
        SCOPED_TRACE(nameOf(c.ending));
        dialog->name = QStringLiteral("vorher");
        dialog->cancels = 0;
        showActive(*dialog);
        dialog->edit(kNameEdit)->setText(QStringLiteral("nachher"));
        end(*dialog, c.ending);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_FALSE(alive.isNull());
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->name, c.reads ? QStringLiteral("nachher") : QStringLiteral("vorher"));
        EXPECT_EQ(dialog->cancels, c.reads ? 0 : 1);
    }
    delete dialog;
}

TEST_F(DialogTest, ModelessOkWithAnUnreadableTextStaysVisible) {
    ExchangeDialog dialog;
    ASSERT_TRUE(dialog.Create());
    showActive(dialog);
    dialog.edit(kCountEdit)->setText(QStringLiteral("12a"));
    boxes.answer(IDOK);
    end(dialog, Ending::Ok);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(boxes.take(), QStringList{kEnterUnsigned});
    EXPECT_EQ(QApplication::focusWidget(), dialog.edit(kCountEdit));
}

}  // namespace
