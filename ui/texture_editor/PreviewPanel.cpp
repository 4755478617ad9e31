#include "ui/texture_editor/PreviewPanel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSettings>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "document/NineSliceRecognition.h"
#include "ui/LibraryText.h"
#include "ui/texture_editor/AreaCanvas.h"
#include "ui/texture_editor/ButtonComposition.h"
#include "ui/texture_editor/CompositionView.h"
#include "ui/texture_editor/PiecePlacementView.h"
#include "ui/texture_editor/TextureCache.h"

namespace {

const QString kBackdropKey = QStringLiteral("TextureView/backdrop");
constexpr int kButtonViewHeight = 112;

QString sizeText(int width, int height) {
    return QStringLiteral("%1 × %2").arg(width).arg(height);
}

// The names of the file formats, in the numbering of a texture row's "Format".
QString formatName(std::int32_t format) {
    static const QStringList names{QStringLiteral("BMP"), QStringLiteral("TGA"),
                                   QStringLiteral("PNG")};
    return format >= 0 && format < names.size() ? names[format] : QString();
}

QString rowList(const std::vector<int>& rows) {
    QStringList numbers;
    for (const int row : rows) {
        numbers << QString::number(row);
    }
    return numbers.join(QStringLiteral(", "));
}

// Where a loaded file is not what its texture row says: another size, another format.
void noteDifferences(const PreviewTexture& entry, const TextureLoad& load, QStringList& notes) {
    if (load.image.width() != entry.declaredWidth || load.image.height() != entry.declaredHeight) {
        const QString declared = entry.declaredWidth > 0 && entry.declaredHeight > 0
                                     ? sizeText(entry.declaredWidth, entry.declaredHeight)
                                     : QStringLiteral("keine gültige Größe");
        notes << QStringLiteral("Die Datei %1 ist %2 Pixel groß, die Texturliste gibt %3 an.")
                     .arg(load.file, sizeText(load.image.width(), load.image.height()), declared);
    }
    if (load.format && static_cast<std::int32_t>(*load.format) != entry.declaredFormat) {
        const QString declared = formatName(entry.declaredFormat);
        notes << QStringLiteral("Die Datei %1 ist ein %2-Bild, die Texturliste gibt %3 an.")
                     .arg(load.file, formatName(static_cast<std::int32_t>(*load.format)),
                          declared.isEmpty() ? QStringLiteral("kein gültiges Format") : declared);
    }
}

QToolButton* toolButton(const QString& text, const QString& tip, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(tip);
    return button;
}

}  // namespace

PreviewPanel::PreviewPanel(TextureCache& textureCache, QWidget* parent)
    : QWidget(parent), cache(textureCache) {
    captionLabel = new QLabel(this);
    captionLabel->setWordWrap(true);
    notesLabel = new QLabel(this);
    notesLabel->setObjectName(QStringLiteral("previewNotes"));
    notesLabel->setWordWrap(true);
    notesLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    notesLabel->setStyleSheet(QStringLiteral("color: #b00000;"));
    notesLabel->hide();

    texture = new AreaCanvas(this);
    composition = new PiecePlacementView(this);
    auto* fitButton =
        toolButton(QStringLiteral("Einpassen"), QStringLiteral("Zeigt die ganze Textur."), this);
    auto* oneToOneButton =
        toolButton(QStringLiteral("1:1"), QStringLiteral("Ein Texturpixel je Bildpunkt."), this);
    zoomLabel = new QLabel(this);
    pointerLabel = new QLabel(this);
    // The pointer's text changes as it moves; it must not widen the panel.
    pointerLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    pointerLabel->setMinimumHeight(pointerLabel->fontMetrics().height());
    connect(fitButton, &QToolButton::clicked, texture, &TextureView::zoomToFit);
    connect(oneToOneButton, &QToolButton::clicked, texture, &TextureView::zoomOneToOne);
    connect(texture, &TextureView::zoomChanged, this, &PreviewPanel::showZoom);
    connect(texture, &TextureView::pointerPixelChanged, this, &PreviewPanel::showPointer);
    connect(&cache, &TextureCache::textureFilesChanged, this, &PreviewPanel::render);

    textureChooser = new QComboBox(this);
    textureChooser->setObjectName(QStringLiteral("textureChooser"));
    textureChooser->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    textureChooser->setMinimumContentsLength(12);
    auto* chooserLabel = new QLabel(QStringLiteral("&Textur:"), this);
    chooserLabel->setBuddy(textureChooser);
    textureChooser->setAccessibleName(QStringLiteral("Textur"));
    connect(textureChooser, &QComboBox::activated, this,
            [this](int index) { emit textureChosen(textureChooser->itemData(index).toInt()); });

    auto* backdropChooser = new QComboBox(this);
    backdropChooser->setObjectName(QStringLiteral("backdropChooser"));
    backdropChooser->addItems(
        {QStringLiteral("Schachbrett"), QStringLiteral("Dunkel"), QStringLiteral("Hell")});
    auto* backdropLabel = new QLabel(QStringLiteral("&Hintergrund:"), this);
    backdropLabel->setBuddy(backdropChooser);
    backdropChooser->setAccessibleName(QStringLiteral("Hintergrund"));
    const int backdrop = QSettings().value(kBackdropKey, 0).toInt();
    backdropChooser->setCurrentIndex(backdrop >= 0 && backdrop < backdropChooser->count() ? backdrop
                                                                                          : 0);
    texture->setBackdrop(static_cast<Backdrop>(backdropChooser->currentIndex()));
    connect(backdropChooser, &QComboBox::activated, this, [this](int index) {
        texture->setBackdrop(static_cast<Backdrop>(index));
        QSettings().setValue(kBackdropKey, index);
    });

    auto* choicesRow = new QHBoxLayout;
    choicesRow->addWidget(chooserLabel);
    choicesRow->addWidget(textureChooser, 1);
    choicesRow->addWidget(backdropLabel);
    choicesRow->addWidget(backdropChooser);

    // The pointer's line shares the zoom's row, so that the views get the height.
    auto* zoomRow = new QHBoxLayout;
    zoomRow->addWidget(fitButton);
    zoomRow->addWidget(oneToOneButton);
    zoomRow->addWidget(zoomLabel);
    zoomRow->addWidget(pointerLabel, 1);

    views = new QSplitter(Qt::Vertical, this);
    views->setObjectName(QStringLiteral("previewViews"));
    views->setChildrenCollapsible(false);
    views->addWidget(texture);
    views->addWidget(composition);
    views->setStretchFactor(0, 1);
    views->setStretchFactor(1, 0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(captionLabel);
    layout->addWidget(notesLabel);
    layout->addLayout(choicesRow);
    layout->addLayout(zoomRow);
    layout->addWidget(views, 1);
    showZoom(texture->zoom());
}

// The button view gets room for a button of 256 x 64 shown unreduced, the texture the rest.
QList<int> PreviewPanel::defaultViewSizes() const {
    const int room = views->height() - views->handleWidth();
    const int button = std::clamp(room / 5, kButtonViewHeight, 2 * kButtonViewHeight);
    return {room - button, button};
}

// A scene as shown already is not drawn again: every change of the library, the tree and the
// list asks for one, and big buttons take their time to compose.
void PreviewPanel::showScene(PreviewScene scene) {
    if (scene == current && rendered) {
        return;
    }
    current = std::move(scene);
    render();
}

QString PreviewPanel::notes() const {
    return notesLabel->text();
}

QString PreviewPanel::caption() const {
    return captionLabel->text();
}

QString PreviewPanel::pointerText() const {
    return pointerLabel->text();
}

void PreviewPanel::render() {
    rendered = true;
    composedTrial = false;
    showTextureChoices();
    QStringList notes;
    showTexture(notes);
    showComposition(proposal ? *proposal : current.areas, notes);
    showSizeHandle();
    notesLabel->setText(notes.join(QLatin1Char('\n')));
    notesLabel->setVisible(!notes.isEmpty());
}

void PreviewPanel::showTexture(QStringList& notes) {
    shown = nullptr;
    if (!current.hasResource) {
        captionLabel->setText(QStringLiteral("Keine Ressource ausgewählt."));
        texture->setTexture(QImage(), {});
        return;
    }
    QString resource = QStringLiteral("%1, Id %2\n")
                           .arg(fromLibraryText(current.identifier))
                           .arg(static_cast<std::uint32_t>(current.id));
    const int row = current.shownRow();
    std::optional<std::int32_t> textureId = current.shownTexture;
    if (!textureId && row >= 0) {
        textureId = current.areas[static_cast<std::size_t>(row)].textureId;
    }
    if (!textureId) {
        captionLabel->setText(resource + QStringLiteral("Die Ressource hat keine Bereiche."));
        texture->setTexture(QImage(), {});
        return;
    }
    const PreviewTexture* entry = current.textureOf(*textureId);
    if (entry == nullptr) {
        captionLabel->setText(resource + QStringLiteral("Bereich %1").arg(row));
        notes << QStringLiteral("Bereich %1: keine Textur mit der Id %2.").arg(row).arg(*textureId);
        texture->setTexture(QImage(), {});
        return;
    }
    // The shown row's texture is captioned with the row; a texture chosen besides it alone.
    const bool rowsTexture =
        row >= 0 &&
        current.textureOf(current.areas[static_cast<std::size_t>(row)].textureId) == entry;
    if (!rowsTexture) {
        resource += row < 0 ? QStringLiteral("Keine Bereiche – ") : QString();
    } else {
        resource += QStringLiteral("Bereich %1 – ").arg(row);
    }
    shown = entry;
    texture->setBlendType(entry->blendType);
    const TextureLoad load = cache.load(entry->candidates);
    const QString path = fromLibraryText(entry->path);
    captionLabel->setText(resource + QStringLiteral("Textur %1: %2").arg(entry->id).arg(path));
    if (!load.failure.isEmpty()) {
        notes << QStringLiteral("Die Textur „%1“ kann nicht geladen werden: %2. Versucht: %3")
                     .arg(path, load.failure, load.file);
    } else {
        noteDifferences(*entry, load, notes);
    }
    std::vector<TextureView::Outline> outlines;
    for (std::size_t other = 0; other < current.areas.size(); ++other) {
        const ResourceArea& area = current.areas[other];
        if (current.textureOf(area.textureId) == entry) {
            outlines.push_back({QRectF(QPointF(area.x1, area.y1), QPointF(area.x2, area.y2)),
                                static_cast<int>(other),
                                current.isSelected(static_cast<int>(other))});
        }
    }
    texture->setTexture(load.image, std::move(outlines));
}

// The chooser lists the library's textures and names the one shown.
void PreviewPanel::showTextureChoices() {
    const QSignalBlocker quiet(textureChooser);
    if (shownChoices != current.textureChoices) {
        shownChoices = current.textureChoices;
        textureChooser->clear();
        for (const auto& [id, path] : shownChoices) {
            textureChooser->addItem(QStringLiteral("%1: %2").arg(id).arg(fromLibraryText(path)),
                                    id);
        }
    }
    const std::optional<std::int32_t> id = current.shownTexture;
    textureChooser->setCurrentIndex(id ? textureChooser->findData(*id) : -1);
    textureChooser->setEnabled(current.hasResource && !shownChoices.empty());
}

void PreviewPanel::followGesture(const std::vector<AreaRect>& moved) {
    if (moved.empty()) {
        gestureText.clear();
        showPointerLine();
        if (std::exchange(composedTrial, false)) {
            QStringList notes;  // those of the last render stay
            showComposition(proposal ? *proposal : current.areas, notes);
        }
        return;
    }
    std::vector<ResourceArea> areas = current.areas;
    int firstRow = -1;
    for (AreaRect follow : moved) {
        if (follow.row < 0 || static_cast<std::size_t>(follow.row) >= areas.size()) {
            ResourceArea drawn;
            drawn.textureId = shown != nullptr ? shown->id : 0;
            areas.push_back(drawn);
            follow.row = static_cast<int>(areas.size()) - 1;
        }
        ResourceArea& area = areas[static_cast<std::size_t>(follow.row)];
        area.x1 = static_cast<float>(follow.rect.x1);
        area.y1 = static_cast<float>(follow.rect.y1);
        area.x2 = static_cast<float>(follow.rect.x2);
        area.y2 = static_cast<float>(follow.rect.y2);
        firstRow = firstRow < 0 ? follow.row : firstRow;
    }
    QStringList notes;  // those of the last render stay
    showComposition(areas, notes);
    composedTrial = true;
    gestureText =
        moved.size() == 1
            ? QStringLiteral("Bereich %1: %2").arg(firstRow).arg(texture->feedback())
            : QStringLiteral("%1 Bereiche: %2").arg(moved.size()).arg(texture->feedback());
    showPointerLine();
}

void PreviewPanel::proposeAreas(std::optional<std::vector<ResourceArea>> areas,
                                const QString& text) {
    if (!areas && !proposal) {
        return;
    }
    proposal = std::move(areas);
    gestureText = proposal ? text : QString();
    showPointerLine();
    QStringList notes;  // those of the last render stay
    showComposition(proposal ? *proposal : current.areas, notes);
    showSizeHandle();
}

void PreviewPanel::showComposition(const std::vector<ResourceArea>& areas, QStringList& notes) {
    std::map<std::int32_t, CompositionTexture> pictures;  // each texture asked for once
    const ButtonComposition composed =
        ComposeButton(areas, [this, &pictures](std::int32_t textureId) {
            const auto known = pictures.find(textureId);
            if (known != pictures.end()) {
                return known->second;
            }
            const PreviewTexture* entry = current.textureOf(textureId);
            const CompositionTexture picture =
                entry == nullptr ? CompositionTexture{}
                                 : cache.blended(entry->candidates, entry->blendType);
            pictures.emplace(textureId, picture);
            return picture;
        });
    // The shown area's texture has its own note already.
    std::vector<int> missing = composed.rowsWithoutTexture;
    std::erase(missing, current.shownRow());
    if (!missing.empty()) {
        notes << QStringLiteral("Ohne Textur zusammengesetzt: Bereich %1.").arg(rowList(missing));
    }
    if (composed.outOfRange) {
        notes << QStringLiteral("Bereiche außerhalb jeder darstellbaren Größe sind nicht gezeigt.");
    }
    composition->setComposition(composed.image);
    std::vector<PiecePlacementView::Piece> pieces;
    pieces.reserve(areas.size());
    for (std::size_t row = 0; row < areas.size(); ++row) {
        pieces.push_back({static_cast<int>(row), PlacedRect(areas[row])});
    }
    composition->setPieces(composed.topLeft, std::move(pieces), current.selectedRows);
}

// The nine-part button of the first selected area gets a handle for its size, at its corner
// as shown: a new size keeps the set's rows, a button yet to be made has no handle.
void PreviewPanel::showSizeHandle() {
    std::optional<QPointF> corner;
    const int row = current.firstSelected();
    const auto setAt = [row](const std::vector<ResourceArea>& among) {
        return row >= 0 && static_cast<std::size_t>(row) < among.size()
                   ? FindNineSliceSet(among, static_cast<std::size_t>(row))
                   : std::nullopt;
    };
    if (std::optional<NineSliceSet> set = setAt(current.areas)) {
        if (const std::optional<NineSliceSet> shownSet = proposal ? setAt(*proposal) : set) {
            const NineSliceButton& button = shownSet->button;
            corner = QPointF(button.originX + button.width, button.originY + button.height);
        }
    }
    composition->setSizeHandle(corner);
}

void PreviewPanel::showPointer(std::optional<QPoint> pixel) {
    pixelText.clear();
    if (pixel) {
        const QColor colour = texture->texture().pixelColor(*pixel);
        pixelText = QStringLiteral("Pixel %1, %2  RGBA %3, %4, %5, %6")
                        .arg(pixel->x())
                        .arg(pixel->y())
                        .arg(colour.red())
                        .arg(colour.green())
                        .arg(colour.blue())
                        .arg(colour.alpha());
    }
    showPointerLine();
}

// A line of its own, so that a gesture's text moves nothing in the panel.
void PreviewPanel::showPointerLine() {
    pointerLabel->setText(gestureText.isEmpty() ? pixelText : gestureText);
}

void PreviewPanel::showZoom(double zoom) {
    zoomLabel->setText(QStringLiteral("%1 %").arg(zoom * 100.0, 0, 'f', zoom < 0.1 ? 1 : 0));
}
