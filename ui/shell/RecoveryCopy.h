#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

#include "ui/shell/FileSnapshot.h"

// A recovery copy of unsaved work: a few lines that say whose work it is, then the library's
// bytes as a save writes them.
//
//   tolvane-recovery 1
//   path <the library's file, percent-encoded; nothing for a library never saved>
//   time <when the copy was written, ISO 8601 in UTC>
//   file <size> <SHA-256 in hex> | file none   (what the file held when last read or written)
//   <an empty line, then the library's bytes>
struct RecoveryCopy {
    QString libraryPath;  // empty for a library never saved
    QDateTime written;
    FileSnapshot file;  // of libraryPath, as the editor last read or wrote it
    QByteArray library;

    QByteArray encode() const;
    // The copy in bytes; none when they are not one.
    static std::optional<RecoveryCopy> decode(const QByteArray& bytes);
};
