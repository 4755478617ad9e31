#include "ui/shell/InstanceChannel.h"

#include <unistd.h>

#include <optional>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStringDecoder>
#include <QUrl>
#include <QtEndian>

#include "ui/shell/PeerCredentials.h"
#include "ui/shell/PrivateFolder.h"

namespace {

constexpr int kTimeoutMilliseconds = 1000;
constexpr char kAcknowledgement = '\x06';

// Each path goes as its length in UTF-8 bytes (four bytes, little-endian) followed by those
// bytes, so that no byte of a file name can end it early. A longer frame is no path.
constexpr qsizetype kLengthSize = 4;
constexpr quint32 kLongestPath = 1u << 20;

QByteArray framed(const QByteArray& path) {
    QByteArray frame(kLengthSize, '\0');
    qToLittleEndian(static_cast<quint32>(path.size()), frame.data());
    return frame + path;
}

// The path the bytes hold, when they are valid UTF-8.
std::optional<QString> decodedPath(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString path = decoder.decode(bytes);
    return decoder.hasError() ? std::nullopt : std::optional(std::move(path));
}

// The display the editor shows on, so that editors on two displays keep their own channels.
QString displayName() {
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    return wayland.isEmpty() ? qEnvironmentVariable("DISPLAY") : wayland;
}

// The folder the socket of name lies in, where QLocalSocket looks for it.
QString folderOf(const QString& name) {
    const QFileInfo socket(name);
    return socket.isAbsolute() ? socket.absolutePath() : QDir::tempPath();
}

// Empty when the channel's folder is the user's alone, else why not.
std::string channelFolderProblem(const QString& name) {
    return privateFolderProblem(QFile::encodeName(folderOf(name)).toStdString());
}

void warnChannelRefused(const std::string& problem) {
    qWarning("tolvane: keine Übergabe an ein laufendes Tolvane: %s", problem.c_str());
}

}  // namespace

QString defaultInstanceChannelName() {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    std::string problem;
    if (folder.isEmpty()) {
        folder = QDir::tempPath() +
                 QStringLiteral("/tolvane-%1").arg(static_cast<qulonglong>(::geteuid()));
        problem = makePrivateFolder(QFile::encodeName(folder).toStdString());
    } else {
        problem = privateFolderProblem(QFile::encodeName(folder).toStdString());
    }
    if (!problem.empty()) {
        warnChannelRefused(problem);
        return {};
    }
    const QString display = displayName();
    if (display.isEmpty()) {
        return folder + QStringLiteral("/tolvane");
    }
    // Encoded, for a Wayland display may be a path of its own.
    return folder + QStringLiteral("/tolvane-") +
           QString::fromLatin1(QUrl::toPercentEncoding(display));
}

bool passToRunningInstance(const QString& name, const QString& path) {
    if (!channelFolderProblem(name).empty()) {
        return false;
    }
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kTimeoutMilliseconds)) {
        return false;
    }
    if (!peerIsCurrentUser(static_cast<int>(socket.socketDescriptor()))) {
        socket.abort();
        return false;
    }
    socket.write(framed(path.toUtf8()));
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
            if (!peerIsCurrentUser(static_cast<int>(socket->socketDescriptor()))) {
                socket->abort();
                socket->deleteLater();
                continue;
            }
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->bytesAvailable() < kLengthSize) {
                    return;
                }
                const auto length =
                    qFromLittleEndian<quint32>(socket->peek(kLengthSize).constData());
                if (length > kLongestPath) {
                    socket->abort();
                    return;
                }
                if (socket->bytesAvailable() < kLengthSize + length) {
                    return;
                }
                socket->skip(kLengthSize);
                const std::optional<QString> path = decodedPath(socket->read(length));
                if (!path) {  // never taken for another file's name
                    socket->abort();
                    return;
                }
                socket->write(QByteArray(1, kAcknowledgement));
                socket->flush();
                emit fileRequested(*path);
            });
        }
    });
}

// A channel left behind by an editor that crashed is taken over; none is opened in a folder
// that others can reach.
bool InstanceServer::listen(const QString& name) {
    const std::string problem = channelFolderProblem(name);
    if (!problem.empty()) {
        warnChannelRefused(problem);
        return false;
    }
    server.setSocketOptions(QLocalServer::UserAccessOption);
    if (server.listen(name)) {
        return true;
    }
    QLocalServer::removeServer(name);
    return server.listen(name);
}
