#pragma once

#include <QPointF>
#include <QRectF>
#include <optional>
#include <vector>

#include "ui/texture_editor/AreaCanvas.h"
#include "ui/texture_editor/CompositionView.h"
#include "ui/texture_editor/DragGesture.h"

// The composed button as an editor of where its pieces sit: a click selects the piece under
// the pointer (a selected one while it is under it, else the one drawn last) and its row,
// Ctrl+click adds or removes it, Shift+click adds it; dragging a selected piece moves the
// offsets of every selected one by whole button pixels, the arrow keys nudge them (by 8 with
// Shift), Esc or the right button cancel a drag. The picture keeps its scale and place while
// pieces are dragged. A nine-part button's size handle, while shown, is dragged before the
// piece under it; the button's pixels keep their place on the screen meanwhile, however the
// picture grows. It changes nothing itself: each finished move is announced once.
class PiecePlacementView : public CompositionView {
    Q_OBJECT

public:
    struct Piece {
        int row = 0;
        QRectF placed;  // on the button
    };

    explicit PiecePlacementView(QWidget* parent = nullptr);

    // The pieces of the composition now shown, whose upper left pixel is button point topLeft.
    void setPieces(QPoint topLeft, std::vector<Piece> pieces, std::vector<int> selectedRows);
    // The selected rows that have a piece here, in order.
    std::vector<int> selectedRows() const;
    // The size handle of a nine-part button at its lower right corner, a button point; none
    // hides it.
    void setSizeHandle(std::optional<QPointF> corner);
    std::optional<QPointF> sizeHandle() const { return handleCorner; }
    // Where the size handle shows, in the view.
    QPointF sizeHandleInView() const;

    double shownScale() const override;
    QPoint shownOrigin() const override;

signals:
    void selectionEdited(std::vector<int> rows, SelectionEdit edit);
    // The pieces of rows moved by (dx, dy) button pixels; nudges come in a run.
    void piecesMoved(std::vector<int> rows, int dx, int dy, bool nudge);
    // While a drag runs, the whole button pixels the pieces of rows have moved; none when it
    // ends.
    void piecesFollowing(std::vector<int> rows, std::optional<QPoint> delta);
    void contextMenuAsked(QPoint globalPoint);
    // While the size handle is dragged, the whole button pixels it has moved; none when the
    // drag ends.
    void sizeFollowing(std::optional<QPoint> delta);
    // The size handle was dropped, delta whole button pixels from where it was.
    void sizeDragged(QPoint delta);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QPointF buttonAt(QPointF viewPoint) const;
    QRectF viewOf(const QRectF& placed) const;
    const Piece* pieceOfRow(int row) const;
    bool isSelected(int row) const;
    int pieceAt(QPointF viewPoint) const;
    // The whole button pixels the pointer moved since the press.
    QPoint dragDelta(QPointF viewPoint) const;
    // Ends a drag without moving the pieces or changing the size.
    void cancelDrag();
    bool dragging() const { return !dragged.empty() || sizing; }

    QPoint origin;  // the button point of the picture's upper left pixel
    std::vector<Piece> shown;
    std::vector<int> selected;
    std::vector<int> dragged;             // the rows being dragged
    std::optional<int> toggledOnRelease;  // Ctrl pressed on a selected piece: off unless dragged
    bool moving = false;
    bool rightCancelled = false;
    QPointF pressPoint;
    QPointF pointer;
    double pressScale = 1.0;  // kept while dragging
    std::optional<QPointF> handleCorner;
    bool sizing = false;  // the size handle is dragged
    QPointF heldZero;     // meanwhile, where button point (0, 0) stays in the view
    DragGesture gesture{*this, [this] { cancelDrag(); }};
};
