#pragma once

#include <string>
#include <vector>

#include "framework/Dialog.h"

class QListWidget;

// The modeless window "GUI Ressourcen testen" that lists the lines of the last library
// check. "OK", Esc and the close box only hide it; the document owns it.
class CTestResultsDlg : public framework::Dialog {
    Q_OBJECT

public:
    CTestResultsDlg();

    QListWidget* list() const;
    // Replaces the lines (UTF-8) with these, in order.
    void setLines(const std::vector<std::string>& lines);
};
