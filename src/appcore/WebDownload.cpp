#include "appcore/WebDownload.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace fendle {
// An encoded body is announced by its encoded length, so it cannot be checked here.
Result<QByteArray> completeBody(QNetworkReply& reply) {
    QByteArray body = reply.readAll();
    bool announced = false;
    const qint64 length = reply.header(QNetworkRequest::ContentLengthHeader).toLongLong(&announced);
    if (announced && reply.rawHeader("Content-Encoding").isEmpty() && length != body.size())
        return Result<QByteArray>::failure(QStringLiteral("The download was cut short"));
    return body;
}

Result<QByteArray> downloadData(const QUrl& url, qint64 maxSize, int timeoutMilliseconds) {
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return Result<QByteArray>::failure(QStringLiteral("Not a web address: %1").arg(url.toString()));
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QString failure;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        failure = QStringLiteral("The download timed out");
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::downloadProgress, &loop, [&](qint64 received, qint64 total) {
        if (received > maxSize || total > maxSize) {
            failure = QStringLiteral("The download is too large");
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(timeoutMilliseconds);
    if (!reply->isFinished()) loop.exec();
    Result<QByteArray> result = Result<QByteArray>::failure(failure);
    if (failure.isEmpty()) {
        if (reply->error() != QNetworkReply::NoError)
            result = Result<QByteArray>::failure(reply->errorString());
        else if (reply->bytesAvailable() > maxSize)
            result = Result<QByteArray>::failure(QStringLiteral("The download is too large"));
        else
            result = completeBody(*reply);
    }
    delete reply;
    return result;
}

}  // namespace fendle
