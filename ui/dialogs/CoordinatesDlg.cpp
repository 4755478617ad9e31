#include "ui/dialogs/CoordinatesDlg.h"

#include <QWidget>

#include "framework/ComboBox.h"
#include "framework/DataExchange.h"
#include "framework/NumberText.h"
#include "ui/LibraryText.h"
#include "ui/ResourceIds.h"
#include "ui/shell/TolvaneDoc.h"

namespace {

// The offset and stretch edits keep what the user typed: one is rewritten only when its text
// does not read as the value it stands for (an unreadable text is repaired that way).
void DDX_TypedText(framework::DataExchange& exchange, int id, float& value) {
    if (!exchange.isSaving()) {
        const auto shown = framework::parseFloatText(framework::controlText(exchange.control(id)));
        if (shown && *shown == value) {
            return;
        }
    }
    framework::DDX_Text(exchange, id, value);
}

}  // namespace

CCoordinatesDlg::CCoordinatesDlg(QWidget* parent) : Dialog(IDD_COORDINATES, parent) {
    textureList = control<framework::ComboBox>(IDC_TEXTURE);
    onRule(IDC_X1, [this] { changeRectangle(&CCoordinatesDlg::applyX1); });
    onRule(IDC_Y1, [this] { changeRectangle(&CCoordinatesDlg::applyY1); });
    onRule(IDC_X2, [this] { changeRectangle(&CCoordinatesDlg::applyX2); });
    onRule(IDC_Y2, [this] { changeRectangle(&CCoordinatesDlg::applyY2); });
    onRule(IDC_WIDTH, [this] { changeRectangle(&CCoordinatesDlg::applyWidth); });
    onRule(IDC_HEIGHT, [this] { changeRectangle(&CCoordinatesDlg::applyHeight); });
    onRule(IDC_OFFSET_X, [this] {
        UpdateData(true);
        workingArea.offsetX = offsetX;
    });
    onRule(IDC_OFFSET_Y, [this] {
        UpdateData(true);
        workingArea.offsetY = offsetY;
    });
    onRule(IDC_STRETCH_X, [this] {
        UpdateData(true);
        workingArea.stretchX = stretchX;
    });
    onRule(IDC_STRETCH_Y, [this] {
        UpdateData(true);
        workingArea.stretchY = stretchY;
    });
    onSelectionChange(IDC_TEXTURE, [this] {
        OnSelectTexture();
        emit workingAreaChanged();
    });
}

// A rule may rewrite several edits; the change is told once, when the rule is done.
void CCoordinatesDlg::onRule(int editId, std::function<void()> rule) {
    onEditChange(editId, [this, rule = std::move(rule)] {
        rule();
        emit workingAreaChanged();
    });
}

void CCoordinatesDlg::DoDataExchange(framework::DataExchange& exchange) {
    framework::DDX_Text(exchange, IDC_X1, x1);
    framework::DDX_Text(exchange, IDC_Y1, y1);
    framework::DDX_Text(exchange, IDC_X2, x2);
    framework::DDX_Text(exchange, IDC_Y2, y2);
    framework::DDX_Text(exchange, IDC_WIDTH, width);
    framework::DDX_Text(exchange, IDC_HEIGHT, height);
    DDX_TypedText(exchange, IDC_OFFSET_Y, offsetY);
    DDX_TypedText(exchange, IDC_OFFSET_X, offsetX);
    DDX_TypedText(exchange, IDC_STRETCH_Y, stretchY);
    DDX_TypedText(exchange, IDC_STRETCH_X, stretchX);
}

bool CCoordinatesDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    x1 = workingArea.x1;
    y1 = workingArea.y1;
    x2 = workingArea.x2;
    y2 = workingArea.y2;
    offsetX = workingArea.offsetX;
    offsetY = workingArea.offsetY;
    stretchX = workingArea.stretchX;
    stretchY = workingArea.stretchY;
    width = workingArea.x2 - workingArea.x1;
    height = workingArea.y2 - workingArea.y1;
    fillTextureList();
    UpdateData(false);
    if (QWidget* first = GetDlgItem(IDC_X1)) {
        first->setFocus(Qt::OtherFocusReason);
    }
    return true;
}

// One entry per texture in table order, its id as the entry's value; of several textures
// with the area's id the last one is selected.
void CCoordinatesDlg::fillTextureList() {
    if (currentDocument == nullptr || textureList == nullptr) {
        return;
    }
    int selected = -1;
    for (const auto& texture : currentDocument->library.textures) {
        const int index = textureList->AddString(fromLibraryText(texture->path));
        textureList->SetItemData(index, texture->id);
        if (texture->id == workingArea.textureId) {
            selected = index;
        }
    }
    textureList->SetCurSel(selected);
}

// A rejected text keeps its display value, the change completes with the values read, and
// rewriting the edits puts the last valid value back into the rejected one.
void CCoordinatesDlg::changeRectangle(void (CCoordinatesDlg::*apply)()) {
    UpdateData(true);
    (this->*apply)();
    UpdateData(false);
}

void CCoordinatesDlg::applyX1() {
    workingArea.x1 = x1;
    width = x2 - x1;
}

void CCoordinatesDlg::applyY1() {
    workingArea.y1 = y1;
    height = y2 - y1;
}

void CCoordinatesDlg::applyX2() {
    workingArea.x2 = x2;
    width = x2 - x1;
}

void CCoordinatesDlg::applyY2() {
    workingArea.y2 = y2;
    height = y2 - y1;
}

void CCoordinatesDlg::applyWidth() {
    x2 = x1 + width;
    workingArea.x2 = x2;
}

void CCoordinatesDlg::applyHeight() {
    y2 = y1 + height;
    workingArea.y2 = y2;
}

void CCoordinatesDlg::OnSelectTexture() {
    const int selected = textureList->GetCurSel();
    if (selected != -1) {
        workingArea.textureId = static_cast<std::int32_t>(textureList->GetItemData(selected));
    }
}
