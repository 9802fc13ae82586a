#pragma once
#include <QString>
#include <QStringList>
#include <optional>

namespace fendle {

class Pasteboard;

// The rewriting of slip links when text leaves a slip or comes into one:
// outside a box a link must name its box, inside it names only the slip.
namespace sliptextdrag {

inline const QString RtfType = QStringLiteral("public.rtf");
inline const QString WebUrlsWithTitlesType = QStringLiteral("WebURLsWithTitlesPboardType");
inline const QString InternalSlipLinkType = QStringLiteral("FendleInternalSlipLink");

// The form of WebUrlsWithTitlesType here: a JSON array [[addresses], [titles]].
struct UrlsWithTitles {
    QStringList urls;
    QStringList titles;
};
std::optional<UrlsWithTitles> readUrlsWithTitles(const QByteArray& data);
QByteArray urlsWithTitlesData(const UrlsWithTitles& value);

// Before a drag out of the slip text of the box at boxUrlString.
void prepareDragOut(Pasteboard& pasteboard, const QString& boxUrlString);
// Before a drop into the slip text of the box at boxUrlString: the RTF form
// gets its links to this box made internal.
void prepareDrop(Pasteboard& pasteboard, const QString& boxUrlString);

// A single dropped slip link: the target to insert and its title.
struct DroppedLink {
    QString target;
    QString title;
    friend bool operator==(const DroppedLink&, const DroppedLink&) = default;
};
std::optional<DroppedLink> droppedSlipLink(const Pasteboard& pasteboard, const QString& boxUrlString);
// The same from the drag's two forms; internal is its "FendleInternalSlipLink" text.
std::optional<DroppedLink> droppedSlipLink(const UrlsWithTitles& list, const std::optional<QString>& internal,
                                           const QString& boxUrlString);

}  // namespace sliptextdrag
}  // namespace fendle
