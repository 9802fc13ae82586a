#include "platform/text/TextMatching.h"

#include <gtest/gtest.h>

using namespace fendle;

TEST(TextMatching, CaseFoldingIsFullAndKeepsDiacritics) {
    EXPECT_TRUE(containsIgnoringCase(QStringLiteral("Straße"), QStringLiteral("STRASSE")));
    EXPECT_TRUE(hasPrefixIgnoringCase(QStringLiteral("Éclair"), QStringLiteral("éc")));
    EXPECT_FALSE(hasPrefixIgnoringCase(QStringLiteral("Éclair"), QStringLiteral("ec")));
    EXPECT_TRUE(hasSuffixIgnoringCase(QStringLiteral("Philosophy"), QStringLiteral("PHY")));
    EXPECT_FALSE(containsIgnoringCase(QStringLiteral("abc"), QString()));
}

TEST(TextMatching, LikeWildcards) {
    EXPECT_TRUE(likeMatches(QStringLiteral("Philosophy"), QStringLiteral("phil*"), true));
    EXPECT_FALSE(likeMatches(QStringLiteral("Philosophy"), QStringLiteral("phil*"), false));
    EXPECT_TRUE(likeMatches(QStringLiteral("cat"), QStringLiteral("c?t"), true));
    EXPECT_FALSE(likeMatches(QStringLiteral("cart"), QStringLiteral("c?t"), true));
    EXPECT_TRUE(likeMatches(QStringLiteral("a*b"), QStringLiteral("a\\*b"), true));
    EXPECT_FALSE(likeMatches(QStringLiteral("axb"), QStringLiteral("a\\*b"), true));
    EXPECT_TRUE(likeMatches(QString(), QStringLiteral("*"), true));
    EXPECT_TRUE(likeMatches(QStringLiteral("abcabcabd"), QStringLiteral("*abd"), true));
    // Many stars must not blow up.
    EXPECT_FALSE(likeMatches(QString(200, QLatin1Char('a')), QStringLiteral("*a*a*a*a*a*a*a*a*b"), true));
}

TEST(TextMatching, RegexMatchesWholeTextAndReportsBadPatterns) {
    auto re = RegexMatcher::compile(QStringLiteral("ph.*"), true);
    ASSERT_TRUE(re);
    EXPECT_TRUE(re->matchesWhole(QStringLiteral("Philosophy")));
    EXPECT_FALSE(re->matchesWhole(QStringLiteral("Graph")));
    QString error;
    EXPECT_FALSE(RegexMatcher::compile(QStringLiteral("(unclosed"), true, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(TextMatching, FoldingForDesktopSearchDropsCaseAndDiacritics) {
    EXPECT_EQ(foldCaseAndDiacritics(QStringLiteral("Éclair CAFÉ über")), QStringLiteral("eclair cafe uber"));
    EXPECT_EQ(foldCaseAndDiacritics(QStringLiteral("Straße")), QStringLiteral("strasse"));
    // Already decomposed input folds the same as composed input.
    EXPECT_EQ(foldCaseAndDiacritics(QStringLiteral("E\u0301t\u00e9")), QStringLiteral("ete"));
    EXPECT_EQ(foldCaseAndDiacritics(QStringLiteral("Plain ASCII")), QStringLiteral("plain ascii"));
}
