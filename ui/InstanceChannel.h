#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// Files opened from the desktop while the editor runs go to the running editor: a new
// start hands its file over a local socket and ends.

// The channel's name for the current user.
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
