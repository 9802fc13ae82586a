#pragma once
#include "platform/system/Result.h"

#include <QByteArray>
#include <QUrl>

class QNetworkReply;

namespace fendle {

// The body of a finished reply. A server that closes the connection early is
// not always reported as an error; a body shorter than its announced length
// is one.
Result<QByteArray> completeBody(QNetworkReply& reply);

// Fetches the data at a web address, waiting in a local event loop (the
// callers are user commands that wait for the answer anyway). Answers
// failure on network errors, HTTP errors, too much data or a timeout.
// Needs a running Qt core application object.
Result<QByteArray> downloadData(const QUrl& url, qint64 maxSize, int timeoutMilliseconds);

}  // namespace fendle
