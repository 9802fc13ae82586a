#pragma once
#include "platform/richtext/RichText.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace fendle {

class Pasteboard;

// Slip text leaving a slip (copy, cut, drag) or coming into one (paste,
// drop): outside a box a slip link must name its box, inside it names only
// the slip.
namespace sliptextdrag {

inline const QString WebUrlsWithTitlesType = QStringLiteral("WebURLsWithTitlesPboardType");
inline const QString InternalSlipLinkType = QStringLiteral("FendleInternalSlipLink");

// Adds the rich forms of text leaving the box at boxUrlString (pictures
// included), its internal slip links made external; false when a form
// could not be put there. The plain form is the caller's.
bool writeRichText(Pasteboard& pasteboard, const RichText& text, const QString& boxUrlString);
// The rich text a pasteboard brings into the box named by ownBoxUrlStrings,
// its external links into that box made internal; none when there is none
// or it cannot be read.
std::optional<RichText> readRichText(const Pasteboard& pasteboard, const QStringList& ownBoxUrlStrings);

// The form of WebUrlsWithTitlesType here: a JSON array [[addresses], [titles]].
struct UrlsWithTitles {
    QStringList urls;
    QStringList titles;
};
std::optional<UrlsWithTitles> readUrlsWithTitles(const QByteArray& data);
QByteArray urlsWithTitlesData(const UrlsWithTitles& value);

// A single dropped slip link: the target to insert and its title.
struct DroppedLink {
    QString target;
    QString title;
    friend bool operator==(const DroppedLink&, const DroppedLink&) = default;
};
// From the drag's two forms; internal is its "FendleInternalSlipLink" text.
std::optional<DroppedLink> droppedSlipLink(const UrlsWithTitles& list, const std::optional<QString>& internal,
                                           const QStringList& ownBoxUrlStrings);

}  // namespace sliptextdrag
}  // namespace fendle
