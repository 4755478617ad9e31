#pragma once

#include <QDialog>
#include <QImage>
#include <QPointer>
#include <optional>
#include <stop_token>
#include <thread>
#include <vector>

#include "document/AutoSlicing.h"
#include "document/GridSlicing.h"
#include "document/SliceApplication.h"
#include "document/SliceCandidates.h"

class CPreviewDock;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QPushButton;
class QSpinBox;

// The modeless panels "Im Raster zerlegen" and "Automatisch zerlegen": the fields of one way of
// slicing the texture the preview shows, the candidates drawn over that texture as they follow
// every change of a field, of the texture file, the button or its areas, what applying does to
// the button's areas there, and "Übernehmen", which makes them areas of the button in one step
// ("Textur zerlegen"), selected afterwards. The candidates are worked out on a thread of their
// own; a change of a field stops a run it made stale, so the editor never waits for one.
class SlicePanel : public QDialog {
    Q_OBJECT

public:
    enum class Way { Grid, Islands };

    SlicePanel(Way way, CPreviewDock& preview, QWidget* parent);
    ~SlicePanel() override;

    Way way() const { return slicing; }
    // What the panel now proposes; empty while a run is under way or when it refuses.
    const std::vector<PixelRect>& candidates() const { return proposed; }
    QString countText() const;
    QString noteText() const;
    bool canApply() const;
    // "Übernehmen".
    void apply();

    // The alpha threshold last used in "Automatisch zerlegen", which a double click on a piece
    // cuts by too.
    static int lastThreshold();

signals:
    // The candidates follow the fields and the texture as they are now.
    void candidatesShown();
    // "Im Raster zerlegen" is offered in place of a refused automatic slicing.
    void gridAsked();

private:
    QSpinBox* numberField(QFormLayout& form, const QString& label, int value, int minimum);
    QCheckBox* choice(QFormLayout& form, const QString& text, bool checked);
    void buildGridFields(QFormLayout& form);
    void buildIslandFields(QFormLayout& form);
    // A field or what the panel slices changed: the candidates are worked out anew.
    void recompute();
    void followPreview();
    void computed(int run, std::optional<SliceCandidates> result);
    // The plan for the candidates against the button's areas as they are now.
    void showPlan();
    GridSettings gridSettings() const;
    AutoSliceSettings islandSettings() const;

    const Way slicing;
    QPointer<CPreviewDock> preview;  // gone first when the window closes
    QSpinBox* cellWidth = nullptr;
    QSpinBox* cellHeight = nullptr;
    QCheckBox* byCount = nullptr;
    QSpinBox* columns = nullptr;
    QSpinBox* rows = nullptr;
    QSpinBox* offsetX = nullptr;
    QSpinBox* offsetY = nullptr;
    QSpinBox* spacingX = nullptr;
    QSpinBox* spacingY = nullptr;
    QCheckBox* skipEmpty = nullptr;
    QCheckBox* trimCells = nullptr;
    QSpinBox* threshold = nullptr;
    QSpinBox* minimumSize = nullptr;
    QSpinBox* mergeGap = nullptr;
    QCheckBox* mergeOverlapping = nullptr;
    QComboBox* existing = nullptr;
    QLabel* textureLabel = nullptr;
    QLabel* countLabel = nullptr;
    QLabel* noteLabel = nullptr;
    QPushButton* gridButton = nullptr;
    QPushButton* applyButton = nullptr;

    // What the running or last run sliced, so that a refresh that changes none of it costs
    // nothing.
    struct Source {
        qint64 picture = 0;  // the picture's cache key
        std::int32_t textureId = 0;
        std::int32_t blendType = 0;
        bool operator==(const Source&) const = default;
    };
    // What the preview shows now, when it can be sliced.
    std::optional<Source> shownSource() const;
    std::optional<Source> source;
    int runs = 0;  // counts the runs started; a result of an older one is stale
    std::jthread worker;
    std::vector<PixelRect> proposed;
    QString refusal;
    SlicePlan plan;
};
