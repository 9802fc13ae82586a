#include "app/FieldCompletion.h"
#include "app/ZoomFactors.h"

#include <gtest/gtest.h>

using namespace fendle;

TEST(FieldCompletionTest, TypeCompletionTakesTheFirstTypeInListOrderIgnoringCase) {
    const QStringList types{"Book", "Apple", "Apricot"};
    EXPECT_EQ(FieldCompletion::firstTypeMatchingPrefix(types, "ap"), std::optional<QString>("Apple"));
    EXPECT_EQ(FieldCompletion::firstTypeMatchingPrefix(types, "APR"), std::optional<QString>("Apricot"));
    EXPECT_EQ(FieldCompletion::firstTypeMatchingPrefix(types, "x"), std::nullopt);
}

TEST(FieldCompletionTest, KeywordCompletionIsCaseSensitiveAndNoneForNothingTyped) {
    const QStringList keywords{"Alpha", "alpine", "alps", "beta"};
    EXPECT_EQ(FieldCompletion::possibleKeywordCompletions(keywords, "alp"), (QStringList{"alpine", "alps"}));
    EXPECT_EQ(FieldCompletion::possibleKeywordCompletions(keywords, "Al"), QStringList{"Alpha"});
    EXPECT_TRUE(FieldCompletion::possibleKeywordCompletions(keywords, "").isEmpty());
}

TEST(FieldCompletionTest, TheKeywordBeingTypedIsTheLastOne) {
    EXPECT_EQ(FieldCompletion::currentKeywordToken("one, two, th"), "th");
    EXPECT_EQ(FieldCompletion::currentKeywordToken("solo"), "solo");
    EXPECT_EQ(FieldCompletion::completeLastKeyword("one, two, th", "three"), "one, two, three");
    EXPECT_EQ(FieldCompletion::completeLastKeyword("th", "three"), "three");
}

TEST(FieldCompletionTest, SourceCompletionsAreDistinctAndSorted) {
    const QStringList sources{"http://b", "http://a", "ftp://x", "http://a"};
    EXPECT_EQ(FieldCompletion::sourceCompletions(sources, "http"), (QStringList{"http://a", "http://b"}));
}

TEST(FieldCompletionTest, LinkSourcesShowTheSnapBackButton) {
    EXPECT_TRUE(FieldCompletion::isLinkSource("file:///home/me/a.pdf"));
    EXPECT_TRUE(FieldCompletion::isLinkSource("x-bdsk://123"));
    EXPECT_FALSE(FieldCompletion::isLinkSource("plain words"));
    EXPECT_FALSE(FieldCompletion::isLinkSource(" http://leading.space"));
}

TEST(ZoomFactorsTest, StepsStopAtBothEnds) {
    EXPECT_EQ(ZoomFactors::zoomIn(100), 110);
    EXPECT_EQ(ZoomFactors::zoomOut(100), 90);
    EXPECT_EQ(ZoomFactors::zoomOut(10), 10);
    EXPECT_EQ(ZoomFactors::zoomIn(1600), 1600);
    // A factor between two entries steps to the neighbour on that side.
    EXPECT_EQ(ZoomFactors::zoomIn(105), 110);
    EXPECT_EQ(ZoomFactors::zoomOut(105), 100);
}
