#include "ui/texture_editor/ButtonComposition.h"

#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Where an area may lie at all; one beyond is left out rather than drawn.
const QRectF kDrawable(-1e6, -1e6, 2e6, 2e6);

QRectF sourceOf(const ResourceArea& area) {
    return QRectF(QPointF(area.x1, area.y1), QPointF(area.x2, area.y2)).normalized();
}

// Places the source rectangle's size at the offset, scaled by the stretch factors; a
// negative factor mirrors the area about its offset.
QTransform placementOf(const ResourceArea& area) {
    QTransform placement;
    placement.translate(area.offsetX, area.offsetY);
    placement.scale(area.stretchX, area.stretchY);
    return placement;
}

}  // namespace

QRectF PlacedRect(const ResourceArea& area) {
    return placementOf(area).mapRect(QRectF(QPointF(0, 0), sourceOf(area).size()));
}

namespace {

bool isFinite(const ResourceArea& area) {
    for (const float value : {area.x1, area.y1, area.x2, area.y2, area.offsetX, area.offsetY,
                              area.stretchX, area.stretchY}) {
        if (!std::isfinite(value)) {
            return false;
        }
    }
    return true;
}

}  // namespace

// A solid texture covers whatever lies below, an additive one adds its light.
CompositionTexture BlendTexture(const QImage& picture, std::int32_t blendType) {
    if (blendType == 0) {
        return {picture.convertToFormat(QImage::Format_RGB32), false};
    }
    if (blendType != 2) {
        return {picture, false};
    }
    QImage light = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < light.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(light.scanLine(y));
        for (int x = 0; x < light.width(); ++x) {
            const QRgb pixel = line[x];
            line[x] = qRgba(qRed(pixel), qGreen(pixel), qBlue(pixel),
                            std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)}));
        }
    }
    return {light, true};
}

ButtonComposition ComposeButton(const std::vector<ResourceArea>& areas,
                                const std::function<CompositionTexture(std::int32_t)>& textureOf) {
    ButtonComposition result;
    struct Piece {
        const ResourceArea* area;
        CompositionTexture texture;  // shares the caller's picture
    };
    std::vector<Piece> pieces;
    std::optional<QRectF> bounds;
    for (std::size_t row = 0; row < areas.size(); ++row) {
        const ResourceArea& area = areas[row];
        const CompositionTexture texture = textureOf(area.textureId);
        if (texture.image.isNull()) {
            result.rowsWithoutTexture.push_back(static_cast<int>(row));
            continue;
        }
        if (!isFinite(area)) {
            result.outOfRange = true;
            continue;
        }
        const QRectF placed = PlacedRect(area);
        if (placed.isEmpty()) {
            continue;
        }
        if (!kDrawable.contains(placed)) {
            result.outOfRange = true;
            continue;
        }
        bounds = bounds ? bounds->united(placed) : placed;
        pieces.push_back({&area, texture});
    }
    if (!bounds) {
        return result;
    }
    if (bounds->width() > kMaxCompositionSide || bounds->height() > kMaxCompositionSide) {
        result.outOfRange = true;
        return result;
    }
    const QRect pixels = bounds->toAlignedRect();
    result.topLeft = pixels.topLeft();
    result.image = QImage(pixels.size(), QImage::Format_ARGB32_Premultiplied);
    result.image.fill(Qt::transparent);
    QPainter painter(&result.image);
    painter.translate(-result.topLeft);
    for (const Piece& piece : pieces) {
        const QRectF source = sourceOf(*piece.area);
        painter.save();
        painter.setTransform(placementOf(*piece.area), true);
        painter.setCompositionMode(piece.texture.additive ? QPainter::CompositionMode_Plus
                                                          : QPainter::CompositionMode_SourceOver);
        painter.drawImage(QRectF(QPointF(0, 0), source.size()), piece.texture.image, source);
        painter.restore();
    }
    return result;
}
