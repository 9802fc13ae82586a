#pragma once
#include "platform/system/Result.h"

#include <QByteArray>
#include <QObject>
#include <QUrl>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

namespace fendle {

// One fetch of a web or file address that does not block: progress and the
// end arrive as signals on the user-interface thread. What a server sends is
// capped in size; a server that stalls longer than the time-out, closes
// early or redirects to a weaker scheme makes the fetch fail. A file
// address is read as a regular file only, capped the same way.
class WebTransfer : public QObject {
    Q_OBJECT
public:
    WebTransfer(QUrl url, qint64 maxSize, int timeoutMilliseconds, QObject* parent = nullptr);
    ~WebTransfer() override;

    static bool isSupportedScheme(const QUrl& url);
    void start();
    const QUrl& url() const { return url_; }
    bool running() const { return running_; }
    // The bytes, or why there are none; valid once finished was signalled.
    const Result<QByteArray>& result() const { return result_; }

signals:
    // Expected is -1 while the length is not known.
    void progress(qint64 received, qint64 expected);
    void finished();

private:
    QUrl url_;
    qint64 maxSize_;
    int timeoutMilliseconds_;
    bool running_ = false;
    Result<QByteArray> result_;
    std::unique_ptr<QNetworkAccessManager> manager_;
    QNetworkReply* reply_ = nullptr;
    QString failure_;

    void readFile();
    void replyFinished();
    void finish(Result<QByteArray> result);
};

}  // namespace fendle
