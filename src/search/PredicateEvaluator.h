#pragma once
#include "model/Slip.h"
#include "search/FoldedTextCache.h"
#include "search/Predicate.h"

#include <memory>

namespace fendle {

// A predicate prepared for testing many slips: needles folded once, regular
// expressions compiled once. Left values come from Slip::valueForKey, the
// slip text through the folded-text cache when one is given.
class PredicateEvaluator {
public:
    explicit PredicateEvaluator(const PredicatePtr& predicate, FoldedTextCache* cache = nullptr);
    ~PredicateEvaluator();
    PredicateEvaluator(PredicateEvaluator&&) noexcept;

    // False with *error set when the predicate cannot be evaluated (a regular
    // expression that does not compile); error must start out null.
    bool evaluate(const Slip& slip, QString* error) const;

    struct Node;

private:
    PredicatePtr predicate_;  // the nodes point into it
    std::unique_ptr<Node> root_;
    FoldedTextCache* cache_ = nullptr;
};

}  // namespace fendle
