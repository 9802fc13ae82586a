#pragma once
#include "platform/richtext/RichText.h"

#include <QStringList>
#include <QVariant>

#include <optional>
#include <vector>

namespace fendle {

// The result of ranking a slip's scents: the slip's own key as a bold
// heading, then the keys of the related slips, strongest first. Callers that
// count scents leave the heading out (count() - 1).
// A box-sized list is kept as positions into the index's key list, so a
// ranking does not copy a thousand key strings that a view mostly never shows.
class SlipScentList {
public:
    SlipScentList(RichText heading, QStringList relatedKeys);
    // The related keys are keys[positions[0]], keys[positions[1]], ...
    SlipScentList(RichText heading, QStringList keys, std::vector<int> positions);

    const RichText& heading() const { return heading_; }
    const QStringList& relatedKeys() const;
    qsizetype count() const { return 1 + static_cast<qsizetype>(positions_.size()); }
    // Element i as the list shows it: 0 the heading (styled), then plain keys.
    QVariant objectAtIndex(qsizetype index) const;
    // The key of element i, the heading read as its plain text; empty when out of range.
    QString keyAtIndex(qsizetype index) const;

private:
    RichText heading_;
    QStringList keys_;
    std::vector<int> positions_;
    mutable std::optional<QStringList> relatedKeys_;

    const QString& relatedKey(qsizetype index) const { return keys_[positions_[static_cast<std::size_t>(index)]]; }
};

}  // namespace fendle
