#pragma once
#include <QByteArray>
#include <QHostAddress>
#include <QMap>
#include <QNetworkProxy>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>
#include <functional>

namespace fendle::test {

// A web server on 127.0.0.1 inside the test program, answering from its
// table of pages while the code under test waits in an event loop. Unknown
// paths get 404. A page can misbehave as hostile servers do: announce more
// than it sends and close (cutShort), send more than it announces
// (overSend), never answer (stall), or send the client elsewhere (redirect).
class LocalWebServer {
public:
    struct Page {
        QByteArray contentType;
        QByteArray body;
        bool cutShort = false;
        bool overSend = false;
        bool stall = false;
        // Answered with a redirect to this address instead.
        QByteArray redirect;
    };
    QMap<QString, Page> pages;
    QStringList requested;
    // Called as each request comes in, before it is answered.
    std::function<void()> onRequest;

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
    QMap<QTcpSocket*, QByteArray> buffers_;

    void answer(QTcpSocket& socket) {
        QByteArray& request = buffers_[&socket];
        request += socket.readAll();
        if (!request.contains("\r\n\r\n")) return;
        const QString path = QString::fromLatin1(request.split(' ').value(1));
        buffers_.remove(&socket);
        requested.append(path);
        if (onRequest) onRequest();
        const auto found = pages.constFind(path);
        const Page page = found == pages.constEnd() ? Page{"text/html", "<h1>Not Found</h1>"} : *found;
        if (page.stall) return;
        if (!page.redirect.isEmpty()) {
            socket.write("HTTP/1.1 302 Found\r\nLocation: " + page.redirect +
                         "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            socket.disconnectFromHost();
            return;
        }
        const QByteArray status = found == pages.constEnd() ? "404 Not Found" : "200 OK";
        qsizetype announced = page.body.size();
        if (page.cutShort) announced *= 10;
        if (page.overSend) announced /= 2;
        socket.write("HTTP/1.1 " + status + "\r\nContent-Type: " + page.contentType +
                     "\r\nContent-Length: " + QByteArray::number(announced) + "\r\nConnection: close\r\n\r\n" +
                     page.body);
        socket.disconnectFromHost();
    }
};

}  // namespace fendle::test
