#include "ui/texture_editor/NineSlicePanel.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <numeric>

#include "document/NineSliceChanges.h"
#include "framework/Resources.h"
#include "ui/ResourceIds.h"
#include "ui/form/TolvaneViewButton.h"
#include "ui/shell/TolvaneDoc.h"
#include "ui/shell/TolvaneView.h"
#include "ui/texture_editor/AreaCanvas.h"
#include "ui/texture_editor/PreviewDock.h"
#include "ui/texture_editor/PreviewPanel.h"

namespace {

const QString kFaultStyle = QStringLiteral("QLineEdit { background-color: #ffe0e0; }");

// The panel's fields in the order of Field, with the values the core names them by.
constexpr NineSliceField kFieldValues[] = {
    NineSliceField::Left,   NineSliceField::Top,   NineSliceField::Right,
    NineSliceField::Bottom, NineSliceField::Width, NineSliceField::Height,
};

}  // namespace

NineSlicePanel::NineSlicePanel(CPreviewDock& dock, int row, QWidget* parent)
    : QDialog(parent),
      preview(&dock),
      resource(currentTreeView != nullptr ? currentTreeView->currentRecord() : nullptr),
      areaRow(row) {
    setWindowTitle(QStringLiteral("Neunteiliger Knopf"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    if (const ResourceArea* selected = selectedArea()) {
        area = *selected;
    }
    const NineSliceEntries defaults = DefaultNineSliceEntries(area);

    auto* form = new QFormLayout;
    fields[Left] = field(*form, QStringLiteral("Rand &links:"), defaults.left);
    fields[Top] = field(*form, QStringLiteral("Rand &oben:"), defaults.top);
    fields[Right] = field(*form, QStringLiteral("Rand &rechts:"), defaults.right);
    fields[Bottom] = field(*form, QStringLiteral("Rand &unten:"), defaults.bottom);
    fields[Width] = field(*form, QStringLiteral("&Breite:"), defaults.width);
    fields[Height] = field(*form, QStringLiteral("&Höhe:"), defaults.height);
    centre = new QCheckBox(QStringLiteral("&Mitte zeichnen"), this);
    centre->setChecked(defaults.centre);
    form->addRow(centre);
    connect(centre, &QCheckBox::toggled, this, &NineSlicePanel::recheck);

    problemsLabel = new QLabel(this);
    problemsLabel->setObjectName(QStringLiteral("nineSliceProblems"));
    problemsLabel->setWordWrap(true);
    problemsLabel->setStyleSheet(QStringLiteral("color: #b00000;"));
    noteLabel = new QLabel(this);
    noteLabel->setObjectName(QStringLiteral("nineSliceNote"));
    noteLabel->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    okButton = buttons->button(QDialogButtonBox::Ok);
    okButton->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &NineSlicePanel::apply);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Bereich %1: %2, %3 – %4, %5")
                                     .arg(row)
                                     .arg(area.x1)
                                     .arg(area.y1)
                                     .arg(area.x2)
                                     .arg(area.y2),
                                 this));
    layout->addLayout(form);
    layout->addWidget(problemsLabel);
    layout->addWidget(noteLabel);
    layout->addWidget(buttons);
    // The panel grows and shrinks with the problems it shows; the fields stay in place.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(320);

    connect(&dock, &CPreviewDock::refreshed, this, &NineSlicePanel::followLibrary);
    connect(dock.panel()->textureView(), &AreaCanvas::marginsDragged, this,
            &NineSlicePanel::takeDraggedMargins);
    recheck();
}

NineSlicePanel::~NineSlicePanel() {
    stopShowing();
}

// A window minimised hides the panel only for a while.
void NineSlicePanel::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) {
        stopShowing();
    }
    QDialog::hideEvent(event);
}

QLineEdit* NineSlicePanel::field(QFormLayout& form, const QString& label,
                                 const std::string& value) {
    auto* edit = new QLineEdit(QString::fromStdString(value), this);
    auto* name = new QLabel(label, this);
    name->setBuddy(edit);
    QString plain = label;
    edit->setAccessibleName(plain.remove(QLatin1Char('&')).remove(QLatin1Char(':')));
    form.addRow(name, edit);
    connect(edit, &QLineEdit::textChanged, this, &NineSlicePanel::recheck);
    return edit;
}

const ResourceArea* NineSlicePanel::selectedArea() const {
    if (currentButtonView == nullptr || currentTreeView == nullptr ||
        currentTreeView->currentRecord() != resource) {
        return nullptr;
    }
    const std::vector<ResourceArea>* areas = currentButtonView->Areas();
    if (areas == nullptr || areaRow < 0 || static_cast<std::size_t>(areaRow) >= areas->size() ||
        currentButtonView->SelectedAreaRows() != std::vector<int>{areaRow}) {
        return nullptr;
    }
    return &(*areas)[static_cast<std::size_t>(areaRow)];
}

NineSliceEntries NineSlicePanel::entries() const {
    const auto text = [this](Field which) { return fields[which]->text().toStdString(); };
    return {text(Left),  text(Top),    text(Right),        text(Bottom),
            text(Width), text(Height), centre->isChecked()};
}

void NineSlicePanel::recheck() {
    check = CheckNineSlice(area, entries());
    QStringList problems;
    std::array<bool, kFields> atFault{};
    for (const NineSliceProblem& problem : check.problems) {
        problems << QString::fromStdString(problem.message);
        for (int i = 0; i < kFields; ++i) {
            const NineSliceField value = kFieldValues[i];
            atFault[i] = atFault[i] || std::find(problem.fields.begin(), problem.fields.end(),
                                                 value) != problem.fields.end();
        }
    }
    for (int i = 0; i < kFields; ++i) {
        fields[i]->setStyleSheet(atFault[i] ? kFaultStyle : QString());
    }
    problemsLabel->setText(problems.join(QLatin1Char('\n')));
    problemsLabel->setVisible(!problems.isEmpty());
    noteLabel->setText(QString::fromStdString(check.note));
    noteLabel->setVisible(!check.note.empty());
    okButton->setEnabled(check.ok());

    const std::vector<ResourceArea>* areas =
        currentButtonView != nullptr ? currentButtonView->Areas() : nullptr;
    if (preview == nullptr || areas == nullptr || selectedArea() == nullptr) {
        return;
    }
    PreviewPanel& panel = *preview->panel();
    if (!check.ok()) {
        panel.proposeAreas(std::nullopt);
        return;  // the guides stay where they were last right
    }
    const NineSliceButton& button = *check.button;
    panel.textureView()->setMarginGuides(
        MarginGuides{{double(button.x1), double(button.y1), double(button.x2), double(button.y2)},
                     button.margins});
    // The library's areas as "OK" leaves them.
    std::vector<ResourceArea> proposed = *areas;
    const auto at = proposed.erase(proposed.begin() + areaRow);
    std::vector<ResourceArea> pieces;
    for (const NineSlicePiece& piece : NineSlicePieces(button)) {
        pieces.push_back(piece.area);
    }
    proposed.insert(at, pieces.begin(), pieces.end());
    panel.proposeAreas(
        std::move(proposed),
        QStringLiteral("Neunteiliger Knopf: %1 × %2").arg(button.width).arg(button.height));
}

// The area may have been moved or resized meanwhile; the values typed stay.
void NineSlicePanel::followLibrary() {
    const ResourceArea* selected = selectedArea();
    if (selected == nullptr) {
        close();
        return;
    }
    area = *selected;
    recheck();
}

void NineSlicePanel::takeDraggedMargins(const NineSliceMargins& margins) {
    for (const auto& [which, value] :
         {std::pair{Left, margins.left}, std::pair{Top, margins.top},
          std::pair{Right, margins.right}, std::pair{Bottom, margins.bottom}}) {
        const QSignalBlocker quiet(fields[which]);
        fields[which]->setText(QString::number(value));
    }
    recheck();
}

void NineSlicePanel::stopShowing() {
    if (preview == nullptr) {
        return;
    }
    disconnect(preview.data(), nullptr, this, nullptr);
    PreviewPanel& panel = *preview->panel();
    disconnect(panel.textureView(), nullptr, this, nullptr);
    panel.textureView()->setMarginGuides(std::nullopt);
    panel.proposeAreas(std::nullopt);
    preview = nullptr;
}

QString NineSlicePanel::problemsText() const {
    return problemsLabel->text();
}

QString NineSlicePanel::noteText() const {
    return noteLabel->text();
}

bool NineSlicePanel::canApply() const {
    return okButton->isEnabled();
}

// The pieces take the area's row and those after it, and are selected.
void NineSlicePanel::apply() {
    const ResourceArea* selected = selectedArea();
    if (!check.ok() || selected == nullptr || currentDocument == nullptr) {
        return;
    }
    const NineSliceButton button = *check.button;
    const std::size_t index = static_cast<std::size_t>(currentDocument->IndexOf(resource));
    std::vector<int> pieces(NineSlicePieces(button).size());
    std::iota(pieces.begin(), pieces.end(), areaRow);
    std::unique_ptr<LibraryChange> change =
        MakeNineSliceButton(index, static_cast<std::size_t>(areaRow), *selected, button);
    stopShowing();
    currentButtonView->ChangeAreaOnCanvas(
        framework::Resources::LoadString(IDS_STEP_NINE_SLICE), std::move(change),
        {ShownResource::kKeep, ShownResource::kKeep, std::move(pieces), std::vector<int>{areaRow}});
    close();
}
