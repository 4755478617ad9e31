#include "framework/Dialog.h"

#include <QPushButton>

#include "framework/Application.h"
#include "framework/DialogUnits.h"
#include "framework/FrameWindow.h"
#include "framework/ModalWindow.h"
#include "framework/Resources.h"
#include "framework/StandardIds.h"

namespace framework {

namespace {

ModalDialogHandler& modalHandler() {
    static ModalDialogHandler value;
    return value;
}

}  // namespace

class Dialog::MainWindowLoan {
public:
    explicit MainWindowLoan(Dialog& dialog) : dialog(dialog) {
        Application* application = Application::instance();
        if (dialog.parentWidget() == nullptr && application != nullptr &&
            application->mainWindow() != nullptr) {
            dialog.setParent(application->mainWindow(), dialog.windowFlags());
            lent = true;
        }
    }
    ~MainWindowLoan() {
        if (lent) {
            dialog.setParent(nullptr, dialog.windowFlags());
        }
    }
    MainWindowLoan(const MainWindowLoan&) = delete;
    MainWindowLoan& operator=(const MainWindowLoan&) = delete;

private:
    Dialog& dialog;
    bool lent = false;
};

ModalDialogHandler setModalDialogHandler(ModalDialogHandler handler) {
    return std::exchange(modalHandler(), std::move(handler));
}

Dialog::Dialog(int templateId, QWidget* parent) : QDialog(parent) {
    // A caption with the system menu and the close box, nothing more.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    const DialogTemplate& dialogTemplate = Resources::dialog(templateId);
    setWindowTitle(dialogTemplate.title);
    buildControls(this, dialogTemplate);
    const DialogUnits units(font());
    setFixedSize(units.toPixelsX(dialogTemplate.rect.width()),
                 units.toPixelsY(dialogTemplate.rect.height()));
    if (auto* ok = control<QPushButton>(IDOK)) {
        connect(ok, &QPushButton::clicked, this, [this] { OnOK(); });
    }
    if (auto* cancel = control<QPushButton>(IDCANCEL)) {
        connect(cancel, &QPushButton::clicked, this, [this] { OnCancel(); });
    }
}

int Dialog::DoModal() {
    announceModalWindow();
    const MainWindowLoan loan(*this);
    modal = true;
    setResult(IDCANCEL);
    OnInitDialog();
    int result = IDCANCEL;
    if (const ModalDialogHandler handler = modalHandler()) {
        setModal(true);
        show();
        handler(*this);
        if (isVisible()) {
            done(IDCANCEL);
        }
        result = this->result();
    } else {
        result = exec();
    }
    modal = false;
    return result == IDOK ? IDOK : IDCANCEL;
}

bool Dialog::Create() {
    modal = false;
    setModal(false);
    return OnInitDialog();
}

void Dialog::EndDialog(int result) {
    if (modal) {
        done(result);
    } else {
        hide();
    }
}

bool Dialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void Dialog::OnOK() {
    if (UpdateData(true)) {
        EndDialog(IDOK);
    }
}

void Dialog::OnCancel() {
    EndDialog(IDCANCEL);
}

// Enter reaches the dialog as accept, Esc and the close box as reject.
void Dialog::accept() {
    OnOK();
}

void Dialog::reject() {
    OnCancel();
}

}  // namespace framework
