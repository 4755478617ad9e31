#include "ui/texture_editor/ViewPainting.h"

#include <QPainter>
#include <QWidget>

namespace {

constexpr int kCheckerSquare = 8;
const QColor kLightSquare(204, 204, 204);
const QColor kDarkSquare(153, 153, 153);
const QColor kDarkBackdrop(32, 32, 32);
const QColor kLightBackdrop(240, 240, 240);
constexpr int kFocusFrameWidth = 2;

}  // namespace

QPixmap CheckerboardTile() {
    QPixmap tile(2 * kCheckerSquare, 2 * kCheckerSquare);
    tile.fill(kLightSquare);
    QPainter painter(&tile);
    painter.fillRect(kCheckerSquare, 0, kCheckerSquare, kCheckerSquare, kDarkSquare);
    painter.fillRect(0, kCheckerSquare, kCheckerSquare, kCheckerSquare, kDarkSquare);
    return tile;
}

void PaintBackdrop(QPainter& painter, const QRectF& area, Backdrop backdrop) {
    switch (backdrop) {
        case Backdrop::Checkerboard:
            painter.drawTiledPixmap(area, CheckerboardTile());
            break;
        case Backdrop::Dark:
            painter.fillRect(area, kDarkBackdrop);
            break;
        case Backdrop::Light:
            painter.fillRect(area, kLightBackdrop);
            break;
    }
}

void PaintFocusFrame(QPainter& painter, const QWidget& view) {
    if (!view.hasFocus()) {
        return;
    }
    const QColor colour = view.palette().color(QPalette::Active, QPalette::Highlight);
    const QRect edge = view.rect();
    painter.fillRect(edge.left(), edge.top(), edge.width(), kFocusFrameWidth, colour);
    painter.fillRect(edge.left(), edge.bottom() - kFocusFrameWidth + 1, edge.width(),
                     kFocusFrameWidth, colour);
    painter.fillRect(edge.left(), edge.top(), kFocusFrameWidth, edge.height(), colour);
    painter.fillRect(edge.right() - kFocusFrameWidth + 1, edge.top(), kFocusFrameWidth,
                     edge.height(), colour);
}
