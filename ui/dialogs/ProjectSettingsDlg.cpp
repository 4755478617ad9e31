#include "ui/dialogs/ProjectSettingsDlg.h"

#include <QPushButton>

#include "framework/DataExchange.h"
#include "framework/StandardIds.h"
#include "ui/LibraryText.h"
#include "ui/ResourceIds.h"
#include "ui/shell/TolvaneDoc.h"

namespace {

// Writes value into field, marking the document modified when that changes the library.
template <typename Value>
void store(Value& field, const Value& value) {
    if (field != value) {
        field = value;
        currentDocument->SetModifiedFlag();
    }
}

}  // namespace

CProjectSettingsDlg::CProjectSettingsDlg(QWidget* parent) : Dialog(IDD_PROJECT_SETTINGS, parent) {
    onEditChange(IDC_PROJECT_NAME, [this] { OnNameChange(); });
    onEditChange(IDC_PROJECT_ID_START, [this] { OnIdStartChange(); });
    onEditChange(IDC_PROJECT_RESOURCE_PATH, [this] { OnResourcePathChange(); });
}

ResourceLibrary& CProjectSettingsDlg::library() const {
    return currentDocument->library;
}

void CProjectSettingsDlg::DoDataExchange(framework::DataExchange& exchange) {
    framework::DDX_Text(exchange, IDC_PROJECT_NAME, nameValue);
    framework::DDX_Text(exchange, IDC_PROJECT_ID_START, idStartValue);
    framework::DDX_Text(exchange, IDC_PROJECT_RESOURCE_PATH, resourcePathValue);
}

bool CProjectSettingsDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    nameValue = fromLibraryText(library().name);
    idStartValue = library().idStart;
    resourcePathValue = fromLibraryText(library().resourcePath);
    UpdateData(false);
    control<QPushButton>(framework::IDOK)->setFocus(Qt::OtherFocusReason);
    return true;
}

// Each change reads all three edits; a rejected id start is told and keeps its value, and
// the others are read all the same.
void CProjectSettingsDlg::OnNameChange() {
    UpdateData(true);
    store(library().name, toLibraryText(nameValue));
}

void CProjectSettingsDlg::OnIdStartChange() {
    UpdateData(true);
    store(library().idStart, idStartValue);
}

void CProjectSettingsDlg::OnResourcePathChange() {
    UpdateData(true);
    store(library().resourcePath, toLibraryText(resourcePathValue));
}
