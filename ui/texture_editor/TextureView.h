#pragma once

#include <QFontMetrics>
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRectF>
#include <QWidget>
#include <optional>
#include <vector>

#include "ui/texture_editor/ViewPainting.h"

// One texture with the rectangles that areas cut out of it, outlined and numbered with their
// rows. Zoom to fit (until the user zooms), 1:1, Ctrl+wheel about the pointer; the wheel
// alone and dragging with the middle button move the picture. From 8:1 up a grid separates
// the pixels.
class TextureView : public QWidget {
    Q_OBJECT

public:
    struct Outline {
        QRectF rect;  // in texture pixels, x1/y1 to x2/y2, in any order
        int row = 0;
        bool selected = false;
    };

    static constexpr double kGridZoom = 8.0;

    explicit TextureView(QWidget* parent = nullptr);

    void setTexture(const QImage& image, std::vector<Outline> outlines);
    // What shows behind the texture's transparent pixels.
    void setBackdrop(Backdrop backdrop);
    const QImage& texture() const { return image; }
    const std::vector<Outline>& outlines() const { return shapes; }

    void zoomToFit();
    void zoomOneToOne();
    // Zooms by factor, keeping the texture point under viewPoint where it is.
    void zoomAbout(double factor, QPointF viewPoint);
    // Zooms and moves the picture so that textureRect fills the view.
    void showRegion(const QRectF& textureRect);
    double zoom() const { return scale; }
    bool fitting() const { return fit; }

    // Where a texture point appears in the view, and the texture pixel under a view point
    // (none outside the texture).
    QPointF viewFromTexture(QPointF texturePoint) const;
    std::optional<QPoint> pixelAt(QPointF viewPoint) const;

signals:
    // The pointer moved onto a texture pixel, or off the texture (none).
    void pointerPixelChanged(std::optional<QPoint> pixel);
    void zoomChanged(double zoom);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

    // Where texture point (0, 0) is in the view.
    QPointF viewOrigin() const { return origin; }
    // Dragging from viewPoint moves the picture until the buttons are released.
    void beginPan(QPointF viewPoint);
    bool panning() const { return panDrag; }
    // Whether the outline is drawn with the others (a gesture may draw it itself).
    virtual bool showsOutline(const Outline&) const { return true; }
    void paintOutline(QPainter& painter, const Outline& outline) const;

private:
    void paintTexture(QPainter& painter) const;
    void paintGrid(QPainter& painter, const QRectF& shown) const;
    void setZoom(double value);
    void centre();

    QImage image;
    std::vector<Outline> shapes;
    Backdrop backdrop = Backdrop::Checkerboard;
    double scale = 1.0;
    bool fit = true;
    QPointF origin;  // where texture point (0, 0) is in the view
    QPointF dragStart;
    bool panDrag = false;
    std::optional<QPoint> pointerPixel;
    QFontMetrics labelMetrics;  // of the row numbers
};
