#pragma once
#include <QList>
#include <QString>
#include <QVariant>
#include <memory>

namespace fendle {

class Predicate;
using PredicatePtr = std::shared_ptr<const Predicate>;

// A search condition over slips, in the shape the rule editor produces:
// comparisons of a key path with a constant, calls of a keyword-list test on
// the keywords, and AND/OR/NOT compounds ("None": no subpredicate holds).
class Predicate {
public:
    enum class Kind { Comparison, KeywordTest, Compound };
    enum class Operator {
        EqualTo,
        NotEqualTo,
        LessThan,
        LessThanOrEqualTo,
        GreaterThan,
        GreaterThanOrEqualTo,
        Contains,
        BeginsWith,
        EndsWith,
        Like,
        Matches,
    };
    enum class CompoundType { Not, And, Or };

    static PredicatePtr comparison(const QString& keyPath, Operator op, const QVariant& rightValue,
                                   bool caseInsensitive = false);
    // keywords <method>: argument, e.g. keywords hasKeywordThatContains: "x".
    static PredicatePtr keywordTest(const QString& keyPath, const QString& method, const QString& argument);
    static PredicatePtr compound(CompoundType type, QList<PredicatePtr> subpredicates);

    Kind kind() const { return kind_; }
    const QString& keyPath() const { return keyPath_; }
    Operator op() const { return op_; }
    const QVariant& rightValue() const { return rightValue_; }
    bool caseInsensitive() const { return caseInsensitive_; }
    const QString& method() const { return method_; }
    CompoundType compoundType() const { return compoundType_; }
    const QList<PredicatePtr>& subpredicates() const { return subpredicates_; }

    // The text form, e.g. `source CONTAINS[c] "x" AND isFlagged == TRUE`.
    QString predicateFormat() const;
    static QString operatorText(Operator op);

private:
    Kind kind_ = Kind::Comparison;
    QString keyPath_;
    Operator op_ = Operator::EqualTo;
    QVariant rightValue_;
    bool caseInsensitive_ = false;
    QString method_;
    CompoundType compoundType_ = CompoundType::And;
    QList<PredicatePtr> subpredicates_;
};

}  // namespace fendle
