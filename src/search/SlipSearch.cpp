#include "search/SlipSearch.h"

#include "search/PredicateEvaluator.h"

namespace fendle {

SlipSearch::Outcome SlipSearch::filter(const BoxData& boxData, const PredicatePtr& predicate) {
    Outcome outcome;
    if (!predicate) return outcome;
    const PredicateEvaluator evaluator(predicate, &cache_);
    QString error;
    outcome.slips = boxData.filterUsingPredicate([&](const Slip& slip) {
        return error.isNull() && evaluator.evaluate(slip, &error);
    });
    if (!error.isNull()) {
        outcome.slips.clear();
        outcome.error = error;
    }
    cache_.sweep(boxData.slips().size());
    return outcome;
}

}  // namespace fendle
