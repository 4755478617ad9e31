#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <string>

#include "TestDialogs.h"
#include "framework/StandardIds.h"
#include "support/ScriptedDialogs.h"

namespace {

using framework::IDOK;

const QString kEnterUnsigned = QStringLiteral("Geben Sie eine positive ganze Zahl ein.");
const QString kEnterNumber = QStringLiteral("Geben Sie eine Zahl ein.");

class DataExchangeTest : public TestTemplates {
protected:
    void setTexts(const QString& name, const QString& count, const QString& width,
                  const QString& height) {
        dialog->edit(kNameEdit)->setText(name);
        dialog->edit(kCountEdit)->setText(count);
        dialog->edit(kWidthEdit)->setText(width);
        dialog->edit(kHeightEdit)->setText(height);
    }
    QString text(int id) const { return dialog->edit(id)->text(); }
    QComboBox* combo() const { return dialog->control<QComboBox>(kKindCombo); }
    QListWidget* list() const { return dialog->control<QListWidget>(kChoiceList); }

    void SetUp() override {
        TestTemplates::SetUp();
        dialog = std::make_unique<ExchangeDialog>();
    }
    void TearDown() override {
        dialog.reset();
        TestTemplates::TearDown();
    }

    ScriptedMessageBoxes boxes;
    std::unique_ptr<ExchangeDialog> dialog;
};

TEST_F(DataExchangeTest, WritesTheMembersInTheirDisplayForm) {
    dialog->name = QStringLiteral("Kopf");
    dialog->count = 4294967295u;
    dialog->width = 1.0f / 3.0f;
    dialog->height = 1.0e6f;
    dialog->kind = QStringLiteral("Rahmen");
    EXPECT_TRUE(dialog->UpdateData(false));

    EXPECT_EQ(text(kNameEdit), QStringLiteral("Kopf"));
    EXPECT_EQ(text(kCountEdit), QStringLiteral("4294967295"));
    EXPECT_EQ(text(kWidthEdit), QStringLiteral("0.333333"));
    EXPECT_EQ(text(kHeightEdit), QStringLiteral("1e+06"));
    EXPECT_EQ(combo()->currentText(), QStringLiteral("Rahmen"));
    EXPECT_TRUE(boxes.take().isEmpty());
}

TEST_F(DataExchangeTest, WritingLeavesAnEditAloneThatAlreadyShowsTheText) {
    dialog->width = 12.5f;
    dialog->count = 7;
    dialog->height = 12.5f;
    dialog->name = QStringLiteral("neu");
    setTexts(QStringLiteral("alt"), QStringLiteral("7"), QStringLiteral("12.5"),
             QStringLiteral("12.50"));
    dialog->edit(kWidthEdit)->setCursorPosition(2);
    dialog->edit(kCountEdit)->selectAll();
    dialog->edit(kNameEdit)->setCursorPosition(1);
    QSignalSpy widthChanges(dialog->edit(kWidthEdit), &QLineEdit::textChanged);
    QSignalSpy heightChanges(dialog->edit(kHeightEdit), &QLineEdit::textChanged);

    EXPECT_TRUE(dialog->UpdateData(false));
    EXPECT_EQ(widthChanges.count(), 0);
    EXPECT_EQ(dialog->edit(kWidthEdit)->cursorPosition(), 2);
    EXPECT_EQ(dialog->edit(kCountEdit)->selectedText(), QStringLiteral("7"));
    // The same number in another form, and another text, are replaced as a whole.
    EXPECT_EQ(heightChanges.count(), 1);
    EXPECT_EQ(text(kHeightEdit), QStringLiteral("12.5"));
    EXPECT_EQ(text(kNameEdit), QStringLiteral("neu"));
}

TEST_F(DataExchangeTest, ReadsEveryControlWhenAllTextsAreNumbers) {
    setTexts(QStringLiteral(" Mitte "), QStringLiteral("\t7\t"), QStringLiteral("  3.25\t"),
             QStringLiteral("12."));
    combo()->setEditText(QStringLiteral("Rand"));

    EXPECT_TRUE(dialog->UpdateData(true));
    EXPECT_EQ(dialog->name, QStringLiteral(" Mitte "));
    EXPECT_EQ(dialog->count, 7u);
    EXPECT_EQ(dialog->width, 3.25f);
    EXPECT_EQ(dialog->height, 12.0f);
    EXPECT_EQ(dialog->kind, QStringLiteral("Rand"));
    // Reading changes no control.
    EXPECT_EQ(text(kWidthEdit), QStringLiteral("  3.25\t"));
    EXPECT_TRUE(boxes.take().isEmpty());
}

// A text that does not read keeps its member's value and holds back none of the others; the
// first such control is told and gets the focus. A disabled control is not read.
TEST_F(DataExchangeTest, ReadingTakesEveryReadableControlAndTellsTheFirstRejected) {
    const struct {
        const char* count;
        const char* width;
        const char* height;
        bool countDisabled;
        std::uint32_t readCount;
        float readWidth;
        float readHeight;
        int rejected;
        const char* rejectedText;
        QString message;
    } cases[] = {
        {"-1", "1,5", "abc", false, 1, 10.0f, 20.0f, kCountEdit, "-1", kEnterUnsigned},
        {"5", "1,5", "abc", false, 5, 10.0f, 20.0f, kWidthEdit, "1,5", kEnterNumber},
        {"5", "2", "-0", false, 5, 2.0f, 20.0f, kHeightEdit, "-0", kEnterNumber},
        {"x", "2", "3", false, 1, 2.0f, 3.0f, kCountEdit, "x", kEnterUnsigned},
        {"x", "2", "abc", true, 1, 2.0f, 20.0f, kHeightEdit, "abc", kEnterNumber},
    };
    showActive(*dialog);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count + std::string(" ") + c.width + " " + c.height);
        dialog->name = QStringLiteral("vorher");
        dialog->count = 1;
        dialog->width = 10.0f;
        dialog->height = 20.0f;
        dialog->kind = QStringLiteral("vorher");
        setTexts(QStringLiteral("nachher"), QString::fromLatin1(c.count),
                 QString::fromLatin1(c.width), QString::fromLatin1(c.height));
        combo()->setEditText(QStringLiteral("nachher"));
        dialog->edit(kCountEdit)->setEnabled(!c.countDisabled);
        dialog->edit(kNameEdit)->setFocus();

        boxes.answer(IDOK);
        EXPECT_FALSE(dialog->UpdateData(true));
        EXPECT_EQ(boxes.take(), QStringList{c.message});

        EXPECT_EQ(dialog->name, QStringLiteral("nachher"));
        EXPECT_EQ(dialog->count, c.readCount);
        EXPECT_EQ(dialog->width, c.readWidth);
        EXPECT_EQ(dialog->height, c.readHeight);
        EXPECT_EQ(dialog->kind, QStringLiteral("nachher"));

        QLineEdit* rejected = dialog->edit(c.rejected);
        EXPECT_EQ(QApplication::focusWidget(), rejected);
        EXPECT_EQ(rejected->selectedText(), QString::fromLatin1(c.rejectedText));
    }
    // With the unreadable one disabled, the rest reads as a whole.
    setTexts(QStringLiteral("nachher"), QStringLiteral("x"), QStringLiteral("4"),
             QStringLiteral("5"));
    EXPECT_TRUE(dialog->UpdateData(true));
    EXPECT_EQ(dialog->count, 1u);
    EXPECT_EQ(dialog->height, 5.0f);
    EXPECT_TRUE(boxes.take().isEmpty());
}

TEST_F(DataExchangeTest, AnEmptyEditIsRejectedAndGetsTheFocus) {
    showActive(*dialog);
    dialog->count = 3;
    setTexts(QString(), QString(), QStringLiteral("1"), QStringLiteral("1"));
    dialog->edit(kNameEdit)->setFocus();

    boxes.answer(IDOK);
    EXPECT_FALSE(dialog->UpdateData(true));
    EXPECT_EQ(boxes.take(), QStringList{kEnterUnsigned});
    EXPECT_EQ(dialog->count, 3u);
    EXPECT_EQ(QApplication::focusWidget(), dialog->edit(kCountEdit));
}

TEST_F(DataExchangeTest, NotificationsDoNotReachTheHandlersDuringAnExchange) {
    list()->addItems({QStringLiteral("eins"), QStringLiteral("zwei"), QStringLiteral("drei")});
    combo()->addItems({QStringLiteral("oben"), QStringLiteral("unten")});
    dialog->notified.clear();
    int row = 0;
    // Whatever the exchange does to the controls, in either direction.
    dialog->alsoExchange = [&](framework::DataExchange&) {
        ++row;
        list()->setCurrentRow(row);
        combo()->setCurrentIndex(row % 2);
        dialog->edit(kNameEdit)->setText(QStringLiteral("Text %1").arg(row));
        dialog->control<QPushButton>(kCountButton)->click();
    };
    dialog->name = QStringLiteral("neu");
    dialog->count = 9;
    dialog->width = 2.5f;
    dialog->kind = QStringLiteral("mitte");

    EXPECT_TRUE(dialog->UpdateData(false));
    EXPECT_TRUE(dialog->UpdateData(true));
    EXPECT_EQ(row, 2);
    EXPECT_EQ(list()->currentRow(), 2);
    EXPECT_EQ(dialog->notified, QStringList());

    // A failed exchange ends the lock as well.
    dialog->alsoExchange = nullptr;
    dialog->edit(kCountEdit)->setText(QStringLiteral("x"));
    dialog->notified.clear();
    boxes.answer(IDOK);
    EXPECT_FALSE(dialog->UpdateData(true));
    EXPECT_FALSE(dialog->isExchanging());

    // What the user does reaches them.
    showActive(*dialog);
    QTest::keyClicks(dialog->edit(kNameEdit), QStringLiteral("a"));
    QTest::keyClicks(combo()->lineEdit(), QStringLiteral("b"));
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Up);
    QTest::mouseClick(dialog->control<QPushButton>(kCountButton), Qt::LeftButton);
    EXPECT_EQ(dialog->notified,
              QStringList({QStringLiteral("edit 1001"), QStringLiteral("edit 1005"),
                           QStringLiteral("selection 1006"), QStringLiteral("clicked 1010")}));
}

TEST_F(DataExchangeTest, AChangeRuleRewritingItsOwnEditsDoesNotRunAgain) {
    // The usual rule: read everything, derive, write everything back.
    int runs = 0;
    dialog->whenEdited(kWidthEdit, [&] {
        ++runs;
        dialog->UpdateData(true);
        dialog->height = dialog->width * 2.0f;
        dialog->UpdateData(false);
    });
    dialog->width = 12.0f;
    dialog->UpdateData(false);
    dialog->notified.clear();
    showActive(*dialog);
    QLineEdit* width = dialog->edit(kWidthEdit);
    width->setFocus();
    width->end(false);

    QTest::keyClicks(width, QStringLiteral("."));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(width->text(), QStringLiteral("12"));
    EXPECT_EQ(text(kHeightEdit), QStringLiteral("24"));
    EXPECT_EQ(dialog->notified, QStringList{QStringLiteral("edit 1003")});

    QTest::keyClicks(width, QStringLiteral("5"));
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(dialog->width, 125.0f);
    EXPECT_EQ(text(kHeightEdit), QStringLiteral("250"));
}

}  // namespace
