#include "framework/PrintSupport.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "framework/ModalWindow.h"

namespace framework {

namespace {

void paintOn(QPrinter& printer, const PagePainter& paint) {
    QPainter painter(&printer);
    if (paint) {
        paint(painter, printer);
    }
}

}  // namespace

QPrinter& sharedPrinter() {
    static QPrinter printer;
    return printer;
}

void printPages(QWidget* owner, const PagePainter& paint, bool askFirst) {
    QPrinter& printer = sharedPrinter();
    if (askFirst) {
        announceModalWindow();
        QPrintDialog dialog(&printer, owner);
        if (dialog.exec() != QDialog::Accepted) {
            return;
        }
    }
    paintOn(printer, paint);
}

void previewPages(QWidget* owner, const PagePainter& paint) {
    announceModalWindow();
    QPrintPreviewDialog preview(&sharedPrinter(), owner);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&paint](QPrinter* printer) { paintOn(*printer, paint); });
    preview.exec();
}

void printerSetup(QWidget* owner) {
    announceModalWindow();
    QPageSetupDialog dialog(&sharedPrinter(), owner);
    dialog.exec();
}

}  // namespace framework
