#include "ui/texture_editor/TextureView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "ui/texture_editor/ViewPainting.h"

namespace {

constexpr double kMinZoom = 1.0 / 64.0;
constexpr double kMaxZoom = 64.0;
constexpr double kWheelStep = 1.25;  // per notch of the wheel
const QColor kOutlineColour(120, 225, 255);
const QColor kSelectedColour(255, 200, 0);
const QColor kShadowColour(0, 0, 0, 160);
const QColor kGridColour(128, 128, 128, 110);

}  // namespace

TextureView::TextureView(QWidget* parent) : QWidget(parent), labelMetrics(font()) {
    setMouseTracking(true);
    setMinimumSize(64, 64);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Dark);
}

void TextureView::setTexture(const QImage& texture, std::vector<Outline> outlines) {
    const bool newSize = texture.size() != image.size();
    image = texture;
    shapes = std::move(outlines);
    if (fit) {
        zoomToFit();
    } else if (newSize) {
        centre();
    }
    update();
}

void TextureView::setBackdrop(Backdrop shownBehind) {
    backdrop = shownBehind;
    update();
}

void TextureView::zoomToFit() {
    fit = true;
    if (!image.isNull()) {
        setZoom(std::min(width() / double(image.width()), height() / double(image.height())));
    }
    centre();
}

void TextureView::zoomOneToOne() {
    fit = false;
    setZoom(1.0);
    centre();
}

void TextureView::zoomAbout(double factor, QPointF viewPoint) {
    const QPointF texturePoint = (viewPoint - origin) / scale;
    fit = false;
    setZoom(scale * factor);
    origin = viewPoint - texturePoint * scale;
    update();
}

void TextureView::showRegion(const QRectF& textureRect) {
    const QRectF region = textureRect.normalized();
    if (region.isEmpty()) {
        return;
    }
    fit = false;
    setZoom(std::min(width() / region.width(), height() / region.height()));
    origin = QPointF(width(), height()) / 2.0 - region.center() * scale;
    update();
}

void TextureView::setZoom(double value) {
    value = std::clamp(value, kMinZoom, kMaxZoom);
    if (value != scale) {
        scale = value;
        emit zoomChanged(scale);
    }
}

// Whole pixels, so that texture pixels fall on view pixels at whole zoom factors.
void TextureView::centre() {
    origin = QPointF(std::floor((width() - image.width() * scale) / 2.0),
                     std::floor((height() - image.height() * scale) / 2.0));
    update();
}

QPointF TextureView::viewFromTexture(QPointF texturePoint) const {
    return origin + texturePoint * scale;
}

std::optional<QPoint> TextureView::pixelAt(QPointF viewPoint) const {
    const QPointF point = (viewPoint - origin) / scale;
    if (image.isNull() || !(point.x() >= 0 && point.x() < image.width() && point.y() >= 0 &&
                            point.y() < image.height())) {
        return std::nullopt;
    }
    return QPoint(static_cast<int>(point.x()), static_cast<int>(point.y()));
}

void TextureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!image.isNull()) {
        paintTexture(painter);
    }
    PaintFocusFrame(painter, *this);
}

void TextureView::paintTexture(QPainter& painter) const {
    const QRectF target(origin, image.size() * scale);
    PaintBackdrop(painter, target.intersected(QRectF(rect())), backdrop);
    // Smooth when shrinking, sharp pixels when enlarging.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, scale < 1.0);
    painter.drawImage(target, image);
    if (scale >= kGridZoom) {
        paintGrid(painter, target.intersected(QRectF(rect())));
    }
    for (const Outline& outline : shapes) {
        if (!outline.selected && showsOutline(outline)) {
            paintOutline(painter, outline);
        }
    }
    for (const Outline& outline : shapes) {
        if (outline.selected && showsOutline(outline)) {
            paintOutline(painter, outline);
        }
    }
}

void TextureView::paintGrid(QPainter& painter, const QRectF& shown) const {
    painter.setPen(QPen(kGridColour, 0));
    const double firstX = std::ceil((shown.left() - origin.x()) / scale);
    for (double x = firstX; origin.x() + x * scale <= shown.right(); ++x) {
        const double at = origin.x() + x * scale;
        painter.drawLine(QPointF(at, shown.top()), QPointF(at, shown.bottom()));
    }
    const double firstY = std::ceil((shown.top() - origin.y()) / scale);
    for (double y = firstY; origin.y() + y * scale <= shown.bottom(); ++y) {
        const double at = origin.y() + y * scale;
        painter.drawLine(QPointF(shown.left(), at), QPointF(shown.right(), at));
    }
}

// The outline lies on the rectangle's own border pixels, one view pixel wide (two for the
// selected one), with the row number in its upper left corner.
void TextureView::paintOutline(QPainter& painter, const Outline& outline) const {
    const QRectF area = outline.rect.normalized();
    const QRectF shown(viewFromTexture(area.topLeft()), viewFromTexture(area.bottomRight()));
    if (!shown.isValid() || !std::isfinite(shown.width()) || !std::isfinite(shown.height())) {
        return;
    }
    const int width = outline.selected ? 2 : 1;
    const QColor colour = outline.selected ? kSelectedColour : kOutlineColour;
    // Clipped to just beyond the view first, so that far-off coordinates stay in range.
    const QRect pixels = shown.intersected(QRectF(rect().adjusted(-4, -4, 4, 4))).toAlignedRect();
    if (pixels.isEmpty()) {
        return;
    }
    const auto ring = [&painter](const QRect& edge, const QColor& colour) {
        painter.fillRect(edge.left(), edge.top(), edge.width(), 1, colour);
        painter.fillRect(edge.left(), edge.bottom(), edge.width(), 1, colour);
        painter.fillRect(edge.left(), edge.top(), 1, edge.height(), colour);
        painter.fillRect(edge.right(), edge.top(), 1, edge.height(), colour);
    };
    // A dark shadow under the light line, so that it shows on light and dark textures.
    if (!outline.selected) {
        ring(pixels.translated(1, 1), kShadowColour);
    }
    for (int inset = 0; inset < width && inset * 2 < std::min(pixels.width(), pixels.height());
         ++inset) {
        ring(pixels.adjusted(inset, inset, -inset, -inset), colour);
    }
    if (outline.row < 0) {
        return;
    }
    const QString number = QString::number(outline.row);
    const QFontMetrics& metrics = labelMetrics;
    const QRect label(pixels.left() + width, pixels.top() + width,
                      metrics.horizontalAdvance(number) + 4, metrics.height());
    // An outline too small on the screen for its number is left without; with many areas
    // zoomed out the numbers would only cover one another.
    if (!pixels.contains(label)) {
        return;
    }
    painter.fillRect(label, colour);
    painter.setPen(Qt::black);
    painter.drawText(label, Qt::AlignCenter, number);
}

void TextureView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        labelMetrics = QFontMetrics(font());
    }
    QWidget::changeEvent(event);
}

void TextureView::resizeEvent(QResizeEvent*) {
    if (fit) {
        zoomToFit();
    }
}

void TextureView::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (event->modifiers() & Qt::ControlModifier) {
        zoomAbout(std::pow(kWheelStep, notches), event->position());
    } else if (event->modifiers() & Qt::ShiftModifier) {
        origin.rx() += event->angleDelta().y() / 2.0;
        update();
    } else {
        origin += QPointF(event->angleDelta().x(), event->angleDelta().y()) / 2.0;
        update();
    }
    event->accept();
}

void TextureView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        beginPan(event->position());
    }
}

void TextureView::beginPan(QPointF viewPoint) {
    panDrag = true;
    dragStart = viewPoint;
}

void TextureView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton) {
        panDrag = false;
    }
}

void TextureView::mouseMoveEvent(QMouseEvent* event) {
    if (panDrag) {
        origin += event->position() - dragStart;
        dragStart = event->position();
        update();
    }
    const std::optional<QPoint> pixel = pixelAt(event->position());
    if (pixel != pointerPixel) {
        pointerPixel = pixel;
        emit pointerPixelChanged(pixel);
    }
}

void TextureView::leaveEvent(QEvent*) {
    if (pointerPixel) {
        pointerPixel.reset();
        emit pointerPixelChanged(std::nullopt);
    }
}
