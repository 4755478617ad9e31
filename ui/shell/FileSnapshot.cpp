#include "ui/shell/FileSnapshot.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QFile>
#include <array>
#include <cerrno>

FileSnapshot FileSnapshot::of(const QString& path) {
    FileSnapshot snapshot;
    // Not blocking, so that a pipe put in the file's place cannot hold the editor.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        snapshot.state = errno == ENOENT || errno == ENOTDIR ? State::Missing : State::Unreadable;
        return snapshot;
    }
    snapshot.state = State::Unreadable;
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        std::array<char, 1 << 16> buffer{};
        ssize_t count = 0;
        qint64 total = 0;
        while ((count = ::read(fd, buffer.data(), buffer.size())) > 0 ||
               (count < 0 && errno == EINTR)) {
            if (count > 0) {
                hash.addData(QByteArrayView(buffer.data(), count));
                total += count;
            }
        }
        if (count == 0) {
            snapshot.state = State::Read;
            snapshot.size = total;
            snapshot.hash = hash.result();
        }
    }
    ::close(fd);
    return snapshot;
}
