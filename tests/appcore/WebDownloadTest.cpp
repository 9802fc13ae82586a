#include "ControllerFixture.h"
#include "appcore/WebDownload.h"

#include <QTcpServer>
#include <QTcpSocket>

using namespace fendle;
using namespace fendle::test;

namespace {

// A tiny HTTP server on 127.0.0.1 that answers every request with one
// prepared response, then closes the connection.
class TinyHttpServer {
public:
    QByteArray response;
    QStringList requestLines;
    bool stall = false;  // accept but never answer

    TinyHttpServer() {
        coreApplication();
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    const QByteArray request = socket->readAll();
                    requestLines.append(QString::fromLatin1(request.left(request.indexOf('\r'))));
                    if (stall) return;
                    socket->write(response);
                    socket->disconnectFromHost();
                });
            }
        });
        EXPECT_TRUE(server_.listen(QHostAddress::LocalHost));
    }
    ~TinyHttpServer() { server_.close(); }
    QUrl url(const QString& path) const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path));
    }
    static QByteArray ok(const QByteArray& body) {
        return "HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nContent-Length: " + QByteArray::number(body.size()) +
               "\r\nConnection: close\r\n\r\n" + body;
    }

private:
    QTcpServer server_;
};

class WebDownloadTest : public ControllerFixture {};

TEST_F(WebDownloadTest, ResourceBecomesAnAttachmentAndTheScratchFolderGoes) {
    TinyHttpServer server;
    const QByteArray body("\x89PNG\r\n\x1a\n picture bytes", 22);
    server.response = TinyHttpServer::ok(body);
    const auto text = app->attributedStringFromURL(server.url("/images/logo.png?size=2"));
    ASSERT_TRUE(text);
    EXPECT_EQ(server.requestLines, QStringList{"GET /images/logo.png?size=2 HTTP/1.1"});
    EXPECT_EQ(text->string(), QString(QChar(AttachmentCharacter)));
    const auto attachment = text->attributesAt(0).get<AttachmentAttribute>(attr::Attachment);
    ASSERT_TRUE(attachment);
    EXPECT_EQ(attachment->fileName, "logo.png");
    EXPECT_EQ(attachment->contents, body);
    EXPECT_FALSE(QFileInfo::exists(FendleApplication::applicationSupportFolder() + "/Fendle/drag-drop-temp"));

    // A link in place of the scratch folder is not followed by the clean-up.
    writeFile("elsewhere/keep", "keep");
    ASSERT_TRUE(QFile::link(dir.path() + "/elsewhere", FendleApplication::applicationSupportFolder() + "/Fendle/drag-drop-temp"));
    ASSERT_TRUE(app->attributedStringFromURL(server.url("/again.png")));
    EXPECT_TRUE(QFileInfo::exists(dir.path() + "/elsewhere/keep"));
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/elsewhere/again.png"));
}

TEST_F(WebDownloadTest, FailuresAnswerNothing) {
    TinyHttpServer server;
    server.response = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    EXPECT_FALSE(app->attributedStringFromURL(server.url("/missing.png")));
    server.response = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\nConnection: close\r\n\r\nshort";
    EXPECT_FALSE(app->attributedStringFromURL(server.url("/truncated.png")));
    EXPECT_FALSE(app->attributedStringFromURL(QUrl("ftp://127.0.0.1/x")));
    EXPECT_FALSE(QFileInfo::exists(FendleApplication::applicationSupportFolder() + "/Fendle/drag-drop-temp"));
}

TEST_F(WebDownloadTest, NamelessAddressesAndLimits) {
    TinyHttpServer server;
    server.response = TinyHttpServer::ok("index");
    const auto text = app->attributedStringFromURL(server.url("/"));
    ASSERT_TRUE(text);
    EXPECT_EQ(text->attributesAt(0).get<AttachmentAttribute>(attr::Attachment)->fileName, "download");

    server.response = TinyHttpServer::ok(QByteArray(2000, 'x'));
    EXPECT_FALSE(downloadData(server.url("/big"), 1000, 5000));
    EXPECT_TRUE(downloadData(server.url("/big"), 2000, 5000));
    server.stall = true;
    const auto stalled = downloadData(server.url("/slow"), 1000, 300);
    ASSERT_FALSE(stalled);
    EXPECT_EQ(stalled.error(), "The download timed out");
}

}  // namespace
