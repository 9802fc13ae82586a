#include "search/KeywordPredicateRewriting.h"

#include "platform/system/DateUtils.h"

#include <QDateTime>

namespace fendle {
namespace {
using Op = Predicate::Operator;

std::optional<QString> keywordMethod(Op op) {
    switch (op) {
    case Op::BeginsWith: return QStringLiteral("hasKeywordWithPrefix:");
    case Op::EndsWith: return QStringLiteral("hasKeywordWithSuffix:");
    case Op::Contains: return QStringLiteral("hasKeywordThatContains:");
    case Op::EqualTo: return QStringLiteral("containsObject:");
    case Op::Matches: return QStringLiteral("hasKeywordThatMatches:");
    case Op::Like: return QStringLiteral("hasKeywordLike:");
    default: return std::nullopt;
    }
}

PredicatePtr rewriteComparison(const PredicatePtr& p) {
    const QString& keyPath = p->keyPath();
    if (keyPath == u"keywords") {
        const std::optional<QString> method = keywordMethod(p->op());
        return method ? Predicate::keywordTest(keyPath, *method, p->rightValue().toString()) : p;
    }
    if (keyPath == u"creationDay" || keyPath == u"lastModificationDay") {
        const QDateTime right = p->rightValue().toDateTime();
        const QVariant day = right.isValid() ? QVariant(dayOf(right)) : p->rightValue();
        return Predicate::comparison(keyPath, p->op(), day, true);
    }
    if (keyPath == u"isFlagged")
        return Predicate::comparison(keyPath, Op::EqualTo, p->rightValue().toString() == u"1");
    if (keyPath == u"anyTextualField") {
        QList<PredicatePtr> fields;
        for (const QString& field : {QStringLiteral("keywords"), QStringLiteral("source"), QStringLiteral("slipType"),
                                     QStringLiteral("textString")})
            fields.append(rewriteComparison(Predicate::comparison(field, p->op(), p->rightValue(), true)));
        return Predicate::compound(Predicate::CompoundType::Or, fields);
    }
    return p;
}
}  // namespace

PredicatePtr substituteKeywordsPredicateOperators(const PredicatePtr& predicate) {
    if (!predicate) return predicate;
    switch (predicate->kind()) {
    case Predicate::Kind::Compound: {
        QList<PredicatePtr> rewritten;
        for (const PredicatePtr& sub : predicate->subpredicates())
            rewritten.append(substituteKeywordsPredicateOperators(sub));
        return Predicate::compound(predicate->compoundType(), rewritten);
    }
    case Predicate::Kind::Comparison: return rewriteComparison(predicate);
    case Predicate::Kind::KeywordTest: break;
    }
    return predicate;
}

}  // namespace fendle
