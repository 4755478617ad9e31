#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// Files opened from the desktop while the editor runs go to the running editor: a new
// start hands its file over a local socket and ends. The socket lies in a folder only the user
// can reach, and both ends talk only to a process of the same user.

// The channel's path for the current user and display: in $XDG_RUNTIME_DIR when it is set,
// else in a folder of the user's own that is created under the temporary folder. Empty, with
// the reason on standard error, when that folder is not the user's alone.
QString defaultInstanceChannelName();

// True when an editor listening on name took path.
bool passToRunningInstance(const QString& name, const QString& path);

// The running editor's end: every path that arrives is announced by fileRequested.
class InstanceServer : public QObject {
    Q_OBJECT

public:
    explicit InstanceServer(QObject* parent = nullptr);
    bool listen(const QString& name);

signals:
    void fileRequested(const QString& path);

private:
    QLocalServer server;
};
