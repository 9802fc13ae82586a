#include "app/editing/SlipTextDrop.h"

#include "app/program/MimeDataPasteboard.h"
#include "appcore/FendleApplication.h"
#include "document/Box.h"
#include "document/SlipTextDragAndDrop.h"
#include "document/SlipTextInsertion.h"
#include "document/WebContentDrop.h"
#include "platform/richtext/RichTextFile.h"
#include "platform/richtext/RichTextPasteboard.h"
#include "platform/system/Log.h"

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

bool SlipTextDrop::hasRichText(const QMimeData& data) {
    const MimeDataPasteboard pasteboard(&data);
    return pasteboard.hasType(Pasteboard::RtfType) || pasteboard.hasType(RichTextPasteboard::RichTextType);
}

bool SlipTextDrop::allTextFiles(const QStringList& paths) {
    return std::all_of(paths.begin(), paths.end(), [](const QString& path) { return isTextFile(path); });
}

bool SlipTextDrop::perform(const QMimeData& data, Qt::DropAction proposed, qsizetype index) {
    SlipTextInsertion insertion(box_);
    if (const std::optional<RichText> text =
            sliptextdrag::readRichText(MimeDataPasteboard(&data), box_.document().ownBoxUrlStrings())) {
        insertion.insertAttributedString(*text, index);
        return true;
    }
    const QList<QUrl> urls = data.hasUrls() ? data.urls() : QList<QUrl>();
    if (const QStringList files = localFiles(data); !files.isEmpty()) return dropFiles(files, proposed, index);
    const std::optional<sliptextdrag::UrlsWithTitles> titled = urlsWithTitles(data);
    if (!urls.isEmpty() || titled)
        return dropWebAddress(data, titled, urls.isEmpty() ? QUrl(titled->urls.first()) : urls.first(), index);
    if (data.hasText()) {
        insertion.insertAttributedString(plainText_ ? plainText_(data.text()) : RichText(data.text()), index);
        return true;
    }
    return false;
}

QStringList SlipTextDrop::localFiles(const QMimeData& data) {
    QStringList files;
    if (!data.hasUrls()) return files;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile()) files.append(url.toLocalFile());
    return files;
}

bool SlipTextDrop::dropFiles(const QStringList& paths, Qt::DropAction proposed, qsizetype index) {
    SlipTextInsertion insertion(box_);
    if (proposed != Qt::LinkAction && allTextFiles(paths)) {
        insertion.insertAttributedString(contentsOfTextFiles(paths), index);
        return true;
    }
    const std::map<QString, RichText> attachments =
        proposed == Qt::LinkAction ? std::map<QString, RichText>() : mediaAttachments(paths);
    if (attachments.empty())
        insertion.addLinkToFiles(paths, index);
    else
        insertion.insertAttributedString(insertion.filesText(paths, attachments, index), index);
    return true;
}

std::optional<RichText> SlipTextDrop::pastedFiles(Box& box, const QMimeData& data, qsizetype index) {
    if (hasRichText(data)) return std::nullopt;
    const QStringList paths = localFiles(data);
    if (paths.isEmpty()) return std::nullopt;
    if (allTextFiles(paths)) return contentsOfTextFiles(paths);
    return SlipTextInsertion(box).filesText(paths, mediaAttachments(paths), index);
}

RichText SlipTextDrop::contentsOfTextFiles(const QStringList& paths) {
    RichText contents;
    for (const QString& path : paths) {
        const QFileInfo file(path);
        // An .rtfd is a folder; anything else too large is left alone.
        if (file.isFile() && file.size() > MaximumFileSize) continue;
        Result<RichText> read = RichTextFile::read(path);
        if (read.ok()) contents.append(read.value());
    }
    return contents;
}

std::map<QString, RichText> SlipTextDrop::mediaAttachments(const QStringList& paths) {
    std::map<QString, RichText> attachments;
    // One drop of many files is held to what one attachment may be.
    qint64 budget = FendleApplication::MaxAttachmentSize;
    for (const QString& path : paths) {
        const QFileInfo file(path);
        // A film or picture "file" that is a folder stays a link.
        if (!FendleApplication::isMediaFile(path) || !file.isFile() || file.size() > budget) continue;
        Result<RichText> attachment = FendleApplication::attachmentOfFile(path);
        // Unreadable, or grown meanwhile beyond the limit: the file is linked instead.
        if (!attachment) {
            logLine(QStringLiteral("SlipTextDrop: %1: %2").arg(path, attachment.error()));
            continue;
        }
        budget -= file.size();
        attachments.emplace(path, std::move(*attachment));
    }
    return attachments;
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
