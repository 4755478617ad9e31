#include "ui/dialogs/AboutDlg.h"

#include <QLabel>

#include "TolvaneVersion.h"
#include "ui/ResourceIds.h"

CAboutDlg::CAboutDlg(QWidget* parent) : Dialog(IDD_ABOUTBOX, parent) {}

// The template's version line names the version the program was built as.
bool CAboutDlg::OnInitDialog() {
    const QString versionLine = QStringLiteral("Tolvane Version ");
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label->text().startsWith(versionLine)) {
            label->setText(versionLine + QString::fromLatin1(kTolvaneVersion));
        }
    }
    return Dialog::OnInitDialog();
}
