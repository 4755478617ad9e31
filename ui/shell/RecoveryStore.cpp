#include "ui/shell/RecoveryStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "ui/shell/PrivateFolder.h"

namespace {

const QString kCopySuffix = QStringLiteral(".recovery");
const QString kLockSuffix = QStringLiteral(".lock");

std::string local(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Makes every missing folder on the way to path with mode 0700 and examines path itself.
std::string makePrivateFolders(const QString& path) {
    const QStringList parts = QDir::cleanPath(path).split(QLatin1Char('/'));
    QString prefix;
    for (qsizetype i = 1; i < parts.size() - 1; ++i) {
        prefix += QLatin1Char('/') + parts[i];
        if (::mkdir(local(prefix).c_str(), S_IRWXU) != 0 && errno != EEXIST) {
            return local(prefix) + ": " + std::strerror(errno);
        }
    }
    return makePrivateFolder(local(QDir::cleanPath(path)));
}

// A name no other running editor uses: the process id and a random part, for ids come again.
QString editorName() {
    return QStringLiteral("%1-%2")
        .arg(QCoreApplication::applicationPid())
        .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'));
}

QString lockOf(const QString& copy) {
    return copy.chopped(kCopySuffix.size()) + kLockSuffix;
}

}  // namespace

QString defaultRecoveryFolder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state)) {  // relative paths are to be ignored
        state = QDir::homePath() + QStringLiteral("/.local/state");
    }
    return state + QStringLiteral("/tolvane/recovery");
}

// Lock files are removed by whoever holds their lock, so a lock taken on a file that has been
// removed meanwhile is worth nothing: the file is opened again until the lock is on the file
// that the name stands for.
std::unique_ptr<RecoveryLock> RecoveryLock::take(const QString& path) {
    const std::string name = local(path);
    for (;;) {
        const int fd =
            ::open(name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, S_IRUSR | S_IWUSR);
        if (fd < 0) {
            return nullptr;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return nullptr;
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(fd, &held) == 0 && ::lstat(name.c_str(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
            return std::unique_ptr<RecoveryLock>(new RecoveryLock(fd, path));
        }
        ::close(fd);
    }
}

RecoveryLock::~RecoveryLock() {
    std::remove(local(path).c_str());
    ::close(fd);
}

RecoveryStore::RecoveryStore(const QString& path) : folder(QDir::cleanPath(path)) {
    if (const std::string problem = makePrivateFolders(folder); !problem.empty()) {
        problemText = QString::fromStdString(problem);
        return;
    }
    const QString name = folder + QLatin1Char('/') + editorName();
    ownLock = RecoveryLock::take(name + kLockSuffix);
    if (ownLock == nullptr) {
        problemText = QStringLiteral("%1%2: %3")
                          .arg(name, kLockSuffix, QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    ownCopy = name + kCopySuffix;
}

std::vector<RecoveryStore::Orphan> RecoveryStore::orphans() const {
    std::vector<Orphan> found;
    if (!usable()) {
        return found;
    }
    const QDir dir(folder);
    const QFileInfoList copies =
        dir.entryInfoList({QLatin1Char('*') + kCopySuffix}, QDir::Files | QDir::Hidden, QDir::Time);
    for (const QFileInfo& copy : copies) {
        const QString path = copy.absoluteFilePath();
        if (path == ownCopy) {
            continue;
        }
        // Held: the editor that writes it still runs.
        if (std::unique_ptr<RecoveryLock> claim = RecoveryLock::take(lockOf(path))) {
            found.push_back({path, copy.lastModified(), std::move(claim)});
        }
    }
    std::reverse(found.begin(), found.end());  // QDir::Time sorts the newest first
    for (const QString& name : dir.entryList({QLatin1Char('*') + kLockSuffix}, QDir::Files)) {
        const QString lock = dir.absoluteFilePath(name);
        const QString copy = lock.chopped(kLockSuffix.size()) + kCopySuffix;
        if (QFileInfo::exists(copy)) {
            continue;
        }
        RecoveryLock::take(lock);  // held by no one: taken, and removed as it is let go
    }
    return found;
}

bool RecoveryStore::adopt(Orphan& orphan) const {
    if (::rename(local(orphan.copyPath).c_str(), local(ownCopy).c_str()) != 0) {
        return false;
    }
    orphan.claim.reset();
    return true;
}

void RecoveryStore::discard(Orphan& orphan) const {
    std::remove(local(orphan.copyPath).c_str());
    orphan.claim.reset();
}
