#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "document/CanvasGeometry.h"
#include "document/NineSlice.h"
#include "ui/texture_editor/DragGesture.h"
#include "ui/texture_editor/TextureView.h"

// An area's row with a rectangle for it: where a gesture has it, or where it is to go.
struct AreaRect {
    int row = -1;  // -1: a new area, being drawn
    EdgeRect rect;
    bool operator==(const AreaRect&) const = default;
};

// The margins of a nine-part button, drawn as guide lines over the area it cuts.
struct MarginGuides {
    EdgeRect area;  // whole pixels, x1 < x2 and y1 < y2
    NineSliceMargins margins;
    bool operator==(const MarginGuides&) const = default;
};

// How a click or a rubber band changes the selection of areas.
enum class SelectionEdit { Replace, Add, Toggle };

// The texture view as an editor of the shown button's areas. A click selects the area under
// the pointer (a selected one, else the smallest; clicking the same spot again cycles through
// the stack), Ctrl+click adds or removes it, Shift+click adds it, Ctrl+A selects every area
// on the texture and Esc clears. Dragging a selected area moves every selected one; dragging
// elsewhere draws a new area, or with Shift held at the press selects what a rubber band
// touches. With one area selected its eight handles and edges resize it. Edges snap to whole
// pixels, the other outlines and the texture's border. Arrows nudge, Delete removes, T trims
// the selected areas; F frames them, Ctrl+0 fits, Ctrl+1 shows 1:1, Esc cancels a gesture.
// The middle button or Space+drag pans. Margin guides, while shown, are dragged before
// anything else under the pointer, by whole pixels, never so far that no middle is left. It changes
// nothing itself: each finished gesture is announced once, for the caller to make.
class AreaCanvas : public TextureView {
    Q_OBJECT

public:
    enum class Edit { Move, Resize, Trim, Nudge };

    explicit AreaCanvas(QWidget* parent = nullptr);

    // How the shown texture's pixels show, for trimming (0 solid, 1 transparent, 2 additive).
    void setBlendType(std::int32_t type) { blendType = type; }
    // What the running gesture says about itself; empty when none runs.
    QString feedback() const { return gestureText; }
    // The rectangle the running gesture has made so far, of the first area it moves.
    std::optional<EdgeRect> liveRect() const;
    // The rows of the selected areas on the shown texture, in order.
    std::vector<int> selectedRows() const;
    // Rectangles a slicing proposes, drawn over the texture in a colour of their own, and those
    // it leaves out, drawn apart; none of either ends that.
    void setCandidates(std::vector<QRectF> proposed, std::vector<QRectF> leftOut);
    const std::vector<QRectF>& candidates() const { return proposedRects; }
    // The margins of a nine-part button in the making, shown over its area; none ends that
    // and cancels a guide's drag.
    void setMarginGuides(std::optional<MarginGuides> guides);
    const std::optional<MarginGuides>& marginGuides() const { return guides; }

signals:
    // A click, a rubber band, Ctrl+A or Esc changes the selection by rows.
    void selectionEdited(std::vector<int> rows, SelectionEdit edit);
    void areaDrawn(EdgeRect rect);
    // Areas moved, resized, trimmed or nudged, each to its new rectangle.
    void areasChanged(std::vector<AreaRect> areas, AreaCanvas::Edit edit);
    void areasDeleteAsked(std::vector<int> rows);
    void areaOpenAsked(int row);
    // A double click on texture pixel outside every area asks for an area around its island.
    void islandAsked(QPoint pixel);
    // While a gesture runs, the rectangles it has made of its areas (row -1 for a new area);
    // none when it ends.
    void areasFollowing(std::vector<AreaRect> areas);
    // A gesture's live text, or what a key could not do; for the status bar.
    void message(const QString& text);
    // The context menu is asked for at globalPoint.
    void contextMenuAsked(QPoint globalPoint);
    // While a margin guide is dragged, the margins it makes; those from before the drag when
    // it is cancelled.
    void marginsDragged(NineSliceMargins margins);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool showsOutline(const Outline& outline) const override;

private:
    enum class Mode { None, Pressed, Drawing, Moving, Resizing, Banding, Guide };
    enum class Side { Left, Top, Right, Bottom };

    QPointF textureAt(QPointF viewPoint) const;
    std::vector<const Outline*> selectedOutlines() const;
    // The rows of the areas under a texture point, smallest first.
    std::vector<int> rowsAt(QPointF texturePoint) const;
    int pickAt(QPointF viewPoint) const;
    SnapTargets snapTargets(bool off) const;
    void follow(QPointF viewPoint, Qt::KeyboardModifiers modifiers);
    void moveGroup(QPointF delta, const SnapTargets& snap);
    void click(QPointF viewPoint, Qt::KeyboardModifiers modifiers);
    void finish();
    void cancel();
    void setGestureText(const QString& text);
    void nudge(int dx, int dy);
    void trim();
    void updateCursor(QPointF viewPoint);
    void paintHandles(QPainter& painter, const EdgeRect& rect) const;
    void paintCandidates(QPainter& painter) const;
    // The margin guide within reach of viewPoint, the nearest first.
    std::optional<Side> guideAt(QPointF viewPoint) const;
    void followGuide(QPointF texturePoint);
    void paintGuides(QPainter& painter) const;
    // The rows the rubber band touches.
    std::vector<int> bandedRows() const;

    std::int32_t blendType = 1;
    Mode mode = Mode::None;
    QPointF pressPoint;    // view
    QPointF pressTexture;  // texture, so that scrolling or zooming meanwhile moves nothing
    QPoint pressPixel;     // texture
    Qt::KeyboardModifiers pressModifiers;
    Grip grip;
    std::vector<AreaRect> started;  // the areas the gesture moves or resizes, as they were
    std::vector<AreaRect> current;  // and as it has them now; the drawn area while drawing
    GestureResult snapped;          // of the last step, for the guide lines
    QPointF pointer;
    QString gestureText;
    bool spaceHeld = false;
    bool rightCancelled = false;        // the right button's press cancelled a gesture
    std::optional<QPointF> lastClick;   // view point of the last click that picked
    std::vector<QRectF> proposedRects;  // by a slicing panel, in texture pixels
    std::vector<QRectF> leftOutRects;
    std::optional<MarginGuides> guides;
    Side guideSide = Side::Left;     // the guide being dragged
    NineSliceMargins guidesAtPress;  // the margins before its drag
    DragGesture gesture{*this, [this] { cancel(); }};
};
