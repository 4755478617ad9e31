#include "ui/texture_editor/CompositionView.h"

#include "ui/texture_editor/ViewPainting.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kMaxEnlargement = 8.0;

}  // namespace

CompositionView::CompositionView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(64, 48);
}

void CompositionView::setComposition(const QImage& image) {
    picture = image;
    update();
}

double CompositionView::shownScale() const {
    if (picture.isNull()) {
        return 1.0;
    }
    const double fit =
        std::min(width() / double(picture.width()), height() / double(picture.height()));
    return fit >= 1.0 ? std::min(std::floor(fit), kMaxEnlargement) : fit;
}

QPoint CompositionView::shownOrigin() const {
    const double scale = shownScale();
    return QPoint(static_cast<int>((width() - picture.width() * scale) / 2),
                  static_cast<int>((height() - picture.height() * scale) / 2));
}

void CompositionView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintBackdrop(painter, rect(), Backdrop::Checkerboard);
    if (!picture.isNull()) {
        const double scale = shownScale();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, scale < 1.0);
        painter.drawImage(QRectF(shownOrigin(), picture.size() * scale), picture);
    }
    PaintFocusFrame(painter, *this);
}
