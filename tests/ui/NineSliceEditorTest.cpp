// Nine-part buttons in the whole editor, on the showcase's green face: the panel's fields,
// guides and live composition, the step it makes (the same bytes as the command line's), bad
// input that holds "OK" back, and a new size through the menu and through the handle.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>

#include "CanvasFixture.h"
#include "framework/StandardIds.h"
#include "ui/ResourceIds.h"
#include "ui/texture_editor/ButtonComposition.h"
#include "ui/texture_editor/NineSlicePanel.h"

namespace {

// The showcase's "StartButton" (five areas) with the green face of knoepfe.png, 0, 0 to
// 64, 32, drawn as its area 5 and selected alone.
class NineSliceEditorTest : public CanvasTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();  // the showcase in place of the canvas's own library
        const std::filesystem::path examples(TOLVANE_EXAMPLES_DIR);
        std::filesystem::copy(examples / "gfx", folder.file("gfx"));
        std::filesystem::copy(examples / "Showcase.gui", folder.file("Showcase.gui"));
        ASSERT_TRUE(start({QString::fromStdString(folder.file("Showcase.gui"))}));
        enlarge();
        tree().SelectResource(doc().library.resources.at(0).get());
        settle();
        areaList().SelectItems({});
        zoomTo(4.0);
        drag({0.5, 0.5}, {63.5, 31.5}, Qt::ControlModifier);
        ASSERT_EQ(areas().size(), 6u);
        ASSERT_EQ(edges(5), (EdgeRect{0, 0, 64, 32}));
        ASSERT_EQ(areaList().GetSelectedItems(), std::vector<int>{5});
        original = bytes();
    }

    NineSlicePanel& open() {
        EXPECT_TRUE(frame().dispatch(ID_NINE_SLICE));
        NineSlicePanel* panel = frame().preview()->nineSlicePanel();
        EXPECT_NE(panel, nullptr);
        return *panel;
    }
    QLineEdit& field(NineSlicePanel& panel, const QString& name) {
        for (QLineEdit* edit : panel.findChildren<QLineEdit*>()) {
            if (edit->accessibleName() == name) {
                return *edit;
            }
        }
        ADD_FAILURE() << "no field " << name.toStdString();
        return *panel.findChild<QLineEdit*>();
    }
    // Replaces the text of the field named name by typing, as a person does.
    void type(NineSlicePanel& panel, const QString& name, const QString& text) {
        QLineEdit& edit = field(panel, name);
        edit.setFocus();
        edit.selectAll();
        QTest::keyClicks(&edit, text);
    }
    PiecePlacementView& composed() { return *frame().preview()->panel()->compositionView(); }
    // The placed size of the nine-part button now in rows 5 to 13.
    QSizeF buttonSize() {
        const QRectF all = PlacedRect(areas().at(5)).united(PlacedRect(areas().at(13)));
        return all.size();
    }
};

TEST_F(NineSliceEditorTest, ThePanelsDefaultsAndSizeMakeWhatTheCommandLineMakes) {
    NineSlicePanel& panel = open();
    EXPECT_EQ(panel.windowTitle(), QStringLiteral("Neunteiliger Knopf"));
    const std::pair<const char*, const char*> defaults[] = {
        {"Rand links", "8"}, {"Rand oben", "8"}, {"Rand rechts", "8"},
        {"Rand unten", "8"}, {"Breite", "64"},   {"Höhe", "32"},
    };
    for (const auto& [name, value] : defaults) {
        QLineEdit& edit = field(panel, QString::fromUtf8(name));
        EXPECT_EQ(edit.text(), QString::fromUtf8(value)) << name;
        // Named by the label in front of it, which also takes the keyboard there.
        const auto labels = panel.findChildren<QLabel*>();
        EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [&edit](QLabel* label) {
            return label->buddy() == &edit;
        })) << name;
    }
    EXPECT_TRUE(panel.findChild<QCheckBox*>()->isChecked());
    EXPECT_EQ(canvas().marginGuides(), (MarginGuides{{0, 0, 64, 32}, {8, 8, 8, 8}}));

    // The composed button follows the fields before anything changes.
    type(panel, QStringLiteral("Breite"), QStringLiteral("300"));
    type(panel, QStringLiteral("Höhe"), QStringLiteral("48"));
    EXPECT_EQ(composed().composition().width(), 300);
    EXPECT_EQ(steps().count(), 1);  // the drawing alone
    const QString before = QString::fromStdString(folder.file("vorher.gui"));
    writeFileBytes(before.toStdString(), bytes());

    QTest::keyClick(&field(panel, QStringLiteral("Höhe")), Qt::Key_Return);  // "OK"
    ASSERT_EQ(areas().size(), 14u);
    EXPECT_EQ(buttonSize(), QSizeF(300, 48));
    EXPECT_EQ(areaList().GetSelectedItems(), (std::vector<int>{5, 6, 7, 8, 9, 10, 11, 12, 13}));
    QTRY_VERIFY(frame().preview()->nineSlicePanel() == nullptr);
    EXPECT_FALSE(canvas().marginGuides().has_value());
    const std::string edited = bytes();

    const QString made = QString::fromStdString(folder.file("neunteilig.gui"));
    QProcess cli;
    cli.start(QStringLiteral(TOLVANE_CLI_PATH),
              {QStringLiteral("nineslice"), before, QStringLiteral("--resource"),
               QStringLiteral("1000"), QStringLiteral("--area"), QStringLiteral("5"),
               QStringLiteral("--margins"), QStringLiteral("8,8,8,8"), QStringLiteral("--size"),
               QStringLiteral("300x48"), QStringLiteral("-o"), made});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_EQ(readFileBytes(made.toStdString()), edited);
    expectUndoneExactly(QStringLiteral("Neunteiliger Knopf"));
}

// Each row's values are wrong in a way the panel names; restored, OK is back.
TEST_F(NineSliceEditorTest, BadValuesAreNamedAndHoldOkBack) {
    NineSlicePanel& panel = open();
    const struct {
        std::vector<std::pair<QString, QString>> typed;
        QString named;  // the label the message starts with
    } rows[] = {
        {{{QStringLiteral("Rand links"), QStringLiteral("-1")}}, QStringLiteral("Rand links:")},
        {{{QStringLiteral("Breite"), QStringLiteral("breit")}}, QStringLiteral("Breite:")},
        {{{QStringLiteral("Rand links"), QStringLiteral("40")},
          {QStringLiteral("Rand rechts"), QStringLiteral("24")}},
         QStringLiteral("Rand links und Rand rechts")},
        {{{QStringLiteral("Höhe"), QStringLiteral("15")}}, QStringLiteral("Höhe:")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.named.toStdString());
        for (const auto& [name, text] : row.typed) {
            type(panel, name, text);
        }
        EXPECT_TRUE(panel.problemsText().startsWith(row.named))
            << panel.problemsText().toStdString();
        EXPECT_FALSE(panel.canApply());
        panel.apply();
        EXPECT_EQ(bytes(), original);
        for (const auto& [name, text] : row.typed) {
            type(panel, name,
                 name.startsWith(QStringLiteral("Rand")) ? QStringLiteral("8")
                 : name == QStringLiteral("Breite")      ? QStringLiteral("64")
                                                         : QStringLiteral("32"));
        }
        EXPECT_TRUE(panel.problemsText().isEmpty());
        EXPECT_TRUE(panel.canApply());
    }
    EXPECT_EQ(steps().count(), 1);
}

// At 4:1 the left margin's guide lies at view x 32 from the area's edge.
TEST_F(NineSliceEditorTest, AGuideDragMovesItsFieldACancelledOneLeavesItAndTheSelectionCloses) {
    NineSlicePanel& panel = open();
    drag({8, 16}, {12.2, 16});
    EXPECT_EQ(field(panel, QStringLiteral("Rand links")).text(), QStringLiteral("12"));
    EXPECT_EQ(canvas().marginGuides()->margins, (NineSliceMargins{12, 8, 8, 8}));
    EXPECT_EQ(steps().count(), 1);

    // Past the right guide it stops a pixel short; Esc gives the value from before back.
    QTest::mousePress(&canvas(), Qt::LeftButton, {}, at({12, 16}));
    QTest::mouseEvent(QTest::MouseMove, &canvas(), Qt::LeftButton, {}, at({62, 16}));
    EXPECT_EQ(field(panel, QStringLiteral("Rand links")).text(), QStringLiteral("55"));
    QTest::keyClick(&canvas(), Qt::Key_Escape);
    EXPECT_EQ(field(panel, QStringLiteral("Rand links")).text(), QStringLiteral("12"));
    EXPECT_EQ(canvas().marginGuides()->margins, (NineSliceMargins{12, 8, 8, 8}));
    QTest::mouseRelease(&canvas(), Qt::LeftButton, {}, at({62, 16}));
    EXPECT_EQ(bytes(), original);

    areaList().SelectItems({5, 0});
    QTRY_VERIFY(frame().preview()->nineSlicePanel() == nullptr);
    EXPECT_FALSE(canvas().marginGuides().has_value());
    EXPECT_FALSE(frame().dispatch(ID_NINE_SLICE));
}

TEST_F(NineSliceEditorTest, ANewSizeByTheMenuAndByTheComposedButtonsHandle) {
    EXPECT_FALSE(frame().dispatch(ID_NINE_SLICE_RESIZE));  // no nine-part button yet
    open().apply();
    const std::string made = bytes();

    ScriptedModalDialogs dialogs;
    dialogs.answer([](framework::Dialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Knopfgröße ändern"));
        EXPECT_EQ(dialog.control<QLineEdit>(IDC_NINE_SLICE_WIDTH)->text(), QStringLiteral("64"));
        retype(dialog, IDC_NINE_SLICE_WIDTH, QStringLiteral("10"));
        EXPECT_FALSE(dialog.GetDlgItem(framework::IDOK)->isEnabled());
        retype(dialog, IDC_NINE_SLICE_WIDTH, QStringLiteral("180"));
        retype(dialog, IDC_NINE_SLICE_HEIGHT, QStringLiteral("40"));
        press(dialog, framework::IDOK);
    });
    ASSERT_TRUE(frame().dispatch(ID_NINE_SLICE_RESIZE));
    EXPECT_EQ(buttonSize(), QSizeF(180, 40));
    EXPECT_EQ(areaList().GetSelectedItems(), (std::vector<int>{5, 6, 7, 8, 9, 10, 11, 12, 13}));
    ASSERT_EQ(steps().undoText(), QStringLiteral("Knopfgröße ändern"));
    undo();
    EXPECT_EQ(bytes(), made);

    // The handle at the button's lower right corner follows the pointer by button pixels.
    ASSERT_EQ(composed().sizeHandle(), QPointF(64, 32));
    const double scale = composed().shownScale();
    const QPoint corner = composed().sizeHandleInView().toPoint();
    const QPoint moved = corner + QPoint(std::lround(20 * scale), std::lround(-6 * scale));
    QTest::mousePress(&composed(), Qt::LeftButton, {}, corner);
    QTest::mouseEvent(QTest::MouseMove, &composed(), Qt::LeftButton, {}, moved);
    EXPECT_EQ(composed().sizeHandle(), QPointF(84, 26));
    EXPECT_EQ(bytes(), made);
    QTest::mouseRelease(&composed(), Qt::LeftButton, {}, moved);
    EXPECT_EQ(buttonSize(), QSizeF(84, 26));
    ASSERT_EQ(steps().undoText(), QStringLiteral("Knopfgröße ändern"));
    undo();
    EXPECT_EQ(bytes(), made);

    // Elsewhere on a piece a drag still moves the pieces.
    const QPoint inside = corner - QPoint(std::lround(20 * scale), std::lround(16 * scale));
    QTest::mousePress(&composed(), Qt::LeftButton, {}, inside);
    QTest::mouseEvent(QTest::MouseMove, &composed(), Qt::LeftButton, {}, inside + QPoint(40, 0));
    QTest::mouseRelease(&composed(), Qt::LeftButton, {}, inside + QPoint(40, 0));
    EXPECT_EQ(steps().undoText(), QStringLiteral("Bereiche platzieren"));
    EXPECT_EQ(buttonSize(), QSizeF(64, 32));
}

}  // namespace
