#include "app/editing/WebPageReader.h"

#include "app/editing/RichTextDocument.h"
#include "appcore/WebDownload.h"
#include "platform/richtext/HtmlMetaKeywords.h"

#include <QStringDecoder>
#include <QTextDocument>

namespace fendle {

namespace {

// Pictures and style sheets a page names would be read from disk by the
// default document (a page may name any local file); none are loaded.
class DocumentWithoutResources : public QTextDocument {
protected:
    QVariant loadResource(int, const QUrl&) override { return QVariant(); }
};

QString decodedPage(const QByteArray& html) {
    QStringDecoder decoder = QStringDecoder::decoderForHtml(html);
    if (!decoder.isValid()) decoder = QStringDecoder(QStringDecoder::Utf8);
    return decoder.decode(html);
}

// Links as absolute addresses; pictures the reader did not load leave an
// object character without an attachment, which is dropped.
RichText resolvedAgainst(const RichText& text, const QUrl& base) {
    QString characters;
    std::vector<RichText::Run> runs;
    qsizetype at = 0;
    for (const RichText::Run& run : text.runs()) {
        QString piece = text.string().mid(at, run.length);
        at += run.length;
        Attributes attributes = run.attributes;
        if (!attributes.contains(attr::Attachment)) piece.remove(QChar::ObjectReplacementCharacter);
        if (piece.isEmpty()) continue;
        if (const auto link = attributes.get<LinkAttribute>(attr::Link))
            attributes.set(attr::Link, LinkAttribute{base.resolved(QUrl(link->url)).toString(), link->isUrlObject});
        characters += piece;
        runs.push_back({piece.size(), std::move(attributes)});
    }
    return RichText::fromRuns(characters, std::move(runs));
}

// How deeply the page nests its elements, counted from tags that are
// closed in practice (void elements and those whose end tag may be left
// out do not count); stops counting once above limit.
qsizetype nestingDepth(QStringView page, qsizetype limit) {
    static const QStringList uncounted{
        QStringLiteral("br"), QStringLiteral("img"), QStringLiteral("hr"), QStringLiteral("meta"),
        QStringLiteral("link"), QStringLiteral("input"), QStringLiteral("area"), QStringLiteral("base"),
        QStringLiteral("col"), QStringLiteral("embed"), QStringLiteral("param"), QStringLiteral("source"),
        QStringLiteral("track"), QStringLiteral("wbr"), QStringLiteral("p"), QStringLiteral("li"),
        QStringLiteral("td"), QStringLiteral("th"), QStringLiteral("tr"), QStringLiteral("option"),
        QStringLiteral("dt"), QStringLiteral("dd"), QStringLiteral("!doctype")};
    qsizetype depth = 0;
    qsizetype deepest = 0;
    for (qsizetype at = page.indexOf(u'<'); at >= 0 && deepest <= limit; at = page.indexOf(u'<', at + 1)) {
        const bool closing = at + 1 < page.size() && page[at + 1] == u'/';
        qsizetype end = at + (closing ? 2 : 1);
        const qsizetype start = end;
        while (end < page.size() && (page[end].isLetterOrNumber() || page[end] == u'!')) ++end;
        if (end == start || uncounted.contains(page.sliced(start, end - start).toString().toLower())) continue;
        depth = closing ? std::max<qsizetype>(0, depth - 1) : depth + 1;
        deepest = std::max(deepest, depth);
    }
    return deepest;
}

}  // namespace

Result<WebPage> WebPageReader::fromHtml(const QByteArray& html, const QUrl& base) {
    const QString page = decodedPage(html.first(std::min<qsizetype>(html.size(), MaxPageSize)));
    // The HTML reader's time grows with the square of the nesting depth:
    // a hostile page could keep it busy for hours.
    if (nestingDepth(page, MaxNestingDepth) > MaxNestingDepth)
        return Result<WebPage>::failure(QStringLiteral("The page nests its elements too deeply to be read"));
    DocumentWithoutResources document;
    document.setBaseUrl(base);
    document.setHtml(page);
    const RichText text = RichTextDocument(document).richText();
    return WebPage{resolvedAgainst(text, base), HtmlMetaKeywords::scan(page)};
}

Result<WebPage> WebPageReader::read(const QUrl& url, int timeoutMilliseconds) {
    const Result<QByteArray> data = downloadData(url, MaxPageSize, timeoutMilliseconds);
    if (!data) return Result<WebPage>::failure(data);
    return fromHtml(*data, url);
}

}  // namespace fendle
