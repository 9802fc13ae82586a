#pragma once
#include "search/Predicate.h"

namespace fendle {

// Rewrites the rule editor's predicate for the slip fields that need their
// own matching: keyword comparisons become keyword-list tests, dates are
// reduced to calendar days, the flag becomes a truth value and "any textual
// field" an OR over keywords, source, type and text.
PredicatePtr substituteKeywordsPredicateOperators(const PredicatePtr& predicate);

}  // namespace fendle
