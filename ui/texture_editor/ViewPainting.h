#pragma once

#include <QPixmap>
#include <QRectF>

class QPainter;
class QWidget;

// What shows behind the transparent pixels of a texture.
enum class Backdrop { Checkerboard, Dark, Light };

// The squares drawn under pictures, so that their transparent parts show.
QPixmap CheckerboardTile();

// Fills area with backdrop.
void PaintBackdrop(QPainter& painter, const QRectF& area, Backdrop backdrop);

// While view has the focus, a frame in the highlight colour just inside its edge says so.
void PaintFocusFrame(QPainter& painter, const QWidget& view);
