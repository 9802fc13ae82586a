#pragma once
#include <QByteArray>
#include <QCursor>
#include <QGuiApplication>
#include <optional>
#include <QHostAddress>
#include <QMap>
#include <QNetworkProxy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

namespace fendle::test {

// A web server on 127.0.0.1 inside the test program, answering from its
// table of pages; the downloads under test run a local event loop, so it
// answers while they wait. Unknown paths get 404; a page marked cut short
// announces more than it sends and closes the connection.
class LocalWebServer {
public:
    struct Page {
        QByteArray contentType;
        QByteArray body;
        bool cutShort = false;
    };
    QMap<QString, Page> pages;
    QStringList requested;
    // The program's cursor when each request came in.
    QList<std::optional<Qt::CursorShape>> cursors;

    LocalWebServer() {
        // Nothing here may go through a proxy named by the environment.
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(*socket); });
            }
        });
    }
    bool listening() const { return server_.isListening(); }
    QUrl url(const QString& path) const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path));
    }
    void close() { server_.close(); }

private:
    QTcpServer server_;

    void answer(QTcpSocket& socket) {
        QByteArray& request = buffers_[&socket];
        request += socket.readAll();
        if (!request.contains("\r\n\r\n")) return;
        const QString path = QString::fromLatin1(request.split(' ').value(1));
        buffers_.remove(&socket);
        requested.append(path);
        const QCursor* cursor = QGuiApplication::overrideCursor();
        cursors.append(cursor ? std::optional<Qt::CursorShape>(cursor->shape()) : std::nullopt);
        const auto found = pages.constFind(path);
        const Page page = found == pages.constEnd() ? Page{"text/html", "<h1>Not Found</h1>"} : *found;
        const QByteArray status = found == pages.constEnd() ? "404 Not Found" : "200 OK";
        const qsizetype announced = page.cutShort ? page.body.size() * 10 : page.body.size();
        socket.write("HTTP/1.1 " + status + "\r\nContent-Type: " + page.contentType +
                     "\r\nContent-Length: " + QByteArray::number(announced) + "\r\nConnection: close\r\n\r\n" +
                     page.body);
        socket.disconnectFromHost();
    }
    QMap<QTcpSocket*, QByteArray> buffers_;
};

}  // namespace fendle::test
