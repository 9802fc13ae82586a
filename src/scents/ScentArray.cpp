#include "scents/ScentArray.h"

#include <algorithm>

namespace fendle {

ScentArray::ScentArray(qsizetype capacity) {
    array_.reserve(capacity);
    firstPosition_.reserve(capacity);
}

void ScentArray::addObject(const Scent& scent) {
    if (!firstPosition_.contains(scent.identity())) firstPosition_.insert(scent.identity(), array_.size());
    array_.append(scent);
}

bool ScentArray::containsObject(const QString& object) const { return firstPosition_.contains(object.constData()); }

void ScentArray::incrementStrengthOfObject(const QString& object) {
    const auto it = firstPosition_.constFind(object.constData());
    if (it != firstPosition_.cend()) ++array_[*it].strength;
}

void ScentArray::sortByStrength() {
    if (array_.isEmpty()) return;
    std::stable_sort(array_.begin(), array_.end(),
                     [](const Scent& a, const Scent& b) { return a.strength > b.strength; });
    reindex();
}

QStringList ScentArray::simpleScentArray() const {
    QStringList objects;
    objects.reserve(array_.size());
    for (const Scent& scent : array_) objects.append(scent.object);
    return objects;
}

void ScentArray::setScentArray(const QList<Scent>& array) {
    array_ = array;
    reindex();
}

void ScentArray::reindex() {
    firstPosition_.clear();
    for (qsizetype i = 0; i < array_.size(); ++i) {
        if (!firstPosition_.contains(array_[i].identity())) firstPosition_.insert(array_[i].identity(), i);
    }
}

}  // namespace fendle
