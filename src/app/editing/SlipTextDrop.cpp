#include "app/editing/SlipTextDrop.h"

#include "app/program/MimeDataPasteboard.h"
#include "document/Box.h"
#include "document/SlipTextDragAndDrop.h"
#include "document/SlipTextInsertion.h"
#include "document/WebContentDrop.h"
#include "platform/richtext/RichTextFile.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace fendle {

namespace {
const QString MozUrlType = QStringLiteral("text/x-moz-url");

// "text/x-moz-url": UTF-16 lines, the address then its title.
QString titleOfMozUrl(const QMimeData& data) {
    const QByteArray bytes = data.data(MozUrlType);
    if (bytes.size() > (qsizetype(1) << 20) || bytes.size() % 2 != 0) return QString();
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
    return text.section(QLatin1Char('\n'), 1, 1).trimmed();
}
}  // namespace

SlipTextDrop::SlipTextDrop(Box& box, std::function<RichText(const QString&)> plainText)
    : box_(box), plainText_(std::move(plainText)) {}

bool SlipTextDrop::isTextFile(const QString& path) {
    static const QStringList extensions{QStringLiteral("rtf"), QStringLiteral("rtfd"), QStringLiteral("txt")};
    return extensions.contains(QFileInfo(path).suffix().toLower());
}

bool SlipTextDrop::perform(const QMimeData& data, Qt::DropAction proposed, qsizetype index) {
    SlipTextInsertion insertion(box_);
    if (const std::optional<RichText> text =
            sliptextdrag::readRichText(MimeDataPasteboard(&data), box_.document().ownBoxUrlStrings())) {
        insertion.insertAttributedString(*text, index);
        return true;
    }
    const QList<QUrl> urls = data.hasUrls() ? data.urls() : QList<QUrl>();
    QStringList files;
    for (const QUrl& url : urls)
        if (url.isLocalFile()) files.append(url.toLocalFile());
    if (!files.isEmpty()) return dropFiles(files, proposed, index);
    const std::optional<sliptextdrag::UrlsWithTitles> titled = urlsWithTitles(data);
    if (!urls.isEmpty() || titled)
        return dropWebAddress(data, titled, urls.isEmpty() ? QUrl(titled->urls.first()) : urls.first(), index);
    if (data.hasText()) {
        insertion.insertAttributedString(plainText_ ? plainText_(data.text()) : RichText(data.text()), index);
        return true;
    }
    return false;
}

bool SlipTextDrop::dropFiles(const QStringList& paths, Qt::DropAction proposed, qsizetype index) {
    SlipTextInsertion insertion(box_);
    const bool allText = std::all_of(paths.begin(), paths.end(), [](const QString& path) { return isTextFile(path); });
    if (proposed == Qt::LinkAction || !allText) {
        insertion.addLinkToFiles(paths, index);
        return true;
    }
    RichText contents;
    for (const QString& path : paths) {
        const QFileInfo file(path);
        // An .rtfd is a folder; anything else too large is left alone.
        if (file.isFile() && file.size() > MaximumFileSize) continue;
        Result<RichText> read = RichTextFile::read(path);
        if (read.ok()) contents.append(read.value());
    }
    insertion.insertAttributedString(contents, index);
    return true;
}

std::optional<sliptextdrag::UrlsWithTitles> SlipTextDrop::urlsWithTitles(const QMimeData& data) {
    if (!data.hasFormat(sliptextdrag::WebUrlsWithTitlesType)) return std::nullopt;
    return sliptextdrag::readUrlsWithTitles(data.data(sliptextdrag::WebUrlsWithTitlesType));
}

bool SlipTextDrop::dropWebAddress(const QMimeData& data, const std::optional<sliptextdrag::UrlsWithTitles>& titled,
                                  const QUrl& url, qsizetype index) {
    if (!url.isLocalFile() && WebContentDrop::isMediaURL(url)) {
        WebContentDrop(box_).insertMediaAtIndex(url, index);
        return true;
    }
    SlipTextInsertion insertion(box_);
    if (titled) {
        // A slip link dragged out of a slip text carries its internal form too.
        const std::optional<QString> internal =
            data.hasFormat(sliptextdrag::InternalSlipLinkType)
                ? std::optional(QString::fromUtf8(data.data(sliptextdrag::InternalSlipLinkType).left(4096)))
                : std::nullopt;
        const auto slipLink = sliptextdrag::droppedSlipLink(*titled, internal, box_.document().ownBoxUrlStrings());
        const sliptextdrag::DroppedLink link = slipLink.value_or(
            sliptextdrag::DroppedLink{titled->urls.first(), titled->titles.value(0)});
        // An empty title would make an invisible link: the drop would seem to do nothing.
        insertion.addURL(link.target, link.title.isEmpty() ? titled->urls.first() : link.title, index);
        return true;
    }
    const QString address = url.toString();
    // Reference-manager addresses are the text control's to handle.
    if (address.startsWith(QLatin1String("bookends://"))) return false;
    const QString title = data.hasFormat(MozUrlType) ? titleOfMozUrl(data) : QString();
    insertion.addURL(address, title.isEmpty() ? address : title, index);
    return true;
}

}  // namespace fendle
