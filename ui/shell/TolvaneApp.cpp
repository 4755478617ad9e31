#include "ui/shell/TolvaneApp.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

#include "framework/DocTemplate.h"
#include "framework/PrintSupport.h"
#include "framework/Resources.h"
#include "framework/StandardIds.h"
#include "ui/ResourceIds.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/shell/InstanceChannel.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/RecoveryKeeper.h"
#include "ui/shell/RecoveryOffer.h"
#include "ui/shell/RecoveryStore.h"
#include "ui/shell/TolvaneDoc.h"
#include "ui/texture_editor/DragGesture.h"

namespace {

constexpr int kRecentFiles = 16;

}  // namespace

CTolvaneApp::CTolvaneApp(QString channelName, QString recoveryFolder)
    : channelName(std::move(channelName)),
      recent(kRecentFiles),
      recoveryFolder(std::move(recoveryFolder)) {
    onCommand(framework::ID_APP_ABOUT, [this] { OnAppAbout(); });
    onCommand(framework::ID_FILE_PRINT_SETUP, [this] { framework::printerSetup(mainWindow()); });
    onCommand(framework::ID_APP_EXIT, [this] {
        if (mainWindow() != nullptr) {
            mainWindow()->close();
        }
    });
    onCommandRange(framework::ID_FILE_MRU_FIRST, framework::ID_FILE_MRU_LAST,
                   [this](int id) { openRecentFile(id); });
}

CTolvaneApp::~CTolvaneApp() = default;

CTolvaneApp* CTolvaneApp::instance() {
    return dynamic_cast<CTolvaneApp*>(Application::instance());
}

bool CTolvaneApp::InitInstance(const QStringList& arguments) {
    translator = std::make_unique<QTranslator>();
    if (translator->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator.get());
    }
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(
        framework::Resources::LoadString(framework::AFX_IDS_APP_TITLE));
    QApplication::setQuitOnLastWindowClosed(false);
    recent.load();

    auto docTemplate = std::make_unique<framework::SingleDocTemplate>(
        framework::DocumentString::parse(framework::Resources::LoadString(IDR_MAINFRAME)),
        [] { return std::make_unique<CTolvaneDoc>(); },
        [](framework::Document& document) { return std::make_unique<CMainFrame>(document); });
    docTemplate->fileUsed = [this](const QString& path) { recent.add(path); };
    AddDocTemplate(std::move(docTemplate));

    // Absolute, so that a running editor handed the path opens the same file.
    const QString path =
        arguments.value(0).isEmpty() ? QString() : QFileInfo(arguments[0]).absoluteFilePath();
    if (!channelName.isEmpty()) {
        if (!path.isEmpty() && passToRunningInstance(channelName, path)) {
            handedOver = true;
            return false;
        }
        server = std::make_unique<InstanceServer>();
        QObject::connect(server.get(), &InstanceServer::fileRequested,
                         [this](const QString& file) { openHandedOverFile(file); });
        server->listen(channelName);
    }

    if (OpenDocumentFile(path) == nullptr) {
        return false;
    }
    mainWindow()->showMaximized();
    startRecovery();
    return true;
}

// Without a usable folder the editor runs without recovery copies, and says so.
void CTolvaneApp::startRecovery() {
    if (recoveryFolder.isEmpty()) {
        return;
    }
    recoveryStore = std::make_unique<RecoveryStore>(recoveryFolder);
    if (!recoveryStore->usable()) {
        qWarning("tolvane: keine Wiederherstellungskopien: %s",
                 qUtf8Printable(recoveryStore->problem()));
        recoveryStore.reset();
        return;
    }
    offerRecoveryCopies(*recoveryStore, *currentDocument);
    keeper = std::make_unique<RecoveryKeeper>(*mainWindow(), *currentDocument, *recoveryStore);
}

void CTolvaneApp::openHandedOverFile(const QString& path) {
    QWidget* frame = mainWindow();
    if (frame != nullptr && DragGesture::anyRunning()) {
        DragGesture::afterGesture(frame, [this, path] { openHandedOverFile(path); });
        return;
    }
    auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (frame != nullptr && modal != nullptr) {
        QObject::connect(
            modal, &QDialog::finished, frame,
            [this, frame, path] {
                QTimer::singleShot(0, frame, [this, path] { openHandedOverFile(path); });
            },
            Qt::SingleShotConnection);
        return;
    }
    if (frame != nullptr) {
        frame->activateWindow();
        frame->raise();
    }
    OpenDocumentFile(path);
}

void CTolvaneApp::OnAppAbout() {
    CAboutDlg about(mainWindow());
    about.DoModal();
}

void CTolvaneApp::frameClosed() {
    QCoreApplication::quit();
}

// An entry that no longer opens leaves the list.
void CTolvaneApp::openRecentFile(int id) {
    const int index = id - framework::ID_FILE_MRU_FIRST;
    if (index >= recent.files().size()) {
        return;
    }
    const QString path = recent.files()[index];
    if (OpenDocumentFile(path) == nullptr) {
        recent.remove(recent.files().indexOf(path));
    }
}
