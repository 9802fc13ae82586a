#include "model/KeywordsArray.h"

#include "platform/text/TextMatching.h"

#include <algorithm>

namespace fendle {
namespace {
template <typename Test>
bool anyKeyword(const QStringList& keywords, Test test) {
    return std::any_of(keywords.begin(), keywords.end(), test);
}
}  // namespace

bool KeywordsArray::hasKeywordWithPrefix(const QString& prefix) const {
    if (prefix.isEmpty()) return false;
    const QString folded = foldCase(prefix);
    return anyKeyword(keywords_, [&](const QString& k) { return foldCase(k).startsWith(folded); });
}

bool KeywordsArray::hasKeywordWithSuffix(const QString& suffix) const {
    if (suffix.isEmpty()) return false;
    const QString folded = foldCase(suffix);
    return anyKeyword(keywords_, [&](const QString& k) { return foldCase(k).endsWith(folded); });
}

bool KeywordsArray::hasKeywordThatContains(const QString& part) const {
    if (part.isEmpty()) return false;
    const QString folded = foldCase(part);
    return anyKeyword(keywords_, [&](const QString& k) { return foldCase(k).contains(folded); });
}

bool KeywordsArray::hasKeywordThatMatches(const QString& pattern, QString* error) const {
    const std::optional<RegexMatcher> matcher = RegexMatcher::compile(pattern, true, error);
    if (!matcher) return false;
    return anyKeyword(keywords_, [&](const QString& k) { return matcher->matchesWhole(k); });
}

bool KeywordsArray::hasKeywordLike(const QString& pattern) const {
    return anyKeyword(keywords_, [&](const QString& k) { return likeMatches(k, pattern, true); });
}

}  // namespace fendle
