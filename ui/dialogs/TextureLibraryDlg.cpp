#include "ui/dialogs/TextureLibraryDlg.h"

#include <array>

#include "framework/ComboBox.h"
#include "framework/DataExchange.h"
#include "framework/ReportList.h"
#include "framework/Resources.h"
#include "ui/LibraryText.h"
#include "ui/ResourceIds.h"
#include "ui/shell/TolvaneDoc.h"

namespace {

enum Column { kPathColumn, kIdColumn, kSizeColumn, kFormatColumn, kBlendColumn, kColumnCount };

constexpr std::array<int, kColumnCount> kColumnWidths = {375, 50, 100, 100, 100};

// A combo box and the field of a texture it stands for: the field holds the position of the
// chosen entry.
struct ComboField {
    int comboId;
    std::int32_t TextureEntry::*field;
    int column;  // the cell that shows the field
};

constexpr std::array<ComboField, 4> kComboFields = {{
    {IDC_TEXTURE_FORMAT, &TextureEntry::format, kFormatColumn},
    {IDC_TEXTURE_WIDTH, &TextureEntry::widthIndex, kSizeColumn},
    {IDC_TEXTURE_HEIGHT, &TextureEntry::heightIndex, kSizeColumn},
    {IDC_TEXTURE_BLEND, &TextureEntry::blendType, kBlendColumn},
}};

constexpr std::array<int, 6> kFieldIds = {IDC_TEXTURE_ID,    IDC_TEXTURE_PATH,   IDC_TEXTURE_FORMAT,
                                          IDC_TEXTURE_WIDTH, IDC_TEXTURE_HEIGHT, IDC_TEXTURE_BLEND};

void markModified() {
    currentDocument->SetModifiedFlag();
}

}  // namespace

CTextureLibraryDlg::CTextureLibraryDlg(QWidget* parent) : Dialog(IDD_TEXTURE_LIBRARY, parent) {
    onEditChange(IDC_TEXTURE_ID, [this] { OnIdChange(); });
    onEditChange(IDC_TEXTURE_PATH, [this] { OnPathChange(); });
    for (const ComboField& entry : kComboFields) {
        onSelectionChange(entry.comboId, [this, id = entry.comboId] { OnComboPick(id); });
    }
    onListClick(IDC_TEXTURE_LIST, [this] { RefreshFields(); });
    onListKey(IDC_TEXTURE_LIST, [this] { RefreshFields(); });
    onClicked(IDC_TEXTURE_NEW, [this] { OnNew(); });
    onClicked(IDC_TEXTURE_DELETE, [this] { OnDelete(); });
}

ResourceLibrary& CTextureLibraryDlg::library() const {
    return currentDocument->library;
}

framework::ReportList* CTextureLibraryDlg::list() const {
    return control<framework::ReportList>(IDC_TEXTURE_LIST);
}

TextureEntry& CTextureLibraryDlg::texture(int position) const {
    return *library().textures[static_cast<std::size_t>(position)];
}

void CTextureLibraryDlg::DoDataExchange(framework::DataExchange& exchange) {
    framework::DDX_Text(exchange, IDC_TEXTURE_PATH, pathValue);
    framework::DDX_Text(exchange, IDC_TEXTURE_ID, idValue);
}

bool CTextureLibraryDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    framework::ReportList* rows = list();
    while (rows->DeleteColumn(0)) {
    }
    for (int column = 0; column < kColumnCount; ++column) {
        rows->InsertColumn(column,
                           framework::Resources::LoadString(IDS_TEXTURE_COLUMN_FILE + column),
                           kColumnWidths[static_cast<std::size_t>(column)]);
    }
    for (const ComboField& entry : kComboFields) {
        auto* combo = control<framework::ComboBox>(entry.comboId);
        combo->SetCurSel(combo->GetCount() - 1);
    }
    RebuildList();
    RefreshFields();
    return true;
}

int CTextureLibraryDlg::SelectedTexture() const {
    const int row = list()->GetFirstSelectedItem();
    return row < 0 ? -1 : static_cast<int>(list()->GetItemData(row));
}

QString CTextureLibraryDlg::entryText(int comboId, std::int32_t position) const {
    const auto* combo = control<framework::ComboBox>(comboId);
    return position >= 0 && position < combo->GetCount() ? combo->GetLBText(position) : QString();
}

QString CTextureLibraryDlg::sizeText(const TextureEntry& entry) const {
    const QString width = entryText(IDC_TEXTURE_WIDTH, entry.widthIndex);
    const QString height = entryText(IDC_TEXTURE_HEIGHT, entry.heightIndex);
    return width.isEmpty() || height.isEmpty() ? QString() : width + QStringLiteral(" x ") + height;
}

QString CTextureLibraryDlg::cellText(int column, const TextureEntry& entry) const {
    switch (column) {
        case kPathColumn:
            return fromLibraryText(entry.path);
        case kIdColumn:
            return QString::number(entry.id);
        case kSizeColumn:
            return sizeText(entry);
        case kFormatColumn:
            return entryText(IDC_TEXTURE_FORMAT, entry.format);
        default:
            return entryText(IDC_TEXTURE_BLEND, entry.blendType);
    }
}

void CTextureLibraryDlg::RebuildList() {
    framework::ReportList* rows = list();
    rows->DeleteAllItems();
    for (int position = 0; position < static_cast<int>(library().textureCount()); ++position) {
        const TextureEntry& entry = texture(position);
        const int row = rows->InsertItem(position, cellText(kPathColumn, entry));
        rows->SetItemData(row, position);
        for (int column = kIdColumn; column < kColumnCount; ++column) {
            rows->SetItemText(row, column, cellText(column, entry));
        }
    }
    rows->SelectItem(0);
}

void CTextureLibraryDlg::RefreshFields() {
    const int position = SelectedTexture();
    for (const int id : kFieldIds) {
        GetDlgItem(id)->setEnabled(position >= 0);
    }
    if (position < 0) {
        return;  // disabled, the fields are not read, so a text left in them blocks nothing
    }
    const TextureEntry& entry = texture(position);
    idValue = static_cast<std::uint32_t>(entry.id);
    pathValue = fromLibraryText(entry.path);
    for (const ComboField& field : kComboFields) {
        control<framework::ComboBox>(field.comboId)->SetCurSel(entry.*field.field);
    }
    UpdateData(false);
}

void CTextureLibraryDlg::OnNew() {
    auto entry = std::make_unique<TextureEntry>();
    entry->id = static_cast<std::int32_t>(library().textureCount());
    entry->path = "leer";
    entry->widthIndex = 4;   // 256
    entry->heightIndex = 4;  // 256
    entry->format = 2;       // PNG
    entry->blendType = 1;    // Transparent
    library().textures.push_back(std::move(entry));
    markModified();
    RebuildList();
    list()->SelectItem(list()->GetItemCount() - 1);
    RefreshFields();
}

void CTextureLibraryDlg::OnDelete() {
    const int row = list()->GetFirstSelectedItem();
    if (row < 0) {
        return;
    }
    auto& textures = library().textures;
    textures.erase(textures.begin() + SelectedTexture());
    markModified();
    RebuildList();
    if (row > 0) {
        list()->SelectItem(row - 1);
    }
    RefreshFields();
}

void CTextureLibraryDlg::OnIdChange() {
    UpdateData(true);  // a rejected id keeps the value it had
    const int position = SelectedTexture();
    if (position < 0) {
        return;
    }
    TextureEntry& entry = texture(position);
    const auto id = static_cast<std::int32_t>(idValue);
    if (entry.id != id) {
        entry.id = id;
        markModified();
    }
    list()->SetItemText(list()->GetFirstSelectedItem(), kIdColumn, cellText(kIdColumn, entry));
}

void CTextureLibraryDlg::OnPathChange() {
    UpdateData(true);  // the path lands whatever the id edit holds
    const int position = SelectedTexture();
    if (position < 0) {
        return;
    }
    TextureEntry& entry = texture(position);
    const std::string path = toLibraryText(pathValue);
    if (entry.path != path) {
        entry.path = path;
        markModified();
    }
    list()->SetItemText(list()->GetFirstSelectedItem(), kPathColumn, cellText(kPathColumn, entry));
}

void CTextureLibraryDlg::OnComboPick(int comboId) {
    const int position = SelectedTexture();
    const int chosen = control<framework::ComboBox>(comboId)->GetCurSel();
    if (position < 0 || chosen < 0) {
        return;
    }
    TextureEntry& entry = texture(position);
    for (const ComboField& field : kComboFields) {
        if (field.comboId != comboId) {
            continue;
        }
        if (entry.*field.field != chosen) {
            entry.*field.field = chosen;
            markModified();
        }
        list()->SetItemText(list()->GetFirstSelectedItem(), field.column,
                            cellText(field.column, entry));
    }
}
