#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "document/CanvasGeometry.h"
#include "ui/texture_editor/DragGesture.h"
#include "ui/texture_editor/TextureView.h"

// The texture view as an editor of the shown button's areas: a click selects an area (the
// selected one, else the smallest under the pointer; clicking the same spot again cycles
// through the stack), dragging outside the selected area draws a new one, dragging inside
// moves it, its eight handles and edges resize it; edges snap to whole pixels and to the
// other outlines and the texture's border. Arrows nudge, Delete removes, T trims, F frames,
// Ctrl+0 fits, Ctrl+1 shows 1:1, Esc cancels. The middle button or Space+drag pans.
// It changes nothing itself: each finished gesture is announced once, for the caller to make.
class AreaCanvas : public TextureView {
    Q_OBJECT

public:
    enum class Edit { Move, Resize, Trim, Nudge };

    explicit AreaCanvas(QWidget* parent = nullptr);

    // How the shown texture's pixels show, for trimming (0 solid, 1 transparent, 2 additive).
    void setBlendType(std::int32_t type) { blendType = type; }
    // What the running gesture says about itself; empty when none runs.
    QString feedback() const { return gestureText; }
    // The rectangle the running gesture has made so far.
    std::optional<EdgeRect> liveRect() const;

signals:
    // A click selected the area of row, or cleared the selection (-1).
    void areaPicked(int row);
    void areaDrawn(EdgeRect rect);
    void areaChanged(int row, EdgeRect rect, AreaCanvas::Edit edit);
    void areaDeleteAsked(int row);
    void areaOpenAsked(int row);
    // While a gesture runs, the rectangle it has made of row (-1 for a new area); none when it
    // ends.
    void areaFollowing(int row, std::optional<EdgeRect> rect);
    // A gesture's live text, or what a key could not do; for the status bar.
    void message(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool showsOutline(const Outline& outline) const override;

private:
    enum class Mode { None, Pressed, Drawing, Moving, Resizing };

    QPointF textureAt(QPointF viewPoint) const;
    // The selected outline, or null.
    const Outline* selectedOutline() const;
    // The rows of the areas under a texture point, smallest first.
    std::vector<int> rowsAt(QPointF texturePoint) const;
    int pickAt(QPointF viewPoint) const;
    SnapTargets snapTargets(bool off) const;
    void follow(QPointF viewPoint, Qt::KeyboardModifiers modifiers);
    void finish();
    void cancel();
    void setGestureText(const QString& text);
    void nudge(int dx, int dy);
    void trim();
    void updateCursor(QPointF viewPoint);
    void paintHandles(QPainter& painter, const EdgeRect& rect) const;

    std::int32_t blendType = 1;
    Mode mode = Mode::None;
    QPointF pressPoint;    // view
    QPointF pressTexture;  // texture, so that scrolling or zooming meanwhile moves nothing
    QPoint pressPixel;     // texture
    Grip grip;
    int gestureRow = -1;
    EdgeRect startRect;
    GestureResult current;
    QPointF pointer;
    QString gestureText;
    bool spaceHeld = false;
    std::optional<QPointF> lastClick;  // view point of the last click that picked
    DragGesture gesture{*this, [this] { cancel(); }};
};
