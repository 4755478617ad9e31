#include "ui/texture_editor/AreaCanvas.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleHints>
#include <algorithm>
#include <cmath>

namespace {

const QColor kHandleColour(255, 200, 0);
const QColor kGuideColour(255, 0, 200);
const QColor kCandidateColour(0, 230, 120);
const QColor kLeftOutColour(170, 170, 170);
const QColor kMarginColour(255, 60, 60);
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

// The smallest rectangle holding every one of areas.
EdgeRect boundsOf(const std::vector<AreaRect>& areas) {
    EdgeRect bounds = areas.front().rect.normalized();
    for (const AreaRect& area : areas) {
        const EdgeRect r = area.rect.normalized();
        bounds = {std::min(bounds.x1, r.x1), std::min(bounds.y1, r.y1), std::max(bounds.x2, r.x2),
                  std::max(bounds.y2, r.y2)};
    }
    return bounds;
}

EdgeRect shifted(const EdgeRect& rect, double dx, double dy) {
    return {rect.x1 + dx, rect.y1 + dy, rect.x2 + dx, rect.y2 + dy};
}

}  // namespace

AreaCanvas::AreaCanvas(QWidget* parent) : TextureView(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Texturansicht"));
}

std::optional<EdgeRect> AreaCanvas::liveRect() const {
    if ((mode == Mode::Drawing || mode == Mode::Moving || mode == Mode::Resizing) &&
        !current.empty()) {
        return current.front().rect;
    }
    return std::nullopt;
}

QPointF AreaCanvas::textureAt(QPointF viewPoint) const {
    return (viewPoint - viewOrigin()) / zoom();
}

std::vector<const TextureView::Outline*> AreaCanvas::selectedOutlines() const {
    std::vector<const Outline*> selected;
    for (const Outline& outline : outlines()) {
        if (outline.selected) {
            selected.push_back(&outline);
        }
    }
    return selected;
}

std::vector<int> AreaCanvas::selectedRows() const {
    std::vector<int> rows;
    for (const Outline* outline : selectedOutlines()) {
        rows.push_back(outline->row);
    }
    return rows;
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

// A selected area stays picked while it is under the pointer; a second click on the same
// spot goes on to the next area stacked there.
int AreaCanvas::pickAt(QPointF viewPoint) const {
    const std::vector<int> rows = rowsAt(textureAt(viewPoint));
    if (rows.empty()) {
        return -1;
    }
    const std::vector<int> selected = selectedRows();
    const auto at = std::find_if(rows.begin(), rows.end(), [&selected](int row) {
        return std::find(selected.begin(), selected.end(), row) != selected.end();
    });
    if (at == rows.end()) {
        return rows.front();
    }
    if (lastClick && *lastClick == viewPoint) {
        return std::next(at) != rows.end() ? *std::next(at) : rows.front();
    }
    return *at;
}

// The areas a gesture moves or resizes are no targets for themselves.
SnapTargets AreaCanvas::snapTargets(bool off) const {
    SnapTargets targets;
    if (off) {
        return targets;
    }
    targets.reach = kSnapReach / zoom();
    targets.xs = {0.0, double(texture().width())};
    targets.ys = {0.0, double(texture().height())};
    for (const Outline& outline : outlines()) {
        const bool moving =
            std::any_of(started.begin(), started.end(),
                        [&outline](const AreaRect& a) { return a.row == outline.row; });
        if (moving && mode != Mode::Drawing) {
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
        rightCancelled = true;
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
    if (const std::optional<Side> side = guideAt(event->position())) {
        mode = Mode::Guide;
        guideSide = *side;
        guidesAtPress = guides->margins;
        pointer = event->position();
        gesture.begin();
        return;
    }
    const QPointF at = textureAt(event->position());
    pressPoint = event->position();
    pressTexture = at;
    pressPixel = QPoint(PixelUnder(event->position().x(), viewOrigin().x(), zoom()),
                        PixelUnder(event->position().y(), viewOrigin().y(), zoom()));
    pressModifiers = event->modifiers();
    mode = Mode::Pressed;
    gesture.begin();
    grip = {};
    started.clear();
    const std::vector<const Outline*> selected = selectedOutlines();
    if (selected.size() == 1) {
        grip = GripAt(edgesOf(selected.front()->rect), at.x(), at.y(), zoom());
    } else {
        grip.body = std::any_of(selected.begin(), selected.end(), [&at](const Outline* outline) {
            return edgesOf(outline->rect).contains(at.x(), at.y());
        });
    }
    if (grip.any()) {
        for (const Outline* outline : selected) {
            started.push_back({outline->row, edgesOf(outline->rect)});
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
        // Shift held at the press selects by a rubber band; held later, it squares a drawing.
        mode = grip.any()                           ? (grip.body ? Mode::Moving : Mode::Resizing)
               : pressModifiers & Qt::ShiftModifier ? Mode::Banding
                                                    : Mode::Drawing;
    }
    follow(event->position(), event->modifiers());
}

// Each position is computed from the press, never by adding up steps.
void AreaCanvas::follow(QPointF viewPoint, Qt::KeyboardModifiers modifiers) {
    const SnapTargets snap = snapTargets(modifiers & Qt::ControlModifier);
    const bool shift = modifiers & Qt::ShiftModifier;
    const QPointF at = textureAt(viewPoint);
    const QPointF delta = at - pressTexture;
    snapped = {};
    switch (mode) {
        case Mode::Drawing:
            snapped = CreatedRect(pressPixel.x(), pressPixel.y(), at.x(), at.y(), shift,
                                  texture().width(), texture().height(), snap);
            current = {{-1, snapped.rect}};
            setGestureText(rectText(snapped.rect));
            break;
        case Mode::Moving: {
            moveGroup(delta, snap);
            const EdgeRect start = started.front().rect.normalized();
            setGestureText(
                QStringLiteral("%1, %2").arg(signedNumber(current.front().rect.x1 - start.x1),
                                             signedNumber(current.front().rect.y1 - start.y1)));
            break;
        }
        case Mode::Resizing:
            snapped =
                ResizedRect(started.front().rect, grip.edges, delta.x(), delta.y(), shift, snap);
            current = {{started.front().row, snapped.rect}};
            setGestureText(rectText(snapped.rect));
            break;
        case Mode::Banding:
            setGestureText(QStringLiteral("%1 Bereiche").arg(bandedRows().size()));
            update();
            return;
        case Mode::Guide:
            followGuide(at);
            return;
        default:
            return;
    }
    emit areasFollowing(current);
    update();
}

// One area lands on whole-pixel edges; several keep their shapes and move by the same whole
// pixels, snapping by the edges of the group.
void AreaCanvas::moveGroup(QPointF delta, const SnapTargets& snap) {
    if (started.size() == 1) {
        snapped = MovedRect(started.front().rect, delta.x(), delta.y(), snap);
        current = {{started.front().row, snapped.rect}};
        return;
    }
    const EdgeRect bounds = boundsOf(started);
    snapped = MovedRect(bounds, delta.x(), delta.y(), snap);
    const double dx = std::round(snapped.rect.x1 - bounds.x1);
    const double dy = std::round(snapped.rect.y1 - bounds.y1);
    current.clear();
    for (const AreaRect& area : started) {
        current.push_back({area.row, shifted(area.rect, dx, dy)});
    }
}

std::vector<int> AreaCanvas::bandedRows() const {
    const QRectF band = QRectF(pressTexture, textureAt(pointer)).normalized();
    std::vector<int> rows;
    for (const Outline& outline : outlines()) {
        const QRectF area = outline.rect.normalized();
        if (area.left() <= band.right() && band.left() <= area.right() &&
            area.top() <= band.bottom() && band.top() <= area.bottom()) {
            rows.push_back(outline.row);
        }
    }
    return rows;
}

void AreaCanvas::mouseReleaseEvent(QMouseEvent* event) {
    TextureView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (mode == Mode::Pressed) {
        mode = Mode::None;
        gesture.end();
        click(event->position(), event->modifiers());
        return;
    }
    if (mode != Mode::None) {
        // The pixel under the pointer now is where the area ends, whatever moved meanwhile.
        pointer = event->position();
        follow(event->position(), event->modifiers());
        finish();
    }
}

void AreaCanvas::click(QPointF viewPoint, Qt::KeyboardModifiers modifiers) {
    const int row = pickAt(viewPoint);
    lastClick = viewPoint;
    if (modifiers & Qt::ControlModifier) {
        if (row >= 0) {
            emit selectionEdited({row}, SelectionEdit::Toggle);
        }
    } else if (modifiers & Qt::ShiftModifier) {
        if (row >= 0) {
            emit selectionEdited({row}, SelectionEdit::Add);
        }
    } else {
        emit selectionEdited(row >= 0 ? std::vector<int>{row} : std::vector<int>{},
                             SelectionEdit::Replace);
    }
}

void AreaCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const std::vector<int> rows = rowsAt(textureAt(event->position()));
    const std::vector<int> selected = selectedRows();
    const auto picked = std::find_if(rows.begin(), rows.end(), [&selected](int row) {
        return std::find(selected.begin(), selected.end(), row) != selected.end();
    });
    if (picked != rows.end()) {
        emit areaOpenAsked(*picked);
    } else if (!rows.empty()) {
        emit selectionEdited({rows.front()}, SelectionEdit::Replace);
        emit areaOpenAsked(rows.front());
    } else if (const std::optional<QPoint> pixel = pixelAt(event->position())) {
        emit islandAsked(*pixel);
    }
}

void AreaCanvas::finish() {
    if (mode == Mode::Guide) {
        mode = Mode::None;
        gesture.end();
        setGestureText({});
        update();
        return;
    }
    const Mode finished = mode;
    const std::vector<AreaRect> result = std::exchange(current, {});
    const std::vector<AreaRect> before = std::exchange(started, {});
    const std::vector<int> banded = finished == Mode::Banding ? bandedRows() : std::vector<int>{};
    mode = Mode::None;
    gesture.end();
    setGestureText({});
    update();
    if (finished == Mode::Banding) {
        emit selectionEdited(banded, SelectionEdit::Add);
        return;
    }
    // The change first: what follows the gesture then ends on the library as it has become.
    if (finished == Mode::Drawing) {
        emit areaDrawn(result.front().rect);
    } else {
        std::vector<AreaRect> changed;
        for (std::size_t i = 0; i < result.size(); ++i) {
            if (result[i].rect != before[i].rect) {
                changed.push_back(result[i]);
            }
        }
        if (!changed.empty()) {
            emit areasChanged(changed, finished == Mode::Moving ? Edit::Move : Edit::Resize);
        }
    }
    emit areasFollowing({});
}

void AreaCanvas::cancel() {
    const bool following = liveRect().has_value();
    const bool guide = mode == Mode::Guide;
    mode = Mode::None;
    current.clear();
    started.clear();
    setGestureText({});
    update();
    if (following) {
        emit areasFollowing({});
    }
    if (guide && guides) {
        guides->margins = guidesAtPress;
        emit marginsDragged(guidesAtPress);
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
                emit selectionEdited({}, SelectionEdit::Replace);
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
            if (const std::vector<int> rows = selectedRows(); !rows.empty() && mode == Mode::None) {
                emit areasDeleteAsked(rows);
            }
            break;
        case Qt::Key_T:
            trim();
            break;
        case Qt::Key_F:
            if (const std::vector<const Outline*> selected = selectedOutlines();
                !selected.empty()) {
                std::vector<AreaRect> areas;
                for (const Outline* outline : selected) {
                    areas.push_back({outline->row, edgesOf(outline->rect)});
                }
                showRegion(rectOf(boundsOf(areas)));
            }
            break;
        case Qt::Key_A:
            if (control && mode == Mode::None) {
                std::vector<int> rows;
                for (const Outline& outline : outlines()) {
                    rows.push_back(outline.row);
                }
                emit selectionEdited(rows, SelectionEdit::Replace);
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

// The right button that cancelled a gesture asks for no menu.
void AreaCanvas::contextMenuEvent(QContextMenuEvent* event) {
    if (std::exchange(rightCancelled, false) || mode != Mode::None) {
        return;
    }
    emit contextMenuAsked(event->globalPos());
}

// A nudge moves the edges as they are, by whole pixels.
void AreaCanvas::nudge(int dx, int dy) {
    if (mode != Mode::None) {
        return;
    }
    std::vector<AreaRect> moved;
    for (const Outline* outline : selectedOutlines()) {
        moved.push_back({outline->row, shifted(edgesOf(outline->rect), dx, dy)});
    }
    if (!moved.empty()) {
        emit areasChanged(moved, Edit::Nudge);
    }
}

void AreaCanvas::trim() {
    const std::vector<const Outline*> selected = selectedOutlines();
    if (selected.empty() || mode != Mode::None || texture().isNull()) {
        return;
    }
    const QImage pixels = texture().convertToFormat(QImage::Format_ARGB32);
    const TexturePixels shown{reinterpret_cast<const std::uint32_t*>(pixels.constBits()),
                              pixels.width(), pixels.height(), pixels.bytesPerLine() / 4};
    std::vector<AreaRect> trimmed;
    TrimOutcome last = TrimOutcome::Unchanged;
    for (const Outline* outline : selected) {
        const TrimResult result = TrimmedRect(edgesOf(outline->rect), shown, blendType);
        last = result.outcome;
        if (result.outcome == TrimOutcome::Trimmed) {
            trimmed.push_back({outline->row, result.rect});
        }
    }
    if (!trimmed.empty()) {
        emit areasChanged(trimmed, Edit::Trim);
    } else if (selected.size() > 1) {
        emit message(QStringLiteral("Zuschneiden ändert keinen der Bereiche."));
    } else if (last == TrimOutcome::NothingShows) {
        emit message(
            QStringLiteral("Im Bereich %1 ist kein Pixel sichtbar.").arg(selected.front()->row));
    } else {
        emit message(
            QStringLiteral("Zuschneiden ändert den Bereich %1 nicht.").arg(selected.front()->row));
    }
}

void AreaCanvas::updateCursor(QPointF viewPoint) {
    if (const std::optional<Side> side = guideAt(viewPoint); side && !spaceHeld) {
        setCursor(*side == Side::Left || *side == Side::Right ? Qt::SizeHorCursor
                                                              : Qt::SizeVerCursor);
        return;
    }
    const std::vector<const Outline*> selected = selectedOutlines();
    const QPointF at = textureAt(viewPoint);
    Grip hovered;
    if (selected.size() == 1) {
        hovered = GripAt(edgesOf(selected.front()->rect), at.x(), at.y(), zoom());
    } else {
        hovered.body = std::any_of(selected.begin(), selected.end(), [&at](const Outline* o) {
            return edgesOf(o->rect).contains(at.x(), at.y());
        });
    }
    setCursor(spaceHeld ? Qt::OpenHandCursor : cursorFor(hovered));
}

void AreaCanvas::setCandidates(std::vector<QRectF> proposed, std::vector<QRectF> leftOut) {
    proposedRects = std::move(proposed);
    leftOutRects = std::move(leftOut);
    update();
}

void AreaCanvas::paintCandidates(QPainter& painter) const {
    painter.setBrush(Qt::NoBrush);
    for (const auto& [rects, colour] :
         {std::pair{&leftOutRects, kLeftOutColour}, std::pair{&proposedRects, kCandidateColour}}) {
        painter.setPen(QPen(colour, 0, Qt::DashLine));
        for (const QRectF& rect : *rects) {
            painter.drawRect(
                QRectF(viewFromTexture(rect.topLeft()), viewFromTexture(rect.bottomRight()))
                    .adjusted(0, 0, -1, -1));
        }
    }
}

void AreaCanvas::setMarginGuides(std::optional<MarginGuides> shown) {
    if (!shown && mode == Mode::Guide) {
        cancel();
    }
    guides = shown;
    update();
}

std::optional<AreaCanvas::Side> AreaCanvas::guideAt(QPointF viewPoint) const {
    if (!guides) {
        return std::nullopt;
    }
    const EdgeRect& area = guides->area;
    const NineSliceMargins& margins = guides->margins;
    const QPointF topLeft = viewFromTexture({area.x1, area.y1});
    const QPointF bottomRight = viewFromTexture({area.x2, area.y2});
    const bool acrossX =
        viewPoint.y() >= topLeft.y() - kEdgeReach && viewPoint.y() <= bottomRight.y() + kEdgeReach;
    const bool acrossY =
        viewPoint.x() >= topLeft.x() - kEdgeReach && viewPoint.x() <= bottomRight.x() + kEdgeReach;
    const struct {
        Side side;
        bool within;
        double distance;
    } lines[] = {
        {Side::Left, acrossX,
         std::abs(viewPoint.x() - viewFromTexture({area.x1 + margins.left, 0}).x())},
        {Side::Right, acrossX,
         std::abs(viewPoint.x() - viewFromTexture({area.x2 - margins.right, 0}).x())},
        {Side::Top, acrossY,
         std::abs(viewPoint.y() - viewFromTexture({0, area.y1 + margins.top}).y())},
        {Side::Bottom, acrossY,
         std::abs(viewPoint.y() - viewFromTexture({0, area.y2 - margins.bottom}).y())},
    };
    std::optional<Side> nearest;
    double best = kEdgeReach;
    for (const auto& line : lines) {
        if (line.within && line.distance <= best) {
            best = line.distance;
            nearest = line.side;
        }
    }
    return nearest;
}

// The margin follows the pixel edge nearest the pointer, leaving the middle a pixel at least.
void AreaCanvas::followGuide(QPointF texturePoint) {
    if (!guides) {
        return;
    }
    const EdgeRect& area = guides->area;
    NineSliceMargins& margins = guides->margins;
    const auto within = [](double value, int opposite, double length) {
        const int largest = std::max(0, static_cast<int>(length) - 1 - opposite);
        return std::clamp(static_cast<int>(std::lround(value)), 0, largest);
    };
    QString text;
    switch (guideSide) {
        case Side::Left:
            margins.left = within(texturePoint.x() - area.x1, margins.right, area.width());
            text = QStringLiteral("Rand links: %1").arg(margins.left);
            break;
        case Side::Right:
            margins.right = within(area.x2 - texturePoint.x(), margins.left, area.width());
            text = QStringLiteral("Rand rechts: %1").arg(margins.right);
            break;
        case Side::Top:
            margins.top = within(texturePoint.y() - area.y1, margins.bottom, area.height());
            text = QStringLiteral("Rand oben: %1").arg(margins.top);
            break;
        case Side::Bottom:
            margins.bottom = within(area.y2 - texturePoint.y(), margins.top, area.height());
            text = QStringLiteral("Rand unten: %1").arg(margins.bottom);
            break;
    }
    setGestureText(text);
    update();
    emit marginsDragged(margins);
}

// The four margins as dashed lines across the area, each ending at its edges.
void AreaCanvas::paintGuides(QPainter& painter) const {
    if (!guides) {
        return;
    }
    const EdgeRect& area = guides->area;
    const NineSliceMargins& margins = guides->margins;
    const QPointF topLeft = viewFromTexture({area.x1, area.y1});
    const QPointF bottomRight = viewFromTexture({area.x2, area.y2});
    painter.setPen(QPen(kMarginColour, 0, Qt::DashLine));
    for (const double x : {area.x1 + margins.left, area.x2 - margins.right}) {
        const double at = std::round(viewFromTexture({x, 0}).x());
        painter.drawLine(QPointF(at, topLeft.y()), QPointF(at, bottomRight.y()));
    }
    for (const double y : {area.y1 + margins.top, area.y2 - margins.bottom}) {
        const double at = std::round(viewFromTexture({0, y}).y());
        painter.drawLine(QPointF(topLeft.x(), at), QPointF(bottomRight.x(), at));
    }
}

bool AreaCanvas::showsOutline(const Outline& outline) const {
    if (mode != Mode::Moving && mode != Mode::Resizing) {
        return true;
    }
    return std::none_of(started.begin(), started.end(),
                        [&outline](const AreaRect& area) { return area.row == outline.row; });
}

void AreaCanvas::paintEvent(QPaintEvent* event) {
    TextureView::paintEvent(event);
    if (texture().isNull()) {
        return;
    }
    QPainter painter(this);
    paintCandidates(painter);
    paintGuides(painter);
    const bool live = liveRect().has_value();
    if (live) {
        for (const AreaRect& area : current) {
            paintOutline(painter, {rectOf(area.rect), area.row, true});
        }
        if (current.size() == 1) {
            paintHandles(painter, current.front().rect);
        }
    } else if (const std::vector<const Outline*> selected = selectedOutlines();
               selected.size() == 1 && mode != Mode::Banding) {
        paintHandles(painter, edgesOf(selected.front()->rect));
    }
    painter.setPen(QPen(kGuideColour, 0, Qt::DashLine));
    if (mode == Mode::Banding) {
        painter.setPen(QPen(kHandleColour, 0, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(viewFromTexture(pressTexture), pointer).normalized());
    }
    if (live && snapped.guideX) {
        const double x = std::round(viewFromTexture({*snapped.guideX, 0}).x());
        painter.drawLine(QPointF(x, 0), QPointF(x, height()));
    }
    if (live && snapped.guideY) {
        const double y = std::round(viewFromTexture({0, *snapped.guideY}).y());
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
