#pragma once

#include <QByteArray>
#include <QString>

// What a file on disk holds, as far as telling the editor's own writes from another
// program's needs: whether it is there, its size and a hash of its bytes. Times are not
// compared: an identical rewrite or a touch changes the time but not the library, and an
// unchanged time does not prove unchanged bytes.
struct FileSnapshot {
    enum class State { Missing, Unreadable, Read };

    State state = State::Missing;
    qint64 size = 0;
    QByteArray hash;  // SHA-256 of the bytes, when read

    // Reads the regular file at path (a link is followed) without ever blocking on a pipe or
    // a device; anything but a regular file counts as unreadable.
    static FileSnapshot of(const QString& path);

    bool exists() const { return state != State::Missing; }
    // Both were read and hold the same bytes.
    bool sameBytes(const FileSnapshot& other) const {
        return state == State::Read && other.state == State::Read && size == other.size &&
               hash == other.hash;
    }
};
