#include <QLineEdit>
#include <QTest>
#include <QTreeWidgetItem>

#include "EditorFixture.h"
#include "framework/StandardIds.h"
#include "ui/shell/TolvaneViewBlank.h"

namespace {

TEST_F(EditorTest, StartsEmptyWithTheRootAloneAndTheBlankForm) {
    ASSERT_TRUE(start());
    ASSERT_EQ(tree().topLevelItemCount(), 1);
    const QTreeWidgetItem* root = tree().topLevelItem(0);
    EXPECT_EQ(root->text(0), QStringLiteral("Ressourcen"));
    EXPECT_EQ(root->childCount(), 0);
    EXPECT_TRUE(root->isExpanded());
    EXPECT_TRUE(tree().selectedItems().isEmpty());
    EXPECT_EQ(tree().currentResource, 0u);
    EXPECT_NE(dynamic_cast<CTolvaneView_Blank*>(rightPane()), nullptr);
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("Unbenannt - Tolvane"));
    EXPECT_TRUE(frame().isMaximized());
    EXPECT_EQ(frame().splitter()->orientation(), Qt::Vertical);  // the tree above the form
}

TEST_F(EditorTest, StartsWithALibraryListingItsResourcesInOrder) {
    const QString path = library(
        "menu.gui", libraryWith({{0, 5, "Start"}, {0, 6, "Ende"}, {3, 7, "Start"}, {0, 8, ""}}));
    ASSERT_TRUE(start({path}));
    const QTreeWidgetItem* root = tree().topLevelItem(0);
    EXPECT_EQ(labels(root), (QStringList{QStringLiteral("Start"), QStringLiteral("Ende"),
                                         QStringLiteral("Start"), QString()}));
    EXPECT_TRUE(tree().selectedItems().isEmpty());
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("menu.gui - Tolvane"));
}

TEST_F(EditorTest, FailedOpenOnTheCommandLineEndsTheProgram) {
    boxes.answer(framework::IDOK);
    EXPECT_FALSE(start({library("broken.gui", "no library")}));
    EXPECT_EQ(boxes.take(), QStringList{QStringLiteral("Die Datei konnte nicht geladen werden!")});
}

TEST_F(EditorTest, SelectionDecidesTheFormAndTheCurrentResource) {
    ASSERT_TRUE(start({library("menu.gui", libraryWith({{0, 5, "Knopf"}, {2, 6, "Anders"}}))}));
    QTreeWidgetItem* root = tree().topLevelItem(0);

    tree().setCurrentItem(root);
    EXPECT_EQ(tree().currentResource, ROOT_MARKER);
    EXPECT_EQ(tree().currentRecord(), nullptr);
    framework::View* rootForm = rightPane();
    EXPECT_NE(dynamic_cast<CTolvaneView_Blank*>(rootForm), nullptr);

    tree().SelectResource(doc().library.resources[0].get());
    EXPECT_EQ(tree().currentRecord(), doc().library.resources[0].get());
    EXPECT_NE(rightPane(), rootForm);  // every selection change makes a fresh form

    tree().SelectResource(doc().library.resources[1].get());
    EXPECT_EQ(tree().currentRecord(), doc().library.resources[1].get());
    EXPECT_NE(dynamic_cast<CTolvaneView_Blank*>(rightPane()), nullptr);
}

TEST_F(EditorTest, RebuildSelectsNothingAndKeepsTheForm) {
    ASSERT_TRUE(start({library("menu.gui", libraryWith({{0, 5, "Knopf"}}))}));
    tree().SelectResource(doc().library.resources[0].get());
    framework::View* form = rightPane();
    tree().RebuildTree();
    EXPECT_TRUE(tree().selectedItems().isEmpty());
    EXPECT_EQ(tree().currentRecord(), doc().library.resources[0].get());
    EXPECT_EQ(rightPane(), form);
}

TEST_F(EditorTest, EditedLabelGoesBackToTheIdentifier) {
    ASSERT_TRUE(start({library("menu.gui", libraryWith({{0, 5, "Knopf"}}))}));
    QTreeWidgetItem* item = tree().topLevelItem(0)->child(0);
    tree().setCurrentItem(item);
    tree().editItem(item);
    auto* editor = tree().findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("Neu"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(item->text(0), QStringLiteral("Knopf"));
    EXPECT_EQ(doc().library.resources[0]->identifier, "Knopf");
}

TEST_F(EditorTest, OpeningAnotherFileLeavesNothingOfTheOldOne) {
    ASSERT_TRUE(start({library("first.gui", libraryWith({{0, 5, "Alt"}}))}));
    tree().SelectResource(doc().library.resources[0].get());
    ASSERT_NE(tree().currentResource, 0u);

    ASSERT_NE(
        app->OpenDocumentFile(library("second.gui", libraryWith({{0, 1, "Neu1"}, {0, 2, "Neu2"}}))),
        nullptr);
    EXPECT_EQ(tree().currentResource, 0u);
    EXPECT_NE(dynamic_cast<CTolvaneView_Blank*>(rightPane()), nullptr);
    EXPECT_EQ(labels(tree().topLevelItem(0)),
              (QStringList{QStringLiteral("Neu1"), QStringLiteral("Neu2")}));
    EXPECT_EQ(tree().itemOf(doc().library.resources[1].get())->text(0), QStringLiteral("Neu2"));

    frame().dispatch(framework::ID_FILE_NEW);
    EXPECT_EQ(tree().topLevelItem(0)->childCount(), 0);
    EXPECT_EQ(tree().currentResource, 0u);
}

}  // namespace
