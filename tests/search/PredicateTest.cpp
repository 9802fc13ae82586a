#include "search/Predicate.h"

#include "search/KeywordPredicateRewriting.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace fendle;
using Op = Predicate::Operator;
using Type = Predicate::CompoundType;

TEST(Predicate, TextFormFollowsThePredicateLanguage) {
    const PredicatePtr source = Predicate::comparison(QStringLiteral("source"), Op::Contains, QStringLiteral("a\"b"), true);
    EXPECT_EQ(source->predicateFormat(), QStringLiteral("source CONTAINS[c] \"a\\\"b\""));
    const PredicatePtr id = Predicate::comparison(QStringLiteral("slipID"), Op::NotEqualTo, qint64(5));
    EXPECT_EQ(id->predicateFormat(), QStringLiteral("slipID != 5"));
    const PredicatePtr both = Predicate::compound(Type::And, {source, Predicate::compound(Type::Or, {id, id})});
    EXPECT_EQ(both->predicateFormat(),
              QStringLiteral("source CONTAINS[c] \"a\\\"b\" AND (slipID != 5 OR slipID != 5)"));
    EXPECT_EQ(Predicate::compound(Type::Not, {id, source})->predicateFormat(),
              QStringLiteral("NOT (slipID != 5 OR source CONTAINS[c] \"a\\\"b\")"));
    const QDateTime reference(QDate(2001, 1, 2), QTime(0, 0), Qt::UTC);
    EXPECT_EQ(Predicate::comparison(QStringLiteral("creationDay"), Op::LessThan, reference)->predicateFormat(),
              QStringLiteral("creationDay < CAST(86400.000000, \"NSDate\")"));
}

TEST(KeywordPredicateRewriting, KeywordComparisonsBecomeKeywordTests) {
    const auto rewritten = [](Op op) {
        return substituteKeywordsPredicateOperators(
                   Predicate::comparison(QStringLiteral("keywords"), op, QStringLiteral("x"), true))
            ->predicateFormat();
    };
    EXPECT_EQ(rewritten(Op::Contains), QStringLiteral("keywords hasKeywordThatContains: \"x\""));
    EXPECT_EQ(rewritten(Op::BeginsWith), QStringLiteral("keywords hasKeywordWithPrefix: \"x\""));
    EXPECT_EQ(rewritten(Op::EndsWith), QStringLiteral("keywords hasKeywordWithSuffix: \"x\""));
    EXPECT_EQ(rewritten(Op::EqualTo), QStringLiteral("keywords containsObject: \"x\""));
    EXPECT_EQ(rewritten(Op::Matches), QStringLiteral("keywords hasKeywordThatMatches: \"x\""));
    EXPECT_EQ(rewritten(Op::Like), QStringLiteral("keywords hasKeywordLike: \"x\""));
    EXPECT_EQ(rewritten(Op::LessThan), QStringLiteral("keywords <[c] \"x\""));
}

TEST(KeywordPredicateRewriting, FlagDaysAndAnyTextualField) {
    const auto flag = [](const char* text) {
        return substituteKeywordsPredicateOperators(
                   Predicate::comparison(QStringLiteral("isFlagged"), Op::EqualTo, QString::fromLatin1(text)))
            ->predicateFormat();
    };
    EXPECT_EQ(flag("1"), QStringLiteral("isFlagged == TRUE"));
    EXPECT_EQ(flag("0"), QStringLiteral("isFlagged == FALSE"));

    const QDateTime evening(QDate(2024, 3, 5), QTime(23, 30), Qt::LocalTime);
    const PredicatePtr day = substituteKeywordsPredicateOperators(
        Predicate::comparison(QStringLiteral("creationDay"), Op::GreaterThan, evening));
    EXPECT_EQ(day->rightValue().toDateTime(), QDateTime(QDate(2024, 3, 5), QTime(0, 0), Qt::UTC));
    EXPECT_EQ(day->op(), Op::GreaterThan);
    EXPECT_TRUE(day->caseInsensitive());

    const PredicatePtr any = substituteKeywordsPredicateOperators(Predicate::compound(
        Type::Not, {Predicate::comparison(QStringLiteral("anyTextualField"), Op::BeginsWith, QStringLiteral("q"), true)}));
    EXPECT_EQ(any->predicateFormat(),
              QStringLiteral("NOT (keywords hasKeywordWithPrefix: \"q\" OR source BEGINSWITH[c] \"q\" OR "
                             "slipType BEGINSWITH[c] \"q\" OR textString BEGINSWITH[c] \"q\")"));
    const PredicatePtr other = Predicate::comparison(QStringLiteral("title"), Op::Contains, QStringLiteral("t"), true);
    EXPECT_EQ(substituteKeywordsPredicateOperators(other), other);
}
