#include "ui/dialogs/TestResultsDlg.h"

#include <QListWidget>

#include "ui/ResourceIds.h"

CTestResultsDlg::CTestResultsDlg() : Dialog(IDD_TEST_RESULTS) {}

QListWidget* CTestResultsDlg::list() const {
    return control<QListWidget>(IDC_TEST_RESULTS_LIST);
}

void CTestResultsDlg::setLines(const std::vector<std::string>& lines) {
    QListWidget* box = list();
    box->clear();
    for (const std::string& line : lines) {
        box->addItem(QString::fromStdString(line));
    }
}
