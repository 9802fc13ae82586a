#include "document/SlipTextDragAndDrop.h"

#include "document/SlipLinks.h"
#include "platform/richtext/RichTextPasteboard.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace fendle::sliptextdrag {

namespace {
constexpr qsizetype MaxUrlsWithTitlesBytes = qsizetype(64) << 20;
const QString Prefix = QStringLiteral("fendle://");

QStringList strings(const QJsonValue& value) {
    QStringList list;
    for (const QJsonValue& entry : value.toArray())
        if (entry.isString()) list.append(entry.toString());
    return list;
}
}  // namespace

bool writeRichText(Pasteboard& pasteboard, const RichText& text, const QString& boxUrlString) {
    return RichTextPasteboard::write(pasteboard, sliplinks::replaceInternalSlipLinks(text, boxUrlString));
}

std::optional<RichText> readRichText(const Pasteboard& pasteboard, const QStringList& ownBoxUrlStrings) {
    const std::optional<RichText> text = RichTextPasteboard::read(pasteboard);
    if (!text) return std::nullopt;
    return sliplinks::replaceExternalSlipLinks(*text, ownBoxUrlStrings);
}

std::optional<UrlsWithTitles> readUrlsWithTitles(const QByteArray& data) {
    if (data.size() > MaxUrlsWithTitlesBytes) return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(data);
    if (!document.isArray()) return std::nullopt;
    const QJsonArray array = document.array();
    UrlsWithTitles value{strings(array.at(0)), strings(array.at(1))};
    if (value.urls.isEmpty()) return std::nullopt;
    return value;
}

QByteArray urlsWithTitlesData(const UrlsWithTitles& value) {
    return QJsonDocument(QJsonArray{QJsonArray::fromStringList(value.urls), QJsonArray::fromStringList(value.titles)})
        .toJson(QJsonDocument::Compact);
}

std::optional<DroppedLink> droppedSlipLink(const UrlsWithTitles& list, const std::optional<QString>& internal,
                                           const QStringList& ownBoxUrlStrings) {
    if (list.urls.isEmpty() || !list.urls.first().startsWith(Prefix)) return std::nullopt;
    const QString title = list.titles.value(0);
    const QString& address = list.urls.first();
    // The internal form only names a slip of the box the link came from;
    // in another box it would point at a different slip of the same number.
    const qsizetype separator = address.indexOf(QStringLiteral("::"));
    const bool intoItsOwnBox = separator < 0 || ownBoxUrlStrings.contains(address.mid(separator + 2));
    if (intoItsOwnBox && internal) return DroppedLink{*internal, title};
    return DroppedLink{address, title};
}

}  // namespace fendle::sliptextdrag
