#include "ui/texture_editor/SlicePanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>

#include "framework/Resources.h"
#include "ui/LibraryText.h"
#include "ui/ResourceIds.h"
#include "ui/form/TolvaneViewButton.h"
#include "ui/shell/TolvaneDoc.h"
#include "ui/shell/TolvaneView.h"
#include "ui/texture_editor/AreaCanvas.h"
#include "ui/texture_editor/PreviewDock.h"
#include "ui/texture_editor/PreviewPanel.h"

namespace {

const QString kThresholdKey = QStringLiteral("Slicing/alphaThreshold");
constexpr int kLargest = 65536;

// The shown button's place in the library, while the form shows one.
std::optional<std::size_t> shownButton() {
    if (currentButtonView == nullptr || currentTreeView == nullptr || currentDocument == nullptr) {
        return std::nullopt;
    }
    const int index = currentDocument->IndexOf(currentTreeView->currentRecord());
    return index >= 0 ? std::optional<std::size_t>(index) : std::nullopt;
}

QRectF rectOf(const PixelRect& rect) {
    return QRectF(rect.x1, rect.y1, rect.width(), rect.height());
}

}  // namespace

SlicePanel::SlicePanel(Way way, CPreviewDock& dock, QWidget* parent)
    : QDialog(parent), slicing(way), preview(&dock) {
    setWindowTitle(way == Way::Grid ? QStringLiteral("Im Raster zerlegen")
                                    : QStringLiteral("Automatisch zerlegen"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    textureLabel = new QLabel(this);
    auto* form = new QFormLayout;
    if (way == Way::Grid) {
        buildGridFields(*form);
    } else {
        buildIslandFields(*form);
    }
    existing = new QComboBox(this);
    existing->addItems({QStringLiteral("Behalten und ergänzen"), QStringLiteral("Ersetzen")});
    auto* existingLabel = new QLabel(QStringLiteral("&Vorhandene Bereiche:"), this);
    existingLabel->setBuddy(existing);
    existing->setAccessibleName(QStringLiteral("Vorhandene Bereiche"));
    form->addRow(existingLabel, existing);
    connect(existing, &QComboBox::currentIndexChanged, this, &SlicePanel::showPlan);

    countLabel = new QLabel(this);
    countLabel->setObjectName(QStringLiteral("sliceCount"));
    QFont bold = countLabel->font();
    bold.setBold(true);
    countLabel->setFont(bold);
    noteLabel = new QLabel(this);
    noteLabel->setObjectName(QStringLiteral("sliceNote"));
    noteLabel->setWordWrap(true);
    gridButton = new QPushButton(QStringLiteral("Im &Raster zerlegen..."), this);
    gridButton->hide();
    connect(gridButton, &QPushButton::clicked, this, &SlicePanel::gridAsked);

    auto* buttons = new QDialogButtonBox(this);
    applyButton = buttons->addButton(QStringLiteral("&Übernehmen"), QDialogButtonBox::ApplyRole);
    buttons->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
    connect(applyButton, &QPushButton::clicked, this, &SlicePanel::apply);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textureLabel);
    layout->addLayout(form);
    layout->addWidget(countLabel);
    layout->addWidget(noteLabel);
    layout->addWidget(gridButton);
    layout->addWidget(buttons);

    // The texture, the button or its areas may change while the panel is open.
    connect(&dock, &CPreviewDock::refreshed, this, &SlicePanel::followPreview);
    recompute();
}

SlicePanel::~SlicePanel() {
    worker = {};  // stops and waits for a run under way
    if (preview != nullptr) {
        preview->panel()->textureView()->setCandidates({}, {});
    }
}

std::optional<SlicePanel::Source> SlicePanel::shownSource() const {
    const PreviewTexture* texture = preview->panel()->shownTexture();
    const QImage& picture = preview->panel()->textureView()->texture();
    if (texture == nullptr || picture.isNull() || !shownButton()) {
        return std::nullopt;
    }
    return Source{picture.cacheKey(), texture->id, texture->blendType};
}

// Another texture or another picture of it is sliced anew; the same one is planned anew
// against the button's areas as they are now.
void SlicePanel::followPreview() {
    if (shownSource() != source) {
        recompute();
    } else {
        showPlan();
    }
}

QSpinBox* SlicePanel::numberField(QFormLayout& form, const QString& label, int value, int minimum) {
    auto* field = new QSpinBox(this);
    field->setRange(minimum, kLargest);
    field->setValue(value);
    auto* name = new QLabel(label, this);
    name->setBuddy(field);
    QString plain = label;
    field->setAccessibleName(plain.remove(QLatin1Char('&')).remove(QLatin1Char(':')));
    form.addRow(name, field);
    connect(field, &QSpinBox::valueChanged, this, &SlicePanel::recompute);
    return field;
}

QCheckBox* SlicePanel::choice(QFormLayout& form, const QString& text, bool checked) {
    auto* box = new QCheckBox(text, this);
    box->setChecked(checked);
    form.addRow(box);
    connect(box, &QCheckBox::toggled, this, &SlicePanel::recompute);
    return box;
}

// Fields that make no cell are allowed, so that the panel can say why.
void SlicePanel::buildGridFields(QFormLayout& form) {
    const GridSettings defaults;
    byCount = choice(form, QStringLiteral("Nach &Anzahl"), defaults.byCount);
    cellWidth = numberField(form, QStringLiteral("Zellen&breite:"), defaults.cellWidth, -kLargest);
    cellHeight = numberField(form, QStringLiteral("Zellen&höhe:"), defaults.cellHeight, -kLargest);
    columns = numberField(form, QStringLiteral("&Spalten:"), defaults.columns, -kLargest);
    rows = numberField(form, QStringLiteral("&Zeilen:"), defaults.rows, -kLargest);
    offsetX = numberField(form, QStringLiteral("Versatz &X:"), defaults.offsetX, -kLargest);
    offsetY = numberField(form, QStringLiteral("Versatz &Y:"), defaults.offsetY, -kLargest);
    spacingX = numberField(form, QStringLiteral("Abstan&d X:"), defaults.spacingX, -kLargest);
    spacingY = numberField(form, QStringLiteral("Abstand Y&:"), defaults.spacingY, -kLargest);
    skipEmpty = choice(form, QStringLiteral("&Leere Zellen auslassen"), defaults.skipEmpty);
    trimCells = choice(form, QStringLiteral("Zellen zu&schneiden"), defaults.trimCells);
    const auto showSizeOrCount = [this, &form] {
        form.setRowVisible(cellWidth, !byCount->isChecked());
        form.setRowVisible(cellHeight, !byCount->isChecked());
        form.setRowVisible(columns, byCount->isChecked());
        form.setRowVisible(rows, byCount->isChecked());
    };
    connect(byCount, &QCheckBox::toggled, this, showSizeOrCount);
    showSizeOrCount();
}

void SlicePanel::buildIslandFields(QFormLayout& form) {
    const AutoSliceSettings defaults;
    threshold = numberField(form, QStringLiteral("&Alpha-Schwelle:"), lastThreshold(), 0);
    threshold->setMaximum(255);
    minimumSize = numberField(form, QStringLiteral("&Mindestgröße:"), defaults.minimumSize, 0);
    mergeGap = numberField(form, QStringLiteral("&Zusammenfassen bis:"), defaults.mergeGap, 0);
    mergeOverlapping =
        choice(form, QStringLiteral("Ü&berlappende zusammenfassen"), defaults.mergeOverlapping);
    connect(threshold, &QSpinBox::valueChanged, this,
            [](int value) { QSettings().setValue(kThresholdKey, value); });
}

int SlicePanel::lastThreshold() {
    return std::clamp(QSettings().value(kThresholdKey, 0).toInt(), 0, 255);
}

GridSettings SlicePanel::gridSettings() const {
    GridSettings settings;
    settings.byCount = byCount->isChecked();
    settings.cellWidth = cellWidth->value();
    settings.cellHeight = cellHeight->value();
    settings.columns = columns->value();
    settings.rows = rows->value();
    settings.offsetX = offsetX->value();
    settings.offsetY = offsetY->value();
    settings.spacingX = spacingX->value();
    settings.spacingY = spacingY->value();
    settings.skipEmpty = skipEmpty->isChecked();
    settings.trimCells = trimCells->isChecked();
    return settings;
}

AutoSliceSettings SlicePanel::islandSettings() const {
    AutoSliceSettings settings;
    settings.threshold = threshold->value();
    settings.minimumSize = minimumSize->value();
    settings.mergeGap = mergeGap->value();
    settings.mergeOverlapping = mergeOverlapping->isChecked();
    return settings;
}

// The run reads its own handle of the picture, which keeps the pixels alive however the
// preview moves on meanwhile.
void SlicePanel::recompute() {
    const int run = ++runs;
    worker = {};
    proposed.clear();
    source = shownSource();
    if (!source) {
        textureLabel->clear();
        computed(run, RefusedSlice("Es wird keine Textur gezeigt, die sich zerlegen ließe."));
        return;
    }
    const PreviewTexture* texture = preview->panel()->shownTexture();
    const QImage picture = preview->panel()->textureView()->texture();
    textureLabel->setText(
        QStringLiteral("Textur %1: %2").arg(texture->id).arg(fromLibraryText(texture->path)));
    countLabel->setText(QStringLiteral("…"));
    applyButton->setEnabled(false);
    const std::int32_t blendType = texture->blendType;
    const bool byGrid = slicing == Way::Grid;
    const GridSettings grid = byGrid ? gridSettings() : GridSettings{};
    const AutoSliceSettings islands = byGrid ? AutoSliceSettings{} : islandSettings();
    worker = std::jthread([this, run, picture, blendType, byGrid, grid,
                           islands](std::stop_token stop) {
        const TexturePixels pixels{reinterpret_cast<const std::uint32_t*>(picture.constBits()),
                                   picture.width(), picture.height(), picture.bytesPerLine() / 4};
        std::optional<SliceCandidates> result =
            byGrid ? GridCandidates(pixels, blendType, grid, stop)
                   : AutoSliceCandidates(pixels, blendType, islands, stop);
        if (result) {
            QMetaObject::invokeMethod(
                this, [this, run, found = std::move(*result)] { computed(run, found); },
                Qt::QueuedConnection);
        }
    });
}

void SlicePanel::computed(int run, std::optional<SliceCandidates> result) {
    if (run != runs || !result) {
        return;  // a newer run follows
    }
    proposed = std::move(result->rects);
    refusal = QString::fromStdString(result->message);
    gridButton->setVisible(result->offerGrid);
    showPlan();
    emit candidatesShown();
}

void SlicePanel::showPlan() {
    AreaCanvas& canvas = *preview->panel()->textureView();
    const std::optional<std::size_t> button = shownButton();
    plan = {};
    if (!refusal.isEmpty() || !source || !button) {
        countLabel->setText(QString());
        noteLabel->setText(refusal);
        applyButton->setEnabled(false);
        canvas.setCandidates({}, {});
        return;
    }
    plan = PlanSlice(
        currentDocument->library, *button, source->textureId, proposed,
        existing->currentIndex() == 1 ? ExistingAreas::Replace : ExistingAreas::KeepAndAdd);
    std::vector<QRectF> shown;
    std::vector<QRectF> leftOut;
    auto out = plan.leftOut.begin();
    for (std::size_t i = 0; i < proposed.size(); ++i) {
        const bool left = out != plan.leftOut.end() && *out == i;
        (left ? leftOut : shown).push_back(rectOf(proposed[i]));
        out += left ? 1 : 0;
    }
    const QString count = QString::fromStdString(AreaCountText(proposed.size()));
    countLabel->setText(count);
    noteLabel->setText(QString::fromStdString(plan.note));
    applyButton->setEnabled(plan.change != nullptr);
    canvas.setCandidates(std::move(shown), std::move(leftOut));
}

QString SlicePanel::countText() const {
    return countLabel->text();
}

QString SlicePanel::noteText() const {
    return noteLabel->text();
}

bool SlicePanel::canApply() const {
    return applyButton->isEnabled();
}

void SlicePanel::apply() {
    if (plan.change == nullptr || currentButtonView == nullptr) {
        return;
    }
    std::vector<int> added;
    for (std::size_t i = 0; i < plan.added.size(); ++i) {
        added.push_back(static_cast<int>(plan.firstNewRow + i));
    }
    currentButtonView->ChangeAreaOnCanvas(
        framework::Resources::LoadString(IDS_STEP_SLICE_TEXTURE), std::move(plan.change),
        {ShownResource::kKeep, ShownResource::kKeep, std::move(added),
         currentButtonView->SelectedAreaRows()});
}
