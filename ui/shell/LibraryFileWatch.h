#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

// Watches one file for whatever other programs do to it: written in place, replaced by a
// rename, deleted, made anew. The file's folder is watched too, since a file that is replaced
// or deleted drops out of the watch; the file is watched again whenever it is there. The
// notifications of one change are gathered until the file has been quiet for a moment, and
// then settled() says once that it may have changed.
class LibraryFileWatch : public QObject {
    Q_OBJECT

public:
    static constexpr int kQuietMilliseconds = 300;

    explicit LibraryFileWatch(QObject* parent = nullptr);

    // Watches path from now on; an empty path watches nothing.
    void follow(const QString& path);
    const QString& path() const { return file; }
    // A notification arrived and the file has not been quiet long enough since.
    bool settling() const { return quiet.isActive(); }

signals:
    void settled();

private:
    void noticed();
    // Watches the file and its folder anew, as they are now on disk.
    void rewatch();

    QFileSystemWatcher watcher;
    QTimer quiet;
    QString file;
};
