#include "ui/shell/RecoveryCopy.h"

#include <QFile>
#include <QList>

namespace {

const QByteArray kFirstLine = "tolvane-recovery 1";

// The value of a line "key value"; none when the line has another key.
std::optional<QByteArray> valueOf(const QByteArray& line, const QByteArray& key) {
    if (line == key) {
        return QByteArray();
    }
    if (!line.startsWith(key + ' ')) {
        return std::nullopt;
    }
    return line.mid(key.size() + 1);
}

std::optional<FileSnapshot> fileFrom(const QByteArray& value) {
    FileSnapshot file;
    if (value == "none") {
        return file;
    }
    const QList<QByteArray> parts = value.split(' ');
    bool sized = false;
    file.size = parts.size() == 2 ? parts[0].toLongLong(&sized) : 0;
    file.hash = QByteArray::fromHex(parts.value(1));
    if (!sized || file.size < 0 || file.hash.size() != 32) {
        return std::nullopt;
    }
    file.state = FileSnapshot::State::Read;
    return file;
}

}  // namespace

QByteArray RecoveryCopy::encode() const {
    QByteArray bytes;
    bytes.reserve(library.size() + 256);
    bytes += kFirstLine + '\n';
    bytes += "path " + QFile::encodeName(libraryPath).toPercentEncoding("/") + '\n';
    bytes += "time " + written.toUTC().toString(Qt::ISODateWithMs).toLatin1() + '\n';
    bytes += file.state == FileSnapshot::State::Read
                 ? "file " + QByteArray::number(file.size) + ' ' + file.hash.toHex() + '\n'
                 : QByteArray("file none\n");
    bytes += '\n';
    bytes += library;
    return bytes;
}

std::optional<RecoveryCopy> RecoveryCopy::decode(const QByteArray& bytes) {
    const qsizetype end = bytes.indexOf("\n\n");
    if (end < 0) {
        return std::nullopt;
    }
    const QList<QByteArray> lines = bytes.left(end).split('\n');
    if (lines.size() != 4 || lines[0] != kFirstLine) {
        return std::nullopt;
    }
    const std::optional<QByteArray> path = valueOf(lines[1], "path");
    const std::optional<QByteArray> time = valueOf(lines[2], "time");
    const std::optional<QByteArray> file = valueOf(lines[3], "file");
    if (!path || !time || !file) {
        return std::nullopt;
    }
    RecoveryCopy copy;
    copy.libraryPath = QFile::decodeName(QByteArray::fromPercentEncoding(*path));
    copy.written = QDateTime::fromString(QString::fromLatin1(*time), Qt::ISODateWithMs);
    const std::optional<FileSnapshot> snapshot = fileFrom(*file);
    if (!copy.written.isValid() || !snapshot) {
        return std::nullopt;
    }
    copy.file = *snapshot;
    copy.library = bytes.mid(end + 2);
    return copy;
}
