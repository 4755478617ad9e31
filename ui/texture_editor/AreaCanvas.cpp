#include "ui/texture_editor/AreaCanvas.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleHints>
#include <algorithm>
#include <cmath>

namespace {

const QColor kHandleColour(255, 200, 0);
const QColor kGuideColour(255, 0, 200);
constexpr int kBigNudge = 8;

EdgeRect edgesOf(const QRectF& rect) {
    return {rect.left(), rect.top(), rect.right(), rect.bottom()};
}

QRectF rectOf(const EdgeRect& rect) {
    return QRectF(QPointF(rect.x1, rect.y1), QPointF(rect.x2, rect.y2));
}

QString rectText(const EdgeRect& r) {
    return QStringLiteral("%1, %2 – %3, %4 (%5 × %6)")
        .arg(r.x1)
        .arg(r.y1)
        .arg(r.x2)
        .arg(r.y2)
        .arg(r.width())
        .arg(r.height());
}

QString signedNumber(double value) {
    return value > 0 ? QStringLiteral("+%1").arg(value) : QString::number(value);
}

Qt::CursorShape cursorFor(const Grip& grip) {
    switch (grip.edges) {
        case kGripLeft | kGripTop:
        case kGripRight | kGripBottom:
            return Qt::SizeFDiagCursor;
        case kGripRight | kGripTop:
        case kGripLeft | kGripBottom:
            return Qt::SizeBDiagCursor;
        case kGripLeft:
        case kGripRight:
            return Qt::SizeHorCursor;
        case kGripTop:
        case kGripBottom:
            return Qt::SizeVerCursor;
        default:
            return grip.body ? Qt::SizeAllCursor : Qt::CrossCursor;
    }
}

}  // namespace

AreaCanvas::AreaCanvas(QWidget* parent) : TextureView(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Texturansicht"));
}

std::optional<EdgeRect> AreaCanvas::liveRect() const {
    if (mode == Mode::Drawing || mode == Mode::Moving || mode == Mode::Resizing) {
        return current.rect;
    }
    return std::nullopt;
}

QPointF AreaCanvas::textureAt(QPointF viewPoint) const {
    return (viewPoint - viewOrigin()) / zoom();
}

const TextureView::Outline* AreaCanvas::selectedOutline() const {
    const auto found = std::find_if(outlines().begin(), outlines().end(),
                                    [](const Outline& outline) { return outline.selected; });
    return found != outlines().end() ? &*found : nullptr;
}

std::vector<int> AreaCanvas::rowsAt(QPointF texturePoint) const {
    std::vector<const Outline*> under;
    for (const Outline& outline : outlines()) {
        if (edgesOf(outline.rect).contains(texturePoint.x(), texturePoint.y())) {
            under.push_back(&outline);
        }
    }
    std::stable_sort(under.begin(), under.end(), [](const Outline* a, const Outline* b) {
        return std::abs(a->rect.width() * a->rect.height()) <
               std::abs(b->rect.width() * b->rect.height());
    });
    std::vector<int> rows;
    for (const Outline* outline : under) {
        rows.push_back(outline->row);
    }
    return rows;
}

// The selected area stays picked while it is under the pointer; a second click on the same
// spot goes on to the next area stacked there.
int AreaCanvas::pickAt(QPointF viewPoint) const {
    const std::vector<int> rows = rowsAt(textureAt(viewPoint));
    if (rows.empty()) {
        return -1;
    }
    const Outline* selected = selectedOutline();
    const auto at =
        selected != nullptr ? std::find(rows.begin(), rows.end(), selected->row) : rows.end();
    if (at == rows.end()) {
        return rows.front();
    }
    if (lastClick && *lastClick == viewPoint) {
        return std::next(at) != rows.end() ? *std::next(at) : rows.front();
    }
    return *at;
}

SnapTargets AreaCanvas::snapTargets(bool off) const {
    SnapTargets targets;
    if (off) {
        return targets;
    }
    targets.reach = kSnapReach / zoom();
    targets.xs = {0.0, double(texture().width())};
    targets.ys = {0.0, double(texture().height())};
    for (const Outline& outline : outlines()) {
        if (outline.row == gestureRow && mode != Mode::Drawing) {
            continue;
        }
        const EdgeRect r = edgesOf(outline.rect);
        targets.xs.insert(targets.xs.end(), {std::round(r.x1), std::round(r.x2)});
        targets.ys.insert(targets.ys.end(), {std::round(r.y1), std::round(r.y2)});
    }
    return targets;
}

void AreaCanvas::mousePressEvent(QMouseEvent* event) {
    if (mode != Mode::None && mode != Mode::Pressed && event->button() == Qt::RightButton) {
        cancel();
        return;
    }
    if (event->button() != Qt::LeftButton || texture().isNull()) {
        TextureView::mousePressEvent(event);
        return;
    }
    if (spaceHeld) {
        beginPan(event->position());
        return;
    }
    const QPointF at = textureAt(event->position());
    pressPoint = event->position();
    pressTexture = at;
    pressPixel = QPoint(PixelUnder(event->position().x(), viewOrigin().x(), zoom()),
                        PixelUnder(event->position().y(), viewOrigin().y(), zoom()));
    mode = Mode::Pressed;
    gesture.begin();
    grip = {};
    gestureRow = -1;
    if (const Outline* selected = selectedOutline()) {
        grip = GripAt(edgesOf(selected->rect), at.x(), at.y(), zoom());
        if (grip.any()) {
            gestureRow = selected->row;
            startRect = edgesOf(selected->rect);
        }
    }
}

void AreaCanvas::mouseMoveEvent(QMouseEvent* event) {
    TextureView::mouseMoveEvent(event);
    pointer = event->position();
    if (mode == Mode::None) {
        updateCursor(event->position());
        return;
    }
    if (mode == Mode::Pressed) {
        const double distance = (event->position() - pressPoint).manhattanLength();
        if (distance <= QApplication::styleHints()->startDragDistance() / 2.0) {
            return;
        }
        mode = !grip.any() ? Mode::Drawing : grip.body ? Mode::Moving : Mode::Resizing;
    }
    follow(event->position(), event->modifiers());
}

// Each position is computed from the press, never by adding up steps.
void AreaCanvas::follow(QPointF viewPoint, Qt::KeyboardModifiers modifiers) {
    const SnapTargets snap = snapTargets(modifiers & Qt::ControlModifier);
    const bool shift = modifiers & Qt::ShiftModifier;
    const QPointF at = textureAt(viewPoint);
    const QPointF delta = at - pressTexture;
    switch (mode) {
        case Mode::Drawing:
            current = CreatedRect(pressPixel.x(), pressPixel.y(), at.x(), at.y(), shift,
                                  texture().width(), texture().height(), snap);
            setGestureText(rectText(current.rect));
            break;
        case Mode::Moving: {
            current = MovedRect(startRect, delta.x(), delta.y(), snap);
            const EdgeRect start = startRect.normalized();
            setGestureText(QStringLiteral("%1, %2").arg(signedNumber(current.rect.x1 - start.x1),
                                                        signedNumber(current.rect.y1 - start.y1)));
            break;
        }
        case Mode::Resizing:
            current = ResizedRect(startRect, grip.edges, delta.x(), delta.y(), shift, snap);
            setGestureText(rectText(current.rect));
            break;
        default:
            break;
    }
    emit areaFollowing(mode == Mode::Drawing ? -1 : gestureRow, current.rect);
    update();
}

void AreaCanvas::mouseReleaseEvent(QMouseEvent* event) {
    TextureView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (mode == Mode::Pressed) {
        mode = Mode::None;
        gesture.end();
        const int row = pickAt(event->position());
        lastClick = event->position();
        emit areaPicked(row);
        return;
    }
    if (mode != Mode::None) {
        // The pixel under the pointer now is where the area ends, whatever moved meanwhile.
        follow(event->position(), event->modifiers());
        finish();
    }
}

void AreaCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const std::vector<int> rows = rowsAt(textureAt(event->position()));
    const Outline* selected = selectedOutline();
    if (selected != nullptr && std::find(rows.begin(), rows.end(), selected->row) != rows.end()) {
        emit areaOpenAsked(selected->row);
    } else if (!rows.empty()) {
        emit areaPicked(rows.front());
        emit areaOpenAsked(rows.front());
    }
}

void AreaCanvas::finish() {
    const Mode finished = mode;
    const EdgeRect result = current.rect;
    const int row = gestureRow;
    mode = Mode::None;
    gesture.end();
    current = {};
    setGestureText({});
    update();
    emit areaFollowing(row, std::nullopt);
    if (finished == Mode::Drawing) {
        emit areaDrawn(result);
    } else if (result != startRect) {
        emit areaChanged(row, result, finished == Mode::Moving ? Edit::Move : Edit::Resize);
    }
}

void AreaCanvas::cancel() {
    const bool following = liveRect().has_value();
    mode = Mode::None;
    current = {};
    setGestureText({});
    update();
    if (following) {
        emit areaFollowing(gestureRow, std::nullopt);
    }
    gesture.end();
}

void AreaCanvas::setGestureText(const QString& text) {
    gestureText = text;
    emit message(text);
}

void AreaCanvas::keyPressEvent(QKeyEvent* event) {
    const bool control = event->modifiers() & Qt::ControlModifier;
    const int step = event->modifiers() & Qt::ShiftModifier ? kBigNudge : 1;
    switch (event->key()) {
        case Qt::Key_Escape:
            if (mode != Mode::None) {
                cancel();
            } else {
                emit areaPicked(-1);
            }
            break;
        case Qt::Key_Space:
            spaceHeld = true;
            break;
        case Qt::Key_Left:
            nudge(-step, 0);
            break;
        case Qt::Key_Right:
            nudge(step, 0);
            break;
        case Qt::Key_Up:
            nudge(0, -step);
            break;
        case Qt::Key_Down:
            nudge(0, step);
            break;
        case Qt::Key_Delete:
            if (const Outline* selected = selectedOutline(); selected && mode == Mode::None) {
                emit areaDeleteAsked(selected->row);
            }
            break;
        case Qt::Key_T:
            trim();
            break;
        case Qt::Key_F:
            if (const Outline* selected = selectedOutline()) {
                showRegion(selected->rect);
            }
            break;
        case Qt::Key_0:
            if (control) {
                zoomToFit();
            }
            break;
        case Qt::Key_1:
            if (control) {
                zoomOneToOne();
            }
            break;
        default:
            TextureView::keyPressEvent(event);
            return;
    }
    event->accept();
}

void AreaCanvas::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        spaceHeld = false;
    }
    TextureView::keyReleaseEvent(event);
}

// A nudge moves the edges as they are, by whole pixels.
void AreaCanvas::nudge(int dx, int dy) {
    const Outline* selected = selectedOutline();
    if (selected == nullptr || mode != Mode::None) {
        return;
    }
    EdgeRect moved = edgesOf(selected->rect);
    moved.x1 += dx;
    moved.x2 += dx;
    moved.y1 += dy;
    moved.y2 += dy;
    emit areaChanged(selected->row, moved, Edit::Nudge);
}

void AreaCanvas::trim() {
    const Outline* selected = selectedOutline();
    if (selected == nullptr || mode != Mode::None || texture().isNull()) {
        return;
    }
    const QImage pixels = texture().convertToFormat(QImage::Format_ARGB32);
    const TrimResult result =
        TrimmedRect(edgesOf(selected->rect),
                    {reinterpret_cast<const std::uint32_t*>(pixels.constBits()), pixels.width(),
                     pixels.height(), pixels.bytesPerLine() / 4},
                    blendType);
    switch (result.outcome) {
        case TrimOutcome::Trimmed:
            emit areaChanged(selected->row, result.rect, Edit::Trim);
            break;
        case TrimOutcome::Unchanged:
            emit message(
                QStringLiteral("Zuschneiden ändert den Bereich %1 nicht.").arg(selected->row));
            break;
        case TrimOutcome::NothingShows:
            emit message(
                QStringLiteral("Im Bereich %1 ist kein Pixel sichtbar.").arg(selected->row));
            break;
    }
}

void AreaCanvas::updateCursor(QPointF viewPoint) {
    const Outline* selected = selectedOutline();
    const QPointF at = textureAt(viewPoint);
    setCursor(spaceHeld ? Qt::OpenHandCursor
              : selected != nullptr
                  ? cursorFor(GripAt(edgesOf(selected->rect), at.x(), at.y(), zoom()))
                  : Qt::CrossCursor);
}

bool AreaCanvas::showsOutline(const Outline& outline) const {
    return !liveRect() || outline.row != gestureRow || mode == Mode::Drawing;
}

void AreaCanvas::paintEvent(QPaintEvent* event) {
    TextureView::paintEvent(event);
    if (texture().isNull()) {
        return;
    }
    QPainter painter(this);
    const std::optional<EdgeRect> live = liveRect();
    if (live) {
        paintOutline(painter, {rectOf(*live), mode == Mode::Drawing ? -1 : gestureRow, true});
        paintHandles(painter, *live);
    } else if (const Outline* selected = selectedOutline()) {
        paintHandles(painter, edgesOf(selected->rect));
    }
    painter.setPen(QPen(kGuideColour, 0, Qt::DashLine));
    if (live && current.guideX) {
        const double x = std::round(viewFromTexture({*current.guideX, 0}).x());
        painter.drawLine(QPointF(x, 0), QPointF(x, height()));
    }
    if (live && current.guideY) {
        const double y = std::round(viewFromTexture({0, *current.guideY}).y());
        painter.drawLine(QPointF(0, y), QPointF(width(), y));
    }
    if (!gestureText.isEmpty()) {
        const QFontMetrics metrics(painter.font());
        QRect label(pointer.toPoint() + QPoint(16, 16),
                    QSize(metrics.horizontalAdvance(gestureText) + 8, metrics.height() + 4));
        label.moveRight(std::min(label.right(), width() - 1));
        label.moveBottom(std::min(label.bottom(), height() - 1));
        painter.fillRect(label, QColor(0, 0, 0, 190));
        painter.setPen(Qt::white);
        painter.drawText(label, Qt::AlignCenter, gestureText);
    }
}

// Handles are squares of a fixed size on screen at the corners and edge midpoints.
void AreaCanvas::paintHandles(QPainter& painter, const EdgeRect& rect) const {
    const EdgeRect r = rect.normalized();
    const double midX = (r.x1 + r.x2) / 2.0;
    const double midY = (r.y1 + r.y2) / 2.0;
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(kHandleColour);
    for (const QPointF& corner :
         {QPointF(r.x1, r.y1), QPointF(r.x2, r.y1), QPointF(r.x1, r.y2), QPointF(r.x2, r.y2),
          QPointF(midX, r.y1), QPointF(midX, r.y2), QPointF(r.x1, midY), QPointF(r.x2, midY)}) {
        const QPointF at = viewFromTexture(corner);
        painter.drawRect(
            QRectF(at - QPointF(kHandleSize, kHandleSize) / 2.0, QSizeF(kHandleSize, kHandleSize)));
    }
}
