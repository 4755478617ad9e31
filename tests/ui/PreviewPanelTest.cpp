#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <filesystem>
#include <functional>

#include "document/LibraryBuilding.h"
#include "support/TemporaryFolder.h"
#include "ui/texture_editor/ButtonComposition.h"
#include "ui/texture_editor/CompositionView.h"
#include "ui/texture_editor/PreviewPanel.h"
#include "ui/texture_editor/TextureCache.h"
#include "ui/texture_editor/TextureView.h"

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kOutline(120, 225, 255);
const QColor kSelected(255, 200, 0);

QImage filled(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// A picture whose left half is red and right half blue.
QImage halves(int width, int height) {
    QImage image = filled(width, height, kRed);
    QPainter(&image).fillRect(width / 2, 0, width - width / 2, height, kBlue);
    return image;
}

// A panel on its own, showing scenes with textures from a temporary folder.
class PreviewPanelTest : public ::testing::Test {
protected:
    PreviewPanelTest() : panel(cache) {
        panel.resize(400, 600);
        panel.show();
    }

    std::string saveTexture(const std::string& name, const QImage& image) {
        const std::string path = folder.file(name);
        EXPECT_TRUE(image.save(QString::fromStdString(path)));
        return path;
    }

    // A texture of the table, declared as 16 x 16 pixels, found at file.
    static PreviewTexture texture(std::int32_t id, const std::string& file, int side = 16) {
        PreviewTexture entry;
        entry.id = id;
        entry.path = std::filesystem::path(file).filename().string();
        entry.candidates = {file};
        entry.declaredWidth = side;
        entry.declaredHeight = side;
        return entry;
    }

    void show(std::vector<ResourceArea> areas, std::vector<PreviewTexture> textures,
              int selectedRow = -1) {
        PreviewScene scene;
        scene.hasResource = true;
        scene.areas = std::move(areas);
        scene.textures = std::move(textures);
        scene.selectedRows = selectedRow >= 0 ? std::vector<int>{selectedRow} : std::vector<int>{};
        panel.showScene(std::move(scene));
        QApplication::processEvents();  // lays the panel out for its new caption
    }

    // The colour the texture view shows at a texture point.
    QColor shownAt(QPointF texturePoint) const {
        const QImage shot = panel.textureView()->grab().toImage();
        const QPointF at = panel.textureView()->viewFromTexture(texturePoint);
        return shot.pixelColor(static_cast<int>(std::floor(at.x())),
                               static_cast<int>(std::floor(at.y())));
    }

    TemporaryFolder folder;
    TextureCache cache;
    PreviewPanel panel;
};

TEST_F(PreviewPanelTest, OutlinesEveryAreaOfTheShownTextureTheSelectedOneHighlighted) {
    const std::string sheet = saveTexture("sheet.png", filled(16, 16, kRed));
    const std::string other = saveTexture("other.png", filled(16, 16, kBlue));
    show({areaOf(1, 1, 7, 7), areaOf(8, 8, 15, 14), areaOf(0, 0, 16, 16, 1)},
         {texture(0, sheet), texture(1, other)}, 1);
    panel.textureView()->zoomOneToOne();
    panel.textureView()->zoomAbout(8.0, panel.textureView()->viewFromTexture({8, 8}));
    ASSERT_EQ(panel.textureView()->zoom(), 8.0);

    // Area 0: a one-pixel line on its border pixels, the texture inside and outside.
    EXPECT_EQ(shownAt({1.05, 5.5}), kOutline);
    EXPECT_EQ(shownAt({6.95, 5.5}), kOutline);
    EXPECT_EQ(shownAt({4.5, 6.95}), kOutline);
    EXPECT_EQ(shownAt({1.5, 5.5}), kRed);
    EXPECT_EQ(shownAt({0.5, 5.5}), kRed);
    // Its dark shadow falls one view pixel right of and below the line.
    EXPECT_LT(shownAt({7.0 + 0.5 / 8, 5.5}).red(), kRed.red());
    // Area 1, the selected one: two pixels wide, in the highlight colour.
    EXPECT_EQ(shownAt({14.95, 12.5}), kSelected);
    EXPECT_EQ(shownAt({14.85, 12.5}), kSelected);
    EXPECT_EQ(shownAt({14.5, 12.5}), kRed);
    EXPECT_EQ(shownAt({15.5, 12.5}), kRed);
    // Area 2 cuts from the other texture, so it is not outlined here.
    const std::vector<TextureView::Outline>& outlines = panel.textureView()->outlines();
    ASSERT_EQ(outlines.size(), 2u);
    EXPECT_EQ(outlines[0].row, 0);
    EXPECT_FALSE(outlines[0].selected);
    EXPECT_EQ(outlines[1].row, 1);
    EXPECT_TRUE(outlines[1].selected);
    EXPECT_TRUE(panel.notes().isEmpty());

    // From 8:1 up a grid line runs between the pixels; below, none.
    EXPECT_NE(shownAt({3.0, 15.5}), kRed);
    panel.textureView()->zoomAbout(0.5, panel.textureView()->viewFromTexture({8, 8}));
    EXPECT_EQ(shownAt({3.0, 15.5}), kRed);
}

TEST_F(PreviewPanelTest, ShowsTheSelectedAreasTextureAndAreaZerosWithoutSelection) {
    const std::string sheet = saveTexture("sheet.png", filled(16, 16, kRed));
    const std::string other = saveTexture("other.png", filled(32, 32, kBlue));
    const std::vector<ResourceArea> areas{areaOf(0, 0, 4, 4, 0), areaOf(0, 0, 8, 8, 1)};
    const std::vector<PreviewTexture> textures{texture(0, sheet), texture(1, other, 32)};

    show(areas, textures);
    EXPECT_EQ(panel.textureView()->texture().size(), QSize(16, 16));
    show(areas, textures, 1);
    EXPECT_EQ(panel.textureView()->texture().size(), QSize(32, 32));
    EXPECT_EQ(panel.textureView()->texture().pixelColor(3, 3), kBlue);
}

TEST(ButtonComposition, PlacesStretchesAndLayersTheAreasInListOrder) {
    const QImage sheet = halves(8, 4).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    ResourceArea left = areaOf(0, 0, 4, 4);
    ResourceArea right = areaOf(4, 0, 8, 4);
    right.offsetX = 2;
    right.offsetY = 1;
    right.stretchX = 2;

    const ButtonComposition composed =
        ComposeButton({left, right}, [&](std::int32_t) { return BlendTexture(sheet, 1); });

    ASSERT_EQ(composed.topLeft, QPoint(0, 0));
    ASSERT_EQ(composed.image.size(), QSize(10, 5));
    EXPECT_EQ(composed.image.pixelColor(0, 0), kRed);
    EXPECT_EQ(composed.image.pixelColor(1, 3), kRed);
    EXPECT_EQ(composed.image.pixelColor(2, 0), kRed);   // above the second area
    EXPECT_EQ(composed.image.pixelColor(2, 1), kBlue);  // the later area covers the earlier
    EXPECT_EQ(composed.image.pixelColor(9, 4), kBlue);  // stretched to twice its width
    EXPECT_EQ(composed.image.pixelColor(1, 4).alpha(), 0);
    EXPECT_EQ(composed.image.pixelColor(9, 0).alpha(), 0);
}

TEST(ButtonComposition, BlendTypesMissingTexturesAndFarOffAreas) {
    const QImage red = filled(4, 4, kRed).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage clear = filled(4, 4, QColor(0, 0, 255, 0));
    const QImage grey = filled(4, 4, QColor(0, 100, 0));
    ResourceArea base = areaOf(0, 0, 4, 4, 0);
    ResourceArea light = areaOf(0, 0, 4, 4, 2);
    light.offsetX = 2;
    ResourceArea solid = areaOf(0, 0, 4, 4, 3);
    solid.offsetY = 4;
    ResourceArea missing = areaOf(0, 0, 4, 4, 9);
    ResourceArea farOff = areaOf(0, 0, 4, 4, 0);
    farOff.offsetX = 1e30f;

    const ButtonComposition composed =
        ComposeButton({base, light, solid, missing, farOff}, [&](std::int32_t id) {
            switch (id) {
                case 0:
                    return BlendTexture(red, 1);
                case 2:
                    return BlendTexture(grey, 2);
                case 3:
                    return BlendTexture(clear, 0);
                default:
                    return CompositionTexture{};
            }
        });

    ASSERT_EQ(composed.image.size(), QSize(6, 8));
    EXPECT_EQ(composed.image.pixelColor(3, 1), QColor(255, 100, 0));     // added to the red
    EXPECT_EQ(composed.image.pixelColor(5, 1), QColor(0, 255, 0, 100));  // light on nothing
    EXPECT_EQ(composed.image.pixelColor(1, 5), QColor(0, 0, 255));       // solid: alpha ignored
    EXPECT_EQ(composed.rowsWithoutTexture, std::vector<int>{3});
    EXPECT_TRUE(composed.outOfRange);
}

TEST_F(PreviewPanelTest, TheCompositionViewShowsTheComposedButton) {
    const std::string sheet = saveTexture("sheet.png", halves(8, 4));
    ResourceArea right = areaOf(4, 0, 8, 4);
    right.offsetX = 4;
    show({areaOf(0, 0, 4, 4), right}, {texture(0, sheet, 8)});

    const QImage& composed = panel.compositionView()->composition();
    ASSERT_EQ(composed.size(), QSize(8, 4));
    EXPECT_EQ(composed.pixelColor(0, 0), kRed);
    EXPECT_EQ(composed.pixelColor(7, 3), kBlue);
    const QImage shot = panel.compositionView()->grab().toImage();
    const double scale = panel.compositionView()->shownScale();
    const QPoint origin = panel.compositionView()->shownOrigin();
    EXPECT_GE(scale, 1.0);
    EXPECT_EQ(shot.pixelColor(origin + QPoint(1, 1)), kRed);
    EXPECT_EQ(shot.pixelColor(origin + QPointF(7.5 * scale, 3.5 * scale).toPoint()), kBlue);
}

TEST_F(PreviewPanelTest, SaysWhyATextureCannotBeShown) {
    std::filesystem::create_directory(folder.file("ordner.png"));
    writeFileBytes(folder.file("kaputt.png"), "kein Bild");
    const std::string small = saveTexture("klein.png", filled(16, 8, kRed));

    show({areaOf(0, 0, 4, 4)}, {texture(0, folder.file("fehlt.png"))});
    EXPECT_TRUE(
        panel.notes().contains("„fehlt.png“ kann nicht geladen werden: "
                               "Datei nicht gefunden. Versucht: " +
                               QString::fromStdString(folder.file("fehlt.png"))))
        << panel.notes().toStdString();
    EXPECT_TRUE(panel.textureView()->texture().isNull());

    show({areaOf(0, 0, 4, 4)}, {texture(0, folder.file("ordner.png"))});
    EXPECT_TRUE(panel.notes().contains("Datei nicht lesbar")) << panel.notes().toStdString();

    show({areaOf(0, 0, 4, 4)}, {texture(0, folder.file("kaputt.png"))});
    EXPECT_TRUE(panel.notes().contains("kann nicht geladen werden: unbekanntes Bildformat"))
        << panel.notes().toStdString();

    // A TGA header claiming 65535 x 65535 pixels in a few bytes.
    writeFileBytes(folder.file("riesig.tga"),
                   std::string("\0\0\x02\0\0\0\0\0\0\0\0\0\xFF\xFF\xFF\xFF\x20\x20", 18) + "abcd");
    show({areaOf(0, 0, 4, 4)}, {texture(0, folder.file("riesig.tga"))});
    EXPECT_TRUE(panel.notes().contains("kann nicht geladen werden: fehlerhafte Bilddaten"))
        << panel.notes().toStdString();

    show({areaOf(0, 0, 4, 4)}, {texture(0, small, 256)});
    EXPECT_TRUE(panel.notes().contains("ist 16 × 8 Pixel groß, die Texturliste gibt 256 × 256 an"))
        << panel.notes().toStdString();
    EXPECT_EQ(panel.textureView()->texture().size(), QSize(16, 8));  // shown all the same

    // A PNG in rows that say TGA and no known format; shown all the same.
    for (const auto& [declared, named] :
         {std::pair{1, "TGA"}, std::pair{9, "kein gültiges Format"}}) {
        PreviewTexture entry = texture(0, small, 16);
        entry.declaredWidth = 16;
        entry.declaredHeight = 8;
        entry.declaredFormat = declared;
        show({areaOf(0, 0, 4, 4)}, {entry});
        EXPECT_EQ(panel.notes(),
                  QStringLiteral("Die Datei %1 ist ein PNG-Bild, die Texturliste gibt %2 an.")
                      .arg(QString::fromStdString(small), QString::fromUtf8(named)));
        EXPECT_EQ(panel.textureView()->texture().size(), QSize(16, 8));
    }

    show({areaOf(0, 0, 4, 4, 7)}, {});
    EXPECT_EQ(panel.notes(), QStringLiteral("Bereich 0: keine Textur mit der Id 7."));
}

// However a paint program puts its file in place, the views follow it, and what is computed
// from the picture (the blending) is computed anew: all of it hears of the change through the
// cache's one signal.
TEST_F(PreviewPanelTest, AFileChangedOnDiskIsShownAnewAndBlendedAnew) {
    const struct {
        const char* what;
        std::function<void(const QImage&)> write;
    } cases[] = {
        {"rewritten in place", [this](const QImage& image) { saveTexture("sheet.png", image); }},
        {"replaced by a rename",
         [this](const QImage& image) {
             saveTexture("neu.png", image);
             std::filesystem::rename(folder.file("neu.png"), folder.file("sheet.png"));
         }},
        {"deleted and made anew",
         [this](const QImage& image) {
             std::filesystem::remove(folder.file("sheet.png"));
             EXPECT_TRUE(QTest::qWaitFor([this] { return !panel.notes().isEmpty(); }, 5000));
             saveTexture("sheet.png", image);
         }},
    };
    const std::string sheet = saveTexture("sheet.png", filled(16, 16, kRed));
    PreviewTexture solid = texture(0, sheet);
    solid.blendType = 0;
    show({areaOf(0, 0, 4, 4)}, {solid});
    QColor expected = kRed;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(panel.textureView()->texture().pixelColor(0, 0), expected);
        expected = expected == kRed ? kBlue : kRed;
        c.write(filled(16, 16, expected));
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return panel.textureView()->texture().pixelColor(0, 0) == expected; }, 5000));
        EXPECT_EQ(panel.compositionView()->composition().pixelColor(0, 0), expected);
        EXPECT_EQ(panel.notes(), QString());
    }
}

TEST_F(PreviewPanelTest, ShowsThePixelUnderThePointerAndZoomsAboutIt) {
    const std::string sheet = saveTexture("sheet.png", halves(16, 16));
    show({areaOf(0, 0, 4, 4)}, {texture(0, sheet)});
    TextureView& view = *panel.textureView();
    view.zoomOneToOne();
    view.zoomAbout(4.0, view.viewFromTexture({10.5, 3.5}));
    EXPECT_EQ(view.zoom(), 4.0);
    EXPECT_FALSE(view.fitting());
    EXPECT_EQ(view.pixelAt(view.viewFromTexture({10.5, 3.5})), QPoint(10, 3));

    QTest::mouseMove(&view, view.viewFromTexture({10.5, 3.5}).toPoint());
    EXPECT_EQ(panel.pointerText(), QStringLiteral("Pixel 10, 3  RGBA 0, 0, 255, 255"));
    QTest::mouseMove(&view, view.viewFromTexture({-3, -3}).toPoint());
    EXPECT_TRUE(panel.pointerText().isEmpty());

    // Ctrl and one notch of the wheel: a quarter more, the pixel under the pointer staying.
    const QPointF pointer = view.viewFromTexture({12.5, 6.5});
    QWheelEvent wheel(pointer, view.mapToGlobal(pointer), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &wheel);
    EXPECT_EQ(view.zoom(), 5.0);
    EXPECT_EQ(view.pixelAt(pointer), QPoint(12, 6));
    EXPECT_EQ(view.viewFromTexture({12.5, 6.5}), pointer);

    view.zoomToFit();
    EXPECT_TRUE(view.fitting());
    EXPECT_EQ(view.zoom(), std::min(view.width(), view.height()) / 16.0);
}

TEST(TextureCacheTest, DecodesEachFileOnceAndKeepsWithinItsBudget) {
    const TemporaryFolder folder;
    std::vector<std::string> files;
    for (const char* name : {"a.png", "b.png", "c.png"}) {
        files.push_back(folder.file(name));
        ASSERT_TRUE(filled(64, 64, kRed).save(QString::fromStdString(files.back())));
    }
    const qint64 pictureBytes = 64 * 64 * 4;
    TextureCache cache(2 * pictureBytes);

    const QImage first = cache.load({files[0]}).image;
    EXPECT_EQ(cache.load({files[0]}).image.cacheKey(), first.cacheKey());  // shared, not copied
    cache.load({files[1]});
    EXPECT_EQ(cache.decodeCount(), 2);
    cache.load({files[0]});
    cache.load({files[2]});  // b was used longest ago and makes room
    EXPECT_EQ(cache.usedBytes(), 2 * pictureBytes);
    EXPECT_EQ(cache.decodeCount(), 3);
    cache.load({files[0]});
    EXPECT_EQ(cache.decodeCount(), 3);
    cache.load({files[1]});
    EXPECT_EQ(cache.decodeCount(), 4);
    EXPECT_EQ(cache.usedBytes(), 2 * pictureBytes);

    // A blended copy is kept and counted like a decoded picture; one that shares it is free.
    cache.blended({files[1]}, 1);
    EXPECT_EQ(cache.usedBytes(), 2 * pictureBytes);
    cache.blended({files[1]}, 0);  // a makes room
    cache.blended({files[1]}, 0);
    EXPECT_EQ(cache.blendCount(), 2);
    EXPECT_EQ(cache.usedBytes(), 2 * pictureBytes);
    cache.load({files[0]});  // b goes with its blended copy
    EXPECT_EQ(cache.decodeCount(), 5);
    EXPECT_EQ(cache.usedBytes(), pictureBytes);
}

TEST(TextureCacheTest, TakesTheFirstCandidateThatExists) {
    const TemporaryFolder folder;
    const std::string beside = folder.file("beside.png");
    ASSERT_TRUE(filled(4, 2, kRed).save(QString::fromStdString(beside)));
    TextureCache cache;

    const TextureLoad load = cache.load({folder.file("nowhere.png"), beside});

    EXPECT_EQ(load.image.size(), QSize(4, 2));
    EXPECT_EQ(load.file, QString::fromStdString(beside));
    EXPECT_TRUE(load.failure.isEmpty());
    EXPECT_EQ(cache.load({folder.file("x.png"), folder.file("y.png")}).file,
              QString::fromStdString(folder.file("x.png") + ", " + folder.file("y.png")));
}

}  // namespace
