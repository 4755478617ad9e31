#include "ui/dialogs/NineSliceResizeDlg.h"

#include <QLabel>
#include <QPushButton>

#include "framework/DataExchange.h"
#include "framework/StandardIds.h"
#include "ui/ResourceIds.h"

CNineSliceResizeDlg::CNineSliceResizeDlg(const NineSliceSet& nineSliceSet, QWidget* parent)
    : Dialog(IDD_NINE_SLICE_RESIZE, parent), set(nineSliceSet) {
    onEditChange(IDC_NINE_SLICE_WIDTH, [this] { recheck(); });
    onEditChange(IDC_NINE_SLICE_HEIGHT, [this] { recheck(); });
}

void CNineSliceResizeDlg::DoDataExchange(framework::DataExchange& exchange) {
    framework::DDX_Text(exchange, IDC_NINE_SLICE_WIDTH, widthText);
    framework::DDX_Text(exchange, IDC_NINE_SLICE_HEIGHT, heightText);
}

bool CNineSliceResizeDlg::OnInitDialog() {
    widthText = QString::number(set.button.width);
    heightText = QString::number(set.button.height);
    Dialog::OnInitDialog();
    auto* problems = control<QLabel>(IDC_NINE_SLICE_PROBLEMS);
    problems->setWordWrap(true);
    problems->setStyleSheet(QStringLiteral("color: #b00000;"));
    recheck();
    return true;
}

void CNineSliceResizeDlg::recheck() {
    UpdateData(true);
    check = CheckNineSliceResize(set, widthText.toStdString(), heightText.toStdString());
    QStringList problems;
    for (const NineSliceProblem& problem : check.problems) {
        problems << QString::fromStdString(problem.message);
    }
    control<QLabel>(IDC_NINE_SLICE_PROBLEMS)->setText(problems.join(QLatin1Char('\n')));
    control<QPushButton>(framework::IDOK)->setEnabled(check.ok());
}

// Enter reaches here with "OK" disabled, too.
void CNineSliceResizeDlg::OnOK() {
    recheck();
    if (check.ok()) {
        Dialog::OnOK();
    }
}
