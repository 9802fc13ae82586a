#include "search/PredicateEvaluator.h"

#include "search/SearchTestBox.h"
#include "search/SlipSearch.h"

#include <gtest/gtest.h>

using namespace fendle;
using namespace fendle::testing;
using Op = Predicate::Operator;
using Type = Predicate::CompoundType;

namespace {
struct Box {
    BoxData data;
    SlipSearch search;
    Box() {
        fileSlip(data, {1, QStringLiteral("Philosophy, ethics"), QStringLiteral("Straße und Weg"), QStringLiteral("Kant"),
                        QStringLiteral("quote"), QStringLiteral("Ann")});
        fileSlip(data, {2, QStringLiteral("graph"), QStringLiteral("STRASSE"), QString(), QStringLiteral("note"),
                        QStringLiteral("Bob")});
        fileSlip(data, {3, QString(), QStringLiteral("nothing here"), QStringLiteral("web"), QString(), QString()});
    }
    QStringList keys(const PredicatePtr& predicate) {
        const SlipSearch::Outcome outcome = search.filter(data, predicate);
        EXPECT_FALSE(outcome.error.has_value());
        return sortedKeys(outcome.slips);
    }
};

PredicatePtr cmp(const char* keyPath, Op op, const QVariant& right, bool ci = true) {
    return Predicate::comparison(QString::fromLatin1(keyPath), op, right, ci);
}
}  // namespace

TEST(PredicateEvaluator, CaseInsensitiveTextUsesFullFolding) {
    Box box;
    EXPECT_EQ(box.keys(cmp("textString", Op::Contains, QStringLiteral("strasse"))),
              (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(box.keys(cmp("textString", Op::BeginsWith, QStringLiteral("STRASSE"))),
              (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(box.keys(cmp("textString", Op::EndsWith, QStringLiteral("WEG"))), QStringList{QStringLiteral("1")});
    EXPECT_EQ(box.keys(cmp("textString", Op::EqualTo, QStringLiteral("strasse"))), QStringList{QStringLiteral("2")});
    EXPECT_EQ(box.keys(cmp("textString", Op::Contains, QStringLiteral("strasse"), false)), QStringList{});
    EXPECT_EQ(box.keys(cmp("textString", Op::Contains, QString())), QStringList{});
    EXPECT_EQ(box.keys(cmp("source", Op::Like, QStringLiteral("k?NT"))), QStringList{QStringLiteral("1")});
    EXPECT_EQ(box.keys(cmp("author", Op::Matches, QStringLiteral("a.."))), QStringList{QStringLiteral("1")});
    // An absent source never contains anything and is not equal to a text.
    EXPECT_EQ(box.keys(cmp("source", Op::NotEqualTo, QStringLiteral("kant"))),
              (QStringList{QStringLiteral("2"), QStringLiteral("3")}));
}

TEST(PredicateEvaluator, FoldedTextsFollowEdits) {
    Box box;
    const PredicatePtr query = cmp("textString", Op::Contains, QStringLiteral("here"));
    EXPECT_EQ(box.keys(query), QStringList{QStringLiteral("3")});
    box.data.slipForKey(QStringLiteral("2"))->setText(RichText(QStringLiteral("HERE now")));
    box.data.slipForKey(QStringLiteral("3"))->setText(RichText(QStringLiteral("gone")));
    EXPECT_EQ(box.keys(query), QStringList{QStringLiteral("2")});
    EXPECT_EQ(box.search.foldedTexts().count(), 3);
}

TEST(PredicateEvaluator, NumbersFlagsDatesAndCompounds) {
    Box box;
    box.data.slipForKey(QStringLiteral("2"))->setFlagged(true);
    EXPECT_EQ(box.keys(cmp("slipID", Op::GreaterThan, qint64(1), false)),
              (QStringList{QStringLiteral("2"), QStringLiteral("3")}));
    EXPECT_EQ(box.keys(cmp("isFlagged", Op::EqualTo, true, false)), QStringList{QStringLiteral("2")});
    EXPECT_EQ(box.keys(cmp("isFlagged", Op::EqualTo, QStringLiteral("1"), false)), QStringList{});
    const QDateTime day = box.data.slipForKey(QStringLiteral("1"))->creationDay();
    EXPECT_EQ(box.keys(cmp("creationDay", Op::EqualTo, day)).size(), 3);
    EXPECT_EQ(box.keys(cmp("creationDay", Op::LessThan, day)).size(), 0);
    const PredicatePtr quote = cmp("slipType", Op::EqualTo, QStringLiteral("QUOTE"));
    const PredicatePtr web = cmp("source", Op::EqualTo, QStringLiteral("web"));
    EXPECT_EQ(box.keys(Predicate::compound(Type::Or, {quote, web})),
              (QStringList{QStringLiteral("1"), QStringLiteral("3")}));
    EXPECT_EQ(box.keys(Predicate::compound(Type::And, {quote, web})), QStringList{});
    EXPECT_EQ(box.keys(Predicate::compound(Type::Not, {quote, web})), QStringList{QStringLiteral("2")});
}

TEST(PredicateEvaluator, KeywordTestsHaveTheirOwnCaseRules) {
    Box box;
    const auto test = [&](const char* method, const char* argument) {
        return box.keys(Predicate::keywordTest(QStringLiteral("keywords"), QString::fromLatin1(method),
                                               QString::fromLatin1(argument)));
    };
    EXPECT_EQ(test("containsObject:", "graph"), QStringList{QStringLiteral("2")});
    EXPECT_EQ(test("containsObject:", "Graph"), QStringList{});
    EXPECT_EQ(test("hasKeywordThatContains:", "OSO"), QStringList{QStringLiteral("1")});
    EXPECT_EQ(test("hasKeywordThatMatches:", "ph.*"), QStringList{QStringLiteral("1")});
    EXPECT_EQ(test("hasKeywordLike:", "G*h"), QStringList{QStringLiteral("2")});
    EXPECT_EQ(test("hasKeywordWithSuffix:", "ICS"), QStringList{QStringLiteral("1")});
    EXPECT_EQ(test("hasKeywordWithPrefix:", ""), QStringList{});
}

// Each distinct keyword is tested once per run; slips sharing it, or
// holding it in another case, still get their own right answer.
TEST(PredicateEvaluator, KeywordTestsAnswerEverySlipThatSharesAKeyword) {
    Box box;
    fileSlip(box.data, {4, QStringLiteral("ethics, graph"), QString(), QString(), QString(), QString()});
    fileSlip(box.data, {5, QStringLiteral("Ethics"), QString(), QString(), QString(), QString()});
    const auto test = [&](const char* method, const char* argument) {
        return box.keys(Predicate::keywordTest(QStringLiteral("keywords"), QString::fromLatin1(method),
                                               QString::fromLatin1(argument)));
    };
    EXPECT_EQ(test("hasKeywordWithPrefix:", "ETH"), (QStringList{"1", "4", "5"}));
    EXPECT_EQ(test("hasKeywordWithPrefix:", "gra"), (QStringList{"2", "4"}));
    EXPECT_EQ(test("hasKeywordThatContains:", "thic"), (QStringList{"1", "4", "5"}));
    EXPECT_EQ(test("hasKeywordThatMatches:", "e.*"), (QStringList{"1", "4", "5"}));
    EXPECT_EQ(test("containsObject:", "Ethics"), QStringList{"5"});
    const PredicatePtr graphOrEthics = Predicate::compound(
        Type::Or, {Predicate::keywordTest(QStringLiteral("keywords"), QStringLiteral("hasKeywordLike:"), "gr*"),
                   Predicate::keywordTest(QStringLiteral("keywords"), QStringLiteral("hasKeywordWithSuffix:"), "HICS")});
    EXPECT_EQ(box.keys(graphOrEthics), (QStringList{"1", "2", "4", "5"}));
}

TEST(PredicateEvaluator, MalformedRegularExpressionIsAnError) {
    Box box;
    for (const PredicatePtr& bad :
         {Predicate::keywordTest(QStringLiteral("keywords"), QStringLiteral("hasKeywordThatMatches:"), QStringLiteral("(a")),
          cmp("source", Op::Matches, QStringLiteral("[x"))}) {
        const SlipSearch::Outcome outcome = box.search.filter(box.data, bad);
        EXPECT_TRUE(outcome.slips.isEmpty());
        ASSERT_TRUE(outcome.error.has_value());
        EXPECT_FALSE(outcome.error->isEmpty());
    }
    EXPECT_TRUE(box.search.filter(box.data, nullptr).slips.isEmpty());
}
