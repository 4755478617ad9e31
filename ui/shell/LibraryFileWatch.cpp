#include "ui/shell/LibraryFileWatch.h"

#include <QFileInfo>

LibraryFileWatch::LibraryFileWatch(QObject* parent) : QObject(parent) {
    quiet.setSingleShot(true);
    quiet.setInterval(kQuietMilliseconds);
    connect(&quiet, &QTimer::timeout, this, [this] {
        rewatch();
        emit settled();
    });
    connect(&watcher, &QFileSystemWatcher::fileChanged, this, &LibraryFileWatch::noticed);
    connect(&watcher, &QFileSystemWatcher::directoryChanged, this, &LibraryFileWatch::noticed);
}

void LibraryFileWatch::follow(const QString& path) {
    quiet.stop();
    file = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    rewatch();
}

void LibraryFileWatch::noticed() {
    quiet.start();
}

// A watch on a file that was replaced still follows the old one, so both watches are made
// anew rather than kept.
void LibraryFileWatch::rewatch() {
    if (const QStringList watched = watcher.files() + watcher.directories(); !watched.isEmpty()) {
        watcher.removePaths(watched);
    }
    if (file.isEmpty()) {
        return;
    }
    const QFileInfo info(file);
    if (QFileInfo(info.absolutePath()).isDir()) {
        watcher.addPath(info.absolutePath());
    }
    if (info.exists()) {
        watcher.addPath(file);
    }
}
