#pragma once

#include <QWidget>
#include <optional>

#include "ui/texture_editor/AreaCanvas.h"
#include "ui/texture_editor/PiecePlacementView.h"
#include "ui/texture_editor/PreviewScene.h"

class QComboBox;
class QLabel;
class QSplitter;
class TextureCache;

// The content of the "Vorschau" panel: the texture of the shown area (or the one chosen in
// its "Textur:" list) with every area of the scene that uses it, and the button composed of
// all its areas. What cannot be shown is said in a note: a texture that cannot be loaded
// (with the files tried and why), or whose file is not the size or the format the texture
// table gives.
class PreviewPanel : public QWidget {
    Q_OBJECT

public:
    PreviewPanel(TextureCache& cache, QWidget* parent = nullptr);

    QSize sizeHint() const override { return {280, 560}; }

    // The texture view above the button view; how it divides its height is the person's.
    QSplitter* viewSplitter() const { return views; }
    QList<int> defaultViewSizes() const;

    void showScene(PreviewScene scene);
    const PreviewScene& scene() const { return current; }

    AreaCanvas* textureView() const { return texture; }
    // The texture shown, or null.
    const PreviewTexture* shownTexture() const { return shown; }
    PiecePlacementView* compositionView() const { return composition; }
    // The notes now shown, one a line; empty when there are none.
    QString notes() const;
    // While a gesture on the texture runs, the composed button shows its areas (a new one on
    // the shown texture for a row that is none of the scene's) with their rectangles and the
    // pointer's line says where they are; none ends that.
    void followGesture(const std::vector<AreaRect>& areas);
    // While there are proposed areas (a nine-part button before it is made or given its new
    // size), the composed button shows them in place of the scene's and the pointer's line
    // says text; none shows the scene again. The selected rows stay those of the scene.
    void proposeAreas(std::optional<std::vector<ResourceArea>> areas, const QString& text = {});
    // What the panel says about the shown texture, and the line of the pointer's pixel or the
    // running gesture.
    QString caption() const;
    QString pointerText() const;

signals:
    // The user chose texture id in the "Textur:" list.
    void textureChosen(std::int32_t id);

private:
    // Draws the scene again, with the textures as they are on disk now.
    void render();
    void showTextureChoices();
    void showTexture(QStringList& notes);
    void showComposition(const std::vector<ResourceArea>& areas, QStringList& notes);
    void showSizeHandle();
    void showPointer(std::optional<QPoint> pixel);
    void showPointerLine();
    void showZoom(double zoom);

    TextureCache& cache;
    PreviewScene current;
    std::optional<std::vector<ResourceArea>> proposal;
    QLabel* captionLabel = nullptr;
    QLabel* notesLabel = nullptr;
    QLabel* zoomLabel = nullptr;
    QLabel* pointerLabel = nullptr;
    QComboBox* textureChooser = nullptr;
    QString pixelText;    // the pointer's pixel and its colour
    QString gestureText;  // where a running gesture has its area
    std::vector<std::pair<std::int32_t, std::string>> shownChoices;
    AreaCanvas* texture = nullptr;
    const PreviewTexture* shown = nullptr;  // in current
    PiecePlacementView* composition = nullptr;
    QSplitter* views = nullptr;
    bool rendered = false;       // the current scene is shown
    bool composedTrial = false;  // the composed button shows a gesture's areas
};
