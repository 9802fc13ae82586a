#include "appcore/SingleInstance.h"

#include "appcore/LaunchRequest.h"
#include "platform/system/UserInfo.h"

#include <QLocalSocket>
#include <QtEndian>

namespace fendle {

namespace {
constexpr char Acknowledgement = '\x06';
}

QString SingleInstance::defaultServerName() {
    return QStringLiteral("fendle-%1").arg(qEnvironmentVariable("USER", QStringLiteral("user")));
}

bool SingleInstance::handOff(const QString& serverName, const QByteArray& message, int timeoutMilliseconds) {
    if (message.size() > MaxLaunchPayload) return false;
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(timeoutMilliseconds)) return false;
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
    QLocalSocket probe;
    probe.connectToServer(serverName_);
    if (probe.waitForConnected(500)) return Status::failure(QStringLiteral("Another instance is running"));
    QLocalServer::removeServer(serverName_);
    if (server_.listen(serverName_)) return succeeded();
    return Status::failure(server_.errorString());
}

void SingleInstance::takeConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
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
