#pragma once
#include "model/BoxData.h"

#include <QList>
#include <algorithm>

namespace fendle {

// The active collection by slip number: the one fixed order in which the
// lists and searches over the whole box walk it, whatever the hash order.
inline QList<SlipPtr> slipsInKeyOrder(const BoxData& box) {
    QList<SlipPtr> slips = box.slips().values();
    std::sort(slips.begin(), slips.end(), [](const SlipPtr& a, const SlipPtr& b) { return a->slipID() < b->slipID(); });
    return slips;
}

}  // namespace fendle
