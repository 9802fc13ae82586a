#include "search/PredicateEvaluator.h"

#include "platform/text/ByteSearch.h"
#include "platform/text/TextMatching.h"

#include <QDateTime>
#include <QHash>
#include <algorithm>
#include <vector>

namespace fendle {

using Op = Predicate::Operator;

struct PredicateEvaluator::Node {
    const Predicate* predicate = nullptr;
    QString needle;         // right value as text, folded when case is ignored
    QByteArray needleUtf8;  // the same for the folded-text cache
    std::optional<ByteSearch> needleSearch;  // of needleUtf8, for Contains
    std::shared_ptr<RegexMatcher> regex;
    QString regexError;
    std::vector<std::unique_ptr<Node>> children;
    // Keyword tests: the method, read once, and the answer for each
    // distinct keyword met so far. A box has far fewer keywords than its
    // slips have keyword entries.
    enum class KeywordMethod { ContainsObject, WithPrefix, WithSuffix, ThatContains, Like, ThatMatches, Unknown };
    KeywordMethod keywordMethod = KeywordMethod::Unknown;
    mutable QHash<QString, bool> keywordAnswers;
};

namespace {
using Node = PredicateEvaluator::Node;

bool isText(const QVariant& v) { return v.metaType().id() == QMetaType::QString; }

int sign(qint64 v) { return (v > 0) - (v < 0); }

bool orderHolds(Op op, int order) {
    switch (op) {
    case Op::EqualTo: return order == 0;
    case Op::NotEqualTo: return order != 0;
    case Op::LessThan: return order < 0;
    case Op::LessThanOrEqualTo: return order <= 0;
    case Op::GreaterThan: return order > 0;
    case Op::GreaterThanOrEqualTo: return order >= 0;
    default: return false;
    }
}

Node::KeywordMethod keywordMethodOf(const QString& method) {
    using M = Node::KeywordMethod;
    static const QHash<QString, M> methods{{QStringLiteral("containsObject:"), M::ContainsObject},
                                           {QStringLiteral("hasKeywordWithPrefix:"), M::WithPrefix},
                                           {QStringLiteral("hasKeywordWithSuffix:"), M::WithSuffix},
                                           {QStringLiteral("hasKeywordThatContains:"), M::ThatContains},
                                           {QStringLiteral("hasKeywordLike:"), M::Like},
                                           {QStringLiteral("hasKeywordThatMatches:"), M::ThatMatches}};
    return methods.value(method, M::Unknown);
}

std::unique_ptr<Node> compile(const PredicatePtr& predicate) {
    auto node = std::make_unique<Node>();
    node->predicate = predicate.get();
    for (const PredicatePtr& sub : predicate->subpredicates()) node->children.push_back(compile(sub));
    if (predicate->kind() == Predicate::Kind::Compound) return node;
    const bool keywordTest = predicate->kind() == Predicate::Kind::KeywordTest;
    if (keywordTest) node->keywordMethod = keywordMethodOf(predicate->method());
    const QString right = predicate->rightValue().toString();
    const bool fold = predicate->caseInsensitive() && !keywordTest;
    node->needle = fold ? foldCase(right) : right;
    node->needleUtf8 = node->needle.toUtf8();
    if (predicate->op() == Op::Contains) node->needleSearch.emplace(node->needleUtf8);
    const bool regex = keywordTest ? predicate->method() == u"hasKeywordThatMatches:" : predicate->op() == Op::Matches;
    if (regex) {
        std::optional<RegexMatcher> compiled =
            RegexMatcher::compile(right, keywordTest || predicate->caseInsensitive(), &node->regexError);
        if (compiled) node->regex = std::make_shared<RegexMatcher>(std::move(*compiled));
    }
    return node;
}

// Text operators on text that is already folded when case is ignored.
bool textHolds(const Node& node, const QString& left) {
    const Op op = node.predicate->op();
    switch (op) {
    case Op::Contains: return !node.needle.isEmpty() && left.contains(node.needle);
    case Op::BeginsWith: return !node.needle.isEmpty() && left.startsWith(node.needle);
    case Op::EndsWith: return !node.needle.isEmpty() && left.endsWith(node.needle);
    default: return orderHolds(op, left.compare(node.needle));
    }
}

bool foldedBytesHold(const Node& node, const QByteArray& left) {
    const Op op = node.predicate->op();
    if (node.needleUtf8.isEmpty()) return op == Op::NotEqualTo ? !left.isEmpty() : op == Op::EqualTo && left.isEmpty();
    switch (op) {
    case Op::Contains: return node.needleSearch->occursIn(left);
    case Op::BeginsWith: return left.startsWith(node.needleUtf8);
    case Op::EndsWith: return left.endsWith(node.needleUtf8);
    case Op::EqualTo: return left == node.needleUtf8;
    case Op::NotEqualTo: return left != node.needleUtf8;
    default: return false;
    }
}

bool stringComparisonHolds(const Node& node, const QString& left, QString* error) {
    const Predicate& p = *node.predicate;
    switch (p.op()) {
    case Op::Like: return likeMatches(left, p.rightValue().toString(), p.caseInsensitive());
    case Op::Matches:
        if (!node.regex) {
            *error = node.regexError;
            return false;
        }
        return node.regex->matchesWhole(left);
    default: return textHolds(node, p.caseInsensitive() ? foldCase(left) : left);
    }
}

bool valuesCompare(Op op, const QVariant& left, const QVariant& right) {
    if (!left.isValid() || !right.isValid()) {
        const bool bothAbsent = !left.isValid() && !right.isValid();
        return op == Op::EqualTo ? bothAbsent : op == Op::NotEqualTo && !bothAbsent;
    }
    const int l = left.metaType().id(), r = right.metaType().id();
    if (l == QMetaType::QDateTime && r == QMetaType::QDateTime) {
        const QDateTime a = left.toDateTime(), b = right.toDateTime();
        // A date that could not be read is unlike every date.
        if (!a.isValid() || !b.isValid()) return op == Op::NotEqualTo;
        return orderHolds(op, sign(b.msecsTo(a)));
    }
    if (l == QMetaType::Bool || r == QMetaType::Bool) {
        if (l != r) return op == Op::NotEqualTo;
        return orderHolds(op, int(left.toBool()) - int(right.toBool()));
    }
    bool leftNumeric = false, rightNumeric = false;
    const double a = left.toDouble(&leftNumeric), b = right.toDouble(&rightNumeric);
    if (leftNumeric && rightNumeric && !isText(left) && !isText(right)) return orderHolds(op, (a > b) - (a < b));
    // Values of different kinds (a keyword list against a text) are never equal.
    return op == Op::NotEqualTo;
}

bool singleKeywordHolds(const Node& node, const QString& keyword) {
    using M = Node::KeywordMethod;
    const KeywordsArray keywords(QStringList{keyword});
    const QString& argument = node.needle;
    switch (node.keywordMethod) {
    case M::WithPrefix: return keywords.hasKeywordWithPrefix(argument);
    case M::WithSuffix: return keywords.hasKeywordWithSuffix(argument);
    case M::ThatContains: return keywords.hasKeywordThatContains(argument);
    case M::Like: return keywords.hasKeywordLike(argument);
    case M::ThatMatches: return node.regex->matchesWhole(keyword);
    case M::ContainsObject: return keyword == argument;
    case M::Unknown: return false;
    }
    return false;
}

bool keywordTestHolds(const Node& node, const Slip& slip, QString* error) {
    const KeywordsArray& keywords = slip.keywords();
    if (node.keywordMethod == Node::KeywordMethod::ThatMatches && !node.regex) {
        *error = node.regexError;
        return false;
    }
    return std::any_of(keywords.begin(), keywords.end(), [&node](const QString& keyword) {
        const auto known = node.keywordAnswers.constFind(keyword);
        if (known != node.keywordAnswers.cend()) return *known;
        return *node.keywordAnswers.insert(keyword, singleKeywordHolds(node, keyword));
    });
}

bool evaluateNode(const Node& node, const Slip& slip, FoldedTextCache* cache, QString* error);

bool compoundHolds(const Node& node, const Slip& slip, FoldedTextCache* cache, QString* error) {
    const Predicate::CompoundType type = node.predicate->compoundType();
    for (const auto& child : node.children) {
        const bool holds = evaluateNode(*child, slip, cache, error);
        if (!error->isNull()) return false;
        if (type == Predicate::CompoundType::And && !holds) return false;
        if (type == Predicate::CompoundType::Or && holds) return true;
        if (type == Predicate::CompoundType::Not && holds) return false;
    }
    return type != Predicate::CompoundType::Or;
}

bool comparisonHolds(const Node& node, const Slip& slip, FoldedTextCache* cache, QString* error) {
    const Predicate& p = *node.predicate;
    const bool textOperator = p.op() >= Op::Contains;
    if (cache && p.caseInsensitive() && p.keyPath() == u"textString" && isText(p.rightValue()) &&
        p.op() != Op::Like && p.op() != Op::Matches && (textOperator || p.op() <= Op::NotEqualTo))
        return foldedBytesHold(node, cache->foldedText(slip));
    const QVariant left = slip.valueForKey(p.keyPath());
    if (isText(left) && isText(p.rightValue())) return stringComparisonHolds(node, left.toString(), error);
    if (p.op() == Op::Matches && !node.regex) {
        *error = node.regexError;
        return false;
    }
    if (textOperator) return false;
    return valuesCompare(p.op(), left, p.rightValue());
}

bool evaluateNode(const Node& node, const Slip& slip, FoldedTextCache* cache, QString* error) {
    switch (node.predicate->kind()) {
    case Predicate::Kind::Compound: return compoundHolds(node, slip, cache, error);
    case Predicate::Kind::KeywordTest: return keywordTestHolds(node, slip, error);
    case Predicate::Kind::Comparison: return comparisonHolds(node, slip, cache, error);
    }
    return false;
}
}  // namespace

PredicateEvaluator::PredicateEvaluator(const PredicatePtr& predicate, FoldedTextCache* cache)
    : predicate_(predicate), root_(predicate ? compile(predicate) : nullptr), cache_(cache) {}

PredicateEvaluator::~PredicateEvaluator() = default;
PredicateEvaluator::PredicateEvaluator(PredicateEvaluator&&) noexcept = default;

bool PredicateEvaluator::evaluate(const Slip& slip, QString* error) const {
    if (!root_) return false;
    return evaluateNode(*root_, slip, cache_, error);
}

}  // namespace fendle
