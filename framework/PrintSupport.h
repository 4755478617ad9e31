#pragma once

#include <QPainter>
#include <functional>

class QPrinter;
class QWidget;

// Printing a view: the print dialog (or straight to the printer), the preview, and the
// printer set-up, on one printer shared by the application so that its settings stay.

namespace framework {

// Draws the pages of a view on the printer; a view that draws nothing gives an empty page.
using PagePainter = std::function<void(QPainter& painter, QPrinter& printer)>;

QPrinter& sharedPrinter();
void printPages(QWidget* owner, const PagePainter& paint, bool askFirst = true);
void previewPages(QWidget* owner, const PagePainter& paint);
void printerSetup(QWidget* owner);

}  // namespace framework
