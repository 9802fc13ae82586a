#pragma once
#include "document/WebPage.h"
#include "platform/system/Result.h"

#include <QByteArray>
#include <QUrl>

namespace fendle {

// A web page as slip text: downloaded (capped, timed), read by the text
// editor's HTML reader with the page's address as base, and the keywords
// the page declares. The reader loads nothing the page refers to.
class WebPageReader {
public:
    static constexpr qint64 MaxPageSize = qint64(8) << 20;
    static constexpr int TimeoutMilliseconds = 60000;
    // Deeper pages are refused rather than read for minutes.
    static constexpr qsizetype MaxNestingDepth = 512;

    static Result<WebPage> read(const QUrl& url, int timeoutMilliseconds = TimeoutMilliseconds);
    static Result<WebPage> fromHtml(const QByteArray& html, const QUrl& base);
};

}  // namespace fendle
