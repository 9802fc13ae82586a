#pragma once
#include "model/BoxData.h"
#include "search/FoldedTextCache.h"
#include "search/Predicate.h"

#include <optional>

namespace fendle {

// Runs predicates over the live slips of a box. It keeps the folded texts of
// the slips between runs, so one instance should live as long as its box.
class SlipSearch {
public:
    struct Outcome {
        QList<SlipPtr> slips;
        // Set when evaluating failed; the slips are then empty.
        std::optional<QString> error;
    };

    // The live slips that satisfy the predicate; none without a predicate.
    Outcome filter(const BoxData& boxData, const PredicatePtr& predicate);
    const FoldedTextCache& foldedTexts() const { return cache_; }

private:
    FoldedTextCache cache_;
};

}  // namespace fendle
