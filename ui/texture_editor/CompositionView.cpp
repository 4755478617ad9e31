#include "ui/texture_editor/CompositionView.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kCheckerSquare = 8;
constexpr double kMaxEnlargement = 8.0;
const QColor kLightSquare(204, 204, 204);
const QColor kDarkSquare(153, 153, 153);

}  // namespace

QPixmap CheckerboardTile() {
    QPixmap tile(2 * kCheckerSquare, 2 * kCheckerSquare);
    tile.fill(kLightSquare);
    QPainter painter(&tile);
    painter.fillRect(kCheckerSquare, 0, kCheckerSquare, kCheckerSquare, kDarkSquare);
    painter.fillRect(0, kCheckerSquare, kCheckerSquare, kCheckerSquare, kDarkSquare);
    return tile;
}

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
    static const QPixmap checker = CheckerboardTile();
    painter.drawTiledPixmap(rect(), checker);
    if (picture.isNull()) {
        return;
    }
    const double scale = shownScale();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, scale < 1.0);
    painter.drawImage(QRectF(shownOrigin(), picture.size() * scale), picture);
}
