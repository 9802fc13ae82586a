#include "appcore/SingleInstance.h"

#include "appcore/LaunchRequest.h"
#include "platform/files/Paths.h"

#include <QFile>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QtEndian>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fendle {

namespace {
constexpr char Acknowledgement = '\x06';
// Socket paths are limited to 107 bytes: the display part stays short.
constexpr qsizetype MaxDisplayPart = 32;

// The display this start shows its windows on, as a file name part.
QString displayPart() {
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty()) display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty()) return QStringLiteral("nodisplay");
    display.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));
    return display.right(MaxDisplayPart);
}

// A socket file this user made: not a link, not another user's.
bool isOwnSocket(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISSOCK(info.st_mode) &&
           info.st_uid == ::geteuid();
}

// The process at the other end runs as this user.
bool peerIsThisUser(qintptr descriptor) {
    struct ucred peer {};
    socklen_t size = sizeof peer;
    return descriptor >= 0 && ::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           size == sizeof peer && peer.uid == ::geteuid();
}
}  // namespace

Result<QString> SingleInstance::defaultServerName() {
    const Result<QString> folder = Paths::runtimeFolder();
    if (!folder) return folder;
    return QStringLiteral("%1/fendle-%2").arg(*folder, displayPart());
}

bool SingleInstance::handOff(const QString& serverName, const QByteArray& message, int timeoutMilliseconds) {
    if (message.size() > MaxLaunchPayload || !isOwnSocket(serverName)) return false;
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(timeoutMilliseconds) || !peerIsThisUser(socket.socketDescriptor())) return false;
    uchar length[4];
    qToBigEndian(quint32(message.size()), length);
    socket.write(reinterpret_cast<const char*>(length), 4);
    socket.write(message);
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(timeoutMilliseconds)) return false;
    if (!socket.waitForReadyRead(timeoutMilliseconds)) return false;
    char answer = 0;
    return socket.getChar(&answer) && answer == Acknowledgement;
}

SingleInstance::SingleInstance(QString serverName) : serverName_(std::move(serverName)) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::takeConnection);
}

Status SingleInstance::listen() {
    if (server_.isListening()) return succeeded();
    // Listening would take the name over from a running instance, so ask
    // first; only a socket nobody answers on is stale.
    if (isOwnSocket(serverName_)) {
        QLocalSocket probe;
        probe.connectToServer(serverName_);
        if (probe.waitForConnected(500)) return Status::failure(QStringLiteral("Another instance is running"));
    }
    QLocalServer::removeServer(serverName_);
    if (server_.listen(serverName_)) return succeeded();
    return Status::failure(server_.errorString());
}

void SingleInstance::takeConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        if (!peerIsThisUser(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto take = [this, socket, buffer] {
            buffer->append(socket->readAll());
            if (buffer->size() < 4) return;
            const quint32 length = qFromBigEndian<quint32>(buffer->constData());
            if (length > MaxLaunchPayload) {
                socket->abort();
                return;
            }
            if (quint64(buffer->size()) < 4 + quint64(length)) return;
            const QByteArray message = buffer->mid(4, length);
            buffer->clear();
            socket->write(&Acknowledgement, 1);
            socket->flush();
            socket->disconnectFromServer();
            emit received(message);
        };
        connect(socket, &QLocalSocket::readyRead, this, take);
        if (socket->bytesAvailable() > 0) take();
    }
}

}  // namespace fendle
