#include "ui/InstanceChannel.h"

#include <unistd.h>
#include <QLocalSocket>

namespace {

constexpr int kTimeoutMilliseconds = 1000;
constexpr char kAcknowledgement = '\x06';

}  // namespace

QString defaultInstanceChannelName() {
    return QStringLiteral("tolvane-%1").arg(static_cast<qulonglong>(::getuid()));
}

bool passToRunningInstance(const QString& name, const QString& path) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kTimeoutMilliseconds)) {
        return false;
    }
    socket.write(path.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(kTimeoutMilliseconds) ||
        !socket.waitForReadyRead(kTimeoutMilliseconds)) {
        return false;
    }
    return socket.read(1) == QByteArray(1, kAcknowledgement);
}

InstanceServer::InstanceServer(QObject* parent) : QObject(parent) {
    connect(&server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine()) {
                    return;
                }
                const QString path = QString::fromUtf8(socket->readLine()).chopped(1);
                socket->write(QByteArray(1, kAcknowledgement));
                socket->flush();
                emit fileRequested(path);
            });
        }
    });
}

// A channel left behind by an editor that crashed is taken over.
bool InstanceServer::listen(const QString& name) {
    server.setSocketOptions(QLocalServer::UserAccessOption);
    if (server.listen(name)) {
        return true;
    }
    QLocalServer::removeServer(name);
    return server.listen(name);
}
