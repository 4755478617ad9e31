#pragma once

#include <QPointF>
#include <QRectF>
#include <optional>
#include <vector>

#include "ui/texture_editor/CompositionView.h"
#include "ui/texture_editor/DragGesture.h"

// The composed button as an editor of where its pieces sit: a click selects the piece under
// the pointer (the selected one while it is under it, else the one drawn last) and its row,
// dragging it moves its offset by whole button pixels, the arrow keys nudge it (by 8 with
// Shift), Esc or the right button cancel a drag. The picture keeps its scale and place while
// a piece is dragged. It changes nothing itself: each finished move is announced once.
class PiecePlacementView : public CompositionView {
    Q_OBJECT

public:
    struct Piece {
        int row = 0;
        QRectF placed;  // on the button
    };

    explicit PiecePlacementView(QWidget* parent = nullptr);

    // The pieces of the composition now shown, whose upper left pixel is button point topLeft.
    void setPieces(QPoint topLeft, std::vector<Piece> pieces, int selectedRow);

signals:
    void piecePicked(int row);
    // The piece of row moved by (dx, dy) button pixels; nudges of one piece come in a run.
    void pieceMoved(int row, int dx, int dy, bool nudge);
    // While a drag runs, the whole button pixels the piece of row has moved; none when it ends.
    void pieceFollowing(int row, std::optional<QPoint> delta);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPointF buttonAt(QPointF viewPoint) const;
    QRectF viewOf(const QRectF& placed) const;
    const Piece* pieceOfRow(int row) const;
    int pieceAt(QPointF viewPoint) const;
    // The whole button pixels the pointer moved since the press.
    QPoint dragDelta(QPointF viewPoint) const;
    // Ends a drag without moving the piece.
    void cancelDrag();

    QPoint origin;  // the button point of the picture's upper left pixel
    std::vector<Piece> shown;
    int selected = -1;
    std::optional<int> dragged;  // the row being dragged
    bool moving = false;
    QPointF pressPoint;
    QPointF pointer;
    double pressScale = 1.0;  // kept while dragging
    DragGesture gesture{*this, [this] { cancelDrag(); }};
};
