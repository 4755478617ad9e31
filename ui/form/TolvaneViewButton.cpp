#include "ui/form/TolvaneViewButton.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QStyle>
#include <algorithm>
#include <unordered_map>

#include "document/AreaChange.h"
#include "document/AreaListChange.h"
#include "document/LibraryCheck.h"
#include "document/ResourceChanges.h"
#include "framework/CommandBars.h"
#include "framework/DataExchange.h"
#include "framework/DialogUnits.h"
#include "framework/MessageBox.h"
#include "framework/ReportList.h"
#include "framework/Resources.h"
#include "framework/StandardIds.h"
#include "framework/UpperCaseEdit.h"
#include "ui/LibraryText.h"
#include "ui/ResourceIds.h"
#include "ui/dialogs/CoordinatesDlg.h"
#include "ui/shell/TolvaneDoc.h"
#include "ui/shell/TolvaneView.h"
#include "ui/texture_editor/AreaCommands.h"
#include "ui/texture_editor/PreviewDock.h"

CTolvaneView_Button* currentButtonView = nullptr;

namespace {

// What a column shows, which decides its width: the texture's path takes what the others leave.
enum class Shows { RowNumber, Coordinate, Path };

struct AreaColumn {
    int titleId;
    Shows values;
};

// The titles' string ids do not follow the column order.
constexpr AreaColumn kAreaColumns[] = {
    {IDS_AREA_NUMBER, Shows::RowNumber},    {IDS_AREA_X1, Shows::Coordinate},
    {IDS_AREA_Y1, Shows::Coordinate},       {IDS_AREA_X2, Shows::Coordinate},
    {IDS_AREA_Y2, Shows::Coordinate},       {IDS_AREA_WIDTH, Shows::Coordinate},
    {IDS_AREA_HEIGHT, Shows::Coordinate},   {IDS_AREA_OFFSET_X, Shows::Coordinate},
    {IDS_AREA_OFFSET_Y, Shows::Coordinate}, {IDS_AREA_TEXTURE, Shows::Path},
};

// The widest texts of a column, which it shows whole: row numbers of up to five digits,
// coordinates from -16384.0 to 16384.0. Digits may differ in width, so each is tried.
QStringList widestTexts(Shows values) {
    QStringList texts;
    for (char digit = '0'; digit <= '9'; ++digit) {
        const QString run(4, QLatin1Char(digit));
        texts << (values == Shows::RowNumber ? run + QLatin1Char(digit)
                                             : QStringLiteral("-1%1.%2").arg(run).arg(digit));
    }
    return texts;
}

const QString kEditWithoutSelection =
    QStringLiteral("Wählen Sie erst einen Bereich aus den Sie bearbeiten wollen.");
const QString kDeleteWithoutSelection =
    QStringLiteral("Wählen Sie erst einen Bereich aus den Sie löschen wollen.");
const QString kCopyWithoutSelection =
    QStringLiteral("Wählen Sie erst einen Bereich aus den Sie kopieren wollen.");

// The texture column shows at least this much of a path; it takes whatever room is left.
constexpr int kTextureColumnLeast = 120;
constexpr int kAreaListLeastRows = 4;

void setUpAreaColumns(framework::ReportList& list) {
    while (list.DeleteColumn(0)) {
    }
    for (const AreaColumn& column : kAreaColumns) {
        const int index = list.InsertColumn(list.GetColumnCount(),
                                            framework::Resources::LoadString(column.titleId), 0);
        if (column.values != Shows::Path) {
            list.FitColumn(index, widestTexts(column.values));
        }
    }
    list.header()->setSectionResizeMode(list.GetColumnCount() - 1, QHeaderView::Stretch);
}

// Every column but the texture's whole, and the texture's least, inside the list's frame.
QSize areaListLeastSize(const framework::ReportList& list) {
    int columns = kTextureColumnLeast;
    for (int column = 0; column + 1 < list.GetColumnCount(); ++column) {
        columns += list.header()->sectionSize(column);
    }
    const int frame = 2 * list.frameWidth();
    const int scrollBar = list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list);
    const int rows = kAreaListLeastRows * list.fontMetrics().height() * 3 / 2;
    return {columns + scrollBar + frame, list.header()->sizeHint().height() + rows + frame};
}

QString cellText(float value) {
    return QString::asprintf("%.1f", static_cast<double>(value));
}

// The path of each texture id; of several textures with one id the last one counts.
std::unordered_map<std::int32_t, QString> texturePaths(const ResourceLibrary& library) {
    std::unordered_map<std::int32_t, QString> paths;
    paths.reserve(library.textures.size());
    for (const auto& texture : library.textures) {
        paths[texture->id] = fromLibraryText(texture->path);
    }
    return paths;
}

QString pathOf(const std::unordered_map<std::int32_t, QString>& paths, std::int32_t textureId) {
    const auto path = paths.find(textureId);
    return path != paths.end() ? path->second : QString();
}

// The cells of the list's row number for area, its texture's path being path.
QStringList areaCells(std::size_t number, const ResourceArea& area, const QString& path) {
    QStringList cells{QString::number(number)};
    for (const float value : {area.x1, area.y1, area.x2, area.y2, area.width(), area.height(),
                              area.offsetX, area.offsetY}) {
        cells << cellText(value);
    }
    cells << path;
    return cells;
}

bool clipboardHasText() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

void paste(QLineEdit* edit) {
    if (auto* capitals = qobject_cast<framework::UpperCaseEdit*>(edit)) {
        capitals->pasteRaised();
    } else {
        edit->paste();
    }
}

}  // namespace

CTolvaneView_Button::CTolvaneView_Button() : FormView(IDD_BUTTON_FORM) {
    currentButtonView = this;
    areaList = control<framework::ReportList>(IDC_AREA_LIST);
    areaList->setSelectionMode(QAbstractItemView::ExtendedSelection);

    onClicked(IDC_NEW_AREA, [this] { OnNewArea(); });
    onClicked(IDC_DELETE_AREA, [this] { OnDeleteArea(); });
    onClicked(IDC_EDIT_AREA, [this] { OnEditArea(); });
    onEditChange(IDC_RESOURCE_ID, [this] { OnChangeId(); });
    onEditChange(IDC_IDENTIFIER, [this] { OnChangeIdentifier(); });
    onClicked(IDC_COPY_AREA, [this] { OnCopyArea(); });

    // Clipboard commands go to the focused edit while one of the form's has the focus; with the
    // area list focused they copy, cut and paste areas. Undo and redo go to the focused edit
    // too; elsewhere they undo and redo the library's steps.
    const auto enableCopyCut = [this](framework::CommandUI& ui) {
        if (const QLineEdit* edit = focusedEdit()) {
            ui.Enable(edit->hasSelectedText());
        } else {
            UpdateAreaClipboardCommand(ui);
        }
    };
    onUpdate(framework::ID_EDIT_COPY, enableCopyCut);
    onUpdate(framework::ID_EDIT_CUT, enableCopyCut);
    onUpdate(framework::ID_EDIT_PASTE, [this](framework::CommandUI& ui) {
        if (focusedEdit() != nullptr) {
            ui.Enable(clipboardHasText());
        } else {
            UpdateAreaClipboardCommand(ui);
        }
    });
    onUpdate(framework::ID_EDIT_UNDO, [this](framework::CommandUI& ui) {
        if (const QLineEdit* edit = focusedEdit()) {
            ui.Enable(edit->isUndoAvailable());
            ui.SetPrompt(framework::commandPrompt(ui.id()));
        } else {
            currentDocument->OnUpdateUndo(ui);
        }
    });
    onUpdate(framework::ID_EDIT_REDO, [this](framework::CommandUI& ui) {
        if (const QLineEdit* edit = focusedEdit()) {
            ui.Enable(edit->isRedoAvailable());
            ui.SetPrompt(framework::commandPrompt(ui.id()));
        } else {
            currentDocument->OnUpdateRedo(ui);
        }
    });
    onCommand(framework::ID_EDIT_COPY, [this] {
        if (QLineEdit* edit = focusedEdit()) {
            edit->copy();
        } else {
            RunAreaClipboardCommand(framework::ID_EDIT_COPY);
        }
    });
    onCommand(framework::ID_EDIT_CUT, [this] {
        if (QLineEdit* edit = focusedEdit()) {
            edit->cut();
        } else {
            RunAreaClipboardCommand(framework::ID_EDIT_CUT);
        }
    });
    onCommand(framework::ID_EDIT_PASTE, [this] {
        if (QLineEdit* edit = focusedEdit()) {
            paste(edit);
        } else {
            RunAreaClipboardCommand(framework::ID_EDIT_PASTE);
        }
    });
    onCommand(framework::ID_EDIT_UNDO, [this] {
        if (QLineEdit* edit = focusedEdit()) {
            edit->undo();
        } else {
            currentDocument->OnUndo();
        }
    });
    onCommand(framework::ID_EDIT_REDO, [this] {
        if (QLineEdit* edit = focusedEdit()) {
            edit->redo();
        } else {
            currentDocument->OnRedo();
        }
    });
}

CTolvaneView_Button::~CTolvaneView_Button() {
    if (currentButtonView == this) {
        currentButtonView = nullptr;
    }
}

bool CTolvaneView_Button::IsEditControl(const QWidget* window) {
    return qobject_cast<const QLineEdit*>(window) != nullptr;
}

QLineEdit* CTolvaneView_Button::focusedEdit() const {
    QWidget* focus = QApplication::focusWidget();
    return IsEditControl(focus) && page()->isAncestorOf(focus) ? static_cast<QLineEdit*>(focus)
                                                               : nullptr;
}

void CTolvaneView_Button::DoDataExchange(framework::DataExchange& exchange) {
    framework::DDX_Text(exchange, IDC_RESOURCE_ID, idValue);
    framework::DDX_Text(exchange, IDC_IDENTIFIER, identifierText);
}

UiResource* CTolvaneView_Button::resource() const {
    return currentTreeView != nullptr ? currentTreeView->currentRecord() : nullptr;
}

std::size_t CTolvaneView_Button::resourceIndex() const {
    return static_cast<std::size_t>(currentDocument->IndexOf(resource()));
}

// Undone or redone, the step shows its resource again.
void CTolvaneView_Button::change(int nameId, std::unique_ptr<LibraryChange> step,
                                 LibraryHistory::Typing typing) {
    const int index = currentDocument->IndexOf(resource());
    currentDocument->history->perform(framework::Resources::LoadString(nameId), std::move(step),
                                      {index, index}, typing);
}

void CTolvaneView_Button::ChangeAreaOnCanvas(const QString& name,
                                             std::unique_ptr<LibraryChange> step,
                                             ShownResource rows, LibraryHistory::Typing merging) {
    const int index = currentDocument->IndexOf(resource());
    rows.afterRedo = index;
    rows.afterUndo = index;
    currentDocument->history->perform(name, std::move(step), rows, merging);
    if (rows.areasAfterRedo) {
        fillAreaRows();  // the selection is set anew just after
        areaList->SelectItems(*rows.areasAfterRedo);
    } else {
        RefillAreaList();
    }
    NotifyPreview();
}

// The area list follows the pane, its columns as wide as their values need.
void CTolvaneView_Button::OnInitialUpdate() {
    FormView::OnInitialUpdate();
    setUpAreaColumns(*areaList);
    areaList->setMinimumSize(areaListLeastSize(*areaList));
    stretchToPane(IDC_AREA_LIST);
}

int CTolvaneView_Button::PreferredWidth() {
    framework::ReportList sample;
    setUpAreaColumns(sample);
    const framework::DialogTemplate& form = framework::Resources::dialog(IDD_BUTTON_FORM);
    const framework::DialogUnits units(sample.font());
    int right = 0;  // of the controls but the list, in dialog units
    QRect list;
    for (const framework::ControlTemplate& control : form.controls) {
        if (control.id == IDC_AREA_LIST) {
            list = control.rect;
        } else {
            right = std::max(right, control.rect.right() + 1);
        }
    }
    const int margin = form.rect.width() - list.right() - 1;
    return std::max(units.toPixelsX(right + margin),
                    units.toPixelsX(list.left() + margin) + areaListLeastSize(sample).width());
}

void CTolvaneView_Button::FillFromSelection() {
    if (const UiResource* current = resource()) {
        idValue = static_cast<std::uint32_t>(current->id);
        identifierText = fromLibraryText(current->identifier);
    }
    RefillAreaList();
    UpdateData(false);
}

void CTolvaneView_Button::RefillAreaList() {
    // No selection, nor a current row, which removing it would pass to a neighbour, selected.
    areaList->setCurrentIndex(QModelIndex());
    fillAreaRows();
}

// Rows that show their area as it is are left alone: formatting a thousand rows anew would
// keep a step on a big button waiting.
void CTolvaneView_Button::fillAreaRows() {
    const UiResource* current = currentDocument != nullptr ? resource() : nullptr;
    const int rows = current != nullptr ? static_cast<int>(current->areas.size()) : 0;
    if (areaList->GetItemCount() > rows) {
        areaList->setCurrentIndex(QModelIndex());  // removing it would pass it to a neighbour
    }
    while (areaList->GetItemCount() > rows) {
        areaList->DeleteItem(areaList->GetItemCount() - 1);
    }
    listedRows.resize(static_cast<std::size_t>(rows));
    if (current == nullptr) {
        return;
    }
    const auto paths = texturePaths(currentDocument->library);
    for (std::size_t i = 0; i < current->areas.size(); ++i) {
        const ResourceArea& area = current->areas[i];
        const QString path = pathOf(paths, area.textureId);
        std::optional<ListedRow>& listed = listedRows[i];
        if (!listed || listed->area != area || listed->path != path) {
            areaList->SetRow(static_cast<int>(i), areaCells(i, area, path));
            listed = ListedRow{area, path};
        }
    }
}

void CTolvaneView_Button::ShowAreaEdges(int row, const ResourceArea& area) {
    const UiResource* current = resource();
    if (current == nullptr || row < 0 || static_cast<std::size_t>(row) > current->areas.size()) {
        return;
    }
    if (row == areaList->GetItemCount()) {
        areaList->InsertRow(
            row, areaCells(static_cast<std::size_t>(row), area,
                           pathOf(texturePaths(currentDocument->library), area.textureId)));
        areaList->scrollTo(areaList->model()->index(row, 0));
        return;
    }
    if (static_cast<std::size_t>(row) < listedRows.size()) {
        listedRows[static_cast<std::size_t>(row)].reset();  // shows a gesture's values
    }
    int column = 1;  // after the number
    for (const float value : {area.x1, area.y1, area.x2, area.y2, area.width(), area.height(),
                              area.offsetX, area.offsetY}) {
        areaList->SetItemText(row, column++, cellText(value));
    }
}

void CTolvaneView_Button::DropDrawnAreaRow() {
    const UiResource* current = resource();
    const int areas = current != nullptr ? static_cast<int>(current->areas.size()) : 0;
    while (areaList->GetItemCount() > areas) {
        areaList->DeleteItem(areaList->GetItemCount() - 1);
    }
}

// A row beyond the areas (the provisional one of an area being drawn) is none.
std::vector<int> CTolvaneView_Button::SelectedAreaRows() const {
    const UiResource* current = resource();
    std::vector<int> rows = areaList->GetSelectedItems();
    const int areas = current != nullptr ? static_cast<int>(current->areas.size()) : 0;
    std::erase_if(rows, [areas](int row) { return row >= areas; });
    return rows;
}

int CTolvaneView_Button::SelectedAreaIndex() const {
    const std::vector<int> rows = SelectedAreaRows();
    return rows.empty() ? -1 : rows.front();
}

const std::vector<ResourceArea>* CTolvaneView_Button::Areas() const {
    const UiResource* current = resource();
    return current != nullptr ? &current->areas : nullptr;
}

// One area replaced is the small step that merges with the next nudge of the same area; more
// are one step for the whole list.
void CTolvaneView_Button::ReplaceAreas(const QString& name, std::vector<ResourceArea> after,
                                       std::vector<int> selectAfter,
                                       LibraryHistory::Typing merging) {
    const UiResource* current = resource();
    if (current == nullptr || after == current->areas) {
        return;
    }
    const std::vector<ResourceArea>& before = current->areas;
    std::vector<std::size_t> differing;
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (before[i] != after[i]) {
            differing.push_back(i);
        }
    }
    std::unique_ptr<LibraryChange> step;
    if (before.size() == after.size() && differing.size() == 1) {
        const std::size_t row = differing.front();
        step = AreaChange::replaced(resourceIndex(), row, before[row], after[row]);
    } else {
        step = std::make_unique<AreaListChange>(resourceIndex(), before, std::move(after));
    }
    ChangeAreaOnCanvas(
        name, std::move(step),
        {ShownResource::kKeep, ShownResource::kKeep, std::move(selectAfter), SelectedAreaRows()},
        merging);
}

// While the dialog runs, the library's records may be replaced (a file handed over from the
// desktop is opened), which takes this form and the resource away; the area then goes nowhere.
bool CTolvaneView_Button::runCoordinatesDialog(CCoordinatesDlg& dialog) {
    const QPointer<QWidget> alive(this);
    const UiResource* before = resource();
    return dialog.DoModal() == framework::IDOK && alive != nullptr && resource() != nullptr &&
           resource() == before;
}

void CTolvaneView_Button::OnNewArea() {
    CCoordinatesDlg dialog;
    const PreviewWorkingArea preview(dialog, -1);
    if (!runCoordinatesDialog(dialog)) {
        return;
    }
    change(IDS_STEP_NEW_AREA,
           AreaChange::inserted(resourceIndex(), resource()->areas.size(), dialog.workingArea));
    RefillAreaList();
}

void CTolvaneView_Button::OnEditArea() {
    const int index = SelectedAreaIndex();
    const UiResource* current = resource();
    if (index == -1 || current == nullptr) {
        framework::AfxMessageBox(kEditWithoutSelection);
        return;
    }
    const auto position = static_cast<std::size_t>(index);
    CCoordinatesDlg dialog;
    dialog.workingArea = current->areas.at(position);
    const PreviewWorkingArea preview(dialog, index);
    if (!runCoordinatesDialog(dialog) || position >= resource()->areas.size() ||
        resource()->areas[position] == dialog.workingArea) {
        return;
    }
    change(IDS_STEP_EDIT_AREA,
           AreaChange::replaced(resourceIndex(), position, resource()->areas[position],
                                dialog.workingArea));
    RefillAreaList();
}

void CTolvaneView_Button::OnDeleteArea() {
    const std::vector<int> rows = SelectedAreaRows();
    UiResource* current = resource();
    if (rows.empty() || current == nullptr) {
        framework::AfxMessageBox(kDeleteWithoutSelection);
        return;
    }
    if (rows.size() == 1) {
        const auto position = static_cast<std::size_t>(rows.front());
        change(IDS_STEP_DELETE_AREA,
               AreaChange::removed(resourceIndex(), position, current->areas.at(position)));
        RefillAreaList();
        return;
    }
    ReplaceAreas(framework::Resources::LoadString(IDS_STEP_DELETE_AREAS),
                 AreasWithout(current->areas, rows), {});
}

// The copies go after the last area, in the order of their rows, and are selected.
void CTolvaneView_Button::OnCopyArea() {
    const std::vector<int> rows = SelectedAreaRows();
    UiResource* current = resource();
    if (rows.empty() || current == nullptr) {
        framework::AfxMessageBox(kCopyWithoutSelection);
        return;
    }
    if (rows.size() == 1) {
        change(IDS_STEP_COPY_AREA,
               AreaChange::inserted(resourceIndex(), current->areas.size(),
                                    current->areas.at(static_cast<std::size_t>(rows.front()))));
        RefillAreaList();
        return;
    }
    std::vector<ResourceArea> after = current->areas;
    std::vector<int> copies;
    for (const int row : rows) {
        copies.push_back(static_cast<int>(after.size()));
        after.push_back(current->areas[static_cast<std::size_t>(row)]);
    }
    ReplaceAreas(framework::Resources::LoadString(IDS_STEP_COPY_AREAS), std::move(after),
                 std::move(copies));
}

// A text that is no unsigned number brings the framework's message and changes nothing.
void CTolvaneView_Button::OnChangeId() {
    if (!UpdateData(true)) {
        return;
    }
    const UiResource* current = resource();
    if (current == nullptr || current->id == static_cast<std::int32_t>(idValue)) {
        return;
    }
    ResourceFields after = ResourceFields::of(*current);
    after.id = static_cast<std::int32_t>(idValue);
    change(IDS_STEP_CHANGE_ID,
           std::make_unique<ResourceFieldsChange>(resourceIndex(), ResourceFields::of(*current),
                                                  after),
           LibraryHistory::Typing::Id);
}

// An emptied edit changes nothing; an invalid identifier is told and not taken, so the
// library and the tree keep the last valid one while the edit keeps what was typed. A rejected
// id is told first and does not hold the identifier back.
void CTolvaneView_Button::OnChangeIdentifier() {
    UpdateData(true);
    if (identifierText.isEmpty()) {
        return;
    }
    const std::string identifier = toLibraryText(identifierText);
    if (!IsValidIdentifier(identifier)) {
        framework::AfxMessageBox(framework::Resources::LoadString(IDS_INVALID_IDENTIFIER));
        return;
    }
    const UiResource* current = resource();
    if (current == nullptr || current->identifier == identifier) {
        return;
    }
    ResourceFields after = ResourceFields::of(*current);
    after.identifier = identifier;
    change(IDS_STEP_CHANGE_IDENTIFIER,
           std::make_unique<ResourceFieldsChange>(resourceIndex(), ResourceFields::of(*current),
                                                  after),
           LibraryHistory::Typing::Identifier);
    if (currentTreeView != nullptr) {
        currentTreeView->SetItemLabel(currentTreeView->itemOf(current),
                                      fromLibraryText(current->identifier));
    }
}
