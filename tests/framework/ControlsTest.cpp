// The controls that templates make, driven as a user drives them: combo boxes, report
// lists, upper-case edits, and the names screen readers find them by.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "TestDialogs.h"
#include "framework/ComboBox.h"
#include "framework/DialogUnits.h"
#include "framework/ReportList.h"
#include "framework/StandardIds.h"
#include "framework/UpperCaseEdit.h"
#include "support/ModelChanges.h"
#include "support/ScriptedDialogs.h"

namespace {

using framework::ComboBox;
using framework::ReportList;

// Template 902 with every notification of its controls noted: "picked 1015", "edit 1013
// ABC", "click 1000 row 2", "key 1000 row 2".
class ControlsDialog : public framework::Dialog {
public:
    ControlsDialog() : framework::Dialog(kControlsTemplate) {
        for (int id : {kFormatCombo, kChoiceCombo}) {
            onSelectionChange(id, [this, id] { notes << QStringLiteral("picked %1").arg(id); });
        }
        onEditChange(kCapitalsEdit, [this] {
            notes << QStringLiteral("edit %1 %2").arg(kCapitalsEdit).arg(capitals()->text());
        });
        onListClick(kReportList, [this] {
            notes << QStringLiteral("click row %1").arg(list()->GetFirstSelectedItem());
        });
        onListKey(kReportList, [this] {
            notes << QStringLiteral("key row %1").arg(list()->GetFirstSelectedItem());
        });
    }

    ComboBox* combo(int id) const { return control<ComboBox>(id); }
    QLineEdit* capitals() const { return control<QLineEdit>(kCapitalsEdit); }
    ReportList* list() const { return control<ReportList>(kReportList); }

    QStringList notes;
};

class ControlsTest : public TestTemplates {
protected:
    void SetUp() override { showActive(dialog); }

    ScriptedMessageBoxes boxes;
    ControlsDialog dialog;
};

TEST_F(ControlsTest, OnlyAUserPickRunsTheComboHandler) {
    ComboBox* choice = dialog.combo(kChoiceCombo);
    ASSERT_NE(choice, nullptr);
    for (const char* text : {"Solid", "Transparent", "Transparent Additive"}) {
        choice->AddString(QString::fromLatin1(text));
    }
    EXPECT_EQ(choice->GetCount(), 3);
    EXPECT_EQ(choice->GetCurSel(), -1) << "filling selects nothing";
    choice->SetCurSel(1);
    EXPECT_EQ(choice->GetCurSel(), 1);
    choice->SetCurSel(7);
    EXPECT_EQ(choice->GetCurSel(), -1);
    choice->ResetContent();
    choice->AddString(QStringLiteral("Solid"));
    EXPECT_EQ(choice->GetCurSel(), -1);
    EXPECT_TRUE(dialog.notes.isEmpty()) << dialog.notes.join(QLatin1Char('|')).toStdString();

    // The template's entries arrive in order, with nothing selected.
    ComboBox* format = dialog.combo(kFormatCombo);
    ASSERT_EQ(format->GetCount(), 3);
    EXPECT_EQ(format->GetLBText(0), QStringLiteral("BMP"));
    EXPECT_EQ(format->GetLBText(2), QStringLiteral("PNG"));
    EXPECT_EQ(format->GetCurSel(), -1);
    format->SetItemData(2, -5);
    EXPECT_EQ(format->GetItemData(2), -5);

    pick(dialog, kFormatCombo, 2);
    EXPECT_EQ(format->GetCurSel(), 2);
    EXPECT_EQ(dialog.notes, QStringList{QStringLiteral("picked 1012")});
}

TEST_F(ControlsTest, TextTypedIntoADropDownComboChangesNothing) {
    ComboBox* format = dialog.combo(kFormatCombo);
    format->SetCurSel(0);
    format->setFocus();
    format->lineEdit()->selectAll();
    QTest::keyClicks(format, QStringLiteral("PNG"));
    QTest::keyClick(format, Qt::Key_Return);
    EXPECT_EQ(format->GetCount(), 3);
    EXPECT_EQ(format->GetCurSel(), 0);
    EXPECT_TRUE(dialog.notes.isEmpty()) << dialog.notes.join(QLatin1Char('|')).toStdString();
    // Enter went on to the dialog's default button.
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ControlsTest, ATemplateComboIsOneLineHighAndItsListHasTheTemplateHeight) {
    const framework::DialogUnits units(dialog.font());
    ComboBox* format = dialog.combo(kFormatCombo);
    ComboBox* choice = dialog.combo(kChoiceCombo);
    EXPECT_EQ(format->height(), format->sizeHint().height());
    EXPECT_LT(format->geometry().bottom(), choice->geometry().top());
    EXPECT_LT(choice->geometry().bottom(), dialog.capitals()->geometry().top());
    const int entryHeight = format->fontMetrics().height();
    EXPECT_EQ(format->maxVisibleItems(),
              (units.toPixelsY(112) - format->sizeHint().height()) / entryHeight);
    EXPECT_EQ(choice->maxVisibleItems(),
              (units.toPixelsY(75) - choice->sizeHint().height()) / entryHeight);
}

TEST_F(ControlsTest, AReportListHasOnlyTheColumnsInsertedLeftAlignedInTheirOrder) {
    ReportList* list = dialog.list();
    EXPECT_EQ(list->GetColumnCount(), 0);
    EXPECT_EQ(list->header()->count(), 0);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(list);
    ASSERT_NE(accessible, nullptr);
    ASSERT_NE(accessible->tableInterface(), nullptr);
    EXPECT_EQ(accessible->tableInterface()->columnCount(), 0) << "no column \"1\" for anyone";

    EXPECT_EQ(list->InsertColumn(0, QStringLiteral("Id"), 50), 0);
    EXPECT_EQ(list->InsertColumn(0, QStringLiteral("Dateiname"), 375), 0);
    EXPECT_EQ(list->InsertColumn(9, QStringLiteral("Typ"), 100), 2);
    ASSERT_EQ(list->GetColumnCount(), 3);
    const QStringList titles{QStringLiteral("Dateiname"), QStringLiteral("Id"),
                             QStringLiteral("Typ")};
    const std::vector<int> widths{375, 50, 100};
    for (int column = 0; column < 3; ++column) {
        EXPECT_EQ(list->model()->headerData(column, Qt::Horizontal).toString(), titles[column]);
        EXPECT_EQ(list->header()->sectionSize(column), widths[column]);
        EXPECT_EQ(
            list->model()->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
            int(Qt::AlignLeft | Qt::AlignVCenter));
    }
    EXPECT_EQ(accessible->tableInterface()->columnCount(), 3);
    EXPECT_FALSE(list->header()->sectionsMovable());

    // Cells of columns the list does not have are not kept, and add no column.
    EXPECT_EQ(list->InsertItem(0, QStringLiteral("a.png")), 0);
    list->SetItemText(0, 5, QStringLiteral("256"));
    EXPECT_EQ(list->GetColumnCount(), 3);

    while (list->DeleteColumn(0)) {
    }
    EXPECT_EQ(list->GetColumnCount(), 0);
    EXPECT_EQ(list->header()->count(), 0);
}

TEST_F(ControlsTest, AReportListTakesAWholeRowInOneStep) {
    ReportList* list = dialog.list();
    list->InsertColumn(0, QStringLiteral("Dateiname"), 200);
    list->InsertColumn(1, QStringLiteral("Id"), 50);
    list->InsertItem(0, QStringLiteral("b.png"));
    list->SetItemData(0, 7);
    // Texts beyond the columns are not kept; missing ones leave their cells empty.
    EXPECT_EQ(
        list->InsertRow(0, {QStringLiteral("a.png"), QStringLiteral("3"), QStringLiteral("x")}), 0);
    EXPECT_EQ(list->InsertRow(9, {QStringLiteral("c.png")}), 2);
    ASSERT_EQ(list->GetItemCount(), 3);
    EXPECT_EQ(list->GetColumnCount(), 2);
    EXPECT_EQ(list->GetItemText(0, 0), QStringLiteral("a.png"));
    EXPECT_EQ(list->GetItemText(0, 1), QStringLiteral("3"));
    EXPECT_EQ(list->GetItemText(1, 0), QStringLiteral("b.png"));
    EXPECT_EQ(list->GetItemData(1), 7);
    EXPECT_EQ(list->GetItemText(2, 1), QString());
    list->SetItemData(2, 9);
    EXPECT_EQ(list->GetItemData(2), 9);
    EXPECT_EQ(list->GetFirstSelectedItem(), -1);

    // A row set again announces only the cells that changed; one just past the last is added.
    const ModelChanges changes(*list->model());
    list->SetRow(0, {QStringLiteral("a.png"), QStringLiteral("3")});
    EXPECT_TRUE(changes.changedRows.empty());
    list->SetRow(1, {QStringLiteral("b.png"), QStringLiteral("4")});
    EXPECT_EQ(changes.changedRows, std::set<int>{1});
    EXPECT_EQ(list->GetItemText(1, 1), QStringLiteral("4"));
    EXPECT_EQ(list->GetItemData(1), 7);
    list->SetRow(3, {QStringLiteral("d.png")});
    EXPECT_EQ(list->GetItemText(3, 0), QStringLiteral("d.png"));
    EXPECT_EQ(changes.insertedRows, 1);
    EXPECT_EQ(changes.removedRows + changes.resets, 0);
}

TEST_F(ControlsTest, AReportListKeepsValuesAndOneSelectionAlsoWithoutTheFocus) {
    ReportList* list = dialog.list();
    list->InsertColumn(0, QStringLiteral("Dateiname"), 200);
    list->InsertColumn(1, QStringLiteral("Id"), 50);
    for (int row = 0; row < 3; ++row) {
        list->InsertItem(row, QStringLiteral("t%1.png").arg(row));
        list->SetItemText(row, 1, QString::number(row * 10));
        list->SetItemData(row, 100 + row);
    }
    list->InsertItem(1, QStringLiteral("neu.png"));
    list->SetItemData(1, 7);
    ASSERT_EQ(list->GetItemCount(), 4);
    EXPECT_EQ(list->GetItemText(2, 0), QStringLiteral("t1.png"));
    EXPECT_EQ(list->GetItemText(2, 1), QStringLiteral("10"));
    EXPECT_EQ(list->GetItemData(1), 7);
    EXPECT_EQ(list->GetItemData(2), 101);
    EXPECT_EQ(list->GetFirstSelectedItem(), -1);

    list->SelectItem(1);
    list->SelectItem(3);
    EXPECT_EQ(list->GetFirstSelectedItem(), 3);
    EXPECT_FALSE(list->IsItemSelected(1));

    list->setFocus();
    dialog.capitals()->setFocus();
    EXPECT_FALSE(list->hasFocus());
    EXPECT_TRUE(list->IsItemSelected(3));
    EXPECT_EQ(list->palette().color(QPalette::Inactive, QPalette::Highlight),
              list->palette().color(QPalette::Active, QPalette::Highlight));

    EXPECT_TRUE(list->DeleteItem(1));
    EXPECT_EQ(list->GetItemData(1), 101);
    list->DeleteAllItems();
    EXPECT_EQ(list->GetItemCount(), 0);
    EXPECT_EQ(list->GetFirstSelectedItem(), -1);
}

TEST_F(ControlsTest, ClickAndKeyReachTheOwnerWithTheSelectionMoved) {
    ReportList* list = dialog.list();
    list->InsertColumn(0, QStringLiteral("Dateiname"), 200);
    for (int row = 0; row < 3; ++row) {
        list->InsertItem(row, QStringLiteral("t%1.png").arg(row));
    }
    list->SelectItem(0);
    const QRect rowOne = list->visualRect(list->model()->index(1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowOne.center());
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(dialog.notes,
              (QStringList{QStringLiteral("click row 1"), QStringLiteral("key row 2")}));
    // Clicking another row leaves one selected row.
    EXPECT_EQ(list->selectionModel()->selectedRows().size(), 1);
}

TEST_F(ControlsTest, UpperCaseEditRaisesEveryLetterOnceAndNotifiesOnce) {
    QLineEdit* edit = dialog.capitals();
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("aß1"));
    EXPECT_EQ(edit->text(), QStringLiteral("Aß1"));
    EXPECT_TRUE(edit->isUndoAvailable()) << "typing keeps the undo history";
    EXPECT_EQ(dialog.notes, (QStringList{QStringLiteral("edit 1013 A"),
                                         QStringLiteral("edit 1013 Aß"),
                                         QStringLiteral("edit 1013 Aß1")}));

    dialog.notes.clear();
    QApplication::clipboard()->setText(QStringLiteral("ä_x"));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("Aß1Ä_X"));
    EXPECT_EQ(dialog.notes, QStringList{QStringLiteral("edit 1013 Aß1Ä_X")});

    dialog.notes.clear();
    edit->setText(QStringLiteral("knopf_ÿ"));
    EXPECT_EQ(edit->text(), QStringLiteral("KNOPF_Ÿ"));
    EXPECT_EQ(dialog.notes, QStringList{QStringLiteral("edit 1013 KNOPF_Ÿ")});
    EXPECT_EQ(framework::UpperCaseEdit::raised(QStringLiteral("straße")),
              QStringLiteral("STRAßE"));
}

TEST_F(ControlsTest, ALeftAlignedLabelShowsItsWholeText) {
    for (QLabel* text : dialog.findChildren<QLabel*>()) {
        EXPECT_GE(text->width(), text->sizeHint().width()) << text->text().toStdString();
    }
}

TEST_F(ControlsTest, FieldsAreNamedByTheirLabelsAndButtonsByTheirTexts) {
    EXPECT_EQ(dialog.combo(kFormatCombo)->accessibleName(), QStringLiteral("Format:"));
    EXPECT_EQ(dialog.combo(kChoiceCombo)->accessibleName(), QStringLiteral("Wahl:"));
    EXPECT_EQ(dialog.capitals()->accessibleName(), QStringLiteral("Kennung:"));
    EXPECT_TRUE(dialog.list()->accessibleName().isEmpty()) << "the list has no label";
    EXPECT_EQ(dialog.control<QPushButton>(framework::IDCANCEL)->accessibleName(),
              QStringLiteral("Abbrechen"));
    // The label's shortcut reaches its field.
    QTest::keyClick(&dialog, Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(dialog.combo(kFormatCombo)->hasFocus());
}

}  // namespace
