#include "ui/texture_editor/PiecePlacementView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleHints>
#include <algorithm>
#include <cmath>

#include "document/CanvasGeometry.h"

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

void PiecePlacementView::setPieces(QPoint topLeft, std::vector<Piece> pieces,
                                   std::vector<int> selectedRows) {
    origin = topLeft;
    shown = std::move(pieces);
    selected = std::move(selectedRows);
    update();
}

void PiecePlacementView::setSizeHandle(std::optional<QPointF> corner) {
    handleCorner = corner;
    update();
}

double PiecePlacementView::shownScale() const {
    return sizing ? pressScale : CompositionView::shownScale();
}

QPoint PiecePlacementView::shownOrigin() const {
    if (!sizing) {
        return CompositionView::shownOrigin();
    }
    const QPointF at = heldZero + QPointF(origin) * pressScale;
    return {static_cast<int>(std::lround(at.x())), static_cast<int>(std::lround(at.y()))};
}

QPointF PiecePlacementView::sizeHandleInView() const {
    return handleCorner ? viewOf(QRectF(*handleCorner, QSizeF())).topLeft() : QPointF();
}

std::vector<int> PiecePlacementView::selectedRows() const {
    std::vector<int> rows;
    for (const int row : selected) {
        if (pieceOfRow(row) != nullptr) {
            rows.push_back(row);
        }
    }
    return rows;
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

bool PiecePlacementView::isSelected(int row) const {
    return std::find(selected.begin(), selected.end(), row) != selected.end();
}

int PiecePlacementView::pieceAt(QPointF viewPoint) const {
    const QPointF at = buttonAt(viewPoint);
    for (const int row : selected) {
        if (const Piece* piece = pieceOfRow(row); piece && piece->placed.contains(at)) {
            return row;
        }
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

// A press on a selected piece takes every selected one along; on another, it selects that one
// (alone, or added with Ctrl or Shift) and takes it along with what is then selected.
void PiecePlacementView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && dragging()) {
        cancelDrag();
        rightCancelled = true;
        return;
    }
    if (event->button() != Qt::LeftButton || composition().isNull()) {
        return;
    }
    const QPointF handle = sizeHandleInView() - event->position();
    if (handleCorner && std::abs(handle.x()) <= kHandleSize &&
        std::abs(handle.y()) <= kHandleSize) {
        pressPoint = event->position();
        pressScale = shownScale();
        heldZero = QPointF(shownOrigin()) - QPointF(origin) * pressScale;
        sizing = true;
        gesture.begin();
        return;
    }
    const bool adding = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
    const int row = pieceAt(event->position());
    toggledOnRelease.reset();
    if (row < 0) {
        if (!adding && !selected.empty()) {
            emit selectionEdited({}, SelectionEdit::Replace);
        }
        return;
    }
    if (isSelected(row)) {
        dragged = selectedRows();
        if (event->modifiers() & Qt::ControlModifier) {
            toggledOnRelease = row;
        }
    } else {
        dragged = adding ? selectedRows() : std::vector<int>{};
        dragged.push_back(row);
        emit selectionEdited({row}, adding ? SelectionEdit::Add : SelectionEdit::Replace);
    }
    gesture.begin();
    moving = false;
    pressPoint = event->position();
    pressScale = shownScale();
}

void PiecePlacementView::mouseMoveEvent(QMouseEvent* event) {
    pointer = event->position();
    if (sizing) {
        emit sizeFollowing(dragDelta(pointer));
        return;
    }
    if (dragged.empty()) {
        const QPointF handle = sizeHandleInView() - pointer;
        const bool overHandle = handleCorner && std::abs(handle.x()) <= kHandleSize &&
                                std::abs(handle.y()) <= kHandleSize;
        setCursor(overHandle ? Qt::SizeFDiagCursor : Qt::ArrowCursor);
        return;
    }
    if (!moving && (pointer - pressPoint).manhattanLength() >
                       QApplication::styleHints()->startDragDistance() / 2.0) {
        moving = true;
    }
    if (moving) {
        emit piecesFollowing(dragged, dragDelta(pointer));
    }
    update();
}

void PiecePlacementView::cancelDrag() {
    const std::vector<int> rows = std::exchange(dragged, {});
    const bool moved = moving;
    const bool sized = std::exchange(sizing, false);
    moving = false;
    update();
    if (moved) {
        emit piecesFollowing(rows, std::nullopt);
    }
    if (sized) {
        emit sizeFollowing(std::nullopt);
    }
    gesture.end();
}

void PiecePlacementView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && sizing) {
        const QPoint delta = dragDelta(event->position());
        cancelDrag();  // ends the following; the release then makes the new size
        if (!delta.isNull()) {
            emit sizeDragged(delta);
        }
        return;
    }
    if (event->button() != Qt::LeftButton || dragged.empty()) {
        return;
    }
    const std::vector<int> rows = dragged;
    const QPoint delta = dragDelta(event->position());
    const bool moved = moving;
    cancelDrag();  // ends the drag's following; the release then makes the move
    if (moved && !delta.isNull()) {
        emit piecesMoved(rows, delta.x(), delta.y(), false);
    } else if (!moved && toggledOnRelease) {
        emit selectionEdited({*toggledOnRelease}, SelectionEdit::Toggle);
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
            if (dragging()) {
                cancelDrag();
                return;
            }
            [[fallthrough]];
        default:
            CompositionView::keyPressEvent(event);
            return;
    }
    if (const std::vector<int> rows = selectedRows(); !rows.empty() && !dragging()) {
        emit piecesMoved(rows, delta.x(), delta.y(), true);
    }
}

void PiecePlacementView::contextMenuEvent(QContextMenuEvent* event) {
    if (std::exchange(rightCancelled, false) || dragging()) {
        return;
    }
    emit contextMenuAsked(event->globalPos());
}

// The selected pieces are outlined; dragged ones where they would go.
void PiecePlacementView::paintEvent(QPaintEvent* event) {
    CompositionView::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(kSelectedColour, 0));
    const QPoint delta = moving ? dragDelta(pointer) : QPoint();
    for (const int row : dragged.empty() ? selected : dragged) {
        if (const Piece* piece = pieceOfRow(row)) {
            painter.drawRect(viewOf(piece->placed.translated(delta)).adjusted(0, 0, -1, -1));
        }
    }
    if (handleCorner) {
        const QPointF at = sizeHandleInView();
        painter.setPen(QPen(Qt::black, 0));
        painter.setBrush(kSelectedColour);
        painter.drawRect(
            QRectF(at - QPointF(kHandleSize, kHandleSize) / 2.0, QSizeF(kHandleSize, kHandleSize)));
    }
}
