#include "model/KeywordsArray.h"

#include <gtest/gtest.h>

using namespace fendle;

TEST(KeywordsArray, EmptyArgumentNeverPassesTheSubstringTests) {
    for (const KeywordsArray& list : {KeywordsArray(), KeywordsArray({""}), KeywordsArray({"a", "b"})}) {
        EXPECT_FALSE(list.hasKeywordWithPrefix(QString()));
        EXPECT_FALSE(list.hasKeywordWithSuffix(QString()));
        EXPECT_FALSE(list.hasKeywordThatContains(QString()));
    }
}

TEST(KeywordsArray, SubstringTestsIgnoreCaseButNotDiacritics) {
    const KeywordsArray list({"Philosophy", "Café"});
    EXPECT_TRUE(list.hasKeywordWithPrefix(QStringLiteral("PHIL")));
    EXPECT_TRUE(list.hasKeywordWithSuffix(QStringLiteral("É")));
    EXPECT_FALSE(list.hasKeywordWithSuffix(QStringLiteral("e")));
    EXPECT_TRUE(list.hasKeywordThatContains(QStringLiteral("losop")));
    EXPECT_FALSE(list.hasKeywordWithPrefix(QStringLiteral("losop")));
}

TEST(KeywordsArray, MatchesUsesWholeKeywordRegex) {
    EXPECT_TRUE(KeywordsArray({"Philosophy"}).hasKeywordThatMatches(QStringLiteral("ph.*")));
    EXPECT_FALSE(KeywordsArray({"Graph"}).hasKeywordThatMatches(QStringLiteral("ph.*")));
    QString error;
    EXPECT_FALSE(KeywordsArray({"x"}).hasKeywordThatMatches(QStringLiteral("[x"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(KeywordsArray, LikeUsesWildcards) {
    const KeywordsArray list({"Rome", "Athens"});
    EXPECT_TRUE(list.hasKeywordLike(QStringLiteral("r?ME")));
    EXPECT_TRUE(list.hasKeywordLike(QStringLiteral("*thens")));
    EXPECT_FALSE(list.hasKeywordLike(QStringLiteral("Rom")));
}
