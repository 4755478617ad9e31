#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "framework/Document.h"
#include "library/uiresourcecontrol.h"
#include "persistence/hresult.h"

class CTestResultsDlg;
class LibraryHistory;
class OutsideChanges;
struct FileSnapshot;
struct LibraryReadReport;

// The editor's one document: the library being edited, its open, backup and save cycle with
// the save guards, the outcome of the last library check, and the library commands.
class CTolvaneDoc : public framework::Document {
public:
    // Hint of UpdateAllViews: the library's records are about to be replaced, or the last
    // resource removed, so views let go of every record they refer to.
    static constexpr int kHintRecordsReplaced = 1;

    CTolvaneDoc();
    ~CTolvaneDoc() override;

    bool OnNewDocument() override;
    bool OnOpenDocument(const QString& path) override;
    bool OnSaveDocument(const QString& path) override;
    // Opens restored, a library brought back from a recovery copy, as changed and belonging
    // to path (empty for a library never saved), whose file held file when the work was done.
    void OpenRestored(ResourceLibrary& restored, const QString& path, const FileSnapshot& file);

    // Reads the library file at path into target (opened for reading alone; a pipe, a device
    // or a socket is refused); report, when given, says whether the file was read in full.
    HRESULT ReadLibraryFile(const QString& path, ResourceLibrary& target,
                            LibraryReadReport* report = nullptr);
    // Writes the library to path; a failure is told to the user.
    HRESULT WriteLibraryFile(const QString& path);
    // Writes the library as the backup of an opened file to path, never through a link or
    // into anything but a regular file, and an existing file only when replaceExisting is
    // set. The status bar says why when something else stands there; a failed write is told
    // to the user, a backup that cannot be created is not.
    HRESULT WriteBackupFile(const QString& path, bool replaceExisting);

    void OnTestLibrary();
    void RunLibraryCheck();
    void OnCreateHeader();
    void OnUpdateNeedsResources(framework::CommandUI& ui);

    // The resource commands: each changes the resource list, rebuilds the tree and selects
    // the new resource, or after a delete the last one.
    void OnNewResource();
    void OnCopyResource();
    void OnDeleteResource();
    // The dialogs that edit the texture table and the header fields in place.
    void OnTextureLibrary();
    void OnProjectSettings();
    // The id of the next new resource: idStart plus the number of resources, wrapping at 32
    // bits. It may equal an id in use; the library check reports that.
    std::int32_t NextResourceId() const;
    // The position of resource in the library's list, or -1 when it is not there.
    int IndexOf(const UiResource* resource) const;

    // The library's undo and redo, where no edit has its own.
    void OnUpdateUndo(framework::CommandUI& ui);
    void OnUpdateRedo(framework::CommandUI& ui);
    void OnUndo();
    void OnRedo();

    std::unique_ptr<CTestResultsDlg> resultsWindow;
    ResourceLibrary library;
    // Every change of the library, undoable; it decides the modified flag.
    std::unique_ptr<LibraryHistory> history;
    // Notices when another program changes the library's file.
    std::unique_ptr<OutsideChanges> outsideChanges;
    std::int32_t errorCount = -1;  // -1: no check has run in this session
    std::int32_t warningCount = -1;

private:
    // Swaps the records of source in once no view refers to the old ones.
    void replaceLibrary(ResourceLibrary& source);
    // Appends resource to the library as the step nameId and selects it in the tree.
    void appendResource(std::unique_ptr<UiResource> resource, int nameId);
};

// The one document, while it exists.
extern CTolvaneDoc* currentDocument;
