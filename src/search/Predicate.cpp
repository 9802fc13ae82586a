#include "search/Predicate.h"

#include "platform/system/DateUtils.h"

#include <QDateTime>

namespace fendle {
namespace {
QString quoted(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString constantText(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::UnknownType:
        return QStringLiteral("nil");
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case QMetaType::QDateTime:
        return QStringLiteral("CAST(%1, \"NSDate\")").arg(secondsSinceReferenceDate(value.toDateTime()), 0, 'f', 6);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return value.toString();
    default:
        return quoted(value.toString());
    }
}

QString subpredicateText(const PredicatePtr& sub) {
    const QString text = sub->predicateFormat();
    return sub->kind() == Predicate::Kind::Compound ? QLatin1Char('(') + text + QLatin1Char(')') : text;
}
}  // namespace

PredicatePtr Predicate::comparison(const QString& keyPath, Operator op, const QVariant& rightValue,
                                   bool caseInsensitive) {
    auto p = std::make_shared<Predicate>();
    p->kind_ = Kind::Comparison;
    p->keyPath_ = keyPath;
    p->op_ = op;
    p->rightValue_ = rightValue;
    p->caseInsensitive_ = caseInsensitive;
    return p;
}

PredicatePtr Predicate::keywordTest(const QString& keyPath, const QString& method, const QString& argument) {
    auto p = std::make_shared<Predicate>();
    p->kind_ = Kind::KeywordTest;
    p->keyPath_ = keyPath;
    p->method_ = method;
    p->rightValue_ = argument;
    return p;
}

PredicatePtr Predicate::compound(CompoundType type, QList<PredicatePtr> subpredicates) {
    auto p = std::make_shared<Predicate>();
    p->kind_ = Kind::Compound;
    p->compoundType_ = type;
    p->subpredicates_ = std::move(subpredicates);
    return p;
}

QString Predicate::operatorText(Operator op) {
    switch (op) {
    case Operator::EqualTo: return QStringLiteral("==");
    case Operator::NotEqualTo: return QStringLiteral("!=");
    case Operator::LessThan: return QStringLiteral("<");
    case Operator::LessThanOrEqualTo: return QStringLiteral("<=");
    case Operator::GreaterThan: return QStringLiteral(">");
    case Operator::GreaterThanOrEqualTo: return QStringLiteral(">=");
    case Operator::Contains: return QStringLiteral("CONTAINS");
    case Operator::BeginsWith: return QStringLiteral("BEGINSWITH");
    case Operator::EndsWith: return QStringLiteral("ENDSWITH");
    case Operator::Like: return QStringLiteral("LIKE");
    case Operator::Matches: return QStringLiteral("MATCHES");
    }
    return QString();
}

QString Predicate::predicateFormat() const {
    switch (kind_) {
    case Kind::Comparison:
        return keyPath_ + QLatin1Char(' ') + operatorText(op_) + (caseInsensitive_ ? QStringLiteral("[c] ") : QStringLiteral(" ")) +
               constantText(rightValue_);
    case Kind::KeywordTest:
        return keyPath_ + QLatin1Char(' ') + method_ + QLatin1Char(' ') + constantText(rightValue_);
    case Kind::Compound:
        break;
    }
    if (compoundType_ == CompoundType::Not) {
        if (subpredicates_.isEmpty()) return QStringLiteral("TRUEPREDICATE");
        if (subpredicates_.size() == 1) return QStringLiteral("NOT ") + subpredicateText(subpredicates_.first());
        return QStringLiteral("NOT (") + compound(CompoundType::Or, subpredicates_)->predicateFormat() + QLatin1Char(')');
    }
    if (subpredicates_.isEmpty())
        return compoundType_ == CompoundType::And ? QStringLiteral("TRUEPREDICATE") : QStringLiteral("FALSEPREDICATE");
    QStringList parts;
    for (const PredicatePtr& sub : subpredicates_) parts.append(subpredicateText(sub));
    return parts.join(compoundType_ == CompoundType::And ? QStringLiteral(" AND ") : QStringLiteral(" OR "));
}

}  // namespace fendle
