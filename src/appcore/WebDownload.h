#pragma once
#include "platform/system/Result.h"

#include <QByteArray>
#include <QUrl>

namespace fendle {

// Fetches the data at a web address, waiting in a local event loop (the
// callers are user commands that wait for the answer anyway). Answers
// failure on network errors, HTTP errors, too much data or a timeout.
// Needs a running Qt core application object.
Result<QByteArray> downloadData(const QUrl& url, qint64 maxSize, int timeoutMilliseconds);

}  // namespace fendle
