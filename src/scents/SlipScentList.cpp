#include "scents/SlipScentList.h"

namespace fendle {

QVariant SlipScentList::objectAtIndex(qsizetype index) const {
    if (index == 0) return QVariant::fromValue(heading_);
    if (index < 0 || index > relatedKeys_.size()) return QVariant();
    return relatedKeys_[index - 1];
}

QString SlipScentList::keyAtIndex(qsizetype index) const {
    if (index == 0) return heading_.string();
    if (index < 0 || index > relatedKeys_.size()) return QString();
    return relatedKeys_[index - 1];
}

}  // namespace fendle
