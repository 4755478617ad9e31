#include "ui/texture_editor/PiecePlacementView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleHints>
#include <cmath>

namespace {

const QColor kSelectedColour(255, 200, 0);
constexpr int kBigNudge = 8;

}  // namespace

PiecePlacementView::PiecePlacementView(QWidget* parent) : CompositionView(parent) {
    setFocusPolicy(Qt::StrongFocus);
    // A move without the button must reach the drag, which then ends.
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("Knopfansicht"));
}

void PiecePlacementView::setPieces(QPoint topLeft, std::vector<Piece> pieces, int selectedRow) {
    origin = topLeft;
    shown = std::move(pieces);
    selected = selectedRow;
    update();
}

QPointF PiecePlacementView::buttonAt(QPointF viewPoint) const {
    return (viewPoint - QPointF(shownOrigin())) / shownScale() + QPointF(origin);
}

QRectF PiecePlacementView::viewOf(const QRectF& placed) const {
    const double scale = shownScale();
    return QRectF(QPointF(shownOrigin()) + (placed.topLeft() - QPointF(origin)) * scale,
                  placed.size() * scale);
}

const PiecePlacementView::Piece* PiecePlacementView::pieceOfRow(int row) const {
    for (const Piece& piece : shown) {
        if (piece.row == row) {
            return &piece;
        }
    }
    return nullptr;
}

int PiecePlacementView::pieceAt(QPointF viewPoint) const {
    const QPointF at = buttonAt(viewPoint);
    if (const Piece* current = pieceOfRow(selected); current && current->placed.contains(at)) {
        return selected;
    }
    for (auto piece = shown.rbegin(); piece != shown.rend(); ++piece) {
        if (piece->placed.contains(at)) {
            return piece->row;
        }
    }
    return -1;
}

QPoint PiecePlacementView::dragDelta(QPointF viewPoint) const {
    const QPointF delta = (viewPoint - pressPoint) / pressScale;
    return {static_cast<int>(std::lround(delta.x())), static_cast<int>(std::lround(delta.y()))};
}

void PiecePlacementView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && dragged) {
        cancelDrag();
        return;
    }
    if (event->button() != Qt::LeftButton || composition().isNull()) {
        return;
    }
    const int row = pieceAt(event->position());
    if (row != selected) {
        selected = row;
        emit piecePicked(row);
    }
    if (row >= 0) {
        dragged = row;
        gesture.begin();
        moving = false;
        pressPoint = event->position();
        pressScale = shownScale();
    }
}

void PiecePlacementView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragged) {
        return;
    }
    pointer = event->position();
    if (!moving && (pointer - pressPoint).manhattanLength() >
                       QApplication::styleHints()->startDragDistance() / 2.0) {
        moving = true;
    }
    if (moving) {
        emit pieceFollowing(*dragged, dragDelta(pointer));
    }
    update();
}

void PiecePlacementView::cancelDrag() {
    const int row = *dragged;
    const bool moved = moving;
    dragged.reset();
    moving = false;
    update();
    if (moved) {
        emit pieceFollowing(row, std::nullopt);
    }
    gesture.end();
}

void PiecePlacementView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragged) {
        return;
    }
    const int row = *dragged;
    const QPoint delta = dragDelta(event->position());
    const bool moved = moving;
    cancelDrag();  // ends the drag's following; the release then makes the move
    if (moved && !delta.isNull()) {
        emit pieceMoved(row, delta.x(), delta.y(), false);
    }
}

void PiecePlacementView::keyPressEvent(QKeyEvent* event) {
    const int step = event->modifiers() & Qt::ShiftModifier ? kBigNudge : 1;
    QPoint delta;
    switch (event->key()) {
        case Qt::Key_Left:
            delta = {-step, 0};
            break;
        case Qt::Key_Right:
            delta = {step, 0};
            break;
        case Qt::Key_Up:
            delta = {0, -step};
            break;
        case Qt::Key_Down:
            delta = {0, step};
            break;
        case Qt::Key_Escape:
            if (dragged) {
                cancelDrag();
                return;
            }
            [[fallthrough]];
        default:
            CompositionView::keyPressEvent(event);
            return;
    }
    if (selected >= 0 && pieceOfRow(selected) != nullptr && !dragged) {
        emit pieceMoved(selected, delta.x(), delta.y(), true);
    }
}

// The selected piece is outlined; a dragged one where it would go.
void PiecePlacementView::paintEvent(QPaintEvent* event) {
    CompositionView::paintEvent(event);
    const Piece* piece = pieceOfRow(dragged ? *dragged : selected);
    if (piece == nullptr) {
        return;
    }
    QRectF placed = piece->placed;
    if (dragged && moving) {
        placed.translate(dragDelta(pointer));
    }
    QPainter painter(this);
    painter.setPen(QPen(kSelectedColour, 0));
    painter.drawRect(viewOf(placed).adjusted(0, 0, -1, -1));
}
