#include "app/editing/FieldCompletion.h"
#include "app/editing/ZoomFactors.h"

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

TEST(FieldCompletionTest, TheKeywordBeingTypedIsTheOneUnderTheCursor) {
    EXPECT_EQ(FieldCompletion::keywordTokenAt("one, two, th", 12).typed, "th");
    EXPECT_EQ(FieldCompletion::keywordTokenAt("solo", 4).typed, "solo");
    // In the middle: the part of the keyword before the cursor.
    const FieldCompletion::KeywordToken middle = FieldCompletion::keywordTokenAt("one, twelve, three", 7);
    EXPECT_EQ(middle.typed, "tw");
    EXPECT_EQ(middle.start, 5);
    EXPECT_EQ(middle.end, 11);
    EXPECT_EQ(FieldCompletion::keywordTokenAt("one, ", 5).typed, "");
    // A cursor outside the text is taken as its end or start.
    EXPECT_EQ(FieldCompletion::keywordTokenAt("ab", 99).typed, "ab");
    EXPECT_EQ(FieldCompletion::keywordTokenAt("ab", -3).typed, "");
}

TEST(FieldCompletionTest, CompletingReplacesOnlyTheKeywordUnderTheCursor) {
    const auto last = FieldCompletion::completeKeywordAt("one, two, th", 12, "three");
    EXPECT_EQ(last.text, "one, two, three");
    EXPECT_EQ(last.cursor, 15);
    EXPECT_EQ(FieldCompletion::completeKeywordAt("th", 2, "three").text, "three");
    const auto middle = FieldCompletion::completeKeywordAt("one, tw, three", 7, "twelve");
    EXPECT_EQ(middle.text, "one, twelve, three");
    EXPECT_EQ(middle.cursor, 11);
    // A keyword typed right behind a comma gets its space.
    EXPECT_EQ(FieldCompletion::completeKeywordAt("one,tw", 6, "twelve").text, "one, twelve");
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
