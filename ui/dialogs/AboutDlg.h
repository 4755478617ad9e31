#pragma once

#include "framework/Dialog.h"

// "Info über Tolvane": the icon, the name and the version.
class CAboutDlg : public framework::Dialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);

protected:
    bool OnInitDialog() override;
};
