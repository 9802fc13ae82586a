#pragma once
#include "platform/RichText.h"

#include <QStringList>
#include <QVariant>

namespace fendle {

// The result of ranking a slip's scents: the slip's own key as a bold
// heading, then the keys of the related slips, strongest first. Callers that
// count scents leave the heading out (relatedKeys().size()).
class SlipScentList {
public:
    SlipScentList(RichText heading, QStringList relatedKeys)
        : heading_(std::move(heading)), relatedKeys_(std::move(relatedKeys)) {}

    const RichText& heading() const { return heading_; }
    const QStringList& relatedKeys() const { return relatedKeys_; }
    qsizetype count() const { return 1 + relatedKeys_.size(); }
    // Element i as the list shows it: 0 the heading (styled), then plain keys.
    QVariant objectAtIndex(qsizetype index) const;
    // The key of element i, the heading read as its plain text; empty when out of range.
    QString keyAtIndex(qsizetype index) const;

private:
    RichText heading_;
    QStringList relatedKeys_;
};

}  // namespace fendle
