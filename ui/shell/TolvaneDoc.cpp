#include "ui/shell/TolvaneDoc.h"

#include <QFile>

#include "document/DocumentMessages.h"
#include "document/FileFailureText.h"
#include "document/HeaderExport.h"
#include "document/LibraryCheck.h"
#include "framework/Application.h"
#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/StandardIds.h"
#include "library/LibraryFile.h"
#include "persistence/trace.h"
#include "ui/ResourceIds.h"
#include "ui/dialogs/TestResultsDlg.h"
#include "ui/history/LibraryHistory.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/OutsideChanges.h"
#include "ui/shell/PartialLibraryWarning.h"
#include "ui/shell/TolvaneView.h"
#include "ui/texture_editor/AreaCommands.h"
#include "ui/texture_editor/DragGesture.h"
#include "ui/texture_editor/NineSliceCommands.h"

CTolvaneDoc* currentDocument = nullptr;

namespace {

constexpr const char* kSource = "ui\\TolvaneDoc.cpp";
constexpr int kBackupLine = 110;

const QString kMissingCheckQuestion = QStringLiteral(
    "Die GUI Bibliothek wurde in dieser Sitzung noch nicht geprüft!\n"
    "Wollen Sie trotzdem speichern?");
const QString kRemainingErrorsQuestion = QStringLiteral(
    "Es sind noch Fehler in der GUI Bibliothek vorhanden!\nWollen Sie trotzdem speichern?");
const QString kChangedOnDiskQuestion =
    QStringLiteral("Die Datei wurde außerhalb von Tolvane geändert. Trotzdem speichern?");

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace

CTolvaneDoc::CTolvaneDoc() {
    currentDocument = this;
    resultsWindow = std::make_unique<CTestResultsDlg>();
    resultsWindow->Create();
    history = std::make_unique<LibraryHistory>(*this);
    outsideChanges = std::make_unique<OutsideChanges>(*this);

    onCommand(ID_TEST_LIBRARY, [this] { OnTestLibrary(); });
    onCommand(ID_CREATE_HEADER, [this] { OnCreateHeader(); });
    onUpdate(ID_TEST_LIBRARY, [this](framework::CommandUI& ui) { OnUpdateNeedsResources(ui); });
    onUpdate(ID_CREATE_HEADER, [this](framework::CommandUI& ui) { OnUpdateNeedsResources(ui); });
    onCommand(ID_NEW_RESOURCE, [this] { OnNewResource(); });
    onCommand(ID_COPY_RESOURCE, [this] { OnCopyResource(); });
    onCommand(ID_DELETE_RESOURCE, [this] { OnDeleteResource(); });
    onCommand(ID_TEXTURE_LIBRARY, [this] { OnTextureLibrary(); });
    onCommand(ID_PROJECT_SETTINGS, [this] { OnProjectSettings(); });
    onUpdate(framework::ID_EDIT_UNDO, [this](framework::CommandUI& ui) { OnUpdateUndo(ui); });
    onUpdate(framework::ID_EDIT_REDO, [this](framework::CommandUI& ui) { OnUpdateRedo(ui); });
    onCommand(framework::ID_EDIT_UNDO, [this] { OnUndo(); });
    onCommand(framework::ID_EDIT_REDO, [this] { OnRedo(); });
    // Where no edit has the clipboard, it copies, cuts and pastes the selected areas.
    for (const int id :
         {framework::ID_EDIT_COPY, framework::ID_EDIT_CUT, framework::ID_EDIT_PASTE}) {
        onUpdate(id, UpdateAreaClipboardCommand);
        onCommand(id, [id] { RunAreaClipboardCommand(id); });
    }
    for (const int id :
         {ID_ALIGN_LEFT, ID_ALIGN_RIGHT, ID_ALIGN_TOP, ID_ALIGN_BOTTOM, ID_CENTRE_HORIZONTALLY,
          ID_CENTRE_VERTICALLY, ID_DISTRIBUTE_HORIZONTALLY, ID_DISTRIBUTE_VERTICALLY}) {
        onUpdate(id, UpdateArrangeCommand);
        onCommand(id, [id] { RunArrangeCommand(id); });
    }
    for (const int id : {ID_SLICE_GRID, ID_SLICE_AUTO}) {
        onUpdate(id, UpdateSliceCommand);
        onCommand(id, [id] { RunSliceCommand(id); });
    }
    for (const int id : {ID_NINE_SLICE, ID_NINE_SLICE_RESIZE}) {
        onUpdate(id, UpdateNineSliceCommand);
        onCommand(id, [id] { RunNineSliceCommand(id); });
    }
}

CTolvaneDoc::~CTolvaneDoc() {
    outsideChanges.reset();
    history.reset();
    resultsWindow.reset();
    currentDocument = nullptr;
}

void CTolvaneDoc::replaceLibrary(ResourceLibrary& source) {
    // A gesture on the texture would end on records that are gone.
    DragGesture::cancelRunning();
    UpdateAllViews(nullptr, kHintRecordsReplaced);
    library.swap(source);
}

bool CTolvaneDoc::OnNewDocument() {
    if (!Document::OnNewDocument()) {
        return false;
    }
    ResourceLibrary empty;
    replaceLibrary(empty);
    history->reset();
    outsideChanges->fileReadOrWritten(QString());
    return true;
}

bool CTolvaneDoc::OnOpenDocument(const QString& path) {
    // The framework's part clears the flag before the file is read; a failed read keeps the
    // open library, and with it whether it holds unsaved changes.
    const bool wasModified = IsModified();
    // A pipe without a writer would block the editor and a device never end: refused before
    // anything opens them.
    if (const HRESULT special = refuseSpecialFile(localPath(path)); FAILED(special)) {
        framework::AfxMessageBox(QString::fromStdString(loadFailedText(special)));
        return false;
    }
    if (!Document::OnOpenDocument(path)) {
        return false;
    }
    // Read into a library of its own, so that a failure leaves the open one as it was. The
    // header fields start from the open library's, as a file cut short keeps those.
    ResourceLibrary read;
    read.idStart = library.idStart;
    read.name = library.name;
    read.resourcePath = library.resourcePath;
    LibraryReadReport report;
    if (const HRESULT result = ReadLibraryFile(path, read, &report); FAILED(result)) {
        framework::AfxMessageBox(QString::fromStdString(loadFailedText(result)));
        SetModifiedFlag(wasModified);
        return false;
    }
    replaceLibrary(read);
    history->reset();

    // A library cut short is shown as far as it goes, and never replaces an existing backup.
    const QString backupPath = path + QStringLiteral("_save");
    const QString partial = partialLibraryWarning(path, report);
    const HRESULT backup = WriteBackupFile(backupPath, partial.isEmpty());
    if (!partial.isEmpty()) {
        framework::AfxMessageBox(partial);
    }
    if (currentTreeView != nullptr) {
        currentTreeView->RebuildTree();
    }
    ASSERT_HRESULT(backup, kSource, kBackupLine);
    outsideChanges->fileReadOrWritten(path);
    return true;
}

bool CTolvaneDoc::OnSaveDocument(const QString& path) {
    // Asked once for each change of the file: a save that goes ahead makes the file the
    // editor's again.
    if (outsideChanges->changedOnDisk(path) &&
        framework::AfxMessageBox(kChangedOnDiskQuestion, framework::MessageButtons::YesNo) !=
            framework::IDYES) {
        return false;
    }
    bool goAhead = true;
    if (errorCount == -1) {
        goAhead = framework::AfxMessageBox(kMissingCheckQuestion,
                                           framework::MessageButtons::YesNo) == framework::IDYES;
    } else if (errorCount > 0) {
        goAhead = framework::AfxMessageBox(kRemainingErrorsQuestion,
                                           framework::MessageButtons::YesNo) == framework::IDYES;
    }
    // A declined question is no success: the framework keeps the old path and title, and the
    // document stays modified.
    if (!goAhead || FAILED(WriteLibraryFile(path))) {
        return false;
    }
    history->markSaved();
    outsideChanges->fileReadOrWritten(path);
    return Document::OnSaveDocument(path);
}

void CTolvaneDoc::OpenRestored(ResourceLibrary& restored, const QString& path,
                               const FileSnapshot& file) {
    replaceLibrary(restored);
    history->reset();
    history->markUnsaved();
    SetPathName(path);
    outsideChanges->follow(path, file);
    SendInitialUpdate();
}

HRESULT CTolvaneDoc::ReadLibraryFile(const QString& path, ResourceLibrary& target,
                                     LibraryReadReport* report) {
    // Also where the file was replaced by a pipe since it was opened.
    const std::string file = localPath(path);
    const HRESULT special = refuseSpecialFile(file);
    return FAILED(special) ? special : loadLibraryFile(file, target, report);
}

HRESULT CTolvaneDoc::WriteLibraryFile(const QString& path) {
    const HRESULT result = saveLibraryFile(localPath(path), library);
    if (FAILED(result)) {
        framework::AfxMessageBox(QString::fromUtf8(kSaveFailedMessage));
    }
    return result;
}

HRESULT CTolvaneDoc::WriteBackupFile(const QString& path, bool replaceExisting) {
    BackupObstacle obstacle = BackupObstacle::None;
    LibrarySaveFailure failure = LibrarySaveFailure::None;
    HRESULT result = S_OK;
    if (replaceExisting || !QFile::exists(path)) {
        result = saveLibraryBackup(localPath(path), library, &obstacle, &failure);
    }
    if (failure == LibrarySaveFailure::Write) {
        framework::AfxMessageBox(QString::fromUtf8(kSaveFailedMessage));
    }
    if (auto* frame = qobject_cast<CMainFrame*>(framework::Application::instance()->mainWindow())) {
        frame->SetMessageText(
            QString::fromStdString(backupObstacleText(path.toStdString(), obstacle)));
    }
    return result;
}

void CTolvaneDoc::OnTestLibrary() {
    resultsWindow->show();
    resultsWindow->raise();
    resultsWindow->activateWindow();
    RunLibraryCheck();
}

void CTolvaneDoc::RunLibraryCheck() {
    const LibraryCheckResult result = CheckLibrary(library, localPath(GetPathName()));
    errorCount = result.errorCount;
    warningCount = result.warningCount;
    resultsWindow->setLines(result.lines);
}

void CTolvaneDoc::OnCreateHeader() {
    framework::FileDialogRequest request;
    request.open = false;
    request.fileName = QStringLiteral("unbenannt.h");
    request.filters = {{QStringLiteral("Header File (*.h)"), QStringLiteral("*.h")},
                       {QStringLiteral("All Files (*.*)"), QStringLiteral("*.*")}};
    request.hideReadOnly = true;
    request.fileMustExist = false;
    request.overwritePrompt = false;
    const std::optional<QString> path = framework::runFileDialog(request);
    if (!path) {
        return;
    }
    const HeaderExportResult result = ExportHeader(library, localPath(*path));
    if (result != HeaderExportResult::Ok) {
        framework::AfxMessageBox(QString::fromUtf8(HeaderExportMessage(result)));
    }
}

void CTolvaneDoc::OnUpdateNeedsResources(framework::CommandUI& ui) {
    ui.Enable(library.resourceCount() > 0);
}

void CTolvaneDoc::OnUpdateUndo(framework::CommandUI& ui) {
    history->updateUndo(ui);
}

void CTolvaneDoc::OnUpdateRedo(framework::CommandUI& ui) {
    history->updateRedo(ui);
}

void CTolvaneDoc::OnUndo() {
    history->stack().undo();
}

void CTolvaneDoc::OnRedo() {
    history->stack().redo();
}
