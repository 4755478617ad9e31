#include <QTreeWidgetItem>

#include "EditorFixture.h"
#include "framework/CommandRoute.h"
#include "framework/StandardIds.h"
#include "support/ModelChanges.h"
#include "ui/ResourceIds.h"
#include "ui/shell/TolvaneViewBlank.h"

namespace {

std::vector<std::int32_t> ids(const ResourceLibrary& library) {
    std::vector<std::int32_t> result;
    for (const auto& resource : library.resources) {
        result.push_back(resource->id);
    }
    return result;
}

ResourceArea area(float x1, std::int32_t textureId) {
    ResourceArea result;
    result.x1 = x1;
    result.y1 = 2.0f;
    result.x2 = x1 + 64.0f;
    result.y2 = 34.0f;
    result.offsetX = -3.5f;
    result.offsetY = 7.0f;
    result.stretchX = 2.0f;
    result.stretchY = 0.5f;
    result.textureId = textureId;
    return result;
}

bool sameArea(const ResourceArea& a, const ResourceArea& b) {
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 && a.offsetX == b.offsetX &&
           a.offsetY == b.offsetY && a.stretchX == b.stretchX && a.stretchY == b.stretchY &&
           a.textureId == b.textureId;
}

class ResourceCommandsTest : public EditorTest {
protected:
    QTreeWidgetItem* root() { return tree().topLevelItem(0); }
    UiResource& resource(std::size_t index) { return *doc().library.resources.at(index); }
};

TEST_F(ResourceCommandsTest, AreAlwaysEnabled) {
    ASSERT_TRUE(start());
    for (const int id : {ID_NEW_RESOURCE, ID_COPY_RESOURCE, ID_DELETE_RESOURCE, ID_TEXTURE_LIBRARY,
                         ID_PROJECT_SETTINGS}) {
        EXPECT_TRUE(framework::routeUpdate(frame().route(), id).enabled.value_or(false)) << id;
    }
}

TEST_F(ResourceCommandsTest, NewCountsUpFromIdStartAndSelectsTheNewResource) {
    ASSERT_TRUE(start());
    doc().library.idStart = 1000;
    frame().dispatch(ID_NEW_RESOURCE);
    // The items of the resources there before stay, unannounced, as does the form.
    const QTreeWidgetItem* first = root()->child(0);
    const framework::View* form = rightPane();
    const ModelChanges changes(*tree().model());
    for (int i = 1; i < 3; ++i) {
        frame().dispatch(ID_NEW_RESOURCE);
        ASSERT_EQ(tree().currentRecord(), doc().library.resources.back().get());
        EXPECT_TRUE(root()->child(i)->isSelected());
    }
    EXPECT_EQ(root()->child(0), first);
    EXPECT_EQ(rightPane(), form);
    EXPECT_EQ(changes.insertions, 2);
    EXPECT_EQ(changes.removedRows + changes.resets, 0);
    EXPECT_TRUE(changes.changedRows.empty());
    EXPECT_EQ(ids(doc().library), (std::vector<std::int32_t>{1000, 1001, 1002}));
    for (const auto& created : doc().library.resources) {
        EXPECT_EQ(created->kind, 0);
        EXPECT_EQ(created->identifier, "unbenannt");
        EXPECT_TRUE(created->areas.empty());
    }
    EXPECT_EQ(labels(root()), QStringList(3, QStringLiteral("unbenannt")));
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(ResourceCommandsTest, NextIdWrapsAtThirtyTwoBits) {
    ASSERT_TRUE(start({library("menu.gui", libraryWith({{0, 5, "A"}, {0, 6, "B"}}))}));
    doc().library.idStart = 0xFFFFFFFFu;
    frame().dispatch(ID_NEW_RESOURCE);
    EXPECT_EQ(resource(2).id, 1);
}

TEST_F(ResourceCommandsTest, DeleteThenNewRepeatsAnIdThatTheCheckReports) {
    ASSERT_TRUE(start(
        {library("menu.gui", libraryWith({{0, 1000, "A"}, {0, 1001, "B"}, {0, 1002, "C"}}))}));
    tree().SelectResource(&resource(0));
    QStringList selected;  // on the way, a screen reader would announce each
    const QObject watch;
    QObject::connect(&tree(), &QTreeWidget::itemSelectionChanged, &watch, [&] {
        for (const QTreeWidgetItem* item : tree().selectedItems()) {
            selected << item->text(0);
        }
    });
    frame().dispatch(ID_DELETE_RESOURCE);
    EXPECT_EQ(selected, QStringList{QStringLiteral("C")});
    EXPECT_EQ(labels(root()), (QStringList{QStringLiteral("B"), QStringLiteral("C")}));
    EXPECT_EQ(tree().currentRecord(), &resource(1));  // the last one, whichever was deleted
    EXPECT_TRUE(doc().IsModified());

    frame().dispatch(ID_NEW_RESOURCE);
    EXPECT_EQ(ids(doc().library), (std::vector<std::int32_t>{1001, 1002, 1002}));
    doc().RunLibraryCheck();
    EXPECT_EQ(doc().errorCount, 2);

    // Repeated deletes take resources from the end, now that the last one is selected.
    frame().dispatch(ID_DELETE_RESOURCE);
    frame().dispatch(ID_DELETE_RESOURCE);
    EXPECT_EQ(labels(root()), QStringList{QStringLiteral("B")});
    EXPECT_EQ(tree().currentRecord(), &resource(0));
}

TEST_F(ResourceCommandsTest, CopyTakesEveryAreaIntoAnIndependentButton) {
    ASSERT_TRUE(start({library("menu.gui", libraryWith({{0, 1000, "Start"}, {3, 1001, "Bild"}}))}));
    resource(1).areas = {area(0.0f, 1), area(64.0f, 2), area(128.0f, 1)};
    tree().SelectResource(&resource(1));
    frame().dispatch(ID_COPY_RESOURCE);

    ASSERT_EQ(doc().library.resourceCount(), 3u);
    UiResource& copy = resource(2);
    EXPECT_EQ(tree().currentRecord(), &copy);
    EXPECT_EQ(copy.kind, 0);
    EXPECT_EQ(copy.id, 1002);
    EXPECT_EQ(copy.identifier, "unbenannt");
    ASSERT_EQ(copy.areas.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(sameArea(copy.areas[i], resource(1).areas[i])) << i;
    }
    copy.areas[0].x1 = 99.0f;
    copy.areas.pop_back();
    EXPECT_EQ(resource(1).areas[0].x1, 0.0f);
    EXPECT_EQ(resource(1).areas.size(), 3u);
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(ResourceCommandsTest, CopyAndDeleteWithoutACurrentResourceChangeNothing) {
    ASSERT_TRUE(start({library("menu.gui", libraryWith({{0, 1000, "A"}, {0, 1001, "B"}}))}));
    const auto tryBoth = [this] {
        frame().dispatch(ID_COPY_RESOURCE);
        frame().dispatch(ID_DELETE_RESOURCE);
        EXPECT_EQ(ids(doc().library), (std::vector<std::int32_t>{1000, 1001}));
        EXPECT_EQ(labels(root()), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
        EXPECT_FALSE(doc().IsModified());
        EXPECT_TRUE(boxes.take().isEmpty());
    };
    tryBoth();  // nothing selected since start-up
    tree().setCurrentItem(root());
    ASSERT_EQ(tree().currentResource, ROOT_MARKER);
    tryBoth();
}

TEST_F(ResourceCommandsTest, DeletingTheOnlyResourceLeavesTheRootAloneAndTheBlankForm) {
    ASSERT_TRUE(start({library("menu.gui", libraryWith({{0, 1000, "A"}}))}));
    tree().SelectResource(&resource(0));
    frame().dispatch(ID_DELETE_RESOURCE);
    EXPECT_EQ(doc().library.resourceCount(), 0u);
    EXPECT_EQ(tree().topLevelItemCount(), 1);
    EXPECT_EQ(root()->childCount(), 0);
    EXPECT_TRUE(tree().selectedItems().isEmpty());
    EXPECT_EQ(tree().currentResource, 0u);
    EXPECT_NE(dynamic_cast<CTolvaneView_Blank*>(rightPane()), nullptr);

    doc().SetModifiedFlag(false);
    frame().dispatch(ID_DELETE_RESOURCE);
    frame().dispatch(ID_COPY_RESOURCE);
    EXPECT_EQ(doc().library.resourceCount(), 0u);
    EXPECT_FALSE(doc().IsModified());
}

TEST_F(ResourceCommandsTest, ClosingAfterAChangeAsksToSave) {
    ASSERT_TRUE(start());
    frame().dispatch(ID_NEW_RESOURCE);
    boxes.answer(framework::IDCANCEL);
    EXPECT_FALSE(frame().close());
    EXPECT_EQ(boxes.take(), QStringList{QStringLiteral("Änderungen an \"Unbenannt\" speichern?")});
    EXPECT_EQ(doc().library.resourceCount(), 1u);
}

}  // namespace
