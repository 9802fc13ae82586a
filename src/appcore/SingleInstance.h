#pragma once
#include "platform/system/Result.h"

#include <QByteArray>
#include <QLocalServer>
#include <QObject>

namespace fendle {

// The first start of the program listens on a local socket; a later start
// hands its message (the encoded launch requests) to it and exits.
// Messages are a 4-byte big-endian length and the bytes; the receiver
// answers one byte once it has taken the message. The socket is named by its
// full path; both ends speak only to a peer of the same user, since the
// messages carry the files and addresses the user opens.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    static constexpr int DefaultTimeoutMilliseconds = 5000;

    // In the user's private runtime folder, per display, so that users of
    // one machine, and sessions of one user, do not meet.
    static Result<QString> defaultServerName();
    // True when a running instance took the message.
    static bool handOff(const QString& serverName, const QByteArray& message,
                        int timeoutMilliseconds = DefaultTimeoutMilliseconds);

    explicit SingleInstance(QString serverName);
    // Starts listening; a socket left behind by a crashed instance is removed.
    Status listen();
    // Stops listening, so that a new start of the program becomes the first.
    void close() { server_.close(); }

signals:
    // A later start handed over its requests.
    void received(const QByteArray& message);

private:
    QString serverName_;
    QLocalServer server_;
    void takeConnection();
};

}  // namespace fendle
