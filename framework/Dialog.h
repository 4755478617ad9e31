#pragma once

#include <QDialog>
#include <functional>

#include "framework/ControlHost.h"

namespace framework {

// A dialog made from a template. Modal through DoModal: "OK" (id IDOK) or Enter end it with
// IDOK after a successful exchange, "Abbrechen" (IDCANCEL), Esc or the close box with
// IDCANCEL. A modal dialog made without a parent belongs to the application's main window
// while it runs: centred over it, above it and modal for it. Modeless through Create: it
// starts hidden, and ending it only hides it.
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
    // Lends the dialog to the main window while it runs, if it has no parent of its own.
    class MainWindowLoan;

    bool modal = false;
};

// Runs a modal dialog in place of its message loop: called with the dialog shown, after its
// initialisation; it ends the dialog as a user would (or it is cancelled when it returns).
// Tests install one to answer the dialogs that commands open.
using ModalDialogHandler = std::function<void(Dialog& dialog)>;

// Installs handler (an empty one restores the real loop) and returns the one before.
ModalDialogHandler setModalDialogHandler(ModalDialogHandler handler);

}  // namespace framework
