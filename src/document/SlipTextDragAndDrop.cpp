#include "document/SlipTextDragAndDrop.h"

#include "document/SlipLinks.h"
#include "platform/ui/Pasteboard.h"
#include "platform/text/TextMatching.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace fendle::sliptextdrag {

namespace {
constexpr qsizetype MaxPasteboardBytes = qsizetype(64) << 20;
const QString Prefix = QStringLiteral("fendle://");

QStringList strings(const QJsonValue& value) {
    QStringList list;
    for (const QJsonValue& entry : value.toArray())
        if (entry.isString()) list.append(entry.toString());
    return list;
}

// RTF is 7-bit text; Latin-1 keeps any other byte as it was.
void rewriteRtf(Pasteboard& pasteboard, const std::function<QString(const QString&)>& rewrite) {
    const auto rtf = pasteboard.data(RtfType);
    if (!rtf || rtf->size() > MaxPasteboardBytes) return;
    pasteboard.setData(RtfType, rewrite(QString::fromLatin1(*rtf)).toLatin1());
}
}  // namespace

std::optional<UrlsWithTitles> readUrlsWithTitles(const QByteArray& data) {
    if (data.size() > MaxPasteboardBytes) return std::nullopt;
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

void prepareDragOut(Pasteboard& pasteboard, const QString& boxUrlString) {
    const auto urls = pasteboard.data(WebUrlsWithTitlesType);
    if (!urls) {
        rewriteRtf(pasteboard, [&](const QString& rtf) {
            return sliplinks::replaceInternalSlipLinksInRTFString(rtf, boxUrlString);
        });
        return;
    }
    const auto list = readUrlsWithTitles(*urls);
    if (!list) return;
    const QString& first = list->urls.first();
    if (!likeMatches(first, QStringLiteral("fendle*.self"), true)) return;
    QString key = first;
    if (key.startsWith(Prefix, Qt::CaseInsensitive)) key = key.mid(Prefix.size());
    key.chop(5);
    const QString internal = sliplinks::internalSlipLinkString(key);
    const QString external = sliplinks::externalSlipLinkString(key, boxUrlString);
    for (const QString& type : pasteboard.types()) {
        const auto data = pasteboard.data(type);
        if (!data || data->size() > MaxPasteboardBytes) continue;
        const QString text = QString::fromUtf8(*data);
        if (text.contains(internal)) pasteboard.setData(type, QString(text).replace(internal, external).toUtf8());
    }
    pasteboard.setData(InternalSlipLinkType, internal.toUtf8());
}

void prepareDrop(Pasteboard& pasteboard, const QString& boxUrlString) {
    rewriteRtf(pasteboard, [&](const QString& rtf) {
        return sliplinks::replaceExternalSlipLinksInRTFString(rtf, boxUrlString);
    });
}

std::optional<DroppedLink> droppedSlipLink(const Pasteboard& pasteboard, const QString& boxUrlString) {
    const auto data = pasteboard.data(WebUrlsWithTitlesType);
    const auto list = data ? readUrlsWithTitles(*data) : std::nullopt;
    if (!list) return std::nullopt;
    const auto internal = pasteboard.data(InternalSlipLinkType);
    return droppedSlipLink(*list, internal ? std::optional(QString::fromUtf8(*internal)) : std::nullopt, boxUrlString);
}

std::optional<DroppedLink> droppedSlipLink(const UrlsWithTitles& list, const std::optional<QString>& internal,
                                           const QString& boxUrlString) {
    if (list.urls.isEmpty() || !list.urls.first().startsWith(Prefix)) return std::nullopt;
    const QString title = list.titles.value(0);
    const QString& address = list.urls.first();
    // The internal form only names a slip of the box the link came from;
    // in another box it would point at a different slip of the same number.
    const qsizetype separator = address.indexOf(QStringLiteral("::"));
    const bool intoItsOwnBox = separator < 0 || address.mid(separator + 2) == boxUrlString;
    if (intoItsOwnBox && internal) return DroppedLink{*internal, title};
    return DroppedLink{address, title};
}

}  // namespace fendle::sliptextdrag
