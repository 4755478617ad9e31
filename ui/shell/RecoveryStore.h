#pragma once

#include <QDateTime>
#include <QString>
#include <memory>
#include <vector>

// The folder of recovery copies, and this editor's place in it: a copy and a lock file named
// after the running editor. The lock (an flock) is held for the editor's whole run, so that
// other editors tell its copy from one that an editor which ended without cleaning up (a crash,
// a kill, a power cut) left behind. The lock is on a file of its own, since the copy is
// replaced with every write.

// $XDG_STATE_HOME/tolvane/recovery when that variable holds an absolute path, else
// ~/.local/state/tolvane/recovery.
QString defaultRecoveryFolder();

// An flock taken on a lock file, held until the object goes, which removes the file: whoever
// holds a lock file's lock is the one who may remove it.
class RecoveryLock {
public:
    // The lock on path, the file made when missing; null when another process holds it or
    // the file cannot be opened.
    static std::unique_ptr<RecoveryLock> take(const QString& path);
    ~RecoveryLock();
    RecoveryLock(const RecoveryLock&) = delete;
    RecoveryLock& operator=(const RecoveryLock&) = delete;

private:
    RecoveryLock(int fd, QString path) : fd(fd), path(std::move(path)) {}

    int fd;
    QString path;
};

class RecoveryStore {
public:
    // A copy left behind by an editor that no longer runs, claimed by this editor (its lock
    // held) while the object lives.
    struct Orphan {
        QString copyPath;
        QDateTime modified;
        std::unique_ptr<RecoveryLock> claim;
    };

    // Opens folder, creating it and the folders above it with mode 0700 where missing, and
    // takes this editor's lock, which goes with the object (the copy is the keeper's to
    // remove). Refused when the folder is a link, someone else's or open to others, as the
    // hand-over folder is: problem() then says why.
    explicit RecoveryStore(const QString& folder);

    bool usable() const { return problemText.isEmpty(); }
    const QString& problem() const { return problemText; }
    // Where this editor keeps its copy.
    const QString& copyPath() const { return ownCopy; }

    // The copies of editors that no longer run, the oldest first. Lock files that no copy
    // belongs to and no editor holds are removed on the way, as are those of the copies once
    // their claims go.
    std::vector<Orphan> orphans() const;
    // Takes orphan over as this editor's own copy; false when it could not be moved.
    bool adopt(Orphan& orphan) const;
    // Deletes orphan and its lock file.
    void discard(Orphan& orphan) const;

private:
    QString folder;
    QString problemText;
    QString ownCopy;
    std::unique_ptr<RecoveryLock> ownLock;
};
