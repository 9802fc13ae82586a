#include "appcore/WebTransfer.h"

#include "appcore/WebDownload.h"
#include "platform/files/RegularFile.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace fendle {

WebTransfer::WebTransfer(QUrl url, qint64 maxSize, int timeoutMilliseconds, QObject* parent)
    : QObject(parent),
      url_(std::move(url)),
      maxSize_(maxSize),
      timeoutMilliseconds_(timeoutMilliseconds),
      result_(Result<QByteArray>::failure(QStringLiteral("The transfer has not finished"))) {}

WebTransfer::~WebTransfer() {
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        delete reply_;
    }
}

bool WebTransfer::isSupportedScheme(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
                             scheme == QLatin1String("file"));
}

void WebTransfer::start() {
    running_ = true;
    if (!isSupportedScheme(url_)) {
        // Delivered later all the same, so that callers see one order of events.
        QTimer::singleShot(0, this, [this] {
            finish(Result<QByteArray>::failure(QStringLiteral("Unsupported address: %1").arg(url_.toString())));
        });
        return;
    }
    if (url_.isLocalFile()) {
        QTimer::singleShot(0, this, &WebTransfer::readFile);
        return;
    }
    manager_ = std::make_unique<QNetworkAccessManager>();
    QNetworkRequest request(url_);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    // A time-out without any data arriving, as a stalled server gives.
    request.setTransferTimeout(timeoutMilliseconds_);
    reply_ = manager_->get(request);
    connect(reply_, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64 total) {
        if (received > maxSize_ || total > maxSize_) {
            failure_ = QStringLiteral("The download is too large");
            reply_->abort();
            return;
        }
        emit progress(received, total);
    });
    connect(reply_, &QNetworkReply::finished, this, &WebTransfer::replyFinished);
}

void WebTransfer::readFile() {
    Result<QByteArray> bytes = RegularFile::read(url_.toLocalFile(), maxSize_);
    if (bytes) emit progress(bytes->size(), bytes->size());
    finish(std::move(bytes));
}

void WebTransfer::replyFinished() {
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    reply->deleteLater();
    if (!failure_.isEmpty())
        finish(Result<QByteArray>::failure(failure_));
    else if (reply->error() == QNetworkReply::OperationCanceledError)
        finish(Result<QByteArray>::failure(QStringLiteral("The server did not answer in time")));
    else if (reply->error() != QNetworkReply::NoError)
        finish(Result<QByteArray>::failure(reply->errorString()));
    else if (reply->bytesAvailable() > maxSize_)
        finish(Result<QByteArray>::failure(QStringLiteral("The download is too large")));
    else
        finish(completeBody(*reply));
}

void WebTransfer::finish(Result<QByteArray> result) {
    result_ = std::move(result);
    running_ = false;
    emit finished();
}

}  // namespace fendle
