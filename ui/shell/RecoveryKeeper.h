#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QTimer>

#include "ui/shell/RecoveryWriter.h"

class CTolvaneDoc;
class RecoveryStore;
class ResourceLibrary;
struct FileSnapshot;

namespace framework {
class FrameWindow;
}

// Keeps a recovery copy of unsaved work in the store: written after two seconds without input,
// and at most every 30 seconds while input goes on, for as long as the library has unsaved
// changes; removed once it has none (saved, New, Open, every change undone) and when the
// editor ends cleanly. The library is written into memory on the user interface's thread;
// the file is written on a thread of its own.
class RecoveryKeeper : public QObject {
    Q_OBJECT

public:
    static constexpr int kQuietMilliseconds = 2000;
    static constexpr int kLongestMilliseconds = 30000;

    RecoveryKeeper(framework::FrameWindow& frame, CTolvaneDoc& document, RecoveryStore& store);
    // Removes the copy: the editor ends cleanly.
    ~RecoveryKeeper() override;

    // Writes the copy now.
    void writeCopy();
    // Waits until the copy on disk is as last asked.
    void finishWriting() { writer.finish(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void documentChanged();

    CTolvaneDoc& doc;
    RecoveryStore& store;
    QTimer quiet;
    QTimer longest;
    // The copy may be on disk: written, or taken over from an editor that crashed.
    bool copyOnDisk = true;
    RecoveryWriter writer;
};

// The recovery copy of library, as of now, for the file path whose bytes were file when the
// editor last read or wrote it.
QByteArray recoveryCopyOf(const ResourceLibrary& library, const QString& path,
                          const FileSnapshot& file);
