// The preview's texture as an editor of the button's areas, driven with real mouse and key
// events at several zoom levels: every finished gesture is one step of the history whose
// undo gives the library's bytes back exactly.
#include <QComboBox>
#include <QPushButton>
#include <QStatusBar>
#include <QWheelEvent>
#include <functional>

#include "CanvasFixture.h"
#include "framework/StandardIds.h"
#include "ui/ResourceIds.h"
#include "ui/texture_editor/DragGesture.h"
#include "ui/texture_editor/TextureView.h"

namespace {

constexpr double kZooms[] = {0.5, 1.0, 4.0};

TEST_F(CanvasTest, DrawingInEachDirectionCoversBothPixelsAsOneStep) {
    struct Direction {
        QPointF from, to;
    };
    const EdgeRect expected{44, 36, 51, 47};
    for (const double zoom : kZooms) {
        zoomTo(zoom);
        for (const Direction& d :
             {Direction{{44.5, 36.5}, {50.5, 46.5}}, Direction{{50.5, 46.5}, {44.5, 36.5}},
              Direction{{44.5, 46.5}, {50.5, 36.5}}, Direction{{50.5, 36.5}, {44.5, 46.5}}}) {
            drag(d.from, d.to, Qt::ControlModifier);
            ASSERT_EQ(areas().size(), 5u) << zoom;
            EXPECT_EQ(edges(4), expected)
                << "zoom " << zoom << " from " << d.from.x() << ", " << d.from.y();
            const ResourceArea& made = areas()[4];
            EXPECT_EQ(made.textureId, 0);
            EXPECT_EQ((std::array{made.offsetX, made.offsetY, made.stretchX, made.stretchY}),
                      (std::array{0.f, 0.f, 1.f, 1.f}));
            EXPECT_EQ(areaList().GetFirstSelectedItem(), 4);
            EXPECT_EQ(steps().count(), 1);
            expectUndoneExactly(QStringLiteral("Bereich aufziehen"));
            EXPECT_EQ(areaList().GetFirstSelectedItem(), -1);
            redo();
            EXPECT_EQ(areaList().GetFirstSelectedItem(), 4);
            undo();
            steps().clear();
        }
    }

    // While a gesture runs, the library's undo waits: the gesture refers to its areas by row.
    drag({44.5, 36.5}, {50.5, 46.5}, Qt::ControlModifier);
    QTest::mousePress(&canvas(), Qt::LeftButton, Qt::ControlModifier, at({20.5, 20.5}));
    QTest::mouseEvent(QTest::MouseMove, &canvas(), Qt::NoButton, Qt::ControlModifier,
                      at({30.5, 30.5}));
    frame().dispatch(framework::ID_EDIT_UNDO);
    EXPECT_EQ(areas().size(), 5u);
    QTest::mouseRelease(&canvas(), Qt::LeftButton, Qt::ControlModifier, at({30.5, 30.5}));
    EXPECT_EQ(areas().size(), 6u);
    EXPECT_EQ(edges(5), (EdgeRect{20, 20, 31, 31}));
    EXPECT_EQ(steps().count(), 2);
}

TEST_F(CanvasTest, AClickSelectsTheSmallestAreaCyclesThroughTheStackAndFollowsTheList) {
    zoomTo(4.0);
    click({14.5, 14.5});
    EXPECT_EQ(areaList().GetFirstSelectedItem(), 1);
    click({14.5, 14.5});
    EXPECT_EQ(areaList().GetFirstSelectedItem(), 0);
    click({14.5, 14.5});
    EXPECT_EQ(areaList().GetFirstSelectedItem(), 1);
    // Elsewhere on the selected one it stays selected.
    click({20.5, 20.5});
    EXPECT_EQ(areaList().GetFirstSelectedItem(), 0);
    click({60.5, 60.5});
    EXPECT_EQ(areaList().GetFirstSelectedItem(), -1);

    areaList().SelectItem(2);
    const std::vector<TextureView::Outline>& outlines = canvas().outlines();
    ASSERT_EQ(outlines.size(), 3u);  // area 3 is on another texture
    EXPECT_TRUE(outlines[2].selected);
    canvas().setFocus();
    QTest::keyClick(&canvas(), Qt::Key_Escape);
    EXPECT_EQ(areaList().GetFirstSelectedItem(), -1);

    // A double click opens the coordinates dialog on the area, as "Bereich bearbeiten..." does.
    ScriptedModalDialogs dialogs;
    dialogs.answer([](framework::Dialog& dialog) { press(dialog, framework::IDCANCEL); });
    QTest::mouseDClick(&canvas(), Qt::LeftButton, {}, at({60.5, 30.5}));
    EXPECT_EQ(dialogs.titles().size(), 1);
    EXPECT_EQ(areaList().GetFirstSelectedItem(), 2);
    EXPECT_EQ(steps().count(), 0);
}

TEST_F(CanvasTest, MovingKeepsTheSizeAndEachHandleResizesItsOwnEdges) {
    struct Handle {
        QPointF grab;
        EdgeRect expected;  // dragged by 4, 2
    };
    const Handle handles[] = {
        {{4, 4}, {8, 6, 28, 28}},   {{28, 4}, {4, 6, 32, 28}},  {{4, 28}, {8, 4, 28, 30}},
        {{28, 28}, {4, 4, 32, 30}}, {{16, 4}, {4, 6, 28, 28}},  {{16, 28}, {4, 4, 28, 30}},
        {{4, 16}, {8, 4, 28, 28}},  {{28, 16}, {4, 4, 32, 28}},
    };
    struct Case {
        QPointF grab, by;
        Qt::KeyboardModifiers modifiers;
        EdgeRect expected;
        QString step;
    };
    std::vector<Case> cases{
        {{16, 16}, {6, -2}, Qt::ControlModifier, {10, 2, 34, 26}, "Bereich verschieben"},
        // Past the opposite edge the rectangle flips.
        {{28, 16}, {-28, 0}, Qt::ControlModifier, {0, 4, 4, 28}, "Bereichsgröße ändern"},
        // Shift keeps the ratio, following the larger movement.
        {{28, 28}, {24, 2}, Qt::ShiftModifier, {4, 4, 52, 52}, "Bereichsgröße ändern"},
    };
    for (const Handle& handle : handles) {
        cases.push_back(
            {handle.grab, {4, 2}, Qt::ControlModifier, handle.expected, "Bereichsgröße ändern"});
    }
    for (const double zoom : kZooms) {
        zoomTo(zoom);
        for (const Case& c : cases) {
            areaList().SelectItem(0);
            dragView(at(c.grab), at(c.grab) + (c.by * zoom).toPoint(), c.modifiers);
            EXPECT_EQ(edges(0), c.expected)
                << "zoom " << zoom << " grabbed at " << c.grab.x() << ", " << c.grab.y();
            EXPECT_EQ(areaList().GetFirstSelectedItem(), 0);
            expectUndoneExactly(c.step);
            EXPECT_EQ(areaList().GetFirstSelectedItem(), 0);
            steps().clear();
        }
    }

    // Zooming with the wheel during a move leaves the area under the pointer.
    zoomTo(1.0);
    areaList().SelectItem(0);
    const QPoint grab = at({16.5, 16.5});
    QTest::mousePress(&canvas(), Qt::LeftButton, {}, grab);
    QTest::mouseMove(&canvas(), grab + QPoint(20, 20));
    QWheelEvent wheel(grab + QPoint(20, 20), canvas().mapToGlobal(grab + QPoint(20, 20)), {},
                      {0, 120}, Qt::LeftButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&canvas(), &wheel);
    ASSERT_GT(canvas().zoom(), 1.0);
    QTest::mouseEvent(QTest::MouseMove, &canvas(), Qt::NoButton, Qt::ControlModifier,
                      at({22.5, 14.5}));
    QTest::mouseRelease(&canvas(), Qt::LeftButton, Qt::ControlModifier, at({22.5, 14.5}));
    EXPECT_EQ(edges(0), (EdgeRect{10, 2, 34, 26}));
}

TEST_F(CanvasTest, AGestureCancelledInAnyWayLeavesNoTraceAndPanningChangesNothing) {
    zoomTo(1.0);
    frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    PreviewPanel& panel = *frame().preview()->panel();
    PiecePlacementView& pieces = *panel.compositionView();
    const QImage composed = pieces.composition();
    const QString caption = panel.caption();
    // Each gesture is pressed and moved on its view (the points fixed: each view keeps its
    // scale), checked while it runs, cancelled there, and its left button released.
    struct Gesture {
        const char* name;
        QWidget* view;
        QPoint press, moveTo;
        std::function<void()> whileRunning;
    };
    const auto piecePoint = [&pieces](QPointF button) {
        return (QPointF(pieces.shownOrigin()) + button * pieces.shownScale()).toPoint();
    };
    const Gesture gestures[] = {
        // A new area shows in a provisional last row of the list, the selection left alone.
        {"draw", &canvas(), at({31, 42}), at({36, 48}),
         [&] {
             const std::optional<EdgeRect> live = canvas().liveRect();
             ASSERT_TRUE(live);
             ASSERT_EQ(areaList().GetItemCount(), 5);
             EXPECT_EQ(areaList().GetItemText(4, 0), QStringLiteral("4"));
             EXPECT_EQ(areaList().GetItemText(4, 3), QString::number(live->x2, 'f', 1));
             EXPECT_EQ(areaList().GetItemText(4, 6), QString::number(live->height(), 'f', 1));
             EXPECT_EQ(areaList().GetItemText(4, 9), QStringLiteral("sheet.png"));
             EXPECT_EQ(areaList().GetFirstSelectedItem(), 0);
             EXPECT_NE(pieces.composition(), composed);
         }},
        // The moved area's row, the composed button and the pointer's line follow; the
        // caption stays as it is, so that nothing in the panel moves.
        {"move", &canvas(), at({16, 16}), at({40, 40}),
         [&] {
             ASSERT_TRUE(canvas().liveRect());
             EXPECT_EQ(areaList().GetItemText(0, 1), QStringLiteral("28.0"));
             EXPECT_EQ(areaList().GetItemCount(), 4);
             EXPECT_NE(pieces.composition(), composed);
             EXPECT_EQ(panel.pointerText(), QStringLiteral("Bereich 0: +24, +24"));
             EXPECT_EQ(panel.caption(), caption);
         }},
        // The placed area's row follows.
        {"piece", &pieces, piecePoint({2.5, 2.5}), piecePoint({9.5, 6.5}),
         [&] {
             EXPECT_EQ(areaList().GetItemText(0, 7), QStringLiteral("7.0"));
             EXPECT_EQ(areaList().GetItemText(0, 8), QStringLiteral("4.0"));
         }},
    };
    // Esc and the right button cancel on purpose; the others take the release away.
    struct Cancel {
        const char* name;
        std::function<void(QWidget* view, QPoint at)> cancel;
    };
    const Cancel cancels[] = {
        {"Esc", [](QWidget* view, QPoint) { QTest::keyClick(view, Qt::Key_Escape); }},
        {"right button",
         [](QWidget* view, QPoint at) {
             QTest::mousePress(view, Qt::RightButton, {}, at);
             QTest::mouseRelease(view, Qt::RightButton, {}, at);
         }},
        // Ctrl+S asks whether to check first; the question is a modal window.
        {"modal window",
         [this](QWidget* view, QPoint) {
             boxes.answer(framework::IDNO);
             QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
             EXPECT_EQ(boxes.take().size(), 1);
         }},
        {"view hidden",
         [this](QWidget*, QPoint) {
             frame().preview()->hide();
             frame().preview()->show();
         }},
        {"focus elsewhere", [this](QWidget*, QPoint) { tree().setFocus(); }},
        {"window deactivated",
         [this](QWidget*, QPoint) {
             QWidget other;
             other.show();
             other.activateWindow();
             EXPECT_TRUE(QTest::qWaitForWindowActive(&other));
             other.close();
             frame().activateWindow();
             EXPECT_TRUE(QTest::qWaitForWindowActive(&frame()));
         }},
        {"move without the button",
         [](QWidget* view, QPoint at) {
             QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton,
                              Qt::NoButton, {});
             QApplication::sendEvent(view, &move);
         }},
    };
    for (const Gesture& gesture : gestures) {
        for (const Cancel& cancel : cancels) {
            SCOPED_TRACE(testing::Message() << gesture.name << ", " << cancel.name);
            areaList().SelectItem(0);
            gesture.view->setFocus();
            QTest::mousePress(gesture.view, Qt::LeftButton, {}, gesture.press);
            QTest::mouseMove(gesture.view, gesture.press + QPoint(20, 20));
            QTest::mouseMove(gesture.view, gesture.moveTo);
            gesture.whileRunning();
            EXPECT_TRUE(DragGesture::anyRunning());
            cancel.cancel(gesture.view, gesture.moveTo);
            EXPECT_FALSE(DragGesture::anyRunning());
            QTest::mouseRelease(gesture.view, Qt::LeftButton, {}, gesture.moveTo);
            EXPECT_FALSE(canvas().liveRect());
            EXPECT_TRUE(canvas().feedback().isEmpty());
            EXPECT_EQ(areaList().GetItemCount(), 4);
            EXPECT_EQ(areaList().GetItemText(0, 1), QStringLiteral("4.0"));
            EXPECT_EQ(areaList().GetItemText(0, 7), QStringLiteral("0.0"));
            EXPECT_EQ(areaList().GetFirstSelectedItem(), 0);
            EXPECT_EQ(pieces.composition(), composed);
            EXPECT_FALSE(panel.pointerText().contains(QStringLiteral("Bereich 0:")));
            EXPECT_EQ(steps().count(), 0);
            EXPECT_EQ(bytes(), original);
        }
    }

    // The middle button, and the left one with Space held, move the picture instead.
    const QPointF before = canvas().viewFromTexture({0, 0});
    QTest::mousePress(&canvas(), Qt::MiddleButton, {}, at({50, 50}));
    QTest::mouseMove(&canvas(), at({50, 50}) + QPoint(30, 10));
    QTest::mouseRelease(&canvas(), Qt::MiddleButton, {}, at({50, 50}) + QPoint(30, 10));
    EXPECT_EQ(canvas().viewFromTexture({0, 0}), before + QPointF(30, 10));
    QTest::keyPress(&canvas(), Qt::Key_Space);
    dragView(at({50, 50}), at({50, 50}) - QPoint(30, 10));
    QTest::keyRelease(&canvas(), Qt::Key_Space);
    EXPECT_EQ(canvas().viewFromTexture({0, 0}), before);
    EXPECT_EQ(steps().count(), 0);
    EXPECT_EQ(bytes(), original);
    EXPECT_FALSE(doc().IsModified());
}

// The whole main window as a person meets it: the pointer aims at texture pixels as the window
// shows them when the button goes down, and the window lays itself out between the events.
class CanvasInWindowTest : public CanvasTest {
protected:
    void SetUp() override {
        CanvasTest::SetUp();
        frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    }
    QWindow* window() { return frame().windowHandle(); }
    QPoint aim(QPointF texturePoint) { return canvas().mapTo(&frame(), at(texturePoint)); }
    void press(QPoint point) {
        QTest::mousePress(window(), Qt::LeftButton, Qt::ControlModifier, point);
        QApplication::processEvents();
    }
    void moveTo(QPoint point) {
        QTest::mouseEvent(QTest::MouseMove, window(), Qt::NoButton, Qt::ControlModifier, point);
        QApplication::processEvents();
    }
    void release(QPoint point) {
        QTest::mouseRelease(window(), Qt::LeftButton, Qt::ControlModifier, point);
        QApplication::processEvents();
    }
    void clickFormButton(int id) {
        auto* button = qobject_cast<QPushButton*>(currentButtonView->GetDlgItem(id));
        ASSERT_NE(button, nullptr);
        button->click();
    }
};

TEST_F(CanvasInWindowTest, TheAreaEndsOnThePixelUnderThePointerWhateverTheLayoutDid) {
    for (const bool fit : {true, false}) {
        SCOPED_TRACE(fit ? "fitted" : "1:1");
        fit ? canvas().zoomToFit() : canvas().zoomOneToOne();
        areaList().SelectItem(-1);
        QApplication::processEvents();
        const QPoint from = aim({44.5, 36.5});
        const QPoint to = aim({50.5, 46.5});
        press(from);
        moveTo(aim({46.5, 40.5}));
        moveTo(to);
        release(to);
        ASSERT_EQ(areas().size(), 5u);
        EXPECT_EQ(edges(4), (EdgeRect{44, 36, 51, 47}));
        undo();

        // A move along x alone stays on its row.
        areaList().SelectItem(2);
        const QPoint grab = aim({56.5, 24.5});
        press(grab);
        moveTo(aim({60.5, 24.5}));
        moveTo(aim({66.5, 24.5}));
        release(aim({66.5, 24.5}));
        EXPECT_EQ(edges(2), (EdgeRect{50, 8, 82, 40}));
        expectUndoneExactly(QStringLiteral("Bereich verschieben"));
        steps().clear();
    }
}

// The save question of Ctrl+S takes the release; the row of the area being drawn goes, and a
// row that is no area of the library is never acted on.
TEST_F(CanvasInWindowTest, AGestureCutOffByAQuestionLeavesNoRowBehind) {
    canvas().zoomOneToOne();
    press(aim({100.5, 100.5}));
    moveTo(aim({104.5, 104.5}));
    moveTo(aim({110.5, 110.5}));
    ASSERT_EQ(areaList().GetItemCount(), 5);
    areaList().SelectItem(4);
    boxes.answer(framework::IDOK);
    clickFormButton(IDC_DELETE_AREA);
    EXPECT_EQ(
        boxes.take(),
        QStringList{QStringLiteral("Wählen Sie erst einen Bereich aus den Sie löschen wollen.")});
    EXPECT_EQ(areas().size(), 4u);

    boxes.answer(framework::IDNO);
    QTest::keyClick(window(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(boxes.take().size(), 1);
    release(aim({110.5, 110.5}));
    moveTo(aim({112.5, 112.5}));
    EXPECT_FALSE(canvas().liveRect());
    EXPECT_EQ(areaList().GetItemCount(), 4);
    EXPECT_EQ(steps().count(), 0);

    areaList().SelectItem(3);
    clickFormButton(IDC_DELETE_AREA);
    ASSERT_EQ(areas().size(), 3u);
    expectUndoneExactly(QStringLiteral("Bereich löschen"));
}

// A file handed over from the desktop opens once the gesture ended, on the library it made.
TEST_F(CanvasInWindowTest, AFileHandedOverDuringAGestureOpensOnceItEnded) {
    canvas().zoomOneToOne();
    const QString other = library("andere.gui", libraryWith({{0, 7, "Andere"}}));
    press(aim({100.5, 100.5}));
    moveTo(aim({110.5, 110.5}));
    app->openHandedOverFile(other);
    QApplication::processEvents();
    EXPECT_EQ(areaList().GetItemCount(), 5);
    boxes.answer(framework::IDNO);  // do not save the area drawn
    release(aim({110.5, 110.5}));
    EXPECT_EQ(boxes.take().size(), 1);
    EXPECT_EQ(doc().GetPathName(), other);
}

TEST_F(CanvasTest, NudgesMergeIntoOneStepAndDeleteRemovesTheArea) {
    zoomTo(1.0);
    areaList().SelectItem(0);
    canvas().setFocus();
    QTest::keyClick(&canvas(), Qt::Key_Right);
    QTest::keyClick(&canvas(), Qt::Key_Right);
    QTest::keyClick(&canvas(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(edges(0), (EdgeRect{6, 12, 30, 36}));
    EXPECT_EQ(steps().count(), 1);
    EXPECT_EQ(areaList().GetFirstSelectedItem(), 0);
    expectUndoneExactly(QStringLiteral("Bereich verschieben"));

    // F frames the area, Ctrl+0 fits the texture, Ctrl+1 shows it 1:1.
    QTest::keyClick(&canvas(), Qt::Key_F);
    EXPECT_GT(canvas().zoom(), 2.0);
    EXPECT_TRUE(canvas().rect().contains(canvas().viewFromTexture({4.5, 4.5}).toPoint()));
    EXPECT_TRUE(canvas().rect().contains(canvas().viewFromTexture({27.5, 27.5}).toPoint()));
    QTest::keyClick(&canvas(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_TRUE(canvas().fitting());
    QTest::keyClick(&canvas(), Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(canvas().zoom(), 1.0);

    QTest::keyClick(&canvas(), Qt::Key_Delete);
    ASSERT_EQ(areas().size(), 3u);
    EXPECT_EQ(edges(0), (EdgeRect{12, 12, 16, 16}));
    EXPECT_EQ(areaList().GetFirstSelectedItem(), -1);
    expectUndoneExactly(QStringLiteral("Bereich löschen"));
    EXPECT_EQ(areaList().GetFirstSelectedItem(), 0);
}

TEST_F(CanvasTest, TrimCutsAnAreaToItsVisiblePixels) {
    zoomTo(1.0);
    drag({28.5, 38.5}, {40.5, 52.5}, Qt::ControlModifier);
    ASSERT_EQ(edges(4), (EdgeRect{28, 38, 41, 53}));
    canvas().setFocus();
    QTest::keyClick(&canvas(), Qt::Key_T);
    EXPECT_EQ(edges(4), (EdgeRect{30, 40, 38, 50}));
    EXPECT_EQ(areaList().GetFirstSelectedItem(), 4);
    ASSERT_EQ(steps().undoText(), QStringLiteral("Bereich zuschneiden"));
    undo();
    EXPECT_EQ(edges(4), (EdgeRect{28, 38, 41, 53}));
    expectUndoneExactly(QStringLiteral("Bereich aufziehen"));

    // Nothing of area 2 shows: it stays, and the status bar says why.
    areaList().SelectItem(2);
    canvas().setFocus();
    QTest::keyClick(&canvas(), Qt::Key_T);
    EXPECT_FALSE(steps().canUndo());
    EXPECT_EQ(frame().statusBar()->currentMessage(),
              QStringLiteral("Im Bereich 2 ist kein Pixel sichtbar."));
}

// Area 2's left edge is moved to 6 and 7 screen pixels right of area 0's right edge (28), and
// to 5 with Ctrl held.
TEST_F(CanvasTest, EdgesSnapWithinSixScreenPixelsUnlessCtrlIsHeld) {
    struct Case {
        double pixels;
        Qt::KeyboardModifiers modifiers;
        bool snaps;
    };
    for (const double zoom : kZooms) {
        zoomTo(zoom);
        for (const Case& c :
             {Case{6, {}, true}, Case{7, {}, false}, Case{5, Qt::ControlModifier, false}}) {
            areaList().SelectItem(2);
            const QPoint grab = at({56, 24});
            dragView(grab, grab + QPoint(static_cast<int>(-12 * zoom + c.pixels), 0), c.modifiers);
            const double expected = c.snaps ? 28 : std::round(28 + c.pixels / zoom);
            EXPECT_EQ(areas()[2].x1, expected) << "zoom " << zoom << ", " << c.pixels << " pixels";
            EXPECT_EQ(areas()[2].width(), 32);
            SCOPED_TRACE(testing::Message() << "zoom " << zoom << ", " << c.pixels);
            expectUndoneExactly(QStringLiteral("Bereich verschieben"));
            steps().clear();
        }
    }
}

}  // namespace

TEST_F(CanvasTest, TheTextureListShowsAnyTextureToDrawOn) {
    auto* chooser = frame().preview()->findChild<QComboBox*>(QStringLiteral("textureChooser"));
    ASSERT_NE(chooser, nullptr);
    ASSERT_EQ(chooser->count(), 2);
    EXPECT_EQ(chooser->currentText(), QStringLiteral("0: sheet.png"));
    chooser->setFocus();
    QTest::keyClick(chooser, Qt::Key_Down);
    EXPECT_EQ(chooser->currentText(), QStringLiteral("1: other.png"));
    ASSERT_EQ(canvas().outlines().size(), 1u);
    EXPECT_EQ(canvas().outlines()[0].row, 3);

    zoomTo(1.0);
    drag({60.5, 60.5}, {70.5, 70.5}, Qt::ControlModifier);
    ASSERT_EQ(areas().size(), 5u);
    EXPECT_EQ(areas()[4].textureId, 1);
    EXPECT_EQ(chooser->currentText(), QStringLiteral("1: other.png"));
    // Selecting a row on another texture follows it.
    areaList().SelectItem(0);
    EXPECT_EQ(chooser->currentText(), QStringLiteral("0: sheet.png"));
    expectUndoneExactly(QStringLiteral("Bereich aufziehen"));
}

TEST_F(CanvasTest, TheBackdropBehindTransparentPixelsIsChosenAndRemembered) {
    const auto shown = [this] {
        zoomTo(4.0);
        const QPoint empty = at({60.5, 60.5});  // a transparent pixel outside every area
        return canvas().grab().toImage().pixelColor(empty);
    };
    const auto chooser = [this] {
        return frame().preview()->findChild<QComboBox*>(QStringLiteral("backdropChooser"));
    };
    ASSERT_NE(chooser(), nullptr);
    EXPECT_EQ(chooser()->currentText(), QStringLiteral("Schachbrett"));
    EXPECT_TRUE(shown() == QColor(204, 204, 204) || shown() == QColor(153, 153, 153));
    chooser()->setFocus();
    QTest::keyClick(chooser(), Qt::Key_Down);
    EXPECT_EQ(shown(), QColor(32, 32, 32));

    app.reset();
    ASSERT_TRUE(start({QString::fromStdString(folder.file("leinwand.gui"))}));
    enlarge();
    tree().SelectResource(doc().library.resources.at(0).get());
    settle();
    EXPECT_EQ(chooser()->currentText(), QStringLiteral("Dunkel"));
    EXPECT_EQ(shown(), QColor(32, 32, 32));
    chooser()->setFocus();
    QTest::keyClick(chooser(), Qt::Key_Down);
    EXPECT_EQ(shown(), QColor(240, 240, 240));
}

TEST_F(CanvasTest, PiecesArePlacedOnTheComposedButtonByDragAndByKeys) {
    PiecePlacementView& view = *frame().preview()->panel()->compositionView();
    const double scale = view.shownScale();
    const auto viewOf = [&view, scale](QPointF button) {
        return (QPointF(view.shownOrigin()) + button * scale).toPoint();
    };
    const QPoint from = viewOf({2.5, 2.5});
    const QPoint to = from + (QPointF(5, 3) * scale).toPoint();
    QTest::mousePress(&view, Qt::LeftButton, {}, from);
    EXPECT_EQ(areaList().GetFirstSelectedItem(), 0);
    QTest::mouseMove(&view, from + QPoint(30, 30));
    QTest::mouseMove(&view, to);
    EXPECT_EQ(view.shownScale(), scale);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, to);
    EXPECT_EQ((std::pair{areas()[0].offsetX, areas()[0].offsetY}), (std::pair{5.f, 3.f}));
    EXPECT_EQ(areaList().GetFirstSelectedItem(), 0);
    expectUndoneExactly(QStringLiteral("Bereich platzieren"));

    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Right);
    QTest::keyClick(&view, Qt::Key_Right);
    QTest::keyClick(&view, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ((std::pair{areas()[0].offsetX, areas()[0].offsetY}), (std::pair{2.f, -8.f}));
    EXPECT_EQ(steps().count(), 1);  // one step for the run of nudges
    expectUndoneExactly(QStringLiteral("Bereich platzieren"));
}
