#include "platform/keyedarchive/AttributesCache.h"

namespace fendle {

const Attributes* AttributesCache::find(const QByteArray& signature) const {
    const auto found = entries_.constFind(signature);
    return found == entries_.constEnd() ? nullptr : &found.value();
}

void AttributesCache::insert(const QByteArray& signature, const Attributes& attributes) {
    if (entries_.size() >= Capacity) return;
    entries_.insert(signature, attributes);
}

}  // namespace fendle
