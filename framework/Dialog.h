#pragma once

#include <QDialog>

#include "framework/ControlHost.h"

namespace framework {

// A dialog made from a template. Modal through DoModal: "OK" (id IDOK) or Enter end it with
// IDOK after a successful exchange, "Abbrechen" (IDCANCEL), Esc or the close box with
// IDCANCEL. Modeless through Create: it starts hidden, and ending it only hides it.
class Dialog : public QDialog, public ControlHost {
    Q_OBJECT

public:
    explicit Dialog(int templateId, QWidget* parent = nullptr);

    int DoModal();
    // Creates the modeless window, hidden.
    bool Create();
    // Ends a modal run with result, or hides a modeless window.
    void EndDialog(int result);

protected:
    // Once the controls exist, before the dialog shows: by default writes the members in.
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    void accept() override;
    void reject() override;

private:
    bool modal = false;
};

}  // namespace framework
