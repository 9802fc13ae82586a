#include "scents/SlipScentList.h"

#include <numeric>

namespace fendle {

SlipScentList::SlipScentList(RichText heading, QStringList relatedKeys)
    : heading_(std::move(heading)), keys_(std::move(relatedKeys)), positions_(static_cast<std::size_t>(keys_.size())) {
    std::iota(positions_.begin(), positions_.end(), 0);
}

SlipScentList::SlipScentList(RichText heading, QStringList keys, std::vector<int> positions)
    : heading_(std::move(heading)), keys_(std::move(keys)), positions_(std::move(positions)) {}

const QStringList& SlipScentList::relatedKeys() const {
    if (!relatedKeys_) {
        QStringList& keys = relatedKeys_.emplace();
        keys.reserve(static_cast<qsizetype>(positions_.size()));
        for (int position : positions_) keys.append(keys_[position]);
    }
    return *relatedKeys_;
}

QVariant SlipScentList::objectAtIndex(qsizetype index) const {
    if (index == 0) return QVariant::fromValue(heading_);
    if (index < 0 || index >= count()) return QVariant();
    return relatedKey(index - 1);
}

QString SlipScentList::keyAtIndex(qsizetype index) const {
    if (index == 0) return heading_.string();
    if (index < 0 || index >= count()) return QString();
    return relatedKey(index - 1);
}

}  // namespace fendle
