#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <optional>

#include "ui/shell/FileSnapshot.h"
#include "ui/shell/LibraryFileWatch.h"
#include "ui/shell/OutsideChangeBar.h"

class CTolvaneDoc;

// What the editor does when another program changes the open library's file. It keeps what
// the file held when the editor last read or wrote it, and whenever the watch says the file
// may have changed it compares: the editor's own writes never count. A changed file is read
// anew as the step "Neu geladen" while the library has no unsaved changes; otherwise, and
// when the file was deleted, a bar at the top of the main window asks what to do.
class OutsideChanges : public QObject {
    Q_OBJECT

public:
    explicit OutsideChanges(CTolvaneDoc& document);
    ~OutsideChanges() override;

    // The editor has just read or written the library's file at path (empty: the library has
    // no file): that is what the file is from now on.
    void fileReadOrWritten(const QString& path);
    // The library belongs to path, which held file when the editor last read or wrote it; the
    // bar says so at once if it holds something else now.
    void follow(const QString& path, const FileSnapshot& file);
    // What path held when the editor last read or wrote it.
    const FileSnapshot& knownFile() const { return known; }
    // Whether saving to path would replace bytes that the editor never read: path is the
    // library's file and holds other bytes than the editor last read or wrote.
    bool changedOnDisk(const QString& path) const;

    LibraryFileWatch& watch() { return fileWatch; }
    // The bar, once it has been shown.
    OutsideChangeBar* bar() const { return changeBar; }

private:
    // From now on the file is taken to hold file.
    void track(const FileSnapshot& file);
    // The watch settled: compares the file with what the editor knows of it.
    void examine();
    // Reads the file anew into the library as one step, which becomes the saved state. False
    // when it could not be read in full, or changed while it was read.
    bool reload();
    void reloadChosen();
    void keepChosen();
    // Shows the bar for the file as it is now: changed, or deleted.
    void showBar(const FileSnapshot& now);
    void hideBar();

    CTolvaneDoc& doc;
    LibraryFileWatch fileWatch;
    FileSnapshot known;
    // What the file held when the user chose to keep the library as it is.
    std::optional<FileSnapshot> kept;
    QPointer<OutsideChangeBar> changeBar;
    FileSnapshot announced;  // what the file held when the bar was last shown
    // Looks again while a reload waits for a modal window to close.
    QTimer retry;
    bool waitingForGesture = false;
};
